#include "eventdetector.h"

#include <QDateTime>

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

QDateTime sampleTime(const GpsData &s)
{
    return QDateTime::fromString(QString::fromLatin1(s.dateTime, int(qstrnlen(s.dateTime, sizeof s.dateTime))),
                                 QStringLiteral("yyyyMMddhhmmss"));
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
    const QDateTime end = sampleTime(last);
    const QDateTime start = sampleTime(first);
    if (!end.isValid() || !start.isValid())
        return false;
    const qint64 gap = end.secsTo(start);
    return gap > 0 && gap <= maxGapSeconds;
}
