#pragma once

#include <QtGlobal>

class QWidget;

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
