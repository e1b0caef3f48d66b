#include "FFGLBase.h"

#include <QImage>
#include <QSurfaceFormat>
#include <algorithm>

extern "C" {
#include <libavutil/common.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

namespace TrackoraActiveX {

namespace {
// Size of the black picture shown before the first frame.
constexpr int kBlankWidth = 40;
constexpr int kBlankHeight = 20;

const char *const kVertexShader =
    "attribute vec2 vertexIn;\n"
    "attribute vec2 textureIn;\n"
    "varying vec2 textureOut;\n"
    "uniform vec4 viewRect;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vec4(vertexIn, 0.0, 1.0);\n"
    "    textureOut = viewRect.xy + textureIn * viewRect.zw;\n"
    "}\n";

// The format's sampling code goes between these two parts.
const char *const kFragmentHead =
    "varying vec2 textureOut;\n"
    "uniform vec2 chromaScale;\n"
    "uniform mat3 colorMatrix;\n"
    "uniform vec3 colorOffset;\n";
const char *const kFragmentMain =
    "void main(void)\n"
    "{\n"
    "    vec2 lumaAt = textureOut;\n"
    "    vec2 chromaAt = textureOut * chromaScale;\n"
    "    vec3 rgb = colorMatrix * (sampleYuv(lumaAt, chromaAt) - colorOffset);\n"
    "    gl_FragColor = vec4(clamp(rgb, 0.0, 1.0), 1.0);\n"
    "}\n";

// A strip over the whole viewport: positions, then texture coordinates
// (row 0 of the picture at the top).
const GLfloat kVertices[] = {
    -1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f,
    0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f,
};
constexpr int kTextureCoordOffset = 8 * sizeof(GLfloat);

int componentsOf(GLenum glFormat)
{
    return glFormat == GL_RG ? 2 : 1;
}

int planeHeight(const AVPixFmtDescriptor *desc, int plane, int h)
{
    return plane == 0 ? h : AV_CEIL_RSHIFT(h, desc->log2_chroma_h);
}
} // namespace

CFFGLBase::CFFGLBase(const PlaneTable &planeTable, QWidget *parent)
    : QOpenGLWidget(parent, Qt::WindowFlags())
    , table(planeTable)
{
    // The shaders use texture2D and gl_FragColor: a core profile would refuse them.
    QSurfaceFormat fmt = format();
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    setFormat(fmt);
    setAutoFillBackground(false);
}

CFFGLBase::~CFFGLBase()
{
    if (!isValid())
        return;
    makeCurrent();
    vertices.destroy();
    glDeleteTextures(table.planeCount, textures);
    doneCurrent();
}

void CFFGLBase::renderBlank()
{
    const AVPixelFormat format = AVPixelFormat(table.pixelFormat);
    std::vector<uint8_t> blank(size_t(av_image_get_buffer_size(format, kBlankWidth, kBlankHeight, 1)), 128);
    uint8_t *planes[4] = {};
    int strides[4] = {};
    av_image_fill_linesizes(strides, format, kBlankWidth);
    av_image_fill_pointers(planes, format, kBlankHeight, blank.data(), strides);
    std::fill(planes[0], planes[0] + size_t(strides[0]) * kBlankHeight, 0);
    colors = CFFColorMatrix(AVCOL_SPC_UNSPECIFIED, AVCOL_RANGE_UNSPECIFIED);
    render(blank.data(), kBlankWidth, kBlankHeight);
}

void CFFGLBase::setColorMatrix(const CFFColorMatrix &matrix)
{
    colors = matrix;
}

void CFFGLBase::setView(const QRectF &window)
{
    if (window == view)
        return;
    view = window;
    update();
}

void CFFGLBase::render(uint8_t *yuv, int w, int h)
{
    const AVPixelFormat format = AVPixelFormat(table.pixelFormat);
    uint8_t *planes[4] = {};
    int strides[4] = {};
    if (!yuv || av_image_fill_linesizes(strides, format, w) < 0
        || av_image_fill_pointers(planes, format, h, yuv, strides) < 0)
        return;
    renderPlanes(planes, strides, w, h);
}

void CFFGLBase::render(uint8_t *, uint8_t *, uint8_t *, int, int) {}
void CFFGLBase::render(uint8_t *, uint8_t *, int, int) {}
void CFFGLBase::render(const QImage &) {}

void CFFGLBase::renderPlanes(const uint8_t *const planes[], const int strides[], int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    for (int i = 0; i < table.planeCount; ++i)
        if (!planes[i])
            return;
    width = w;
    height = h;
    if (isValid()) {
        makeCurrent();
        upload(planes, strides);
        doneCurrent();
    } else {
        keepCopy(planes, strides);
    }
    update();
}

void CFFGLBase::keepCopy(const uint8_t *const planes[], const int strides[])
{
    const AVPixelFormat format = AVPixelFormat(table.pixelFormat);
    pending.resize(size_t(av_image_get_buffer_size(format, width, height, 1)));
    uint8_t *copy[4] = {};
    int copyStrides[4] = {};
    av_image_fill_linesizes(copyStrides, format, width);
    av_image_fill_pointers(copy, format, height, pending.data(), copyStrides);
    av_image_copy(copy, copyStrides, const_cast<const uint8_t **>(planes), strides, format, width, height);
}

void CFFGLBase::upload(const uint8_t *const planes[], const int strides[])
{
    const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(AVPixelFormat(table.pixelFormat));
    int byteWidths[4] = {};
    av_image_fill_linesizes(byteWidths, AVPixelFormat(table.pixelFormat), width);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < table.planeCount; ++i) {
        const int components = componentsOf(table.planes[i].glFormat);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, strides[i] / components);
        const QSize size(byteWidths[i] / components, planeHeight(desc, i, height));
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        // Same size as the last picture: refill the texture rather than make it anew.
        if (size == textureSizes[i]) {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.width(), size.height(), table.planes[i].glFormat,
                            GL_UNSIGNED_BYTE, planes[i]);
            continue;
        }
        glTexImage2D(GL_TEXTURE_2D, 0, table.planes[i].glFormat, size.width(), size.height(), 0,
                     table.planes[i].glFormat, GL_UNSIGNED_BYTE, planes[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        textureSizes[i] = size;
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    uploaded = true;
}

void CFFGLBase::initializeGL()
{
    initializeOpenGLFunctions();
    glDisable(GL_DEPTH_TEST);

    program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                    QByteArray(kFragmentHead) + table.sampleYuv + kFragmentMain);
    program.link();

    vertices.create();
    vertices.bind();
    vertices.allocate(kVertices, sizeof(kVertices));
    vertices.release();

    glGenTextures(table.planeCount, textures);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

    if (!pending.empty()) {
        uint8_t *planes[4] = {};
        int strides[4] = {};
        const AVPixelFormat format = AVPixelFormat(table.pixelFormat);
        av_image_fill_linesizes(strides, format, width);
        av_image_fill_pointers(planes, format, height, pending.data(), strides);
        upload(planes, strides);
        pending = std::vector<uint8_t>();
    }
}

void CFFGLBase::resizeGL(int w, int h)
{
    glViewport(0, 0, w, h == 0 ? 1 : h);
}

void CFFGLBase::paintGL()
{
    glClear(GL_COLOR_BUFFER_BIT);
    if (!uploaded)
        return;

    program.bind();
    vertices.bind();
    program.enableAttributeArray("vertexIn");
    program.enableAttributeArray("textureIn");
    program.setAttributeBuffer("vertexIn", GL_FLOAT, 0, 2);
    program.setAttributeBuffer("textureIn", GL_FLOAT, kTextureCoordOffset, 2);

    for (int i = 0; i < table.planeCount; ++i) {
        glActiveTexture(GL_TEXTURE0 + GLenum(i));
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        program.setUniformValue(table.planes[i].sampler, i);
    }
    glActiveTexture(GL_TEXTURE0);
    // An odd width or height leaves the last chroma column or row half used.
    const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(AVPixelFormat(table.pixelFormat));
    const int chromaW = AV_CEIL_RSHIFT(width, desc->log2_chroma_w) << desc->log2_chroma_w;
    const int chromaH = AV_CEIL_RSHIFT(height, desc->log2_chroma_h) << desc->log2_chroma_h;
    program.setUniformValue("chromaScale", float(width) / float(chromaW), float(height) / float(chromaH));
    program.setUniformValue("colorMatrix", colors.matrix());
    program.setUniformValue("colorOffset", colors.offset());
    program.setUniformValue("viewRect", float(view.x()), float(view.y()), float(view.width()), float(view.height()));

    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);

    program.disableAttributeArray("vertexIn");
    program.disableAttributeArray("textureIn");
    vertices.release();
    program.release();
}

} // namespace TrackoraActiveX
