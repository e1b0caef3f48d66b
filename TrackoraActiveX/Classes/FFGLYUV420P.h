#pragma once

#include "FFGLBase.h"

class QOpenGLShader;
class QOpenGLShaderProgram;
class QOpenGLTexture;

namespace TrackoraActiveX {

// Draws planar YUV 4:2:0 pictures (the software decoder's layout): three
// single-channel textures, converted to RGB in the fragment shader.
class TRACKORAACTIVEX_EXPORT CFFGLYUV420P : public CFFGLBase
{
    Q_OBJECT
public:
    explicit CFFGLYUV420P(QWidget *parent = nullptr);
    ~CFFGLYUV420P() override;

    void renderBlank() override;
    void render(uint8_t *yuv, int w, int h) override;
    void render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h) override;
    using CFFGLBase::render;

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    int textureUniformY = -1;
    int textureUniformU = -1;
    int textureUniformV = -1;
    QOpenGLTexture *textureY = nullptr;
    QOpenGLTexture *textureU = nullptr;
    QOpenGLTexture *textureV = nullptr;
    QOpenGLShader *vertexShader = nullptr;
    QOpenGLShader *fragmentShader = nullptr;
    QOpenGLShaderProgram *program = nullptr;
    GLuint idY = 0;
    GLuint idU = 0;
    GLuint idV = 0;

    int width = 0;
    int height = 0;
    uint8_t *ptrY = nullptr;
    uint8_t *ptrU = nullptr;
    uint8_t *ptrV = nullptr;
};

} // namespace TrackoraActiveX
