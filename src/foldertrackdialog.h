#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class FolderTrackDialog;
}

// "Load track…": one GPX or NMEA file for the recordings of a folder, the
// camera clock's offset to it (remembered per folder), and which recordings
// it covers.
class FolderTrackDialog : public QDialog
{
    Q_OBJECT

public:
    // recordings: the playlist's files in folder.
    FolderTrackDialog(const QString &folder, const QStringList &recordings, QWidget *parent = nullptr);
    ~FolderTrackDialog() override;

    QString folder() const { return m_folder; }

signals:
    // The folder's track was set; its recordings need parsing again.
    void trackLoaded(const QString &folder);

private slots:
    void on_pBtn_Browse_clicked();
    void on_pBtn_Load_clicked();
    void on_pBtn_Close_clicked();

private:
    void showCoverage();

    Ui::FolderTrackDialog *ui;
    QString m_folder;
    QStringList m_recordings;
};
