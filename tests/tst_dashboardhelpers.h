#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSlider>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtMath>

// Shared by the dashboard tests: a private settings folder, real mouse
// events sent to a slider, and pixel probes on grabbed widgets.
namespace DashboardTest {

inline void useTestSettings(const char *application)
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("TrackoraTest"));
    QCoreApplication::setApplicationName(QString::fromLatin1(application));
}

inline void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void press(QWidget *target, const QPoint &pos)
{
    sendMouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

inline void move(QWidget *target, const QPoint &pos)
{
    sendMouse(target, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}

inline void release(QWidget *target, const QPoint &pos)
{
    sendMouse(target, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

inline QRect handleRect(QSlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider->orientation();
    option.maximum = slider->maximum();
    option.minimum = slider->minimum();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.upsideDown = false;
    option.direction = slider->layoutDirection();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.state |= QStyle::State_Horizontal;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

// The point at radius r from c in the direction of a needle turned by
// degrees clockwise from straight up.
inline QPoint alongNeedle(const QPointF &c, double r, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return QPointF(c.x() + r * std::sin(a), c.y() - r * std::cos(a)).toPoint();
}

inline bool isNeedleRed(QRgb p)
{
    return qRed(p) >= 60 && qGreen(p) < 45 && qBlue(p) < 45 && qRed(p) > 2 * qGreen(p);
}

inline bool isLight(QRgb p)
{
    return qRed(p) >= 170 && qGreen(p) >= 170 && qBlue(p) >= 170;
}

} // namespace DashboardTest
