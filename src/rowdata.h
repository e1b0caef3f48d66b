#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QUrl>

class QRunnable;
class VideoParser;

// One playlist row. A copy handed out by the playlist leaves runnable and
// parser null.
struct RowData
{
    int32_t id = 0;
    QString fileName;
    int32_t duration = 0;
    float frameRate = 0.0f;
    QDateTime dateTime;
    qint64 fileSize = 0;
    QSize resolution = QSize(0, 0);
    // The queued parse job, owned by the pool; stale once the job has run, so
    // it is never dereferenced (the parser takes its job back itself).
    QRunnable *runnable = nullptr;
    VideoParser *parser = nullptr; // owned by the row
    QUrl url;
    int32_t codec = 0;
};
