#pragma once

#include <QGenericMatrix>
#include <QVector3D>

#include "trackoraactivex_global.h"

namespace libyuv {
struct YuvConstants;
}

namespace TrackoraActiveX {

// How a picture's YUV values turn into RGB: the matrix and the range that
// the stream signals (FFmpeg's AVColorSpace and AVColorRange codes). Both
// renderers and the Image model ask this one class, so they agree.
class TRACKORAACTIVEX_EXPORT CFFColorMatrix
{
public:
    enum Standard { Bt601, Bt709, Bt2020 };

    CFFColorMatrix(int colorSpace, int colorRange);

    Standard standard() const { return standardValue; }
    bool isFullRange() const { return fullRange; }

    // libyuv's constants for the same conversion, or null where libyuv's
    // 8-bit coefficients cannot hold it (limited-range BT.709 and BT.2020
    // clip the blue gain, about 9 levels short on a blue bar).
    const libyuv::YuvConstants *yuvConstants() const;
    // The SWS_CS_* matrix for libswscale.
    int swsColorspace() const;
    // For a shader: rgb = matrix() * (yuv - offset()), with yuv in 0..1.
    QMatrix3x3 matrix() const;
    QVector3D offset() const;

private:
    Standard standardValue;
    bool fullRange;
};

} // namespace TrackoraActiveX
