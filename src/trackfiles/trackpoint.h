#pragma once

#include <QVector>
#include <QtGlobal>

#include <limits>

// One position of a track read from elsewhere than the camera's own records.
// Times are milliseconds: utcMs since the Unix epoch (when the source gives a
// date), offsetMs from the start of the recording (when the source is inside
// the recording). A missing value is kNoValue.
struct TrackPoint
{
    static constexpr qint64 kNoTime = std::numeric_limits<qint64>::min();
    static constexpr double kNoValue = -1.0;

    qint64 utcMs = kNoTime;
    qint64 offsetMs = kNoTime;
    double latitude = 0.0;
    double longitude = 0.0;
    double speedKmh = kNoValue;   // over ground
    double course = kNoValue;     // degrees clockwise from north
    bool hasGsensor = false;
    float gX = 0.0f;
    float gY = 0.0f;
    float gZ = 0.0f;
};

using TrackPoints = QVector<TrackPoint>;

// More points than a week at one a second: the rest of a file is not read.
constexpr int kMaxTrackPoints = 7 * 24 * 3600;
