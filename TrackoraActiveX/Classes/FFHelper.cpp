#include "FFHelper.h"
#include "FFUtils.h"

#include <QDebug>
#include <QLoggingCategory>

#include <mutex>

extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/error.h>
}

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcHelper, "trackora.engine.hwaccel")

namespace {

// Tried in this order; the first device that can be created is used.
const AVHWDeviceType kProbeOrder[] = {AV_HWDEVICE_TYPE_VAAPI, AV_HWDEVICE_TYPE_CUDA, AV_HWDEVICE_TYPE_VDPAU};

std::once_flag probeOnce;
bool probeAvailable = false;
AVHWDeviceType probeType = AV_HWDEVICE_TYPE_NONE;
AVBufferRef *probeDevice = nullptr; // set once under probeOnce, never freed

// With `keep`, the device found is left in *kept.
AVHWDeviceType probeDevices(AVBufferRef **kept = nullptr)
{
    for (AVHWDeviceType type : kProbeOrder) {
        const char *name = av_hwdevice_get_type_name(type);
        AVBufferRef *device = nullptr;
        const int ret = av_hwdevice_ctx_create(&device, type, nullptr, nullptr, 0);
        if (ret >= 0) {
            if (kept)
                *kept = device;
            else
                av_buffer_unref(&device);
            qCDebug(lcHelper, "Hardware decoding device %s created", name);
            return type;
        }
        qCDebug(lcHelper, "Failed to create %s device: %s", name, qPrintable(ffErrorText(ret)));
    }
    return AV_HWDEVICE_TYPE_NONE;
}

} // namespace

int CFFHelper::hwAcclProbe()
{
    const AVHWDeviceType type = probeDevices();
    return type == AV_HWDEVICE_TYPE_NONE ? AVERROR(EINVAL) : 0;
}

bool CFFHelper::hwAcclAvailable()
{
    std::call_once(probeOnce, [] {
        probeType = probeDevices(&probeDevice);
        probeAvailable = probeType != AV_HWDEVICE_TYPE_NONE;
        if (!probeAvailable)
            qCDebug(lcHelper, "No hardware decoding device usable");
    });
    return probeAvailable;
}

AVHWDeviceType CFFHelper::hwDeviceType()
{
    return hwAcclAvailable() ? probeType : AV_HWDEVICE_TYPE_NONE;
}

AVBufferRef *CFFHelper::sharedDevice()
{
    return hwAcclAvailable() && probeDevice ? av_buffer_ref(probeDevice) : nullptr;
}

} // namespace TrackoraActiveX
