#include "triprecording.h"

#include <QRegularExpression>
#include <QtMath>

namespace {
const double kEarthRadiusMeters = 6371008.8;
// One second's step longer than this is a bad fix, not driving (over 1000 km/h).
const double kLongestStepMeters = 300.0;

const QRegularExpression kNameTime(QStringLiteral("(?<!\\d)(\\d{8})[_-]?(\\d{6})(?!\\d)"));
} // namespace

QDateTime TripRecording::timeFromFileName(const QString &fileName)
{
    const QRegularExpressionMatch m = kNameTime.match(fileName);
    if (!m.hasMatch())
        return QDateTime();
    QDateTime t = QDateTime::fromString(m.captured(1) + m.captured(2), QStringLiteral("yyyyMMddhhmmss"));
    t.setTimeSpec(Qt::UTC);
    return t;
}

QDateTime TripRecording::timeOfSample(const GpsData &sample)
{
    const QString text = QString::fromLatin1(sample.dateTime, int(qstrnlen(sample.dateTime, sizeof sample.dateTime)));
    QDateTime t = QDateTime::fromString(text, QStringLiteral("yyyyMMddhhmmss"));
    // A camera without a fix writes zeros or nothing.
    if (!t.isValid() || t.date().year() < 2000)
        return QDateTime();
    t.setTimeSpec(Qt::UTC);
    return t;
}

bool TripRecording::hasPosition(const GpsData &sample)
{
    return (sample.latitude != 0.0 || sample.longitude != 0.0) && qAbs(sample.latitude) <= 90.0
        && qAbs(sample.longitude) <= 180.0;
}

double TripRecording::metersBetween(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = qDegreesToRadians(lat1);
    const double p2 = qDegreesToRadians(lat2);
    const double dp = p2 - p1;
    const double dl = qDegreesToRadians(lon2 - lon1);
    const double a = qSin(dp / 2) * qSin(dp / 2) + qCos(p1) * qCos(p2) * qSin(dl / 2) * qSin(dl / 2);
    return 2 * kEarthRadiusMeters * qAtan2(qSqrt(a), qSqrt(1 - a));
}

TripRecording TripRecording::fromSamples(int id, const QString &fileName, bool front, int durationSeconds,
                                         const QList<GpsData> &samples)
{
    TripRecording r;
    r.id = id;
    r.front = front;
    r.durationSeconds = qMax(0, durationSeconds);
    const GpsData *previous = nullptr;
    for (const GpsData &s : samples) {
        if (!r.start.isValid())
            r.start = timeOfSample(s);
        r.topSpeedKmh = qMax(r.topSpeedKmh, int(s.speed));
        if (!hasPosition(s))
            continue;
        if (!r.hasFix) {
            r.hasFix = true;
            r.firstLatitude = s.latitude;
            r.firstLongitude = s.longitude;
        }
        if (previous) {
            const double step = metersBetween(previous->latitude, previous->longitude, s.latitude, s.longitude);
            if (step <= kLongestStepMeters)
                r.distanceMeters += step;
        }
        previous = &s;
        r.lastLatitude = s.latitude;
        r.lastLongitude = s.longitude;
    }
    if (!r.start.isValid())
        r.start = timeFromFileName(fileName);
    return r;
}
