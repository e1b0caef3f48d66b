#pragma once

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QRectF>
#include <QSize>
#include <cstdint>
#include <vector>

#include "FFColorMatrix.h"
#include "trackoraactivex_global.h"

class QImage;

namespace TrackoraActiveX {

// A child widget that draws YUV pictures with the graphics card. A render
// call uploads the planes at once (or, before the widget has a context,
// keeps a copy), so the caller's bytes are read only during the call: hold
// the picture's lock around it. The pixel layout comes from a per-format
// plane table given by the subclass. GUI thread only.
class TRACKORAACTIVEX_EXPORT CFFGLBase : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    // One texture per plane: its GL format (GL_RED or GL_RG) and sampler name.
    struct PlaneTexture
    {
        GLenum glFormat;
        const char *sampler;
    };
    // The format's planes and the GLSL expression that reads one picture
    // element as vec3(y, u, v) at lumaAt (plane 0) and chromaAt (the others).
    struct PlaneTable
    {
        int pixelFormat;
        int planeCount;
        PlaneTexture planes[3];
        const char *sampleYuv;
    };

    ~CFFGLBase() override;

    virtual void renderBlank();
    // The matrix and range of the pictures that follow.
    void setColorMatrix(const CFFColorMatrix &colors);
    // The part of the picture shown, in fractions of its width and height;
    // the textures keep the whole picture at its own resolution.
    void setView(const QRectF &window);

public slots:
    virtual void render(uint8_t *yuv, int w, int h);
    virtual void render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h);
    virtual void render(uint8_t *y, uint8_t *uv, int w, int h);
    virtual void render(const QImage &image);

protected:
    CFFGLBase(const PlaneTable &table, QWidget *parent);

    // Uploads planes whose rows are `strides` bytes apart.
    void renderPlanes(const uint8_t *const planes[], const int strides[], int w, int h);

    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    void upload(const uint8_t *const planes[], const int strides[]);
    void keepCopy(const uint8_t *const planes[], const int strides[]);

    const PlaneTable &table;
    QOpenGLShaderProgram program;
    QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
    GLuint textures[3] = {0, 0, 0};
    QSize textureSizes[3];
    CFFColorMatrix colors{0, 0};
    QRectF view{0, 0, 1, 1};
    int width = 0;
    int height = 0;
    bool uploaded = false;
    // The last picture while there is no context to upload it to.
    std::vector<uint8_t> pending;
};

} // namespace TrackoraActiveX
