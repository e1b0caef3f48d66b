#include "gpsrecordwriter.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {
const int kRecordSize = 312;
const int kTopLevelStride = 311;
const char kMask = 0x3C;

void put(char *record, int at, const QByteArray &text)
{
    std::memcpy(record + at, text.constData(), size_t(text.size()));
}

void putText(char *record, int at, const char *text, int length)
{
    // Copied as read, NULs included, so a damaged field stays damaged.
    std::memcpy(record + at, text, size_t(length));
}

QByteArray digits(long value, int width, long maximum)
{
    return QByteArray::number(qlonglong(qBound(0L, value, maximum))).rightJustified(width, '0');
}

// Degrees, then minutes times 10000: the columns the decoder scans.
QByteArray angle(double value, int degreeDigits, long maxDegrees)
{
    const double magnitude = std::fabs(value);
    long degrees = long(std::floor(magnitude));
    long minutes = std::lround((magnitude - double(degrees)) * 60.0 * 10000.0);
    if (minutes >= 600000) {
        ++degrees;
        minutes -= 600000;
    }
    return digits(degrees, degreeDigits, maxDegrees) + digits(minutes, 6, 599999);
}

QByteArray gsensor(float value)
{
    const long hundredths = qMin(999L, std::lround(std::fabs(double(value)) * 100.0));
    return (value < 0 ? QByteArray("-") : QByteArray("+")) + digits(hundredths, 3, 999);
}
} // namespace

QByteArray GpsRecordWriter::record(const GpsData &s)
{
    QByteArray bytes(kRecordSize, '_');
    char *r = bytes.data();
    r[0] = 0x01;
    r[1] = 0x38;
    putText(r, 8, s.dateTime, 14);
    r[22] = s.markA;
    putText(r, 23, s.extraText, 14);
    r[37] = s.markB;
    r[38] = s.latitudeRef;
    put(r, 39, angle(s.latitude, 2, 99));
    r[47] = s.longitudeRef;
    put(r, 48, angle(s.longitude, 3, 999));
    put(r, 57, digits(s.extraNumber, 5, 99999));
    put(r, 62, digits(s.speed, 3, 999));
    put(r, 173, gsensor(s.gsensorZ));
    put(r, 177, gsensor(s.gsensorY));
    put(r, 181, gsensor(s.gsensorX));
    for (int i = 2; i < kRecordSize; ++i)
        r[i] = char(r[i] ^ kMask);
    return bytes;
}

QByteArray GpsRecordWriter::gps0Box(const QList<GpsData> &samples)
{
    if (samples.isEmpty())
        return QByteArray();
    QByteArray body;
    body.reserve((samples.size() + 1) * kTopLevelStride);
    body += record(samples.first()).left(kTopLevelStride);
    for (const GpsData &s : samples)
        body += record(s).left(kTopLevelStride);
    QByteArray box(8, '\0');
    qToBigEndian<quint32>(quint32(8 + body.size()), box.data());
    std::memcpy(box.data() + 4, "gps0", 4);
    return box + body;
}
