#pragma once

#include <QOpenGLBuffer>
#include <QOpenGLShaderProgram>

#include "FFGLBase.h"

namespace TrackoraActiveX {

// Draws NV12 pictures (the hardware decoder's layout): luma and interleaved
// chroma as two textures, converted to RGB in the fragment shader.
class TRACKORAACTIVEX_EXPORT CFFGLNV12 : public CFFGLBase
{
    Q_OBJECT
public:
    explicit CFFGLNV12(QWidget *parent = nullptr);
    ~CFFGLNV12() override;

    void renderBlank() override;
    void render(uint8_t *yuv, int w, int h) override;
    void render(uint8_t *y, uint8_t *uv, int w, int h) override;
    using CFFGLBase::render;

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    QOpenGLShaderProgram program;
    GLuint idY = 0;
    GLuint idUV = 0;
    QOpenGLBuffer vbo{QOpenGLBuffer::VertexBuffer};

    int width = 0;
    int height = 0;
    uint8_t *ptrY = nullptr;
    uint8_t *ptrUV = nullptr;
};

} // namespace TrackoraActiveX
