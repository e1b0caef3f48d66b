#include "FFGLYUV420P.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace TrackoraActiveX {

namespace {
const char *const kSampleYUV420P =
    "uniform sampler2D tex_y;\n"
    "uniform sampler2D tex_u;\n"
    "uniform sampler2D tex_v;\n"
    "vec3 sampleYuv(vec2 lumaAt, vec2 chromaAt)\n"
    "{\n"
    "    return vec3(texture2D(tex_y, lumaAt).r, texture2D(tex_u, chromaAt).r,\n"
    "                texture2D(tex_v, chromaAt).r);\n"
    "}\n";

const CFFGLBase::PlaneTable kYUV420PPlanes = {
    AV_PIX_FMT_YUV420P, 3, {{GL_RED, "tex_y"}, {GL_RED, "tex_u"}, {GL_RED, "tex_v"}}, kSampleYUV420P};
} // namespace

CFFGLYUV420P::CFFGLYUV420P(QWidget *parent)
    : CFFGLBase(kYUV420PPlanes, parent)
{
    renderBlank();
}

void CFFGLYUV420P::render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h)
{
    int strides[4] = {};
    av_image_fill_linesizes(strides, AV_PIX_FMT_YUV420P, w);
    const uint8_t *const planes[3] = {y, u, v};
    renderPlanes(planes, strides, w, h);
}

} // namespace TrackoraActiveX
