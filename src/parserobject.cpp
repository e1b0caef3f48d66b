#include "parserobject.h"

#include "coordinateconv.h"
#include "datalog.h"
#include "filebytesource.h"
#include "memorybytesource.h"

#include <QFileInfo>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
const char kMaskByte = 0x3C;
// The last column a sample uses is the G-sensor block ending at byte 184; a
// record cut before it is not in the file.
const int kUsedRecordBytes = 185;
// Positions closer than this count as the same for the heading.
const double kMoveThreshold = 0.00001;
// A minute's table is a few hundred bytes: read it in one go. Larger tables
// (hours of records, or a broken count) are read entry by entry.
const qint64 kTableReadLimit = 16 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%Nd" conversion over [p, end): skips white space, then takes at most
// width characters of an optionally signed number. Returns where it stopped,
// or nullptr when no digit was taken. A NUL ends the text as it would for the
// C library.
const char *scanInt(const char *p, const char *end, int width, int *out)
{
    while (p < end && *p != '\0' && isSpace(*p))
        ++p;
    const char *limit = (end - p > width) ? p + width : end;
    bool negative = false;
    if (p < limit && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    int value = 0;
    const char *digits = p;
    while (p < limit && *p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        ++p;
    }
    if (p == digits)
        return nullptr;
    *out = negative ? -value : value;
    return p;
}

// Two conversions in a row; a failed first one leaves the second at 0.
void scanPair(const char *p, const char *end, int w1, int w2, int *a, int *b)
{
    *a = 0;
    *b = 0;
    const char *next = scanInt(p, end, w1, a);
    if (next)
        scanInt(next, end, w2, b);
}

double degreesFromColumns(int degrees, int minutesTimes10000)
{
    return degrees + (minutesTimes10000 / 10000.0) / 60.0;
}
} // namespace

ParserObject::ParserObject(const QString &fileName, const char *parserName, QObject *parent)
    : QObject(parent)
    , fileName(fileName)
{
    file.setFileName(fileName);
    // Only plain files: a directory cannot be parsed, and opening a FIFO or a
    // device would block or never end.
    const QFileInfo info(fileName);
    QString why;
    if (info.exists() && !info.isFile())
        why = QStringLiteral("not a regular file");
    else if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        why = file.errorString();
    if (!why.isEmpty())
        qCDebug(lcData).noquote() << "Mp4Parser open file error, file:" << fileName << "-" << parserName << why;
    m_source = std::make_unique<FileByteSource>(&file);
}

ParserObject::ParserObject(const QByteArray &data, const QString &fileName, QObject *parent)
    : QObject(parent)
    , fileName(fileName)
    , m_source(std::make_unique<MemoryByteSource>(data))
{
}

ParserObject::~ParserObject()
{
    if (file.isOpen())
        file.close();
}

bool ParserObject::isOpen() const
{
    return m_source->isOpen();
}

quint64 ParserObject::bytesRead() const
{
    return m_source->bytesRead();
}

qint64 ParserObject::sourceSize() const
{
    return m_source->size();
}

quint16 ParserObject::readUInt16()
{
    uchar b[2] = {};
    m_source->read(reinterpret_cast<char *>(b), 2);
    return qFromBigEndian<quint16>(b);
}

quint32 ParserObject::readUInt32()
{
    uchar b[4] = {};
    m_source->read(reinterpret_cast<char *>(b), 4);
    return qFromBigEndian<quint32>(b);
}

quint64 ParserObject::readUInt64()
{
    uchar b[8] = {};
    m_source->read(reinterpret_cast<char *>(b), 8);
    return qFromBigEndian<quint64>(b);
}

quint32 ParserObject::readUInt32LE()
{
    uchar b[4] = {};
    m_source->read(reinterpret_cast<char *>(b), 4);
    return qFromLittleEndian<quint32>(b);
}

QByteArray ParserObject::readFixed(int size, qint64 limit)
{
    QByteArray buffer(size, '\0');
    const qint64 room = limit - m_source->pos();
    if (room > 0)
        m_source->read(buffer.data(), qMin<qint64>(size, room));
    return buffer;
}

int32_t ParserObject::clampToInt(quint64 value)
{
    return value > quint64(std::numeric_limits<int32_t>::max())
        ? std::numeric_limits<int32_t>::max()
        : int32_t(value);
}

bool ParserObject::readTableEntry(qint64 at, quint32 *value)
{
    if (!m_tableRead) {
        m_tableRead = true;
        const qint64 stride = gpsKind == IndexBoxGps ? 8 : 4;
        const qint64 bytes = qMin(stride * gpsCount, m_source->size() - gpsOffset);
        if (bytes > 0 && bytes <= kTableReadLimit) {
            m_table.resize(int(bytes));
            m_source->seek(gpsOffset);
            m_table.resize(int(qMax<qint64>(0, m_source->read(m_table.data(), bytes))));
        }
    }
    const qint64 inTable = at - gpsOffset;
    if (inTable >= 0 && inTable + 4 <= m_table.size()) {
        *value = qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(m_table.constData()) + inTable);
        return true;
    }
    uchar b[4] = {};
    if (!m_source->seek(at) || m_source->read(reinterpret_cast<char *>(b), 4) != 4)
        return false;
    *value = qFromBigEndian<quint32>(b);
    return true;
}

