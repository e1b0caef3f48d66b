#include "FFGLBase.h"

#include <QImage>
#include <QSurfaceFormat>
#include <cstring>

namespace TrackoraActiveX {

CFFGLBase::CFFGLBase(QWidget *parent)
    : QOpenGLWidget(parent, Qt::WindowFlags())
    , blank(makeBlank())
{
    // The shaders use texture2D, gl_FragColor and GL_QUADS: a core profile
    // would refuse them.
    QSurfaceFormat fmt = format();
    fmt.setProfile(QSurfaceFormat::CompatibilityProfile);
    setFormat(fmt);
    setAutoFillBackground(false);
}

CFFGLBase::~CFFGLBase()
{
    delete[] blank;
}

void CFFGLBase::render(uint8_t *, int, int) {}
void CFFGLBase::render(uint8_t *, uint8_t *, uint8_t *, int, int) {}
void CFFGLBase::render(uint8_t *, uint8_t *, int, int) {}
void CFFGLBase::render(const QImage &) {}

void CFFGLBase::resizeGL(int w, int h)
{
    glViewport(0, 0, w, h == 0 ? 1 : h);
}

void CFFGLBase::setTextureParameters(QOpenGLFunctions *f)
{
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

uint8_t *CFFGLBase::makeBlank()
{
    auto *blank = new uint8_t[kBlankSize];
    std::memset(blank, 0, kBlankLumaSize);
    std::memset(blank + kBlankLumaSize, 128, kBlankChromaStep);
    std::memset(blank + kBlankLumaSize + kBlankChromaStep, 128, kBlankChromaStep);
    return blank;
}

} // namespace TrackoraActiveX
