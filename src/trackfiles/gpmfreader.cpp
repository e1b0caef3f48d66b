#include "gpmfreader.h"

#include <QDate>
#include <QDateTime>
#include <QVector>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {
const int kMaxNesting = 8;
const double kStandardGravity = 9.80665;

struct Klv
{
    char key[5] = {};
    char type = 0;
    int structSize = 0;
    int repeat = 0;
    const uchar *data = nullptr;
    int dataSize = 0;   // structSize * repeat, without padding
};

// The record at p inside [p, end); false when it does not fit.
bool readKlv(const uchar *p, const uchar *end, Klv *k, int *advance)
{
    if (end - p < 8)
        return false;
    std::memcpy(k->key, p, 4);
    k->type = char(p[4]);
    k->structSize = p[5];
    k->repeat = qFromBigEndian<quint16>(p + 6);
    k->dataSize = k->structSize * k->repeat;
    const int padded = (k->dataSize + 3) & ~3;
    if (padded > end - p - 8)
        return false;
    k->data = p + 8;
    *advance = 8 + padded;
    return true;
}

int typeSize(char type)
{
    switch (type) {
    case 'b': case 'B': case 'c': return 1;
    case 's': case 'S': return 2;
    case 'l': case 'L': case 'f': case 'q': return 4;
    case 'd': case 'j': case 'J': case 'Q': return 8;
    default: return 0;
    }
}

double valueAt(const uchar *p, char type)
{
    switch (type) {
    case 'b': return qint8(*p);
    case 'B': return *p;
    case 's': return qFromBigEndian<qint16>(p);
    case 'S': return qFromBigEndian<quint16>(p);
    case 'l': return qFromBigEndian<qint32>(p);
    case 'L': return qFromBigEndian<quint32>(p);
    case 'f': {
        const quint32 bits = qFromBigEndian<quint32>(p);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    case 'd': {
        const quint64 bits = qFromBigEndian<quint64>(p);
        double d;
        std::memcpy(&d, &bits, 8);
        return d;
    }
    case 'j': return double(qFromBigEndian<qint64>(p));
    case 'J': return double(qFromBigEndian<quint64>(p));
    case 'q': return qFromBigEndian<qint32>(p) / 65536.0;
    case 'Q': return double(qFromBigEndian<qint64>(p)) / 4294967296.0;
    default: return 0.0;
    }
}

// All values of a plain-typed record, in order.
QVector<double> values(const Klv &k)
{
    QVector<double> out;
    const int size = typeSize(k.type);
    if (size == 0 || k.structSize % size != 0)
        return out;
    const int n = k.dataSize / size;
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(valueAt(k.data + i * size, k.type));
    return out;
}

// "yymmddhhmmss.sss"
qint64 parseGpsu(const Klv &k)
{
    if (k.type != 'U' || k.dataSize < 16)
        return TrackPoint::kNoTime;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(k.data), 16);
    QDateTime t = QDateTime::fromString(text, QStringLiteral("yyMMddhhmmss.zzz"));
    if (!t.isValid())
        return TrackPoint::kNoTime;
    // Two-digit years are this century's.
    if (t.date().year() < 2000)
        t = t.addYears(100);
    t.setTimeSpec(Qt::UTC);
    return t.toMSecsSinceEpoch();
}

// 0 none, 2 2D, 3 3D; anything else counts as none.
int fixOf(double v)
{
    return v >= 0.0 && v <= 3.0 ? int(v) : 0;
}

double scaled(double v, const QVector<double> &scale, int i)
{
    double s = 1.0;
    if (scale.size() == 1)
        s = scale.at(0);
    else if (i < scale.size())
        s = scale.at(i);
    return s != 0.0 && std::isfinite(s) ? v / s : 0.0;
}

struct StreamState
{
    QVector<double> scale;
    QByteArray typeDesc;
    QByteArray orientation;
    int fix = -1;
    qint64 gpsu = TrackPoint::kNoTime;
    bool gps5 = false;
    bool gps9 = false;
    double gps[5] = {};
    qint64 gps9Utc = TrackPoint::kNoTime;
    int gps9Fix = -1;
    int accelCount = 0;
    double accel[3] = {};
};

void readAccel(const Klv &k, StreamState *s)
{
    if (typeSize(k.type) == 0 || k.structSize != 3 * typeSize(k.type))
        return;
    const QVector<double> v = values(k);
    for (int i = 0; i + 2 < v.size(); i += 3) {
        for (int a = 0; a < 3; ++a)
            s->accel[a] += scaled(v.at(i + a), s->scale, a);
        ++s->accelCount;
    }
}

void readGps5(const Klv &k, StreamState *s)
{
    if (k.repeat < 1 || typeSize(k.type) == 0 || k.structSize != 5 * typeSize(k.type))
        return;
    for (int a = 0; a < 5; ++a)
        s->gps[a] = scaled(valueAt(k.data + a * typeSize(k.type), k.type), s->scale, a);
    s->gps5 = true;
}

