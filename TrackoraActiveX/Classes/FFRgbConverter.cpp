#include "FFRgbConverter.h"

#include <libyuv.h>

extern "C" {
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include "FFColorMatrix.h"
#include "FFPlayer.h"

namespace TrackoraActiveX {

namespace {
// Fixed-point 1.0 of swscale's brightness, contrast and saturation.
constexpr int kSwsUnity = 1 << 16;
}

CFFRgbConverter::~CFFRgbConverter()
{
    sws_freeContext(scaler);
}

bool CFFRgbConverter::convert(const HFrame &frame, uint8_t *rgb)
{
    const int width = frame.width;
    const int height = frame.height;
    const AVPixelFormat format = AVPixelFormat(frame.format);
    if ((format != AV_PIX_FMT_YUV420P && format != AV_PIX_FMT_NV12) || !frame.data || !rgb)
        return false;
    uint8_t *planes[4] = {};
    int strides[4] = {};
    if (av_image_fill_linesizes(strides, format, width) < 0
        || av_image_fill_pointers(planes, format, height, frame.data, strides) < 0)
        return false;

    const CFFColorMatrix colors(frame.colorSpace, frame.colorRange);
    if (const libyuv::YuvConstants *constants = colors.yuvConstants()) {
        if (format == AV_PIX_FMT_NV12)
            return libyuv::NV12ToARGBMatrix(planes[0], strides[0], planes[1], strides[1], rgb, width * 4,
                                            constants, width, height) == 0;
        return libyuv::I420ToARGBMatrix(planes[0], strides[0], planes[1], strides[1], planes[2], strides[2], rgb,
                                        width * 4, constants, width, height) == 0;
    }

    scaler = sws_getCachedContext(scaler, width, height, format, width, height, AV_PIX_FMT_BGRA, SWS_BILINEAR,
                                  nullptr, nullptr, nullptr);
    if (!scaler)
        return false;
    sws_setColorspaceDetails(scaler, sws_getCoefficients(colors.swsColorspace()), colors.isFullRange() ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, kSwsUnity, kSwsUnity);
    uint8_t *const target[4] = {rgb, nullptr, nullptr, nullptr};
    const int targetStrides[4] = {width * 4, 0, 0, 0};
    return sws_scale(scaler, planes, strides, 0, height, target, targetStrides) == height;
}

} // namespace TrackoraActiveX
