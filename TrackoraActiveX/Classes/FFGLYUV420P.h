#pragma once

#include "FFGLBase.h"

namespace TrackoraActiveX {

// Draws planar YUV 4:2:0 pictures (the software decoder's layout): three
// single-channel textures.
class TRACKORAACTIVEX_EXPORT CFFGLYUV420P : public CFFGLBase
{
    Q_OBJECT
public:
    explicit CFFGLYUV420P(QWidget *parent = nullptr);

    void render(uint8_t *y, uint8_t *u, uint8_t *v, int w, int h) override;
    using CFFGLBase::render;
};

} // namespace TrackoraActiveX
