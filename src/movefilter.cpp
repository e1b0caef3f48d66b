#include "movefilter.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

MoveFilter::MoveFilter(QWidget *window, QObject *watched)
    : QObject(window)
    , window(window)
    , watched(watched)
{
    window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                           | Qt::WindowMinimizeButtonHint);
    watched->installEventFilter(this);
}

bool MoveFilter::eventFilter(QObject *object, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool isMouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove
        || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    if (object != watched || !isMouse)
        return QObject::eventFilter(object, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (!window->isMaximized() && !disabled) {
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            pressX = mouse->pos().x();
            pressY = mouse->pos().y();
            dragging = true;
        } else if (type == QEvent::MouseMove && dragging) {
            window->move(QCursor::pos() - QPoint(pressX, pressY));
        } else if (type == QEvent::MouseButtonRelease) {
            dragging = false;
        }
    }
    if (type == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton)
        emit doubleClicked();
    return QObject::eventFilter(object, event);
}