// Table offsets are 32-bit, but the record position is kept in 64 bits so a
// table entry near 4 GiB does not wrap around to the start of the file.
bool ParserObject::recordPosition(int k, qint64 *pos)
{
    quint32 entry = 0;
    switch (gpsKind) {
    case ExtTrackGps:
        if (!readTableEntry(gpsOffset + 4 * qint64(k), &entry))
            return false;
        *pos = qint64(entry) + 2;
        return true;
    case IndexBoxGps:
        if (!readTableEntry(gpsOffset + 8 * qint64(k), &entry))
            return false;
        *pos = qint64(entry) + 18;
        return true;
    case FreeGpsInSound:
        if (!readTableEntry(gpsOffset + 4 * qint64(k), &entry))
            return false;
        *pos = qint64(entry) + freeGpsOffset + 14;
        return true;
    case TopLevelGps:
        *pos = gpsOffset + 311 * qint64(k);
        return true;
    case MetaTrackGps:
        if (!readTableEntry(gpsOffset + 4 * qint64(k), &entry))
            return false;
        *pos = qint64(entry);
        return true;
    case AviGpsBlock:
        *pos = gpsOffset + qint64(kRecordSize) * k;
        return true;
    default:
        return false;
    }
}

bool ParserObject::readGpsSample(int i, GpsData *out)
{
    if (gpsKind == NmeaTrackGps || gpsKind == GpmfTrackGps) {
        if (!m_trackDecoded) {
            m_trackDecoded = true;
            m_trackSamples = decodeTrackSamples();
        }
        if (i < 0 || i >= m_trackSamples.size())
            return false;
        *out = m_trackSamples.at(i);
        return true;
    }
    if (gpsCount <= 0)
        return false;
    std::memset(out, 0, sizeof(GpsData));
    char record[kRecordSize] = {};
    if (i < 0 || i >= gpsCount - 1)
        return false;
    out->index = i;
    // Record 0 of every source is never a sample.
    const int k = i + 1;
    qint64 pos = 0;
    if (!recordPosition(k, &pos))
        return false;
    // A record that the file does not hold is no sample; reporting one with
    // a made-up position and time would be wrong data.
    if (pos < 0 || pos > m_source->size() - kUsedRecordBytes) {
        qCDebug(lcData) << "GPS record" << k << "at" << pos << "lies past the end of" << fileName;
        return false;
    }
    m_source->seek(pos);
    if (m_source->read(record, kRecordSize) < kUsedRecordBytes)
        return false;
    for (int b = 2; b < kRecordSize; ++b)
        record[b] ^= kMaskByte;
    return decodeRecord(k, record, out);
}

bool ParserObject::decodeRecord(int k, const char *record, GpsData *out)
{
    const char *end = record + kRecordSize;
    std::memcpy(out->dateTime, record + 8, 14);
    out->dateTime[14] = '\0';
    std::memcpy(out->extraText, record + 23, 14);
    out->extraText[14] = '\0';
    out->markA = record[22];
    out->markB = record[37];
    out->latitudeRef = record[38];
    out->longitudeRef = record[47];

    int d = 0;
    int m = 0;
    scanPair(record + 39, end, 2, 6, &d, &m);
    out->latitude = degreesFromColumns(d, m);
    if (out->latitudeRef == 'S')
        out->latitude = 0 - out->latitude;

    scanPair(record + 48, end, 3, 6, &d, &m);
    out->longitude = degreesFromColumns(d, m);
    if (out->longitudeRef == 'W')
        out->longitude = 0 - out->longitude;

    int value = 0;
    out->extraNumber = scanInt(record + 57, end, 5, &value) ? value : 0;
    value = 0;
    out->speed = scanInt(record + 62, end, 3, &value) ? value : 0;

    float *axes[3] = {&out->gsensorZ, &out->gsensorY, &out->gsensorX};
    for (int a = 0; a < 3; ++a) {
        const char sign = record[173 + 4 * a];
        int whole = 0;
        int hundredths = 0;
        scanPair(record + 174 + 4 * a, end, 1, 2, &whole, &hundredths);
        const float magnitude = hundredths / 100.0f + whole;
        if (sign == '+')
            *axes[a] = magnitude;
        else if (sign == '-')
            *axes[a] = -magnitude;
    }

    const double lat = std::fabs(out->latitude);
    const double lon = std::fabs(out->longitude);
    if (k > lastIndex && std::fabs(lon - lastLongitude) > kMoveThreshold
        && std::fabs(lat - lastLatitude) > kMoveThreshold) {
        out->heading = CoordinateConv::GetAzimuth(lastLongitude, lastLatitude, lon, lat);
        lastHeading = out->heading;
    } else {
        out->heading = lastHeading;
    }
    lastLatitude = lat;
    lastLongitude = lon;
    lastIndex = k;
    return true;
}
