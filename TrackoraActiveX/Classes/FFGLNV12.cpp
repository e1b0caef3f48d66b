#include "FFGLNV12.h"

namespace TrackoraActiveX {

namespace {
const char *const kVertexShader =
    "attribute vec4 vertexIn;\n"
    "attribute vec4 textureIn;\n"
    "varying vec4 textureOut;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vertexIn;\n"
    "    textureOut = textureIn;\n"
    "}\n";

const char *const kFragmentShader =
    "varying mediump vec4 textureOut;\n"
    "uniform sampler2D textureY;\n"
    "uniform sampler2D textureUV;\n"
    "void main(void)\n"
    "{\n"
    "    vec3 yuv;\n"
    "    vec3 rgb;\n"
    "    yuv.x = texture2D(textureY, textureOut.st).r - 0.0625;\n"
    "    yuv.y = texture2D(textureUV, textureOut.st).r - 0.5;\n"
    "    yuv.z = texture2D(textureUV, textureOut.st).g - 0.5;\n"
    "    rgb = mat3(1.0, 1.0, 1.0,\n"
    "               0.0, -0.39465, 2.03211,\n"
    "               1.13983, -0.58060, 0.0) * yuv;\n"
    "    gl_FragColor = vec4(rgb, 1.0);\n"
    "}\n";

// Positions of the four corners, then their texture coordinates (row 0 at the top).
const GLfloat kVertices[] = {
    -1.0f, 1.0f, 1.0f, 1.0f, 1.0f, -1.0f, -1.0f, -1.0f,
    0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f,
};
} // namespace

CFFGLNV12::CFFGLNV12(QWidget *parent)
    : CFFGLBase(parent)
{
    renderBlank();
}

CFFGLNV12::~CFFGLNV12()
{
    makeCurrent();
    vbo.destroy();
    if (idY || idUV) {
        const GLuint ids[2] = {idY, idUV};
        glDeleteTextures(2, ids);
    }
    doneCurrent();
}

void CFFGLNV12::renderBlank()
{
    render(blank, blank + kBlankLumaSize, kBlankWidth, kBlankHeight);
}

void CFFGLNV12::render(uint8_t *yuv, int w, int h)
{
    render(yuv, yuv + w * h, w, h);
}

void CFFGLNV12::render(uint8_t *y, uint8_t *uv, int w, int h)
{
    width = w;
    height = h;
    ptrY = y;
    ptrUV = uv;
    update();
}

void CFFGLNV12::initializeGL()
{
    initializeOpenGLFunctions();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);

    program.addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader);
    program.addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader);
    program.link();

    vbo.create();
    vbo.bind();
    vbo.allocate(kVertices, sizeof(kVertices));

    GLuint ids[2] = {0, 0};
    glGenTextures(2, ids);
    idY = ids[0];
    idUV = ids[1];

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void CFFGLNV12::paintGL()
{
    if (!ptrY || !ptrUV || width <= 0 || height <= 0)
        return;

    program.bind();
    vbo.bind();
    program.enableAttributeArray("vertexIn");
    program.enableAttributeArray("textureIn");
    program.setAttributeBuffer("vertexIn", GL_FLOAT, 0, 2, 2 * sizeof(GLfloat));
    program.setAttributeBuffer("textureIn", GL_FLOAT, 8 * sizeof(GLfloat), 2, 2 * sizeof(GLfloat));

    // Planes are packed without row padding; odd widths would shear otherwise.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, idY);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, width, height, 0, GL_RED, GL_UNSIGNED_BYTE, ptrY);
    setTextureParameters(this);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, idUV);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG, width >> 1, height >> 1, 0, GL_RG, GL_UNSIGNED_BYTE, ptrUV);
    setTextureParameters(this);

    program.setUniformValue("textureUV", 0);
    program.setUniformValue("textureY", 1);

    glDrawArrays(GL_QUADS, 0, 4);

    program.disableAttributeArray("vertexIn");
    program.disableAttributeArray("textureIn");
    program.release();
}

} // namespace TrackoraActiveX
