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
    *format = Unknown;
    const QFileInfo info(path);
    if (!info.isFile()) {
        *problem = info.exists() ? QStringLiteral("not a regular file") : QStringLiteral("no such file");
        return {};
    }
    if (info.size() > kMaxFileSize) {
        *problem = QStringLiteral("%1 bytes is too large for a track").arg(info.size());
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = file.errorString();
        return {};
    }
    const QByteArray data = file.read(kMaxFileSize);
    *format = formatOf(path, data);
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
