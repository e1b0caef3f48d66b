#pragma once

// The generated recordings and what a correct parse of each must report, read
// from the NAME.expected.json files beside them.

#include "gpsdata.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QtEndian>

#include <cmath>

namespace media {

inline QDir folder()
{
    return QDir(qEnvironmentVariable("TRACKORA_TEST_MEDIA"));
}

inline bool available()
{
    return folder().exists(QStringLiteral("manifest.json"));
}

// Paths relative to the media folder, in manifest order.
inline QStringList recordings()
{
    QFile f(folder().filePath(QStringLiteral("manifest.json")));
    QStringList out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QJsonValue &r : QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("recordings")).toArray())
        out.append(r.toObject().value(QStringLiteral("file")).toString());
    return out;
}

inline QJsonObject expected(const QString &relative)
{
    QFile f(folder().filePath(relative + QStringLiteral(".expected.json")));
    if (!f.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(f.readAll()).object();
}

inline QString letter(char c)
{
    return c ? QString(QLatin1Char(c)) : QString();
}

// Empty when the sample matches, else what differs.
inline QString compareSample(const GpsData &g, const QJsonObject &e)
{
    QStringList bad;
    auto text = [&](const char *name, const QString &got) {
        if (got != e.value(QLatin1String(name)).toString())
            bad << QStringLiteral("%1 %2 != %3").arg(QLatin1String(name), got, e.value(QLatin1String(name)).toString());
    };
    auto number = [&](const char *name, double got, double tolerance) {
        const double want = e.value(QLatin1String(name)).toDouble();
        if (!(std::fabs(got - want) <= tolerance))
            bad << QStringLiteral("%1 %2 != %3").arg(QLatin1String(name)).arg(got, 0, 'g', 17).arg(want, 0, 'g', 17);
    };
    text("dateTime", QString::fromLatin1(g.dateTime));
    text("extraText", QString::fromLatin1(g.extraText));
    text("markA", letter(g.markA));
    text("markB", letter(g.markB));
    text("latitudeRef", letter(g.latitudeRef));
    text("longitudeRef", letter(g.longitudeRef));
    number("index", g.index, 0);
    number("latitude", g.latitude, 1e-9);
    number("longitude", g.longitude, 1e-9);
    number("speed", g.speed, 0);
    number("extraNumber", g.extraNumber, 0);
    number("heading", g.heading, 1e-6);
    number("gsensorX", double(g.gsensorX), 1e-6);
    number("gsensorY", double(g.gsensorY), 1e-6);
    number("gsensorZ", double(g.gsensorZ), 1e-6);
    return bad.join(QStringLiteral("; "));
}

// Where record k of the file's source starts, found from the expected source
// location with plain reads; -1 when the table entry is not in the file.
inline qint64 recordStart(QFile &file, const QJsonObject &e, int k)
{
    const int kind = e.value(QStringLiteral("gpsKind")).toInt();
    const qint64 offset = qint64(e.value(QStringLiteral("gpsOffset")).toDouble());
    auto entry = [&](qint64 at) -> qint64 {
        uchar b[4];
        if (!file.seek(at) || file.read(reinterpret_cast<char *>(b), 4) != 4)
            return -1;
        return qFromBigEndian<quint32>(b);
    };
    qint64 base = -1;
    switch (kind) {
    case ExtTrackGps:
        return (base = entry(offset + 4 * k)) < 0 ? -1 : base + 2;
    case IndexBoxGps:
        return (base = entry(offset + 8 * k)) < 0 ? -1 : base + 18;
    case FreeGpsInSound:
        return (base = entry(offset + 4 * k)) < 0 ? -1 : base + e.value(QStringLiteral("freeGpsOffset")).toInt() + 14;
    case TopLevelGps:
        return offset + 311 * qint64(k);
    case MetaTrackGps:
        return entry(offset + 4 * k);
    case AviGpsBlock:
        return offset + 312 * qint64(k);
    default:
        return -1;
    }
}

// The raw samples whose records the file holds up to the G-sensor columns
// (bytes 0 to 184); the parser reports no sample for a record cut before that.
inline QJsonArray heldRawSamples(const QString &path, const QJsonObject &e)
{
    const QJsonArray raw = e.value(QStringLiteral("rawSamples")).toArray();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonArray();
    QJsonArray held;
    for (int i = 0; i < raw.size(); ++i) {
        const qint64 start = recordStart(file, e, i + 1);
        if (start < 0 || start + 185 > file.size())
            break;
        held.append(raw.at(i));
    }
    return held;
}

// One sample per second of video, as the background parse keeps them.
inline QJsonArray normalised(QJsonArray samples, int duration)
{
    if (samples.isEmpty())
        return samples;
    while (samples.size() > duration + 1)
        samples.removeLast();
    const QJsonValue last = samples.last();
    while (samples.size() < duration + 1)
        samples.append(last);
    return samples;
}

} // namespace media
