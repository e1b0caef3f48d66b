#pragma once

#include <QDialog>

#include "screenscale.h"

namespace Ui {
class Copyright;
}

// The modal information dialog: application name, version and the licence
// text read from beside the program in the interface language.
class Copyright : public QDialog
{
    Q_OBJECT
public:
    explicit Copyright(QWidget *parent = nullptr);
    ~Copyright() override;

    // The licence file for a language value: Japanese for 0, English otherwise.
    static QString licenceFile(int language);

    // The font table row for a screen scale; false below 1.1.
    static bool fontStepForScale(qreal scale, DialogFontStep *step);

private slots:
    void on_pBtn_Close_clicked();

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void setTextPointSize(int pointSize);

    Ui::Copyright *ui;
    double scaleStep = 1.0;
    int textPointSize = 0;
};
