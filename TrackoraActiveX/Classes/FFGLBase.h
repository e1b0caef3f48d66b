#pragma once

#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <cstdint>

#include "trackoraactivex_global.h"

class QImage;

namespace TrackoraActiveX {

// A child widget that draws YUV pictures with the graphics card. The render
// calls only keep the caller's plane pointers; paintGL uploads them, so the
// caller keeps the bytes valid until the next paint. GUI thread only.
class TRACKORAACTIVEX_EXPORT CFFGLBase : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit CFFGLBase(QWidget *parent = nullptr);
    ~CFFGLBase() override;

    virtual void renderBlank() = 0;

public slots:
    virtual void render(uint8_t *yuv, int w, int h);
    virtual void render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h);
    virtual void render(uint8_t *y, uint8_t *uv, int w, int h);
    virtual void render(const QImage &image);

protected:
    // Size and chroma layout of the black picture shown before the first frame.
    static constexpr int kBlankWidth = 40;
    static constexpr int kBlankHeight = 20;
    static constexpr int kBlankSize = kBlankWidth * kBlankHeight * 3 / 2;
    static constexpr int kBlankLumaSize = kBlankWidth * kBlankHeight;
    static constexpr int kBlankChromaStep = kBlankLumaSize / 4;

    void resizeGL(int w, int h) override;

    static void setTextureParameters(QOpenGLFunctions *f);

    // The blank picture's bytes, owned here for the renderer's lifetime.
    uint8_t *const blank;

private:
    static uint8_t *makeBlank();
};

} // namespace TrackoraActiveX
