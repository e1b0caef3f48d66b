#pragma once

#include "gpsdata.h"

#include <QList>
#include <QString>

class QIODevice;

// A GPX 1.1 track of one export: a point per second with a position, its
// time in UTC, and speed and course in the Garmin track point extension that
// most mapping programs read.
namespace GpxWriter {
bool write(const QString &trackName, const QList<GpsData> &samples, QIODevice *out);
}
