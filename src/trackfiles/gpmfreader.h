#pragma once

#include "trackpoint.h"

#include <QByteArray>
#include <QString>

// What one GPMF payload (one sample of a 'gpmd' track, about a second) says:
// its first GPS fix (GPS9 where present, else GPS5 with GPSU's time) and the
// mean of its accelerometer readings.
struct GpmfPayload
{
    bool hasPosition = false;
    double latitude = 0.0;
    double longitude = 0.0;
    double altitude = 0.0;
    double speed2d = 0.0;           // metres per second
    qint64 utcMs = TrackPoint::kNoTime;
    bool hasAccel = false;
    float gX = 0.0f;                // g
    float gY = 0.0f;
    float gZ = 0.0f;
};

// Reads GPMF's key-length-value records: 4-character key, type, structure
// size, repeat count, then the data padded to 4 bytes. Every length is checked
// against what encloses it, and nesting is bounded.
class GpmfReader
{
public:
    // False with a reason when the payload is not GPMF; a payload without GPS
    // or accelerometer streams is still true (with nothing set).
    static bool readPayload(const QByteArray &payload, GpmfPayload *out, QString *problem);
};
