#include "directiontray.h"

#include <QPainter>

#include "dashboardsupport.h"
#include "gaugegeometry.h"

DirectionTray::DirectionTray(QWidget *parent)
    : QWidget(parent)
    , dial(loadDial(QStringLiteral(":/image/direction.png"), "compass picture missing"))
{
}

void DirectionTray::setHeading(int degrees)
{
    needleAngle = degrees;
    update();
}

namespace {
void fillHalf(QPainter &painter, const QColor &colour, const QPointF (&points)[4])
{
    painter.setPen(colour);
    painter.setBrush(colour);
    painter.drawPolygon(points, 4, Qt::OddEvenFill);
}
} // namespace

void DirectionTray::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int side = drawDial(painter, width(), height(), dial).width();

    painter.translate(width() / 2, height() / 2);
    painter.rotate(needleAngle);
    const qreal length = 0.24 * side;
    const qreal half = 0.03 * side;
    fillHalf(painter, QColor(Qt::darkRed), {{0, 0}, {-half, 0}, {0, -length}, {0, -length}});
    fillHalf(painter, QColor(78, 18, 18), {{0, 0}, {half, 0}, {0, -length}, {0, -length}});
    fillHalf(painter, QColor(240, 240, 240), {{0, 0}, {-half, 0}, {0, length}, {0, length}});
    fillHalf(painter, QColor(190, 190, 190), {{0, 0}, {half, 0}, {0, length}, {0, length}});

    const QColor hub(120, 120, 120);
    painter.setPen(hub);
    painter.setBrush(hub);
    painter.drawEllipse(QPointF(0, 0), 4, 4);
}
