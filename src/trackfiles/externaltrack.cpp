#include "externaltrack.h"

#include "foldertracks.h"
#include "recordingclock.h"
#include "trackaligner.h"
#include "trackfile.h"
#include "trackfileslog.h"

#include <QDir>
#include <QFileInfo>

Q_LOGGING_CATEGORY(lcTrackFiles, "trackora.trackfiles")

namespace {
const char *const kSidecarSuffixes[] = {"gpx", "GPX", "nmea", "NMEA", "gps", "GPS"};

// The sidecar as looked at: its size comes with it, so reading it needs no
// second look.
QFileInfo sidecarInfo(const QString &recordingPath)
{
    const QFileInfo info(recordingPath);
    const QString base = info.dir().filePath(info.completeBaseName()) + QLatin1Char('.');
    for (const char *suffix : kSidecarSuffixes) {
        const QFileInfo candidate(base + QLatin1String(suffix));
        if (candidate.isFile())
            return candidate;
    }
    return QFileInfo();
}
} // namespace

QString ExternalTrack::sidecarPath(const QString &recordingPath)
{
    return sidecarInfo(recordingPath).filePath();
}

QList<GpsData> ExternalTrack::samplesFor(const QString &recordingPath, const QDateTime &createTime, int duration,
                                         GpsSourceKind *kind)
{
    *kind = NoGps;
    const qint64 start = RecordingClock::startUtcMs(recordingPath, createTime);
    const QFileInfo sidecarFile = sidecarInfo(recordingPath);
    const QString sidecar = sidecarFile.filePath();
    if (!sidecar.isEmpty()) {
        TrackFile::Format format = TrackFile::Unknown;
        QString problem;
        const TrackPoints points = TrackFile::load(sidecarFile, &format, &problem);
        if (points.isEmpty()) {
            qCWarning(lcTrackFiles).noquote() << "sidecar" << sidecar << "gives no track:" << problem;
        } else if (start == TrackPoint::kNoTime) {
            qCWarning(lcTrackFiles).noquote() << "sidecar" << sidecar << "unused:" << recordingPath
                                              << "has neither a creation time nor a time in its name";
        } else {
            const QList<GpsData> samples = TrackAligner::alignByTime(points, start, duration);
            if (!samples.isEmpty()) {
                *kind = format == TrackFile::Gpx ? GpxSidecarGps : NmeaSidecarGps;
                return samples;
            }
            qCWarning(lcTrackFiles).noquote() << "sidecar" << sidecar << "covers no second of" << recordingPath;
        }
    }
    const QList<GpsData> samples = folderTrackSamples(recordingPath, createTime, duration);
    if (!samples.isEmpty())
        *kind = FolderTrackGps;
    return samples;
}

QList<GpsData> ExternalTrack::folderTrackSamples(const QString &recordingPath, const QDateTime &createTime, int duration)
{
    const std::shared_ptr<const FolderTrack> track =
        FolderTracks::instance().find(QFileInfo(recordingPath).absolutePath());
    if (!track)
        return {};
    const qint64 start = RecordingClock::startUtcMs(recordingPath, createTime);
    if (start == TrackPoint::kNoTime) {
        qCDebug(lcTrackFiles).noquote() << "folder track unused:" << recordingPath << "has no start time";
        return {};
    }
    return TrackAligner::alignByTime(track->points, start + qint64(track->offsetSeconds) * 1000, duration);
}
