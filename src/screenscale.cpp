#include "screenscale.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QScreen *screenShowingMostOf(const QWidget *window)
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
    return most;
}

qreal screenScaleFor(const QWidget *window)
{
    QScreen *most = screenShowingMostOf(window);
    if (!most)
        return 0;
    QScreen *centre = QGuiApplication::screenAt(most->availableGeometry().center());
    return centre ? centre->logicalDotsPerInch() / 96.0 : 0;
}

bool pickFontStep(qreal scale, const DialogFontStep (&steps)[5], DialogFontStep *step)
{
    static const qreal kBandEnds[] = {1.4, 1.6, 1.8, 2.5};
    if (scale < 1.1)
        return false;
    int band = 0;
    while (band < 4 && !(scale < kBandEnds[band]))
        ++band;
    *step = steps[band];
    return true;
}
