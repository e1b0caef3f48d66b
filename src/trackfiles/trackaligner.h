#pragma once

#include "gpsdata.h"
#include "trackpoint.h"

#include <QList>

// Turns a track into the viewer's one sample per second of a recording:
// second s gets the point nearest to it within 1.5 s, or a sample without a
// position ('V', latitude and longitude 0) when there is none.
class TrackAligner
{
public:
    static constexpr int kWindowMs = 1500;

    // points in order of offsetMs, each with an offset. duration in whole
    // seconds: seconds 0 to duration. startUtcMs (or kNoTime) dates the
    // seconds that have no point. Empty when no second has a point.
    static QList<GpsData> alignByOffset(const TrackPoints &points, int duration, qint64 startUtcMs);
    // points in time order; each gets its offset from the recording's start.
    static QList<GpsData> alignByTime(TrackPoints points, qint64 startUtcMs, int duration);
    // Speed and course that a point lacks, from its neighbours' positions and times.
    static void fillSpeedAndCourse(TrackPoints &points);
    // Seconds that got a position.
    static int coveredSeconds(const QList<GpsData> &samples);
    // Great-circle distance in metres.
    static double distanceMetres(double lat1, double lon1, double lat2, double lon2);
};
