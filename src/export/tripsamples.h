#pragma once

#include "exportrange.h"
#include "gpsdata.h"

#include <QList>
#include <QString>

// The trip data of an exported range, second by second.
namespace TripSamples {
// The recording's samples as the viewer shows them (one per second).
QList<GpsData> read(const QString &path);
// Sample i of the result is the one shown at second i of the export; empty
// when a recording the range runs through has no trip data.
QList<GpsData> ofRange(const QList<QList<GpsData>> &perSegment, const QList<PlacedSegment> &placed, int seconds);
// The time of the sample as UTC (the camera's clock is its GPS clock);
// invalid when the record's time is not a time.
QDateTime utcTime(const GpsData &sample);
bool hasPosition(const GpsData &sample);
}
