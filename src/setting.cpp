#include "setting.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimerEvent>

#include "configuration.h"
#include "movefilter.h"
#include "ui_setting.h"

namespace {
// The form's own maximum height, for the dialog without its advanced part.
const int kPlainMaximumHeight = 360;
} // namespace

Setting::Setting(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Setting)
{
    ui->setupUi(this);
    new MoveFilter(this, this);

    Configuration *config = Configuration::instance();
    ui->lEdit_SavePath->setText(config->screenshotSavePath());
    // The boxes list every value in order, so an index is the value.
    ui->cBox_Language->setCurrentIndex(config->language());
    openedLanguage = ui->cBox_Language->currentIndex();
    ui->cBox_Maps->setCurrentIndex(config->maps());
    ui->cBox_SpeedUnit->setCurrentIndex(config->speedUnit());
    ui->cBox_RenderModel->setCurrentIndex(config->renderModel());

    ui->labelSpeddUnit->hide();
    ui->cBox_SpeedUnit->hide();
    ui->labelRenderModel->hide();
    ui->cBox_RenderModel->hide();

    const EventThresholds thresholds = config->eventThresholds();
    ui->sBox_BrakingKmh->setValue(thresholds.brakingKmh);
    ui->sBox_AccelerationKmh->setValue(thresholds.accelerationKmh);
    ui->dsBox_ImpactDeltaG->setValue(thresholds.impactDeltaG);
    ui->dsBox_ImpactG->setValue(thresholds.impactG);
    ui->wgt_Advanced->hide();

    startTimer(50, Qt::CoarseTimer);
}

Setting::~Setting()
{
    delete ui;
}

void Setting::on_pBtn_Choose_clicked()
{
    const QStringList pictures = QStandardPaths::standardLocations(QStandardPaths::PicturesLocation);
    const QString start = pictures.isEmpty() ? QDir::homePath() : pictures.first();
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Open Directory"), start, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty())
        ui->lEdit_SavePath->setText(folder);
}

namespace {
// A box left as it opened keeps what was stored (following the system's
// language, say); a box without a selection never stores -1.
int chosen(const QComboBox *box, int openedAt, int stored)
{
    const int index = box->currentIndex();
    return index < 0 || index == openedAt ? stored : index;
}
} // namespace

void Setting::on_pBtn_OK_clicked()
{
    Configuration *config = Configuration::instance();
    // The language goes first so the windows behind re-translate while this one is still open.
    config->setLanguage(chosen(ui->cBox_Language, openedLanguage, config->languageSetting()));
    config->setScreenshotSavePath(ui->lEdit_SavePath->text());
    config->setMaps(chosen(ui->cBox_Maps, -1, config->maps()));
    config->setSpeedUnit(chosen(ui->cBox_SpeedUnit, -1, config->speedUnit()));
    config->setRenderModel(chosen(ui->cBox_RenderModel, -1, config->renderModel()));
    EventThresholds thresholds;
    thresholds.brakingKmh = ui->sBox_BrakingKmh->value();
    thresholds.accelerationKmh = ui->sBox_AccelerationKmh->value();
    thresholds.impactDeltaG = ui->dsBox_ImpactDeltaG->value();
    thresholds.impactG = ui->dsBox_ImpactG->value();
    config->setEventThresholds(thresholds);
    emit config->updateState();
    accept();
}

void Setting::on_pBtn_Advanced_toggled(bool checked)
{
    // The dialog keeps its usual size until the advanced part is asked for.
    ui->wgt_Advanced->setVisible(checked);
    setMaximumHeight(checked ? QWIDGETSIZE_MAX : kPlainMaximumHeight);
    adjustSize();
}

void Setting::on_pBtn_Cancel_clicked()
{
    // The form's own connection rejects the dialog.
}

bool Setting::fontStepForScale(qreal scale, DialogFontStep *step)
{
    static const DialogFontStep kSteps[] = {{1.25, 10, 17}, {1.5, 9, 16}, {1.75, 8, 13}, {2.0, 7, 11}, {3.0, 6, 9}};
    return pickFontStep(scale, kSteps, step);
}

void Setting::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    DialogFontStep step;
    if (!fontStepForScale(screenScaleFor(this), &step) || qFuzzyCompare(step.step, scaleStep))
        return;
    scaleStep = step.step;
    applyFontStep(step);
}

void Setting::applyFontStep(const DialogFontStep &step)
{
    QFont font = QApplication::font();
    font.setPointSize(step.pointSize);
    for (QWidget *widget : {static_cast<QWidget *>(ui->labelTipSettings), static_cast<QWidget *>(ui->lbl_language),
                            static_cast<QWidget *>(ui->lbl_savePath), static_cast<QWidget *>(ui->lEdit_SavePath),
                            static_cast<QWidget *>(ui->label_2), static_cast<QWidget *>(ui->labelSpeddUnit),
                            static_cast<QWidget *>(ui->labelRenderModel), static_cast<QWidget *>(ui->lbl_BrakingKmh),
                            static_cast<QWidget *>(ui->lbl_AccelerationKmh), static_cast<QWidget *>(ui->lbl_ImpactDeltaG),
                            static_cast<QWidget *>(ui->lbl_ImpactG)})
        widget->setFont(font);
    QApplication::setFont(font, "QComboBox");
    QApplication::setFont(font, "QPushButton");
    QApplication::setFont(font, "QAbstractSpinBox");

    QFont title = ui->lbl_Title->font();
    title.setPointSize(step.titlePointSize);
    ui->lbl_Title->setFont(title);

    QCoreApplication::processEvents();
    move(pos());
}
