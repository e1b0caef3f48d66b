#include "tripgrouper.h"

namespace {
// A jump between two recordings' end and start positions longer than this is
// a bad fix or a gap in coverage, not part of the drive.
const double kLongestJoinMeters = 500.0;

bool joins(const Trip &trip, const TripRecording &next)
{
    const TripRecording &last = trip.recordings.last();
    if (!last.front || !next.front || !last.start.isValid() || !next.start.isValid())
        return false;
    const qint64 gap = last.end().secsTo(next.start);
    return qAbs(gap) <= TripGrouper::kMaxGapSeconds;
}

void add(Trip &trip, const TripRecording &r)
{
    if (!trip.recordings.isEmpty()) {
        const TripRecording &last = trip.recordings.last();
        if (last.hasFix && r.hasFix) {
            const double join = TripRecording::metersBetween(last.lastLatitude, last.lastLongitude, r.firstLatitude,
                                                              r.firstLongitude);
            if (join <= kLongestJoinMeters)
                trip.distanceMeters += join;
        }
    } else {
        trip.start = r.start;
    }
    trip.recordings.append(r);
    trip.distanceMeters += r.distanceMeters;
    trip.topSpeedKmh = qMax(trip.topSpeedKmh, r.topSpeedKmh);
    trip.end = r.end();
}
} // namespace

int Trip::durationSeconds() const
{
    int sum = 0;
    for (const TripRecording &r : recordings)
        sum += r.durationSeconds;
    return sum;
}

int Trip::offsetOf(int i) const
{
    int sum = 0;
    for (int k = 0; k < i && k < recordings.size(); ++k)
        sum += recordings.at(k).durationSeconds;
    return sum;
}

int Trip::indexOfId(int id) const
{
    for (int i = 0; i < recordings.size(); ++i) {
        if (recordings.at(i).id == id)
            return i;
    }
    return -1;
}

bool TripGrouper::append(QVector<Trip> &trips, const TripRecording &row)
{
    const bool fresh = trips.isEmpty() || !joins(trips.last(), row);
    if (fresh) {
        trips.append(Trip());
        trips.last().number = trips.size();
    }
    add(trips.last(), row);
    return fresh;
}

QVector<Trip> TripGrouper::group(const QVector<TripRecording> &rows)
{
    QVector<Trip> trips;
    for (const TripRecording &r : rows)
        append(trips, r);
    return trips;
}
