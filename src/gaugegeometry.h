#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRect>

// The centred square a gauge draws its dial into: the largest that fits,
// centred along the longer side.
inline QRect gaugeSquare(int width, int height)
{
    if (width > height)
        return QRect((width - height) / 2, 0, height, height);
    return QRect(0, (height - width) / 2, width, width);
}

// Draws the dial into the gauge's square of a width x height widget and
// returns that square. Smooth scaling too: one picture serves every size.
inline QRect drawDial(QPainter &painter, int width, int height, const QPixmap &dial)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRect square = gaugeSquare(width, height);
    painter.drawPixmap(square, dial);
    return square;
}
