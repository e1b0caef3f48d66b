#pragma once

#include <QDateTime>
#include <QString>

// When a recording started, in UTC: the creation time its video track
// header gives (seconds since 1904, UTC), or the date and time in its file
// name ("yyyyMMdd_hhmmss" and the like, taken as UTC).
class RecordingClock
{
public:
    // createTime as the walkers report it (1904 local time plus the header's
    // seconds). Returns TrackPoint::kNoTime when neither gives a time.
    static qint64 startUtcMs(const QString &path, const QDateTime &createTime);
    static qint64 fromCreateTime(const QDateTime &createTime);
    static qint64 fromFileName(const QString &path);
};
