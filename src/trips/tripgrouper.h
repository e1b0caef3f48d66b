#pragma once

#include "triprecording.h"

#include <QDateTime>
#include <QVector>

// One drive: playlist rows that follow one another without a pause.
struct Trip
{
    int number = 0;            // 1-based, in playlist order
    QVector<TripRecording> recordings;
    QDateTime start;
    QDateTime end;
    double distanceMeters = 0.0;
    int topSpeedKmh = 0;

    int durationSeconds() const;
    int firstId() const { return recordings.isEmpty() ? -1 : recordings.first().id; }
    // Seconds from the trip's start to the start of the recording at position i,
    // counting only the recordings' own lengths (pauses between them are not played).
    int offsetOf(int i) const;
    int indexOfId(int id) const;
};

// Groups rows, in playlist order, into trips: a front recording joins the
// trip before it when it begins within kMaxGapSeconds of that trip's end
// (before or after: clips of one drive often overlap by a second). A rear file
// without its front, and a row whose time is unknown, is a trip of its own.
class TripGrouper
{
public:
    static const int kMaxGapSeconds = 10;
    static QVector<Trip> group(const QVector<TripRecording> &rows);
    // Adds one row after the others: to the last trip or as a new one.
    // Returns whether it began a new trip.
    static bool append(QVector<Trip> &trips, const TripRecording &row);
};
