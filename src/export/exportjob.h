#pragma once

#include "exportrange.h"
#include "gpsdata.h"

#include <QObject>
#include <QStringList>

#include <atomic>

// Makes the files of one export request: the original front and rear, the
// side-by-side video, the GPX and CSV tracks. Lives on a worker thread (or
// runs on the caller's, for the command line); everything it reports is a
// signal, so the window gets it queued. cancel() may be called from any thread.
class ExportJob : public QObject
{
    Q_OBJECT

public:
    explicit ExportJob(const ExportRequest &request, QObject *parent = nullptr);

    void cancel() { m_cancel.store(true); }
    // What finished() reported, for callers that ran run() directly.
    QStringList files() const { return m_files; }
    QString message() const { return m_message; }
    bool succeeded() const { return m_ok; }
    // Where the first copied picture really lies, seconds before the
    // requested start (the cut begins at a key frame).
    double leadIn() const { return m_leadIn; }

public slots:
    void run();

signals:
    void progress(double fraction);
    void fileWritten(const QString &path);
    // message: why it failed, for the user; empty on success.
    void finished(bool ok, const QStringList &files, const QString &message);

private:
    bool runAll();
    bool writeCopy(const QList<ExportSegment> &segments, const QString &finalPath, bool withTrip);
    bool writeSideBySide(const QString &finalPath);
    bool writeTrackFile(const QString &finalPath, bool gpx);
    bool commit(class PartFile &part, const QString &finalPath);
    bool failWrite(const QString &path, int error, const QString &detail);
    void step(double within);

    ExportRequest m_request;
    std::atomic_bool m_cancel{false};
    QList<QList<GpsData>> m_frontSamples;
    QList<GpsData> m_rangeSamples; // one per second of the front copy
    QStringList m_files;
    QString m_message;
    bool m_ok = false;
    double m_leadIn = 0.0;
    double m_rangeLength = 0.0;
    int m_stepsDone = 0;
    int m_stepCount = 1;
    int m_stepWeight = 0;
    int m_lastPermille = -1;
};
