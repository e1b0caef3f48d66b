#include "gpxreader.h"

#include <QDateTime>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {
const double kMetresPerSecondToKmh = 3.6;
// Points nest a few levels below <gpx>; extensions a few more.
const int kMaxDepth = 32;

bool toNumber(const QStringRef &text, double *out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

int digits(const QString &s, int at, int n)
{
    int v = 0;
    for (int i = at; i < at + n; ++i) {
        const QChar c = s.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// "yyyy-MM-ddThh:mm:ssZ", as nearly every GPX writer puts it; -1 otherwise.
qint64 commonUtcMs(const QString &s)
{
    if (s.size() != 20 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-') || s.at(10) != QLatin1Char('T')
        || s.at(13) != QLatin1Char(':') || s.at(16) != QLatin1Char(':') || s.at(19) != QLatin1Char('Z'))
        return -1;
    const int y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2);
    const int h = digits(s, 11, 2), mi = digits(s, 14, 2), se = digits(s, 17, 2);
    const QDate date(y, mo, d);
    if (!date.isValid() || h < 0 || h > 23 || mi < 0 || mi > 59 || se < 0 || se > 59)
        return -1;
    return (QDate(1970, 1, 1).daysTo(date) * 86400 + h * 3600 + mi * 60 + se) * qint64(1000);
}

qint64 toUtcMs(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qint64 common = commonUtcMs(trimmed);
    if (common != -1)
        return common;
    QDateTime t = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
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
    const bool placed = toNumber(attrs.value(QLatin1String("lat")), &p->latitude)
        && toNumber(attrs.value(QLatin1String("lon")), &p->longitude)
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
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (toNumber(QStringRef(&text), &v) && v >= 0.0)
                    p->speedKmh = v * kMetresPerSecondToKmh;
                --depth;
            } else if (name == QLatin1String("course")) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (toNumber(QStringRef(&text), &v) && v >= 0.0 && v <= 360.0)
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