// GPS9: latitude, longitude, altitude, 2D and 3D speed, days since 2000,
// seconds of the day, precision, fix; the layout its TYPE must state.
void readGps9(const Klv &k, StreamState *s)
{
    if (k.repeat < 1 || k.type != '?' || s->typeDesc != "lllllllSS" || k.structSize != 32)
        return;
    double v[9];
    for (int a = 0; a < 7; ++a)
        v[a] = scaled(valueAt(k.data + 4 * a, 'l'), s->scale, a);
    v[7] = scaled(valueAt(k.data + 28, 'S'), s->scale, 7);
    v[8] = scaled(valueAt(k.data + 30, 'S'), s->scale, 8);
    for (int a = 0; a < 5; ++a)
        s->gps[a] = v[a];
    if (v[5] >= 0.0 && v[5] < 100000.0 && v[6] >= 0.0 && v[6] < 86401.0) {
        const qint64 days = qint64(v[5]) + QDate(1970, 1, 1).daysTo(QDate(2000, 1, 1));
        s->gps9Utc = days * 86400000 + qint64(std::llround(v[6] * 1000.0));
    }
    s->gps9Fix = fixOf(v[8]);
    s->gps9 = true;
}

void finishStream(const StreamState &s, GpmfPayload *out)
{
    const bool gpsFix9 = s.gps9 && s.gps9Fix >= 2;
    const bool gpsFix5 = s.gps5 && s.fix != 0 && s.fix != 1;
    if (!out->hasPosition && (gpsFix9 || gpsFix5)) {
        const bool valid = std::isfinite(s.gps[0]) && std::isfinite(s.gps[1]) && std::fabs(s.gps[0]) <= 90.0
            && std::fabs(s.gps[1]) <= 180.0 && std::isfinite(s.gps[3]) && s.gps[3] >= 0.0;
        if (valid) {
            out->hasPosition = true;
            out->latitude = s.gps[0];
            out->longitude = s.gps[1];
            out->altitude = std::isfinite(s.gps[2]) ? s.gps[2] : 0.0;
            out->speed2d = s.gps[3];
            out->utcMs = gpsFix9 ? s.gps9Utc : s.gpsu;
        }
    }
    if (!out->hasAccel && s.accelCount > 0) {
        // The stored order of the axes; a lower-case letter is a reversed axis.
        QByteArray orin = s.orientation.size() == 3 ? s.orientation : QByteArray("ZXY");
        float axes[3] = {};
        bool seen[3] = {};
        for (int a = 0; a < 3; ++a) {
            const char c = orin.at(a);
            const int axis = (c | 0x20) - 'x';
            if (axis < 0 || axis > 2 || seen[axis])
                return;
            seen[axis] = true;
            const double mean = s.accel[a] / s.accelCount / kStandardGravity;
            axes[axis] = float((c >= 'a') ? -mean : mean);
        }
        if (!std::isfinite(axes[0]) || !std::isfinite(axes[1]) || !std::isfinite(axes[2]))
            return;
        out->hasAccel = true;
        out->gX = axes[0];
        out->gY = axes[1];
        out->gZ = axes[2];
    }
}

bool walk(const uchar *p, const uchar *end, int depth, GpmfPayload *out, bool *sawKlv)
{
    if (depth > kMaxNesting)
        return false;
    StreamState s;
    while (p < end) {
        Klv k;
        int advance = 0;
        if (!readKlv(p, end, &k, &advance))
            return false;
        *sawKlv = true;
        p += advance;
        if (k.type == 0) {
            if (!walk(k.data, k.data + k.dataSize, depth + 1, out, sawKlv))
                return false;
            continue;
        }
        const QByteArray key(k.key, 4);
        if (key == "SCAL")
            s.scale = values(k);
        else if (key == "TYPE")
            s.typeDesc = QByteArray(reinterpret_cast<const char *>(k.data), k.dataSize);
        else if (key == "ORIN" && k.type == 'c')
            s.orientation = QByteArray(reinterpret_cast<const char *>(k.data), k.dataSize);
        else if (key == "GPSF" && typeSize(k.type) > 0 && k.dataSize >= typeSize(k.type))
            s.fix = fixOf(valueAt(k.data, k.type));
        else if (key == "GPSU")
            s.gpsu = parseGpsu(k);
        else if (key == "GPS5")
            readGps5(k, &s);
        else if (key == "GPS9")
            readGps9(k, &s);
        else if (key == "ACCL")
            readAccel(k, &s);
    }
    finishStream(s, out);
    return true;
}
} // namespace

bool GpmfReader::readPayload(const QByteArray &payload, GpmfPayload *out, QString *problem)
{
    *out = GpmfPayload();
    const uchar *p = reinterpret_cast<const uchar *>(payload.constData());
    bool sawKlv = false;
    if (!walk(p, p + payload.size(), 0, out, &sawKlv) || !sawKlv) {
        *problem = QStringLiteral("GPMF payload of %1 bytes is damaged").arg(payload.size());
        *out = GpmfPayload();
        return false;
    }
    problem->clear();
    return true;
}
