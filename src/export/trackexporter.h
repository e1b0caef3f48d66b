#pragma once

#include "gpsdata.h"

#include <QList>
#include <QString>

class QIODevice;

// Writes trips as GPX, KML, CSV or GeoJSON, one track per recording, leaving
// out samples without a position.
class TrackExporter
{
public:
    enum Format { Gpx, Kml, Csv, GeoJson };

    static bool formatFromName(const QString &name, Format *format);

    void addTrack(const QString &name, const QList<GpsData> &samples);
    bool write(Format format, QIODevice *out) const;

private:
    struct Point
    {
        double latitude;
        double longitude;
        int speed;
        double heading;
        QString time; // ISO 8601 local time, empty when the record's is invalid
    };
    struct Track
    {
        QString name;
        QList<Point> points;
    };

    bool writeGpx(QIODevice *out) const;
    bool writeKml(QIODevice *out) const;
    bool writeCsv(QIODevice *out) const;
    bool writeGeoJson(QIODevice *out) const;

    QList<Track> m_tracks;
};
