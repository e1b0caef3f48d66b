#include "gpxreader.h"

#include <QDateTime>
#include <QLocale>
#include <QStringView>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <cmath>

// A folder of recordings may bring hundreds of these per parse: values are
// read as views into the reader's own buffer, nothing is copied per element.
namespace {
const double kMetresPerSecondToKmh = 3.6;
// Points nest a few levels below <gpx>; extensions a few more.
const int kMaxDepth = 32;
// Enough for any coordinate, speed or course as writers put them; longer
// text goes the slow way.
const int kMaxNumberChars = 40;

bool toNumber(QStringView text, double *out)
{
    text = text.trimmed();
    // A plus sign is accepted as QString::toDouble accepts it, but only one sign.
    if (text.startsWith(QLatin1Char('+'))) {
        text = text.mid(1);
        if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-')))
            return false;
    }
    const int n = int(text.size());
    if (n == 0)
        return false;
    if (n > kMaxNumberChars) {
        bool ok = false;
        const double v = QLocale::c().toDouble(text, &ok);
        if (!ok || !std::isfinite(v))
            return false;
        *out = v;
        return true;
    }
    char ascii[kMaxNumberChars];
    for (int i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 0x7f)
            return false;
        ascii[i] = char(c);
    }
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(ascii, ascii + n, v);
    if (r.ec != std::errc() || r.ptr != ascii + n || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

int digits(QStringView s, int at, int n)
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
qint64 commonUtcMs(QStringView s)
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

qint64 toUtcMs(QStringView text)
{
    text = text.trimmed();
    const qint64 common = commonUtcMs(text);
    if (common != -1)
        return common;
    QDateTime t = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    if (!t.isValid())
        return TrackPoint::kNoTime;
    // GPX times are UTC; one written without a zone is taken as such.
    if (t.timeSpec() == Qt::LocalTime)
        t.setTimeSpec(Qt::UTC);
    return t.toMSecsSinceEpoch();
}

// The text of the element the reader stands on, without its children's, as
// readElementText gives it; text is reused from element to element so that
// it is allocated once per document.
void readText(QXmlStreamReader &xml, QString *text)
{
    text->resize(0);
    int depth = 1;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == 0)
                return;
        } else if (token == QXmlStreamReader::StartElement) {
            if (++depth > kMaxDepth) {
                xml.raiseError(QStringLiteral("elements nested too deep"));
                return;
            }
        } else if (depth == 1
                   && (token == QXmlStreamReader::Characters || token == QXmlStreamReader::EntityReference)) {
            text->append(xml.text());
        }
    }
}

// Reads one <trkpt>/<rtept>/<wpt>; the reader stands on its start element.
bool readPoint(QXmlStreamReader &xml, TrackPoint *p, QString *text)
{
    bool placed = false;
    {
        // Gone before the next token: a copy still held then would be detached.
        const QXmlStreamAttributes attrs = xml.attributes();
        placed = toNumber(attrs.value(QLatin1String("lat")), &p->latitude)
            && toNumber(attrs.value(QLatin1String("lon")), &p->longitude)
            && std::fabs(p->latitude) <= 90.0 && std::fabs(p->longitude) <= 180.0;
    }
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
                readText(xml, text);
                p->utcMs = toUtcMs(*text);
                --depth;
            } else if (name == QLatin1String("speed")) {
                readText(xml, text);
                if (toNumber(*text, &v) && v >= 0.0)
                    p->speedKmh = v * kMetresPerSecondToKmh;
                --depth;
            } else if (name == QLatin1String("course")) {
                readText(xml, text);
                if (toNumber(*text, &v) && v >= 0.0 && v <= 360.0)
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
    QString text;
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
            if (readPoint(xml, &p, &text))
                points.append(p);
            else
                ++skipped;
        }
    }
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        *problem = QStringLiteral("GPX line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return {};
    }
    const auto before = [](const TrackPoint &a, const TrackPoint &b) { return a.utcMs < b.utcMs; };
    // Writers put points in time order; only the others need sorting.
    if (std::adjacent_find(points.cbegin(), points.cend(), [](const TrackPoint &a, const TrackPoint &b) {
            return a.utcMs >= b.utcMs;
        }) != points.cend()) {
        std::stable_sort(points.begin(), points.end(), before);
        points.erase(std::unique(points.begin(), points.end(),
                                 [](const TrackPoint &a, const TrackPoint &b) { return a.utcMs == b.utcMs; }),
                     points.end());
    }
    if (points.isEmpty())
        *problem = sawRoot ? QStringLiteral("no track point with a time and a position (%1 skipped)").arg(skipped)
                           : QStringLiteral("not a GPX document");
    else
        problem->clear();
    return points;
}
