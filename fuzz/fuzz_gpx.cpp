// A GPX document, read and aligned to a minute of recording at its first point.
#include "fuzzsupport.h"
#include "gpxreader.h"
#include "trackaligner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    QString problem;
    TrackPoints points = GpxReader::read(fuzz::view(data, size), &problem);
    fuzz::check(points.isEmpty() != problem.isEmpty(), "a reason exactly when there are no points");
    for (int i = 0; i < points.size(); ++i) {
        const TrackPoint &p = points.at(i);
        fuzz::check(std::fabs(p.latitude) <= 90.0 && std::fabs(p.longitude) <= 180.0, "position in range");
        fuzz::check(p.utcMs != TrackPoint::kNoTime, "every point has a time");
        if (i > 0)
            fuzz::check(points.at(i - 1).utcMs < p.utcMs, "one point per time, in order");
    }
    if (!points.isEmpty()) {
        TrackAligner::fillSpeedAndCourse(points);
        for (const GpsData &s : TrackAligner::alignByTime(points, points.first().utcMs, 60))
            fuzz::checkSample(s);
    }
    return 0;
}
