#include "exportdialog.h"

#include "configuration.h"
#include "exportjob.h"
#include "exportlog.h"
#include "packetcopier.h"
#include "ui_exportdialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

namespace {
enum Kind { KindOriginal, KindSideBySide, KindPictureInPicture, KindAll };

// A cancelled export stops within a packet; this only guards a stuck disk.
const int kStopWaitMs = 10000;

QString clock(double seconds)
{
    const qint64 s = qint64(seconds);
    return QString::asprintf("%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
}
} // namespace

ExportDialog::ExportDialog(const QString &front, const QString &rear, qint64 inMs, qint64 outMs, QWidget *parent)
    : ExportDialog(QList<ExportPiece>{ExportPiece{front, rear, inMs / 1000.0, outMs / 1000.0}}, parent)
{
}

ExportDialog::ExportDialog(const QList<ExportPiece> &pieces, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ExportDialog)
    , m_pieces(pieces)
{
    ui->setupUi(this);
    ui->cBox_ExportKind->addItem(tr("Original quality, front and rear"), KindOriginal);
    ui->cBox_ExportKind->addItem(tr("Side by side with the trip data"), KindSideBySide);
    ui->cBox_ExportKind->addItem(tr("Rear in a corner of the front, with the trip data"), KindPictureInPicture);
    ui->cBox_ExportKind->addItem(tr("All of these"), KindAll);
    ui->lEdit_ExportPath->setText(QDir::toNativeSeparators(Configuration::instance()->exportSavePath()));

    bool someRear = false;
    for (const ExportPiece &p : m_pieces)
        someRear = someRear || !p.rear.isEmpty();
    if (someRear && !withRear())
        qCInfo(lcExport) << "not every recording of the range has its rear: the export leaves the rear out";
    if (m_pieces.isEmpty()) {
        // Nothing to start; the window offers no such range.
        ui->pBtn_ExportStart->setEnabled(false);
    } else {
        const ExportPiece &first = m_pieces.first();
        const ExportPiece &last = m_pieces.last();
        const QString firstName = QFileInfo(first.front).fileName();
        const QString lastName = QFileInfo(last.front).fileName();
        QString range;
        if (last.to < 0)
            range = tr("From %1 of %2 to the end of %3.").arg(clock(first.from), firstName, lastName);
        else if (m_pieces.size() == 1)
            range = tr("From %1 to %2 of %3.").arg(clock(first.from), clock(last.to), firstName);
        else
            range = tr("From %1 of %2 to %3 of %4.").arg(clock(first.from), firstName, clock(last.to), lastName);
        // The copy cannot start between key frames; say where it really does.
        const double key = PacketCopier::keyFrameAtOrBefore(first.front, first.from);
        if (key >= 0 && first.from - key > 0.01)
            range += QLatin1Char(' ') + tr("The original-quality copy starts at the key frame at %1.").arg(clock(key));
        ui->lbl_ExportRange->setText(range);
    }

    connect(ui->pBtn_ExportStart, &QPushButton::clicked, this, &ExportDialog::start);
    connect(ui->pBtn_ExportCancel, &QPushButton::clicked, this, &ExportDialog::reject);
    connect(ui->tBtn_ExportBrowse, &QToolButton::clicked, this, &ExportDialog::browse);
    connect(ui->cBox_ExportKind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ExportDialog::updateChoices);
    updateChoices();
}

ExportDialog::~ExportDialog()
{
    stopWorker();
    delete ui;
}

ExportRequest ExportDialog::request() const
{
    ExportRequest r;
    const bool rear = withRear();
    for (const ExportPiece &p : m_pieces) {
        r.front.append(ExportSegment{p.front, p.from, p.to});
        if (rear)
            r.rear.append(p.rear);
    }
    r.folder = QDir::fromNativeSeparators(ui->lEdit_ExportPath->text().trimmed());
    const int kind = ui->cBox_ExportKind->currentData().toInt();
    r.copyFront = r.copyRear = kind == KindOriginal || kind == KindAll;
    r.sideBySide = kind != KindOriginal;
    r.layout = kind == KindPictureInPicture ? SideBySideLayout::PictureInPicture : SideBySideLayout::SideBySide;
    r.trackFiles = ui->chk_ExportTrack->isChecked();
    r.mirrorRear = ui->chk_ExportMirror->isChecked();
    r.gsensorStrip = ui->chk_ExportGSensor->isChecked();
    return r;
}

void ExportDialog::updateChoices()
{
    const int kind = ui->cBox_ExportKind->currentData().toInt();
    ui->chk_ExportMirror->setEnabled(kind != KindOriginal && withRear());
    ui->chk_ExportGSensor->setEnabled(kind != KindOriginal);
}

bool ExportDialog::withRear() const
{
    if (m_pieces.isEmpty())
        return false;
    for (const ExportPiece &p : m_pieces) {
        if (p.rear.isEmpty())
            return false;
    }
    return true;
}

void ExportDialog::browse()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Export folder"), ui->lEdit_ExportPath->text());
    if (!folder.isEmpty())
        ui->lEdit_ExportPath->setText(QDir::toNativeSeparators(folder));
}

