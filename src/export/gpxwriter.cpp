#include "gpxwriter.h"

#include "tripsamples.h"

#include <QIODevice>
#include <QXmlStreamWriter>

namespace {
const char kGpxNamespace[] = "http://www.topografix.com/GPX/1/1";
const char kTpxNamespace[] = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";

QString number(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

QString isoUtc(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}
} // namespace

bool GpxWriter::write(const QString &trackName, const QList<GpsData> &samples, QIODevice *out)
{
    const QString gpx = QString::fromLatin1(kGpxNamespace);
    const QString tpx = QString::fromLatin1(kTpxNamespace);
    QXmlStreamWriter xml(out);
    xml.setAutoFormatting(true);
    xml.writeNamespace(tpx, QStringLiteral("gpxtpx"));
    xml.writeDefaultNamespace(gpx);
    xml.writeStartDocument();
    xml.writeStartElement(gpx, QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Trackora"));
    QDateTime first;
    for (const GpsData &s : samples) {
        first = TripSamples::utcTime(s);
        if (first.isValid())
            break;
    }
    if (first.isValid()) {
        xml.writeStartElement(gpx, QStringLiteral("metadata"));
        xml.writeTextElement(gpx, QStringLiteral("time"), isoUtc(first));
        xml.writeEndElement();
    }
    xml.writeStartElement(gpx, QStringLiteral("trk"));
    xml.writeTextElement(gpx, QStringLiteral("name"), trackName);
    xml.writeStartElement(gpx, QStringLiteral("trkseg"));
    for (const GpsData &s : samples) {
        if (!TripSamples::hasPosition(s))
            continue;
        xml.writeStartElement(gpx, QStringLiteral("trkpt"));
        xml.writeAttribute(QStringLiteral("lat"), number(s.latitude, 7));
        xml.writeAttribute(QStringLiteral("lon"), number(s.longitude, 7));
        const QDateTime t = TripSamples::utcTime(s);
        if (t.isValid())
            xml.writeTextElement(gpx, QStringLiteral("time"), isoUtc(t));
        xml.writeStartElement(gpx, QStringLiteral("extensions"));
        xml.writeStartElement(tpx, QStringLiteral("TrackPointExtension"));
        xml.writeTextElement(tpx, QStringLiteral("speed"), number(s.speed / 3.6, 2));
        xml.writeTextElement(tpx, QStringLiteral("course"), number(s.heading, 1));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}
