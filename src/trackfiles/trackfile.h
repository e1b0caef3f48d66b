#pragma once

#include "trackpoint.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>

// A GPX or NMEA file read whole, with its size bounded.
class TrackFile
{
public:
    enum Format { Unknown, Gpx, Nmea };

    // A phone's track of a day is a few megabytes; anything far larger is
    // not a track.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // By extension (.gpx; .nmea, .gps, .log, .txt), else by content.
    static Format formatOf(const QString &path, const QByteArray &head = QByteArray());
    // Points in time order, speed and course filled in where the file has
    // none; empty with a reason in problem when nothing could be read.
    static TrackPoints load(const QString &path, Format *format, QString *problem);
    // The same for a file already looked at (its size is taken from info).
    static TrackPoints load(const QFileInfo &info, Format *format, QString *problem);
    static TrackPoints parse(const QByteArray &data, Format format, QString *problem);
};
