#include "recordingclock.h"

#include "trackpoint.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {
// Cameras with an unset clock write 0 (1904) or their firmware's date; a
// time before this is no recording time.
const int kEarliestYear = 2000;
} // namespace

qint64 RecordingClock::fromCreateTime(const QDateTime &createTime)
{
    // An unset clock (0, 1904) is told by its local date alone, without the
    // time zone lookups below; no zone is a day away from UTC.
    if (!createTime.isValid() || createTime.date().year() < kEarliestYear - 1)
        return TrackPoint::kNoTime;
    const qint64 seconds = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::LocalTime).secsTo(createTime);
    const QDateTime utc = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC).addSecs(seconds);
    if (utc.date().year() < kEarliestYear)
        return TrackPoint::kNoTime;
    return utc.toMSecsSinceEpoch();
}

qint64 RecordingClock::fromFileName(const QString &path)
{
    static const QRegularExpression pattern(
        QStringLiteral("(?<!\\d)((?:19|20)\\d\\d)(\\d\\d)(\\d\\d)[_-]?(\\d\\d)(\\d\\d)(\\d\\d)(?!\\d)"));
    const QRegularExpressionMatch m = pattern.match(QFileInfo(path).fileName());
    if (!m.hasMatch())
        return TrackPoint::kNoTime;
    const QDate date(m.capturedRef(1).toInt(), m.capturedRef(2).toInt(), m.capturedRef(3).toInt());
    const QTime time(m.capturedRef(4).toInt(), m.capturedRef(5).toInt(), m.capturedRef(6).toInt());
    if (!date.isValid() || !time.isValid())
        return TrackPoint::kNoTime;
    return QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
}

qint64 RecordingClock::startUtcMs(const QString &path, const QDateTime &createTime)
{
    const qint64 created = fromCreateTime(createTime);
    return created != TrackPoint::kNoTime ? created : fromFileName(path);
}
