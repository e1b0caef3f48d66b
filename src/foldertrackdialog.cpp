#include "foldertrackdialog.h"
#include "ui_foldertrackdialog.h"

#include "configuration.h"
#include "foldercoverage.h"
#include "foldertracks.h"
#include "trackfile.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

FolderTrackDialog::FolderTrackDialog(const QString &folder, const QStringList &recordings, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::FolderTrackDialog)
    , m_folder(folder)
    , m_recordings(recordings)
{
    ui->setupUi(this);
    ui->lbl_Folder->setText(tr("Recordings in %1").arg(QDir::toNativeSeparators(folder)));
    ui->sBox_Offset->setRange(-FolderTrack::kMaxOffsetSeconds, FolderTrack::kMaxOffsetSeconds);
    ui->sBox_Offset->setValue(Configuration::instance()->folderTrackOffset(folder));
    if (const auto track = FolderTracks::instance().find(folder)) {
        ui->lEdit_TrackFile->setText(QDir::toNativeSeparators(track->trackPath));
        showCoverage();
    }
}

FolderTrackDialog::~FolderTrackDialog()
{
    delete ui;
}

void FolderTrackDialog::on_pBtn_Browse_clicked()
{
    const QString start = ui->lEdit_TrackFile->text().isEmpty() ? m_folder : ui->lEdit_TrackFile->text();
    const QString path = QFileDialog::getOpenFileName(this, tr("Load track"), start,
                                                      tr("Tracks (*.gpx *.nmea *.gps *.log *.txt);;All files (*)"));
    if (!path.isEmpty())
        ui->lEdit_TrackFile->setText(QDir::toNativeSeparators(path));
}

void FolderTrackDialog::on_pBtn_Load_clicked()
{
    const QString path = QDir::fromNativeSeparators(ui->lEdit_TrackFile->text().trimmed());
    if (path.isEmpty()) {
        ui->lbl_Status->setText(tr("Choose a GPX or NMEA file first."));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TrackFile::Format format = TrackFile::Unknown;
    QString problem;
    const TrackPoints points = TrackFile::load(path, &format, &problem);
    QApplication::restoreOverrideCursor();
    if (points.isEmpty()) {
        ui->lst_Covered->clear();
        ui->lbl_Status->setText(tr("The track cannot be used: %1").arg(problem));
        return;
    }
    const int offset = ui->sBox_Offset->value();
    Configuration::instance()->setFolderTrackOffset(m_folder, offset);
    FolderTracks::instance().set(m_folder, path, points, offset);
    showCoverage();
    emit trackLoaded(m_folder);
}

void FolderTrackDialog::on_pBtn_Close_clicked()
{
    accept();
}

void FolderTrackDialog::showCoverage()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ui->lst_Covered->clear();
    int covered = 0;
    for (const QString &recording : qAsConst(m_recordings)) {
        const FolderCoverage::Result r = FolderCoverage::of(recording);
        const QString name = QFileInfo(recording).fileName();
        QString text;
        switch (r.source) {
        case FolderCoverage::OwnTrip:
            text = tr("%1: has its own GPS data").arg(name);
            break;
        case FolderCoverage::Sidecar:
            text = tr("%1: has a track file of its own").arg(name);
            break;
        case FolderCoverage::FolderTrack:
            text = tr("%1: covered, %2 of %3 s").arg(name).arg(r.coveredSeconds).arg(r.seconds);
            ++covered;
            break;
        case FolderCoverage::Uncovered:
            text = tr("%1: not covered").arg(name);
            break;
        case FolderCoverage::Unreadable:
            text = tr("%1: cannot be read").arg(name);
            break;
        }
        ui->lst_Covered->addItem(text);
    }
    ui->lbl_Status->setText(tr("Recordings covered by the track: %1").arg(covered));
    QApplication::restoreOverrideCursor();
}