void ExportDialog::start()
{
    if (m_thread)
        return;
    const ExportRequest r = request();
    if (r.folder.isEmpty()) {
        ui->lbl_ExportStatus->setText(tr("Choose a folder for the files."));
        return;
    }
    Configuration::instance()->setExportSavePath(r.folder);
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("export"));
    m_job = new ExportJob(r);
    m_job->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_job, &ExportJob::run);
    connect(m_job, &ExportJob::progress, this, &ExportDialog::onProgress);
    connect(m_job, &ExportJob::finished, this, &ExportDialog::onFinished);
    ui->pBar_Export->setValue(0);
    ui->lbl_ExportStatus->setText(tr("Exporting…"));
    ui->pBtn_ExportStart->setEnabled(false);
    ui->cBox_ExportKind->setEnabled(false);
    ui->lEdit_ExportPath->setEnabled(false);
    ui->tBtn_ExportBrowse->setEnabled(false);
    m_clock.start();
    m_thread->start(QThread::LowPriority);
}

void ExportDialog::onProgress(double fraction)
{
    ui->pBar_Export->setValue(int(fraction * ui->pBar_Export->maximum()));
    const double elapsed = m_clock.elapsed() / 1000.0;
    // Too early a guess jumps about; wait for a little of the work.
    if (fraction > 0.02 && elapsed > 1.0)
        ui->lbl_ExportStatus->setText(tr("Exporting… about %1 left").arg(clock(elapsed * (1.0 - fraction) / fraction + 0.5)));
}

void ExportDialog::onFinished(bool ok, const QStringList &files, const QString &message)
{
    if (m_thread) {
        // The job has returned from run(); its thread only has to leave its loop.
        m_thread->quit();
        if (!m_thread->wait(kStopWaitMs)) {
            qCWarning(lcExport) << "the export thread did not end in time";
            m_thread->setParent(nullptr);
            m_thread = nullptr;
            m_job = nullptr;
        }
        delete m_thread;
        m_thread = nullptr;
        // Deleted here, once its thread has ended, so cancel() never meets a deleted job.
        delete m_job;
        m_job = nullptr;
    }
    ui->pBtn_ExportStart->setEnabled(true);
    ui->cBox_ExportKind->setEnabled(true);
    ui->lEdit_ExportPath->setEnabled(true);
    ui->tBtn_ExportBrowse->setEnabled(true);
    if (ok) {
        ui->pBar_Export->setValue(ui->pBar_Export->maximum());
        QStringList names;
        for (const QString &f : files)
            names.append(QDir::toNativeSeparators(f));
        ui->lbl_ExportStatus->setText(tr("Written:") + QLatin1Char('\n') + names.join(QLatin1Char('\n')));
        ui->pBtn_ExportCancel->setText(tr("Close"));
    } else {
        ui->pBar_Export->setValue(0);
        ui->lbl_ExportStatus->setText(message);
        if (!message.isEmpty() && isVisible() && !m_cancelling)
            QMessageBox::warning(this, windowTitle(), message);
    }
    m_cancelling = false;
    emit exportFinished(ok, files, message);
}

void ExportDialog::reject()
{
    if (m_thread) {
        // The job ends at its next packet and reports; the dialog stays until then.
        m_job->cancel();
        m_cancelling = true;
        ui->lbl_ExportStatus->setText(tr("Cancelling…"));
        return;
    }
    QDialog::reject();
}

void ExportDialog::stopWorker()
{
    if (!m_thread)
        return;
    m_job->cancel();
    m_thread->quit();
    if (!m_thread->wait(kStopWaitMs)) {
        // Leaking beats deleting a job that still runs.
        qCWarning(lcExport) << "the export thread did not stop in time";
        m_thread->setParent(nullptr);
        return;
    }
    delete m_thread;
    m_thread = nullptr;
    delete m_job;
    m_job = nullptr;
}
