#include "FFColorMatrix.h"

#include <libyuv.h>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace TrackoraActiveX {

namespace {
// Luma weights of red and blue for each standard.
struct Weights { float kr; float kb; };
constexpr Weights kWeights[] = {{0.299f, 0.114f}, {0.2126f, 0.0722f}, {0.2627f, 0.0593f}};

// 8-bit limited range: luma 16..235, chroma 16..240 around 128.
constexpr float kLimitedLumaScale = 255.0f / 219.0f;
constexpr float kLimitedChromaScale = 255.0f / 224.0f;
constexpr float kLumaFoot = 16.0f / 255.0f;
constexpr float kChromaZero = 128.0f / 255.0f;

CFFColorMatrix::Standard standardOf(int colorSpace)
{
    switch (colorSpace) {
    case AVCOL_SPC_BT709:
    case AVCOL_SPC_SMPTE240M:
        return CFFColorMatrix::Bt709;
    case AVCOL_SPC_BT2020_NCL:
    case AVCOL_SPC_BT2020_CL:
        return CFFColorMatrix::Bt2020;
    default:
        // Unsignalled pictures keep the BT.601 conversion they always had,
        // which is also what the ffmpeg tool assumes.
        return CFFColorMatrix::Bt601;
    }
}
} // namespace

CFFColorMatrix::CFFColorMatrix(int colorSpace, int colorRange)
    : standardValue(standardOf(colorSpace))
    , fullRange(colorRange == AVCOL_RANGE_JPEG)
{
}

const libyuv::YuvConstants *CFFColorMatrix::yuvConstants() const
{
    switch (standardValue) {
    case Bt709:
        return fullRange ? &libyuv::kYuvF709Constants : nullptr;
    case Bt2020:
        return fullRange ? &libyuv::kYuvV2020Constants : nullptr;
    default:
        return fullRange ? &libyuv::kYuvJPEGConstants : &libyuv::kYuvI601Constants;
    }
}

int CFFColorMatrix::swsColorspace() const
{
    switch (standardValue) {
    case Bt709:
        return SWS_CS_ITU709;
    case Bt2020:
        return SWS_CS_BT2020;
    default:
        return SWS_CS_ITU601;
    }
}

QMatrix3x3 CFFColorMatrix::matrix() const
{
    const Weights w = kWeights[standardValue];
    const float kg = 1.0f - w.kr - w.kb;
    const float ys = fullRange ? 1.0f : kLimitedLumaScale;
    const float cs = fullRange ? 1.0f : kLimitedChromaScale;
    const float values[9] = {
        ys, 0.0f, 2.0f * (1.0f - w.kr) * cs,
        ys, -2.0f * w.kb * (1.0f - w.kb) / kg * cs, -2.0f * w.kr * (1.0f - w.kr) / kg * cs,
        ys, 2.0f * (1.0f - w.kb) * cs, 0.0f,
    };
    return QMatrix3x3(values);
}

QVector3D CFFColorMatrix::offset() const
{
    return QVector3D(fullRange ? 0.0f : kLumaFoot, kChromaZero, kChromaZero);
}

} // namespace TrackoraActiveX
