#pragma once

#include "gpsdata.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What a trip needs to know of one playlist row: when it was recorded, how
// long it runs and how far and fast the car went in it.
struct TripRecording
{
    int id = -1;             // the playlist's row id
    bool front = true;       // a rear file without its front never joins a trip
    // The camera's clock, held as UTC so that no daylight-saving rule moves it;
    // invalid when neither the samples nor the name tell.
    QDateTime start;
    int durationSeconds = 0;
    double distanceMeters = 0.0;
    int topSpeedKmh = 0;
    bool hasFix = false;     // firstFix/lastFix hold positions
    double firstLatitude = 0.0, firstLongitude = 0.0;
    double lastLatitude = 0.0, lastLongitude = 0.0;

    QDateTime end() const { return start.isValid() ? start.addSecs(durationSeconds) : QDateTime(); }

    // The first sample's time, else the time in the file name; distance and
    // top speed from the samples.
    static TripRecording fromSamples(int id, const QString &fileName, bool front, int durationSeconds,
                                     const QList<GpsData> &samples);
    // "yyyyMMdd_hhmmss" (or with '-' or nothing between) anywhere in the name.
    static QDateTime timeFromFileName(const QString &fileName);
    static QDateTime timeOfSample(const GpsData &sample);
    static bool hasPosition(const GpsData &sample);
    // Great-circle distance in metres.
    static double metersBetween(double lat1, double lon1, double lat2, double lon2);
};
