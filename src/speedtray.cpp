#include "speedtray.h"

#include <QPainter>

#include "configuration.h"
#include "dashboardsupport.h"
#include "gaugegeometry.h"

namespace {
constexpr int kMaxSpeed = 220;
constexpr int kSweepDegrees = 270;
constexpr double kKmPerMile = 1.609344;
} // namespace

SpeedTray::SpeedTray(QWidget *parent)
    : QWidget(parent)
    , dial(loadDial(QStringLiteral(":/image/speed.png"), "speed dial picture missing"))
{
}

void SpeedTray::setSpeed(int kmh)
{
    if (kmh < 0 || kmh > kMaxSpeed)
        return;
    int value = kmh;
    if (Configuration::instance()->speedUnit() != 0)
        value = int(kmh / kKmPerMile);
    shownSpeed = value;
    needleAngle = value * kSweepDegrees / kMaxSpeed - kSweepDegrees / 2;
    update();
}

void SpeedTray::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect square = drawDial(painter, width(), height(), dial);
    const int side = square.width();

    painter.setPen(QPen(QColor(245, 41, 56), 3, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setFont(QFont(QStringLiteral("Calibri"), side > 200 ? 14 : 10));
    const QString text = Configuration::instance()->speedUnit() == 0 ? QStringLiteral("%1 km/h").arg(shownSpeed)
                                                                     : QStringLiteral("%1 MPH").arg(shownSpeed);
    const int textWidth = width() / 3;
    const QRectF textRect((width() - textWidth) / 2, square.top() + 0.76 * side, textWidth, height() / 6);
    painter.drawText(textRect, Qt::AlignCenter, text);

    painter.translate(width() / 2, height() / 2);
    painter.rotate(needleAngle);
    const qreal length = 0.3 * side;
    const qreal half = 0.02 * side;
    const QPointF left[4] = {{0, 0}, {-half, 0}, {-0.5, -length}, {0, -length}};
    const QPointF right[4] = {{0, 0}, {half, 0}, {0.5, -length}, {0, -length}};
    const QColor leftColour(78, 18, 18);
    painter.setPen(leftColour);
    painter.setBrush(leftColour);
    painter.drawPolygon(left, 4, Qt::OddEvenFill);
    painter.setPen(QColor(Qt::darkRed));
    painter.setBrush(QColor(Qt::darkRed));
    painter.drawPolygon(right, 4, Qt::OddEvenFill);

    const qreal radius = 0.04 * side - 1;
    painter.drawEllipse(QPointF(0, 0), radius, radius);
}
