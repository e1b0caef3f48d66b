#include "tripsamples.h"

#include "exportlog.h"
#include "videoparser.h"

#include <cmath>

QList<GpsData> TripSamples::read(const QString &path)
{
    VideoParser parser;
    parser.setFile(path, 0);
    parser.parse();
    return parser.gpsDataList();
}

QList<GpsData> TripSamples::ofRange(const QList<QList<GpsData>> &perSegment, const QList<PlacedSegment> &placed,
                                    int seconds)
{
    QList<GpsData> out;
    if (placed.isEmpty() || perSegment.size() != placed.size())
        return out;
    // A picture that falls a hair before a whole second still belongs to it.
    const double slack = 1e-3;
    int segment = 0;
    for (int i = 0; i < seconds; ++i) {
        while (segment + 1 < placed.size() && placed[segment + 1].exportStart <= i + slack)
            ++segment;
        const QList<GpsData> &samples = perSegment[segment];
        if (samples.isEmpty()) {
            qCInfo(lcExport) << "no trip data for second" << i << "of the export";
            return QList<GpsData>();
        }
        const double local = placed[segment].sourceFrom + (i - placed[segment].exportStart);
        const int index = qBound(0, int(std::floor(local + slack)), samples.size() - 1);
        GpsData s = samples[index];
        s.index = i;
        out.append(s);
    }
    return out;
}

QDateTime TripSamples::utcTime(const GpsData &sample)
{
    // Parsed apart from any local zone, so no daylight-saving gap eats a time.
    const QString text = QString::fromLatin1(sample.dateTime, int(qstrnlen(sample.dateTime, 14)));
    const QDate date = QDate::fromString(text.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(text.mid(8), QStringLiteral("hhmmss"));
    if (text.size() != 14 || !date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

bool TripSamples::hasPosition(const GpsData &sample)
{
    return !(sample.latitude == 0.0 && sample.longitude == 0.0);
}
