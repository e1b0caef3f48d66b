// NMEA text as a sidecar file and as the samples of a text track: the bytes
// are split at every 0xFF into pieces, each piece one track sample a second on.
#include "fuzzsupport.h"
#include "nmeareader.h"
#include "trackaligner.h"

#include <algorithm>

namespace {
void checkPoints(const TrackPoints &points)
{
    for (const TrackPoint &p : points) {
        fuzz::check(std::isfinite(p.latitude) && std::fabs(p.latitude) <= 90.0, "latitude within 90");
        fuzz::check(std::isfinite(p.longitude) && std::fabs(p.longitude) <= 180.0, "longitude within 180");
        fuzz::check(p.course < 360.0, "course below 360");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    const QByteArray text = fuzz::view(data, size);

    NmeaReader file;
    file.addText(text);
    TrackPoints points = file.finish();
    checkPoints(points);
    for (int i = 1; i < points.size(); ++i)
        fuzz::check(points.at(i - 1).utcMs < points.at(i).utcMs, "one point per time, in order");
    if (!points.isEmpty()) {
        TrackAligner::fillSpeedAndCourse(points);
        for (const GpsData &s : TrackAligner::alignByTime(points, points.first().utcMs, 30))
            fuzz::checkSample(s);
    }

    NmeaReader track;
    const QList<QByteArray> pieces = text.split('\xff');
    for (int i = 0; i < pieces.size(); ++i)
        track.addText(pieces.at(i), i * 1000);
    points = track.finish();
    checkPoints(points);
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint &a, const TrackPoint &b) { return a.offsetMs < b.offsetMs; });
    for (const GpsData &s : TrackAligner::alignByOffset(points, 30, TrackPoint::kNoTime))
        fuzz::checkSample(s);
    return 0;
}
