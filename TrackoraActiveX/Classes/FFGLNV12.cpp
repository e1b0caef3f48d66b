#include "FFGLNV12.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace TrackoraActiveX {

namespace {
const char *const kSampleNV12 =
    "uniform sampler2D textureY;\n"
    "uniform sampler2D textureUV;\n"
    "vec3 sampleYuv(vec2 lumaAt, vec2 chromaAt)\n"
    "{\n"
    "    vec2 uv = texture2D(textureUV, chromaAt).rg;\n"
    "    return vec3(texture2D(textureY, lumaAt).r, uv);\n"
    "}\n";

const CFFGLBase::PlaneTable kNV12Planes = {
    AV_PIX_FMT_NV12, 2, {{GL_RED, "textureY"}, {GL_RG, "textureUV"}, {0, nullptr}}, kSampleNV12};
} // namespace

CFFGLNV12::CFFGLNV12(QWidget *parent)
    : CFFGLBase(kNV12Planes, parent)
{
    renderBlank();
}

void CFFGLNV12::render(uint8_t *y, uint8_t *uv, int w, int h)
{
    int strides[4] = {};
    av_image_fill_linesizes(strides, AV_PIX_FMT_NV12, w);
    const uint8_t *const planes[3] = {y, uv, nullptr};
    renderPlanes(planes, strides, w, h);
}

} // namespace TrackoraActiveX
