#pragma once

#include "gpsdata.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>

class QRunnable;
class QThreadPool;

// Parses one file and keeps its samples. Lives on the GUI thread; parse() runs
// on a pool worker (or on the GUI thread when a request or a file change
// cannot wait), so its signals cross as queued calls.
class VideoParser : public QObject
{
    Q_OBJECT

public:
    explicit VideoParser(QObject *parent = nullptr);

    void setFile(const QString &path, int id);
    // Parses these bytes instead of reading the file; the path still picks
    // the parser. For checks that must never touch the disk.
    void setFileData(const QByteArray &data);
    void setThreadPool(QThreadPool *pool, QRunnable *job);
    void parse();
    void requestAllGpsData();
    void requestGpsData(int index);

    // Takes the job out of the pool's queue if it still waits there.
    void cancelQueuedJob();
    // Makes a running parse stop after its current sample.
    void requestStop();

    // What the last parse found; for tools and measurements.
    bool fileOpened() const;
    GpsSourceKind gpsKind() const;
    quint64 bytesRead() const;
    int samplesRead() const; // before normalisation
    QList<GpsData> gpsDataList() const;

signals:
    void videoInfoChanged(int mId, VideoInfo info);
    void gpsDataChanged(int mId, GpsData data);
    void allGpsDataParserFinished(int mId, QList<GpsData> dataList);
    // Every parse ends with this, after the signals above.
    void parseFinished(int mId);

private:
    bool takeJobBack();
    static void normalise(QList<GpsData> &samples, int32_t duration, qint64 fileSize, const QString &path);

    // A standard mutex, so that thread checkers see it; recursive because
    // requestAllGpsData() holds it while it calls parse(). A parse on a worker
    // holds it only around what it reads and writes here, never while it
    // reads the file.
    mutable std::recursive_mutex lock;
    bool started = false;           // lock; written by whichever thread parses
    int mId = 0;                    // lock; GUI thread
    QString filePath;               // lock; GUI thread
    QByteArray fileData;            // lock; GUI thread; null: read filePath
    QList<GpsData> gpsList;         // lock; the parsing thread
    // lock; set by the GUI thread, cleared once the job is out of the queue
    // (taken back, or started by a worker), so it never names a freed job.
    QRunnable *job = nullptr;
    QThreadPool *pool = nullptr;    // lock; GUI thread
    bool listRequested = false;     // lock; a request that met a starting job
    bool lastOpened = false;        // lock; the parsing thread
    GpsSourceKind lastKind = NoGps; // lock; the parsing thread
    quint64 lastBytesRead = 0;      // lock; the parsing thread
    int lastSamplesRead = 0;        // lock; the parsing thread
    VideoInfo lastInfo;             // lock; the parsing thread
    std::atomic_bool stopRequested{false}; // atomic; GUI thread sets it
    quint64 fileGeneration = 0;     // lock; counts setFile() calls
    quint64 parsedGeneration = ~quint64(0); // lock; the file whose results are kept
};
