#pragma once

#include <QDialog>

#include "screenscale.h"

namespace Ui {
class Setting;
}

// The modal settings dialog: language, screenshot folder, map provider and
// the hidden speed unit and render model. Nothing is stored until Save.
class Setting : public QDialog
{
    Q_OBJECT
public:
    explicit Setting(QWidget *parent = nullptr);
    ~Setting() override;

    // The font table row for a screen scale; false below 1.1 (designer fonts).
    static bool fontStepForScale(qreal scale, DialogFontStep *step);

private slots:
    void on_pBtn_Choose_clicked();
    void on_pBtn_OK_clicked();
    void on_pBtn_Cancel_clicked();
    void on_pBtn_Advanced_toggled(bool checked);

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    void applyFontStep(const DialogFontStep &step);

    Ui::Setting *ui;
    double scaleStep = 1.0;
    int openedLanguage = -1;
};
