#include "copyright.h"

#include <QApplication>
#include <QFile>
#include <QTextCursor>
#include <QTextOption>

#include "configuration.h"
#include "trackoraversion.h"
#include "ui_copyright.h"

namespace {
// The text box's size while the screen is not scaled.
constexpr int kUnscaledTextPointSize = 11;
} // namespace

Copyright::Copyright(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Copyright)
{
    ui->setupUi(this);
    ui->label_appName->setText(QCoreApplication::applicationName());
    ui->label_ver->setText(tr("Version:") + QLatin1Char(' ') + QStringLiteral(TRACKORA_VERSION));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint);

    const QString path = licenceFile(Configuration::instance()->language());
    setFixedSize(700, 440);

    QFile file(path);
    if (file.exists() && file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ui->textEdit_copyright->setPlainText(QString::fromUtf8(file.readAll()));
        ui->textEdit_copyright->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        file.close();
    }

    startTimer(50, Qt::CoarseTimer);
}

Copyright::~Copyright()
{
    delete ui;
}

QString Copyright::licenceFile(int language)
{
    return QCoreApplication::applicationDirPath()
        + (language == Configuration::Japanese ? QStringLiteral("/License_jp.txt")
                                               : QStringLiteral("/License_en.txt"));
}

void Copyright::on_pBtn_Close_clicked()
{
    close();
}

bool Copyright::fontStepForScale(qreal scale, DialogFontStep *step)
{
    static const DialogFontStep kSteps[] = {{1.25, 11, 18}, {1.5, 9, 16}, {1.75, 8, 13}, {2.0, 7, 11}, {3.0, 6, 9}};
    return pickFontStep(scale, kSteps, step);
}

void Copyright::timerEvent(QTimerEvent *event)
{
    Q_UNUSED(event);
    DialogFontStep step;
    if (!fontStepForScale(screenScaleFor(this), &step)) {
        setTextPointSize(kUnscaledTextPointSize);
        return;
    }
    if (qFuzzyCompare(step.step, scaleStep))
        return;
    scaleStep = step.step;

    QFont font = QApplication::font();
    font.setPointSize(step.pointSize);
    ui->label_appName->setFont(font);
    ui->label_ver->setFont(font);
    setTextPointSize(step.pointSize);
    QFont title = ui->lbl_Title->font();
    title.setPointSize(step.titlePointSize);
    ui->lbl_Title->setFont(title);

    QCoreApplication::processEvents();
    move(pos());
}

// The whole licence text follows, not only text typed later; done once per
// change because it touches every block.
void Copyright::setTextPointSize(int pointSize)
{
    if (pointSize == textPointSize)
        return;
    textPointSize = pointSize;
    QTextEdit *edit = ui->textEdit_copyright;
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    QTextCursor all(edit->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    edit->setFontPointSize(pointSize);
}
