#include "trackaligner.h"

#include "coordinateconv.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const double kEarthRadius = 6371008.8;
const double kDegToRad = 0.017453292519943295;
// Neighbours further apart than this say nothing about the speed between them.
const qint64 kMaxGapMs = 10000;
// Moves shorter than this are GPS noise, not a direction.
const double kMinMoveMetres = 1.0;
const int kMaxSeconds = 7 * 24 * 3600;

// Once per second of every recording: plain arithmetic, not a formatter.
void writeTime(qint64 utcMs, GpsData *out)
{
    const qint64 dayMs = 24 * 3600 * 1000;
    const qint64 day = utcMs >= 0 ? utcMs / dayMs : -((-utcMs + dayMs - 1) / dayMs);
    const QDate date = QDate(1970, 1, 1).addDays(day);
    const int seconds = int((utcMs - day * dayMs) / 1000);
    int year = 0, month = 0, dayOfMonth = 0;
    date.getDate(&year, &month, &dayOfMonth);
    if (!date.isValid() || year < 1000 || year > 9999)
        return;
    const int fields[] = {year / 100, year % 100, month, dayOfMonth, seconds / 3600, seconds / 60 % 60, seconds % 60};
    char *p = out->dateTime;
    for (int f : fields) {
        *p++ = char('0' + f / 10);
        *p++ = char('0' + f % 10);
    }
}

void fillSample(const TrackPoint &p, GpsData *out)
{
    if (p.utcMs != TrackPoint::kNoTime)
        writeTime(p.utcMs, out);
    out->markA = 'A';
    out->latitudeRef = p.latitude < 0.0 ? 'S' : 'N';
    out->longitudeRef = p.longitude < 0.0 ? 'W' : 'E';
    out->latitude = p.latitude;
    out->longitude = p.longitude;
    out->speed = p.speedKmh >= 0.0 ? int32_t(qBound(0.0, std::round(p.speedKmh), 999.0)) : 0;
    out->gsensorX = p.gX;
    out->gsensorY = p.gY;
    out->gsensorZ = p.gZ;
    out->heading = p.course >= 0.0 ? p.course : 0.0;
}
} // namespace

double TrackAligner::distanceMetres(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = lat1 * kDegToRad;
    const double p2 = lat2 * kDegToRad;
    const double dp = p2 - p1;
    const double dl = (lon2 - lon1) * kDegToRad;
    const double a = std::sin(dp / 2) * std::sin(dp / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(qBound(0.0, a, 1.0)));
}

void TrackAligner::fillSpeedAndCourse(TrackPoints &points)
{
    const int n = points.size();
    for (int i = 0; i < n; ++i) {
        TrackPoint &p = points[i];
        if (p.speedKmh >= 0.0 && p.course >= 0.0)
            continue;
        // The move from the point before to the point after, or to/from this
        // one at the ends.
        const TrackPoint &a = points.at(i > 0 ? i - 1 : i);
        const TrackPoint &b = points.at(i + 1 < n ? i + 1 : i);
        if (&a == &b || a.utcMs == TrackPoint::kNoTime || b.utcMs == TrackPoint::kNoTime)
            continue;
        const qint64 dt = b.utcMs - a.utcMs;
        if (dt <= 0 || dt > 2 * kMaxGapMs)
            continue;
        const double metres = distanceMetres(a.latitude, a.longitude, b.latitude, b.longitude);
        if (p.speedKmh < 0.0)
            p.speedKmh = metres / (dt / 1000.0) * 3.6;
        if (p.course < 0.0 && metres >= kMinMoveMetres)
            p.course = CoordinateConv::GetAzimuth(a.longitude, a.latitude, b.longitude, b.latitude);
    }
}

QList<GpsData> TrackAligner::alignByTime(TrackPoints points, qint64 startUtcMs, int duration)
{
    if (startUtcMs == TrackPoint::kNoTime)
        return {};
    for (TrackPoint &p : points)
        p.offsetMs = p.utcMs - startUtcMs;
    return alignByOffset(points, duration, startUtcMs);
}

QList<GpsData> TrackAligner::alignByOffset(const TrackPoints &points, int duration, qint64 startUtcMs)
{
    QList<GpsData> out;
    if (points.isEmpty() || duration < 0)
        return out;
    duration = qMin(duration, kMaxSeconds);
    out.reserve(duration + 1);
    double lastHeading = 0.0;
    bool covered = false;
    auto byOffset = [](const TrackPoint &p, qint64 t) { return p.offsetMs < t; };
    for (int s = 0; s <= duration; ++s) {
        const qint64 t = qint64(s) * 1000;
        GpsData sample;
        std::memset(&sample, 0, sizeof sample);
        sample.index = s;
        const auto after = std::lower_bound(points.cbegin(), points.cend(), t, byOffset);
        const TrackPoint *best = nullptr;
        if (after != points.cend())
            best = &*after;
        if (after != points.cbegin()) {
            const TrackPoint *before = &*(after - 1);
            if (!best || t - before->offsetMs <= best->offsetMs - t)
                best = before;
        }
        if (best && std::llabs(best->offsetMs - t) <= kWindowMs) {
            fillSample(*best, &sample);
            if (best->course < 0.0)
                sample.heading = lastHeading;
            lastHeading = sample.heading;
            covered = true;
        } else {
            sample.markA = 'V';
            sample.heading = lastHeading;
            if (startUtcMs != TrackPoint::kNoTime)
                writeTime(startUtcMs + t, &sample);
        }
        out.append(sample);
    }
    if (!covered)
        out.clear();
    return out;
}

int TrackAligner::coveredSeconds(const QList<GpsData> &samples)
{
    return int(std::count_if(samples.cbegin(), samples.cend(), [](const GpsData &s) { return s.markA == 'A'; }));
}
