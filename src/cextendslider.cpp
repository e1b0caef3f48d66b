#include "cextendslider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

CExtendSlider::CExtendSlider(QWidget *parent)
    : QSlider(parent)
{
}

CExtendSlider::CExtendSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent)
{
}

void CExtendSlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    if (width() <= 0)
        return;
    const float fraction = float(event->pos().x()) / float(width());
    const int v = int(float(minimum()) + float(maximum() - minimum()) * fraction);

    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    if (!handle.contains(event->pos()))
        setValue(v);
}
