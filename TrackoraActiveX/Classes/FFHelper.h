#pragma once

#include "trackoraactivex_global.h"

#include <QObject>

extern "C" {
#include <libavutil/hwcontext.h>
}

namespace TrackoraActiveX {

// Finds out once per process whether the video can be decoded on the graphics
// hardware, and through which device type.
class TRACKORAACTIVEX_EXPORT CFFHelper : public QObject
{
    Q_OBJECT
public:
    // 0 when a hardware decoding device could be created, AVERROR(EINVAL) otherwise.
    static int hwAcclProbe();
    // The probe's answer, computed on the first call.
    static bool hwAcclAvailable();
    // The device type the probe found usable; AV_HWDEVICE_TYPE_NONE without one.
    static AVHWDeviceType hwDeviceType();
    // A new reference to the device the probe created (kept for the process:
    // creating one costs tens to hundreds of milliseconds, a CUDA context
    // most); null without one. The caller unreferences it.
    static AVBufferRef *sharedDevice();
};

} // namespace TrackoraActiveX
