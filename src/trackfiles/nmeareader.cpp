#include "nmeareader.h"

#include "trackfileslog.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace {
const qint64 kDayMs = 24 * 3600 * 1000;
const double kKnotsToKmh = 1.852;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// "hhmmss" with optional fraction; false when out of range.
bool parseTimeOfDay(const QByteArray &f, qint64 *ms)
{
    if (f.size() < 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (f.at(i) < '0' || f.at(i) > '9')
            return false;
    }
    const int h = (f.at(0) - '0') * 10 + (f.at(1) - '0');
    const int m = (f.at(2) - '0') * 10 + (f.at(3) - '0');
    const int s = (f.at(4) - '0') * 10 + (f.at(5) - '0');
    if (h > 23 || m > 59 || s > 60)
        return false;
    double fraction = 0.0;
    if (f.size() > 6) {
        bool ok = false;
        fraction = f.mid(6).toDouble(&ok);
        if (!ok || f.at(6) != '.' || fraction < 0.0 || fraction >= 1.0)
            return false;
    }
    *ms = ((h * 60 + m) * 60 + s) * qint64(1000) + qint64(std::lround(fraction * 1000.0));
    return true;
}

// "ddmmyy", years 2000 to 2099 (the two-digit year of the sentence).
bool parseDate(const QByteArray &f, int *days)
{
    if (f.size() != 6)
        return false;
    bool ok = false;
    const int v = f.toInt(&ok);
    if (!ok || v < 0)
        return false;
    const QDate date(2000 + v % 100, (v / 100) % 100, v / 10000);
    if (!date.isValid())
        return false;
    *days = int(QDate(1970, 1, 1).daysTo(date));
    return true;
}

// "ddmm.mmmm" or "dddmm.mmmm" with its hemisphere letter.
bool parseCoordinate(const QByteArray &value, const QByteArray &hemisphere, double maxDegrees, double *out)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0.0 || hemisphere.size() != 1)
        return false;
    const double degrees = std::floor(v / 100.0);
    const double minutes = v - degrees * 100.0;
    if (minutes >= 60.0)
        return false;
    double d = degrees + minutes / 60.0;
    if (d > maxDegrees)
        return false;
    const char h = hemisphere.at(0);
    if (h == 'S' || h == 'W')
        d = -d;
    else if (h != 'N' && h != 'E')
        return false;
    *out = d;
    return true;
}

bool parseNumber(const QByteArray &f, double *out)
{
    if (f.isEmpty())
        return false;
    bool ok = false;
    const double v = f.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}
} // namespace

bool NmeaReader::looksLikeNmea(const QByteArray &text)
{
    for (int at = text.indexOf('$'); at >= 0 && at + 6 <= text.size(); at = text.indexOf('$', at + 1)) {
        const QByteArray type = text.mid(at + 3, 3);
        if (type == "RMC" || type == "GGA")
            return true;
    }
    return false;
}

void NmeaReader::addText(const QByteArray &text, qint64 offsetMs)
{
    const char *p = text.constData();
    const char *end = p + text.size();
    while (p < end && m_fixes.size() < kMaxTrackPoints) {
        const char *lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r' && *lineEnd != '\0')
            ++lineEnd;
        if (lineEnd > p)
            addLine(p, lineEnd, offsetMs);
        p = lineEnd + 1;
    }
    ++m_piece;
}

void NmeaReader::addLine(const char *begin, const char *end, qint64 offsetMs)
{
    // A sentence may follow other text on its line (a subtitle's styling).
    while (begin < end && *begin != '$')
        ++begin;
    if (begin == end || end - begin > kMaxLine)
        return;
    ++m_sentences;
    const char *star = begin + 1;
    quint8 sum = 0;
    while (star < end && *star != '*')
        sum ^= quint8(*star++);
    if (star < end) {
        const int hi = end - star >= 3 ? hexDigit(star[1]) : -1;
        const int lo = end - star >= 3 ? hexDigit(star[2]) : -1;
        if (hi < 0 || lo < 0 || quint8(hi * 16 + lo) != sum) {
            ++m_badChecksums;
            return;
        }
    }
    const QList<QByteArray> fields = QByteArray(begin + 1, int(star - begin - 1)).split(',');
    const QByteArray &id = fields.first();
    if (id.size() != 5)
        return;
    Fix fix;
    fix.offsetMs = offsetMs;
    fix.piece = m_piece;
    bool ok = false;
    if (id.endsWith("RMC"))
        ok = parseRmc(fields, &fix);
    else if (id.endsWith("GGA"))
        ok = parseGga(fields, &fix);
    else
        return;
    if (ok)
        m_fixes.append(fix);
}

