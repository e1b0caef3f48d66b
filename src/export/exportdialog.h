#pragma once

#include "exportrange.h"

#include <QDialog>
#include <QElapsedTimer>

namespace Ui {
class ExportDialog;
}
class ExportJob;
class QThread;

// Asks what to export and where, then runs the export on a worker thread and
// shows its progress; Cancel stops it and leaves no file behind. GUI thread.
class ExportDialog : public QDialog
{
    Q_OBJECT

public:
    // rear may be empty. The range is in milliseconds of the recording.
    ExportDialog(const QString &front, const QString &rear, qint64 inMs, qint64 outMs, QWidget *parent = nullptr);
    // A range over consecutive recordings of one trip, in playing order.
    explicit ExportDialog(const QList<ExportPiece> &pieces, QWidget *parent = nullptr);
    ~ExportDialog() override;

    bool isRunning() const { return m_thread != nullptr; }
    // The request the current choices make.
    ExportRequest request() const;

public slots:
    void start();
    void reject() override;

signals:
    // The files of a finished export, or its failure (message for the user).
    void exportFinished(bool ok, const QStringList &files, const QString &message);

private slots:
    void onProgress(double fraction);
    void onFinished(bool ok, const QStringList &files, const QString &message);
    void browse();
    void updateChoices();

private:
    void stopWorker();
    // The rear goes along only when every piece has one: a copy with gaps
    // would no longer run beside the front.
    bool withRear() const;

    Ui::ExportDialog *ui;
    QList<ExportPiece> m_pieces;
    QThread *m_thread = nullptr;
    ExportJob *m_job = nullptr; // lives on m_thread while it runs; deleted here after it ends
    QElapsedTimer m_clock;
    bool m_cancelling = false;
};
