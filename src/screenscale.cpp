#include "screenscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

qreal screenScaleFor(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    QScreen *most = nullptr;
    qint64 mostArea = -1;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect shared = screen->geometry().intersected(frame);
        const qint64 area = shared.isEmpty() ? 0 : qint64(shared.width()) * shared.height();
        if (area > mostArea) {
            mostArea = area;
            most = screen;
        }
    }
    if (!most)
        return 0;
    QScreen *centre = QGuiApplication::screenAt(most->availableGeometry().center());
    return centre ? centre->logicalDotsPerInch() / 96.0 : 0;
}