bool NmeaReader::parseRmc(const QList<QByteArray> &f, Fix *fix)
{
    // time, status, lat, N/S, lon, E/W, knots, course, date
    if (f.size() < 10 || !parseTimeOfDay(f.at(1), &fix->timeOfDayMs) || !parseDate(f.at(9), &fix->dateDays))
        return false;
    if (f.at(2) != "A") {
        // The time still counts for the date; the position does not.
        ++m_withoutFix;
        return true;
    }
    fix->hasPosition = parseCoordinate(f.at(3), f.at(4), 90.0, &fix->latitude)
        && parseCoordinate(f.at(5), f.at(6), 180.0, &fix->longitude);
    double v = 0.0;
    if (parseNumber(f.at(7), &v) && v >= 0.0)
        fix->speedKmh = v * kKnotsToKmh;
    if (parseNumber(f.at(8), &v) && v >= 0.0 && v <= 360.0)
        fix->course = std::fmod(v, 360.0);
    return true;
}

bool NmeaReader::parseGga(const QList<QByteArray> &f, Fix *fix)
{
    // time, lat, N/S, lon, E/W, quality
    if (f.size() < 7 || !parseTimeOfDay(f.at(1), &fix->timeOfDayMs))
        return false;
    if (f.at(6).isEmpty() || f.at(6) == "0") {
        ++m_withoutFix;
        return true;
    }
    fix->hasPosition = parseCoordinate(f.at(2), f.at(3), 90.0, &fix->latitude)
        && parseCoordinate(f.at(4), f.at(5), 180.0, &fix->longitude);
    return true;
}

TrackPoints NmeaReader::finish()
{
    TrackPoints points;
    const auto firstDated = std::find_if(m_fixes.cbegin(), m_fixes.cend(), [](const Fix &f) { return f.dateDays >= 0; });
    if (firstDated == m_fixes.cend()) {
        m_problem = m_fixes.isEmpty()
            ? QStringLiteral("no RMC or GGA sentence read (%1 with a bad checksum)").arg(m_badChecksums)
            : QStringLiteral("no RMC sentence gives a date");
        m_fixes.clear();
        return points;
    }
    // Sentences before the first date belong to its day, or the day before
    // when their time of day lies after it (a track that starts before midnight).
    qint64 day = firstDated->dateDays;
    qint64 lastTime = firstDated->timeOfDayMs;
    bool beforeFirstDate = true;
    points.reserve(m_fixes.size());
    int piece = -1;
    qint64 pieceUtc = 0;
    for (const Fix &fix : qAsConst(m_fixes)) {
        if (fix.dateDays >= 0) {
            day = fix.dateDays;
            beforeFirstDate = false;
        } else if (beforeFirstDate) {
            day = firstDated->dateDays - (fix.timeOfDayMs > firstDated->timeOfDayMs + kDayMs / 2 ? 1 : 0);
        } else if (fix.timeOfDayMs + kDayMs / 2 < lastTime) {
            ++day; // past midnight without a date of its own
        }
        lastTime = fix.timeOfDayMs;
        const qint64 utc = day * kDayMs + fix.timeOfDayMs;
        if (fix.piece != piece) {
            piece = fix.piece;
            pieceUtc = utc;
        }
        if (!fix.hasPosition)
            continue;
        TrackPoint p;
        p.utcMs = utc;
        // Inside a recording, a text sample's sentences lie at its time and
        // the seconds they count on from there.
        if (fix.offsetMs != TrackPoint::kNoTime)
            p.offsetMs = fix.offsetMs + (utc - pieceUtc);
        p.latitude = fix.latitude;
        p.longitude = fix.longitude;
        p.speedKmh = fix.speedKmh;
        p.course = fix.course;
        points.append(p);
    }
    m_fixes.clear();
    // One point per time: an RMC and a GGA of the same second merge, the
    // RMC's speed and course kept.
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint &a, const TrackPoint &b) { return a.utcMs < b.utcMs; });
    TrackPoints merged;
    merged.reserve(points.size());
    for (const TrackPoint &p : qAsConst(points)) {
        if (!merged.isEmpty() && merged.constLast().utcMs == p.utcMs) {
            TrackPoint &last = merged.last();
            if (last.speedKmh < 0.0)
                last.speedKmh = p.speedKmh;
            if (last.course < 0.0)
                last.course = p.course;
            continue;
        }
        merged.append(p);
    }
    if (merged.isEmpty())
        m_problem = QStringLiteral("no sentence with a fix (%1 without, %2 with a bad checksum)")
                        .arg(m_withoutFix)
                        .arg(m_badChecksums);
    else
        m_problem.clear();
    if (m_badChecksums > 0)
        qCDebug(lcTrackFiles) << m_badChecksums << "NMEA sentences with a bad checksum skipped";
    return merged;
}
