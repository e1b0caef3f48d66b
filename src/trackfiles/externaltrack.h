#pragma once

#include "gpsdata.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The trip of a recording that carries none of its own: a sidecar file with
// its base name (.gpx, .nmea, .gps), else the track loaded for its folder.
class ExternalTrack
{
public:
    // The sidecar beside a recording, or an empty string.
    static QString sidecarPath(const QString &recordingPath);

    // One sample per second (0 to duration), or empty with the reason logged.
    // kind tells where they came from (NoGps when empty).
    static QList<GpsData> samplesFor(const QString &recordingPath, const QDateTime &createTime, int duration,
                                     GpsSourceKind *kind);
    // Only the folder track's seconds.
    static QList<GpsData> folderTrackSamples(const QString &recordingPath, const QDateTime &createTime, int duration);
};
