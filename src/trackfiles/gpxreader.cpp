#include "gpxreader.h"

#include <QDateTime>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {
const double kMetresPerSecondToKmh = 3.6;
// Points nest a few levels below <gpx>; extensions a few more.
const int kMaxDepth = 32;

bool toNumber(const QString &text, double *out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

qint64 toUtcMs(const QString &text)
{
    QDateTime t = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    if (!t.isValid())
        return TrackPoint::kNoTime;
    // GPX times are UTC; one written without a zone is taken as such.
    if (t.timeSpec() == Qt::LocalTime)
        t.setTimeSpec(Qt::UTC);
    return t.toMSecsSinceEpoch();
}

// Reads one <trkpt>/<rtept>/<wpt>; the reader stands on its start element.
bool readPoint(QXmlStreamReader &xml, TrackPoint *p)
{
    const QXmlStreamAttributes attrs = xml.attributes();
    const bool placed = toNumber(attrs.value(QLatin1String("lat")).toString(), &p->latitude)
        && toNumber(attrs.value(QLatin1String("lon")).toString(), &p->longitude)
        && std::fabs(p->latitude) <= 90.0 && std::fabs(p->longitude) <= 180.0;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
        } else if (token == QXmlStreamReader::StartElement) {
            if (++depth > kMaxDepth) {
                xml.raiseError(QStringLiteral("elements nested too deep"));
                return false;
            }
            const QStringRef name = xml.name();
            double v = 0.0;
            if (name == QLatin1String("time")) {
                p->utcMs = toUtcMs(xml.readElementText(QXmlStreamReader::SkipChildElements));
                --depth;
            } else if (name == QLatin1String("speed")) {
                if (toNumber(xml.readElementText(QXmlStreamReader::SkipChildElements), &v) && v >= 0.0)
                    p->speedKmh = v * kMetresPerSecondToKmh;
                --depth;
            } else if (name == QLatin1String("course")) {
                if (toNumber(xml.readElementText(QXmlStreamReader::SkipChildElements), &v) && v >= 0.0 && v <= 360.0)
                    p->course = std::fmod(v, 360.0);
                --depth;
            }
        }
    }
    return placed && p->utcMs != TrackPoint::kNoTime;
}
} // namespace

TrackPoints GpxReader::read(const QByteArray &data, QString *problem)
{
    TrackPoints points;
    QXmlStreamReader xml(data);
    bool sawRoot = false;
    int skipped = 0;
    while (!xml.atEnd() && points.size() < kMaxTrackPoints) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            // Entities could make a small file expand without bound.
            xml.raiseError(QStringLiteral("document type declarations are not accepted"));
            break;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (!sawRoot) {
            if (name != QLatin1String("gpx")) {
                xml.raiseError(QStringLiteral("not a GPX document (root element %1)").arg(name.toString()));
                break;
            }
            sawRoot = true;
            continue;
        }
        if (name == QLatin1String("trkpt") || name == QLatin1String("rtept")) {
            TrackPoint p;
            if (readPoint(xml, &p))
                points.append(p);
            else
                ++skipped;
        }
    }
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        *problem = QStringLiteral("GPX line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return {};
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint &a, const TrackPoint &b) { return a.utcMs < b.utcMs; });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const TrackPoint &a, const TrackPoint &b) { return a.utcMs == b.utcMs; }),
                 points.end());
    if (points.isEmpty())
        *problem = sawRoot ? QStringLiteral("no track point with a time and a position (%1 skipped)").arg(skipped)
                           : QStringLiteral("not a GPX document");
    else
        problem->clear();
    return points;
}
