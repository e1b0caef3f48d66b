#pragma once

#include <QRect>

// The centred square a gauge draws its dial into: the largest that fits,
// centred along the longer side.
inline QRect gaugeSquare(int width, int height)
{
    if (width > height)
        return QRect((width - height) / 2, 0, height, height);
    return QRect(0, (height - width) / 2, width, width);
}
