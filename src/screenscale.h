#pragma once

#include <QtGlobal>

class QScreen;
class QWidget;

// The screen that shows the largest part of the window's frame; null only
// when there is no screen at all.
QScreen *screenShowingMostOf(const QWidget *window);

// Scale (logical dots per inch / 96) of the screen under the centre of the
// work area of the screen that shows most of the window; 0 when there is none.
qreal screenScaleFor(const QWidget *window);

// One row of a window's font table: the scale step it stands for, the point
// size of its texts and of its title.
struct DialogFontStep
{
    double step = 1.0;
    int pointSize = 0;
    int titlePointSize = 0;
};

// The step of a dialog's font table (one row per scale band: from 1.1, 1.4,
// 1.6, 1.8 and 2.5 on) that scale falls in; false below 1.1, where the form's
// own sizes apply.
bool pickFontStep(qreal scale, const DialogFontStep (&steps)[5], DialogFontStep *step);
