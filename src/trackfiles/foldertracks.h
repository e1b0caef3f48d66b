#pragma once

#include "trackpoint.h"

#include <QHash>
#include <QString>

#include <memory>
#include <mutex>

// One track file that covers the recordings of a folder, with the offset
// that moves the recordings' clock onto the track's.
struct FolderTrack
{
    static constexpr int kMaxOffsetSeconds = 12 * 3600;

    QString trackPath;
    TrackPoints points;     // time order
    int offsetSeconds = 0;  // added to a recording's start time
};

// The folder tracks loaded in this process, by folder. Parses on the pool
// read it while the window sets it, hence the lock.
class FolderTracks
{
public:
    static FolderTracks &instance();

    // offsetSeconds is clamped to +-12 h.
    void set(const QString &folder, const QString &trackPath, const TrackPoints &points, int offsetSeconds);
    void remove(const QString &folder);
    void clear();
    std::shared_ptr<const FolderTrack> find(const QString &folder) const;

    static QString folderKey(const QString &folder);

private:
    mutable std::mutex m_lock;
    QHash<QString, std::shared_ptr<const FolderTrack>> m_tracks; // m_lock
};
