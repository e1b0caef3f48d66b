#include "FFGLYUV420P.h"

#include <QOpenGLShader>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

namespace TrackoraActiveX {

namespace {
// Fixed attribute slots, bound before linking.
constexpr GLuint kVertexAttribute = 3;
constexpr GLuint kTextureAttribute = 4;

const char *const kVertexShader =
    "attribute vec4 vertexIn;\n"
    "attribute vec2 textureIn;\n"
    "varying vec2 textureOut;\n"
    "void main(void)\n"
    "{\n"
    "    gl_Position = vertexIn;\n"
    "    textureOut = textureIn;\n"
    "}\n";

const char *const kFragmentShader =
    "varying vec2 textureOut;\n"
    "uniform sampler2D tex_y;\n"
    "uniform sampler2D tex_u;\n"
    "uniform sampler2D tex_v;\n"
    "void main(void)\n"
    "{\n"
    "    vec3 yuv;\n"
    "    vec3 rgb;\n"
    "    yuv.x = texture2D(tex_y, textureOut).r;\n"
    "    yuv.y = texture2D(tex_u, textureOut).r - 0.5;\n"
    "    yuv.z = texture2D(tex_v, textureOut).r - 0.5;\n"
    "    rgb = mat3(1.0, 1.0, 1.0,\n"
    "               0.0, -0.39465, 2.03211,\n"
    "               1.13983, -0.58060, 0.0) * yuv;\n"
    "    gl_FragColor = vec4(rgb, 1.0);\n"
    "}\n";

// A triangle strip over the whole viewport; texture row 0 at the top.
const GLfloat kVertices[] = {
    -1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f,
};
const GLfloat kTextureCoords[] = {
    0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f,
};
} // namespace

CFFGLYUV420P::CFFGLYUV420P(QWidget *parent)
    : CFFGLBase(parent)
{
    renderBlank();
}

CFFGLYUV420P::~CFFGLYUV420P()
{
    makeCurrent();
    delete textureY;
    delete textureU;
    delete textureV;
    delete vertexShader;
    delete fragmentShader;
    delete program;
    doneCurrent();
}

void CFFGLYUV420P::renderBlank()
{
    render(blank, blank + kBlankLumaSize, blank + kBlankLumaSize + kBlankChromaStep,
           kBlankWidth, kBlankHeight);
}

void CFFGLYUV420P::render(uint8_t *yuv, int w, int h)
{
    render(yuv, yuv + w * h, yuv + w * h * 5 / 4, w, h);
}

void CFFGLYUV420P::render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h)
{
    width = w;
    height = h;
    ptrY = y;
    ptrU = u;
    ptrV = v;
    update();
}

void CFFGLYUV420P::initializeGL()
{
    initializeOpenGLFunctions();
    glEnable(GL_DEPTH_TEST);

    vertexShader = new QOpenGLShader(QOpenGLShader::Vertex, this);
    vertexShader->compileSourceCode(kVertexShader);
    fragmentShader = new QOpenGLShader(QOpenGLShader::Fragment, this);
    fragmentShader->compileSourceCode(kFragmentShader);

    program = new QOpenGLShaderProgram();
    program->addShader(fragmentShader);
    program->addShader(vertexShader);
    program->bindAttributeLocation("vertexIn", kVertexAttribute);
    program->bindAttributeLocation("textureIn", kTextureAttribute);
    program->link();
    program->bind();

    textureUniformY = program->uniformLocation("tex_y");
    textureUniformU = program->uniformLocation("tex_u");
    textureUniformV = program->uniformLocation("tex_v");

    glVertexAttribPointer(kVertexAttribute, 2, GL_FLOAT, GL_FALSE, 0, kVertices);
    glEnableVertexAttribArray(kVertexAttribute);
    glVertexAttribPointer(kTextureAttribute, 2, GL_FLOAT, GL_FALSE, 0, kTextureCoords);
    glEnableVertexAttribArray(kTextureAttribute);

    textureY = new QOpenGLTexture(QOpenGLTexture::Target2D);
    textureU = new QOpenGLTexture(QOpenGLTexture::Target2D);
    textureV = new QOpenGLTexture(QOpenGLTexture::Target2D);
    textureY->create();
    textureU->create();
    textureV->create();
    idY = textureY->textureId();
    idU = textureU->textureId();
    idV = textureV->textureId();

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

void CFFGLYUV420P::paintGL()
{
    if (!ptrY || !ptrU || !ptrV || width <= 0 || height <= 0)
        return;

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, idY);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, width, height, 0, GL_RED, GL_UNSIGNED_BYTE, ptrY);
    setTextureParameters(this);

    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, idU);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, width / 2, height / 2, 0, GL_RED, GL_UNSIGNED_BYTE, ptrU);
    setTextureParameters(this);

    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, idV);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, width / 2, height / 2, 0, GL_RED, GL_UNSIGNED_BYTE, ptrV);
    setTextureParameters(this);

    glUniform1i(textureUniformY, 0);
    glUniform1i(textureUniformU, 1);
    glUniform1i(textureUniformV, 2);

    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

} // namespace TrackoraActiveX
