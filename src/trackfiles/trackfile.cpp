#include "trackfile.h"

#include "gpxreader.h"
#include "nmeareader.h"
#include "trackaligner.h"

#include <QFile>
#include <QFileInfo>

TrackFile::Format TrackFile::formatOf(const QString &path, const QByteArray &head)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gpx"))
        return Gpx;
    if (suffix == QLatin1String("nmea") || suffix == QLatin1String("gps") || suffix == QLatin1String("log")
        || suffix == QLatin1String("txt"))
        return Nmea;
    const QByteArray start = head.left(1024).trimmed();
    if (start.startsWith('<'))
        return Gpx;
    if (NmeaReader::looksLikeNmea(start))
        return Nmea;
    return Unknown;
}

TrackPoints TrackFile::load(const QString &path, Format *format, QString *problem)
{
    return load(QFileInfo(path), format, problem);
}

TrackPoints TrackFile::load(const QFileInfo &info, Format *format, QString *problem)
{
    *format = Unknown;
    if (!info.isFile()) {
        *problem = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return {};
    }
    if (info.size() > kMaxFileSize) {
        *problem = QStringLiteral("%1 bytes is too large for a track").arg(info.size());
        return {};
    }
    QFile file(info.filePath());
    // One read straight into a buffer of the file's size: one of the limit's
    // size would be mapped and unmapped for every sidecar of a folder.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        *problem = file.errorString();
        return {};
    }
    QByteArray data(int(info.size()), Qt::Uninitialized);
    const qint64 n = file.read(data.data(), data.size());
    if (n < 0) {
        *problem = file.errorString();
        return {};
    }
    // A file cut short since it was looked at gives what it still holds.
    data.truncate(int(n));
    *format = formatOf(info.filePath(), data);
    return parse(data, *format, problem);
}

TrackPoints TrackFile::parse(const QByteArray &data, Format format, QString *problem)
{
    TrackPoints points;
    if (format == Gpx) {
        points = GpxReader::read(data, problem);
    } else if (format == Nmea) {
        NmeaReader reader;
        reader.addText(data);
        points = reader.finish();
        *problem = reader.problem();
    } else {
        *problem = QStringLiteral("neither GPX nor NMEA");
    }
    TrackAligner::fillSpeedAndCourse(points);
    return points;
}
