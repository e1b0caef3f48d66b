#pragma once

#include "FFGLBase.h"

namespace TrackoraActiveX {

// Draws NV12 pictures (the hardware decoder's layout): luma and interleaved
// chroma as two textures.
class TRACKORAACTIVEX_EXPORT CFFGLNV12 : public CFFGLBase
{
    Q_OBJECT
public:
    explicit CFFGLNV12(QWidget *parent = nullptr);

    void render(uint8_t *y, uint8_t *uv, int w, int h) override;
    using CFFGLBase::render;
};

} // namespace TrackoraActiveX
