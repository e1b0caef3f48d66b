#include "trackexporter.h"

#include "csvfield.h"

#include <QDateTime>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QXmlStreamWriter>

namespace {
QString isoTime(const char *dateTime)
{
    const QDateTime t = QDateTime::fromString(QString::fromLatin1(dateTime, int(qstrnlen(dateTime, 14))),
                                              QStringLiteral("yyyyMMddhhmmss"));
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")) : QString();
}

QString coordinate(double v)
{
    return QString::number(v, 'f', 6);
}
} // namespace

bool TrackExporter::formatFromName(const QString &name, Format *format)
{
    if (name == QLatin1String("gpx"))
        *format = Gpx;
    else if (name == QLatin1String("kml"))
        *format = Kml;
    else if (name == QLatin1String("csv"))
        *format = Csv;
    else if (name == QLatin1String("geojson"))
        *format = GeoJson;
    else
        return false;
    return true;
}

void TrackExporter::addTrack(const QString &name, const QList<GpsData> &samples)
{
    Track track;
    track.name = name;
    for (const GpsData &s : samples) {
        if (s.latitude == 0.0 && s.longitude == 0.0)
            continue;
        track.points.append({s.latitude, s.longitude, s.speed, s.heading, isoTime(s.dateTime)});
    }
    m_tracks.append(track);
}

bool TrackExporter::write(Format format, QIODevice *out) const
{
    switch (format) {
    case Gpx:
        return writeGpx(out);
    case Kml:
        return writeKml(out);
    case Csv:
        return writeCsv(out);
    case GeoJson:
        return writeGeoJson(out);
    }
    return false;
}

bool TrackExporter::writeGpx(QIODevice *out) const
{
    QXmlStreamWriter xml(out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("trackora-gps"));
    for (const Track &track : m_tracks) {
        xml.writeStartElement(QStringLiteral("trk"));
        xml.writeTextElement(QStringLiteral("name"), track.name);
        xml.writeStartElement(QStringLiteral("trkseg"));
        for (const Point &p : track.points) {
            xml.writeStartElement(QStringLiteral("trkpt"));
            xml.writeAttribute(QStringLiteral("lat"), coordinate(p.latitude));
            xml.writeAttribute(QStringLiteral("lon"), coordinate(p.longitude));
            if (!p.time.isEmpty())
                xml.writeTextElement(QStringLiteral("time"), p.time);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return !xml.hasError();
}

bool TrackExporter::writeKml(QIODevice *out) const
{
    QXmlStreamWriter xml(out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
    xml.writeStartElement(QStringLiteral("Document"));
    for (const Track &track : m_tracks) {
        // The route as one line, and each point with its own time stamp.
        xml.writeStartElement(QStringLiteral("Folder"));
        xml.writeTextElement(QStringLiteral("name"), track.name);
        xml.writeStartElement(QStringLiteral("Placemark"));
        xml.writeTextElement(QStringLiteral("name"), track.name);
        if (!track.points.isEmpty() && !track.points.first().time.isEmpty()
            && !track.points.last().time.isEmpty()) {
            xml.writeStartElement(QStringLiteral("TimeSpan"));
            xml.writeTextElement(QStringLiteral("begin"), track.points.first().time);
            xml.writeTextElement(QStringLiteral("end"), track.points.last().time);
            xml.writeEndElement();
        }
        xml.writeStartElement(QStringLiteral("LineString"));
        xml.writeTextElement(QStringLiteral("tessellate"), QStringLiteral("1"));
        QStringList coordinates;
        for (const Point &p : track.points)
            coordinates.append(coordinate(p.longitude) + QLatin1Char(',') + coordinate(p.latitude) + QLatin1String(",0"));
        xml.writeTextElement(QStringLiteral("coordinates"), coordinates.join(QLatin1Char(' ')));
        xml.writeEndElement();
        xml.writeEndElement();
        for (const Point &p : track.points) {
            xml.writeStartElement(QStringLiteral("Placemark"));
            if (!p.time.isEmpty()) {
                xml.writeStartElement(QStringLiteral("TimeStamp"));
                xml.writeTextElement(QStringLiteral("when"), p.time);
                xml.writeEndElement();
            }
            xml.writeStartElement(QStringLiteral("Point"));
            xml.writeTextElement(QStringLiteral("coordinates"),
                                 coordinate(p.longitude) + QLatin1Char(',') + coordinate(p.latitude) + QLatin1String(",0"));
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

bool TrackExporter::writeCsv(QIODevice *out) const
{
    QTextStream text(out);
    text.setCodec("UTF-8");
    text << "file,time,latitude,longitude,speed,heading\n";
    for (const Track &track : m_tracks) {
        for (const Point &p : track.points) {
            text << csvField(track.name) << ',' << p.time << ',' << coordinate(p.latitude) << ','
                 << coordinate(p.longitude) << ',' << p.speed << ',' << QString::number(p.heading, 'f', 2) << '\n';
        }
    }
    text.flush();
    return text.status() == QTextStream::Ok;
}

bool TrackExporter::writeGeoJson(QIODevice *out) const
{
    QJsonArray features;
    for (const Track &track : m_tracks) {
        QJsonArray positions;
        QJsonArray times;
        QJsonArray speeds;
        for (const Point &p : track.points) {
            positions.append(QJsonArray{p.longitude, p.latitude});
            times.append(p.time.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(p.time));
            speeds.append(p.speed);
        }
        // A line needs two positions; fewer are written as what they are.
        QJsonValue geometry(QJsonValue::Null);
        if (positions.size() >= 2)
            geometry = QJsonObject{{QStringLiteral("type"), QStringLiteral("LineString")},
                                   {QStringLiteral("coordinates"), positions}};
        else if (positions.size() == 1)
            geometry = QJsonObject{{QStringLiteral("type"), QStringLiteral("Point")},
                                   {QStringLiteral("coordinates"), positions.first()}};
        const QJsonObject properties{{QStringLiteral("name"), track.name},
                                     {QStringLiteral("times"), times},
                                     {QStringLiteral("speeds"), speeds}};
        features.append(QJsonObject{{QStringLiteral("type"), QStringLiteral("Feature")},
                                    {QStringLiteral("geometry"), geometry},
                                    {QStringLiteral("properties"), properties}});
    }
    const QJsonObject collection{{QStringLiteral("type"), QStringLiteral("FeatureCollection")},
                                 {QStringLiteral("features"), features}};
    const QByteArray bytes = QJsonDocument(collection).toJson(QJsonDocument::Indented);
    return out->write(bytes) == bytes.size();
}
