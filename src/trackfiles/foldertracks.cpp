#include "foldertracks.h"

#include <QDir>
#include <QFileInfo>

FolderTracks &FolderTracks::instance()
{
    static FolderTracks tracks;
    return tracks;
}

QString FolderTracks::folderKey(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

void FolderTracks::set(const QString &folder, const QString &trackPath, const TrackPoints &points, int offsetSeconds)
{
    auto track = std::make_shared<FolderTrack>();
    track->trackPath = trackPath;
    track->points = points;
    track->offsetSeconds = qBound(-FolderTrack::kMaxOffsetSeconds, offsetSeconds, FolderTrack::kMaxOffsetSeconds);
    const std::lock_guard<std::mutex> locker(m_lock);
    m_tracks.insert(folderKey(folder), std::move(track));
}

void FolderTracks::remove(const QString &folder)
{
    const std::lock_guard<std::mutex> locker(m_lock);
    m_tracks.remove(folderKey(folder));
}

void FolderTracks::clear()
{
    const std::lock_guard<std::mutex> locker(m_lock);
    m_tracks.clear();
}

std::shared_ptr<const FolderTrack> FolderTracks::find(const QString &folder) const
{
    const QString key = folderKey(folder);
    const std::lock_guard<std::mutex> locker(m_lock);
    return m_tracks.value(key);
}
