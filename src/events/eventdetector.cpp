#include "eventdetector.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {

// The sensor reports hundredths of a g; comparing in hundredths keeps a
// change of exactly the threshold from missing by a float's last bit.
int hundredths(double g)
{
    return std::isfinite(g) ? int(std::lround(g * 100.0)) : 0;
}

bool hasPosition(const GpsData &s)
{
    return s.latitude != 0.0 || s.longitude != 0.0;
}

struct Hit
{
    int second;
    double value;
};

// The strongest change or reading of any axis that crosses its threshold, in
// hundredths of a g; 0 when none does.
int impactStrength(const GpsData *before, const GpsData &now, const EventThresholds &t)
{
    const int deltaLimit = hundredths(t.impactDeltaG);
    const int readingLimit = hundredths(t.impactG);
    const float axesNow[3] = {now.gsensorX, now.gsensorY, now.gsensorZ};
    int strength = 0;
    for (int a = 0; a < 3; ++a) {
        const int reading = std::abs(hundredths(axesNow[a]));
        if (reading >= readingLimit)
            strength = std::max(strength, reading);
        if (!before)
            continue;
        const float axesBefore[3] = {before->gsensorX, before->gsensorY, before->gsensorZ};
        const int change = std::abs(hundredths(axesNow[a]) - hundredths(axesBefore[a]));
        if (change >= deltaLimit)
            strength = std::max(strength, change);
    }
    return strength;
}

// One event per kind for a run of consecutive seconds, at its strongest
// second (the first of equals).
void appendRuns(const QVector<Hit> &hits, DrivingEvent::Kind kind, QVector<DrivingEvent> *out)
{
    int i = 0;
    while (i < hits.size()) {
        Hit best = hits.at(i);
        int j = i + 1;
        for (; j < hits.size() && hits.at(j).second == hits.at(j - 1).second + 1; ++j) {
            if (hits.at(j).value > best.value)
                best = hits.at(j);
        }
        DrivingEvent event;
        event.second = best.second;
        event.kind = kind;
        event.value = best.value;
        out->append(event);
        i = j;
    }
}

// Seconds since the start of the calendar, or -1 when the sample's time is
// not "yyyyMMddhhmmss". Read by hand: a formatted parse costs about 100 times
// as much, and a trip of 2000 recordings asks for 4000.
qint64 sampleSeconds(const GpsData &s)
{
    int digits[14];
    for (int i = 0; i < 14; ++i) {
        if (s.dateTime[i] < '0' || s.dateTime[i] > '9')
            return -1;
        digits[i] = s.dateTime[i] - '0';
    }
    auto number = [&digits](int at, int count) {
        int v = 0;
        for (int i = at; i < at + count; ++i)
            v = v * 10 + digits[i];
        return v;
    };
    const QDate date(number(0, 4), number(4, 2), number(6, 2));
    const int hour = number(8, 2);
    const int minute = number(10, 2);
    const int second = number(12, 2);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return -1;
    return date.toJulianDay() * 86400 + hour * 3600 + minute * 60 + second;
}

} // namespace

QVector<DrivingEvent> detectEvents(const QList<GpsData> &samples, const EventThresholds &thresholds,
                                   const GpsData *previous)
{
    QVector<Hit> braking;
    QVector<Hit> acceleration;
    QVector<Hit> impacts;
    for (int i = 0; i < samples.size(); ++i) {
        const GpsData &now = samples.at(i);
        const GpsData *before = i > 0 ? &samples.at(i - 1) : previous;
        // A fix that is lost or comes back makes the speed jump to or from 0.
        if (before && hasPosition(*before) && hasPosition(now)) {
            const int change = now.speed - before->speed;
            if (-change >= thresholds.brakingKmh)
                braking.append({i, double(-change)});
            else if (change >= thresholds.accelerationKmh)
                acceleration.append({i, double(change)});
        }
        const int strength = impactStrength(before, now, thresholds);
        if (strength > 0)
            impacts.append({i, strength / 100.0});
    }

    QVector<DrivingEvent> events;
    appendRuns(braking, DrivingEvent::Braking, &events);
    appendRuns(acceleration, DrivingEvent::Acceleration, &events);
    appendRuns(impacts, DrivingEvent::Impact, &events);
    std::stable_sort(events.begin(), events.end(), [](const DrivingEvent &a, const DrivingEvent &b) {
        return a.second != b.second ? a.second < b.second : a.kind < b.kind;
    });
    return events;
}

bool continuesTrip(const GpsData &last, const GpsData &first, int maxGapSeconds)
{
    const qint64 end = sampleSeconds(last);
    const qint64 start = sampleSeconds(first);
    if (end < 0 || start < 0)
        return false;
    const qint64 gap = start - end;
    return gap > 0 && gap <= maxGapSeconds;
}
