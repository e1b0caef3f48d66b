#include "externaltrack.h"
#include "foldertracks.h"
#include "gpmfreader.h"
#include "gpxreader.h"
#include "nmeareader.h"
#include "recordingclock.h"
#include "trackaligner.h"
#include "trackfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {
const QDateTime kStart(QDate(2024, 3, 5), QTime(10, 0, 0), Qt::UTC);

struct GpxPoint
{
    int second;          // from kStart
    double lat;
    double lon;
    double speed = -1.0; // m/s, -1 for none
};

// A GPX 1.1 track as a phone writes it; times in the given zone offset.
QByteArray makeGpx(const QList<GpxPoint> &points, int zoneOffsetSeconds = 0)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("gpx"));
    w.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    w.writeNamespace(QStringLiteral("http://example.org/xmlschemas/pointextension/1"), QStringLiteral("tpx"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    w.writeStartElement(QStringLiteral("trk"));
    w.writeStartElement(QStringLiteral("trkseg"));
    for (const GpxPoint &p : points) {
        w.writeStartElement(QStringLiteral("trkpt"));
        w.writeAttribute(QStringLiteral("lat"), QString::number(p.lat, 'f', 7));
        w.writeAttribute(QStringLiteral("lon"), QString::number(p.lon, 'f', 7));
        w.writeTextElement(QStringLiteral("ele"), QStringLiteral("12.5"));
        QDateTime t = kStart.addSecs(p.second).toOffsetFromUtc(zoneOffsetSeconds);
        w.writeTextElement(QStringLiteral("time"), t.toString(Qt::ISODate));
        if (p.speed >= 0.0) {
            w.writeStartElement(QStringLiteral("extensions"));
            w.writeStartElement(QStringLiteral("http://example.org/xmlschemas/pointextension/1"),
                                QStringLiteral("TrackPointExtension"));
            w.writeTextElement(QStringLiteral("http://example.org/xmlschemas/pointextension/1"),
                               QStringLiteral("speed"), QString::number(p.speed));
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndDocument();
    return out;
}

// Points due north, 0.0001 degrees (11.1 m) a second: 40 km/h.
QList<GpxPoint> northward(const QList<int> &seconds, double speed = -1.0)
{
    QList<GpxPoint> out;
    for (int s : seconds)
        out.append({s, 35.0 + 0.0001 * s, 139.0, speed});
    return out;
}

QByteArray nmea(const QByteArray &body)
{
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n";
}

QByteArray rmc(const char *time, const char *date, char status = 'A', const char *lat = "3500.0000")
{
    return nmea(QByteArray("GPRMC,") + time + ',' + status + ',' + lat + ",N,13900.0000,E,10.0,90.0," + date + ",,,A");
}

QByteArray gga(const char *time, int quality = 1, const char *lat = "3500.0060")
{
    return nmea(QByteArray("GNGGA,") + time + ',' + lat + ",N,13900.0000,E," + QByteArray::number(quality)
                + ",08,0.9,10.0,M,39.0,M,,");
}

// 'A' for a second with a position, 'V' for one without.
QString coverage(const QList<GpsData> &samples)
{
    QString out;
    for (const GpsData &s : samples)
        out += QLatin1Char(s.markA == 'A' ? 'A' : 'V');
    return out;
}

// GPMF records.
QByteArray klv(const char *key, char type, int size, int repeat, const QByteArray &data)
{
    QByteArray out(key, 4);
    out += type;
    out += char(size);
    out += char(repeat >> 8);
    out += char(repeat & 0xff);
    out += data;
    while (out.size() % 4)
        out += '\0';
    return out;
}

QByteArray nest(const char *key, const QByteArray &children)
{
    return klv(key, '\0', 1, children.size(), children);
}

QByteArray be32(qint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian<qint32>(v, b.data());
    return b;
}

QByteArray be16(qint16 v)
{
    QByteArray b(2, '\0');
    qToBigEndian<qint16>(v, b.data());
    return b;
}

QByteArray gps5Stream(bool withFix = true)
{
    QByteArray scal;
    for (int s : {10000000, 10000000, 1000, 1000, 100})
        scal += be32(s);
    QByteArray rows;
    for (int i = 0; i < 3; ++i)
        rows += be32(351234567 + i) + be32(-1394567890) + be32(40000) + be32(12500) + be32(1260);
    return nest("STRM", klv("GPSF", 'L', 4, 1, be32(withFix ? 3 : 0))
                            + klv("GPSU", 'U', 16, 1, "240229235959.500")
                            + klv("SCAL", 'l', 4, 5, scal) + klv("GPS5", 'l', 20, 3, rows));
}

QByteArray acclStream()
{
    // Stored Z, X, Y; 2 readings whose mean is (9.80665, 4.903325, -9.80665) m/s^2.
    QByteArray rows = be16(981) + be16(400) + be16(-981) + be16(980) + be16(581) + be16(-980);
    return nest("STRM", klv("SCAL", 's', 2, 1, be16(100)) + klv("ACCL", 's', 6, 2, rows));
}
} // namespace

class TestTrackFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void gpxSidecar_data();
    void gpxSidecar();
    void gpxRefused_data();
    void gpxRefused();
    void gpxValues_data();
    void gpxValues();
    void nmea_data();
    void nmea();
    void nmeaSidecarBeforeFolderTrack();
    void gpmf();
    void gpmfDamaged_data();
    void gpmfDamaged();
    void alignment_data();
    void alignment();
    void pointsWithoutTime();
    void recordingStart_data();
    void recordingStart();
    void folderTrack();

private:
    QTemporaryDir m_dir;
    QString write(const QString &name, const QByteArray &data)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

void TestTrackFiles::init()
{
    QVERIFY(m_dir.isValid());
    // Each case its own files.
    for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
        QFile::remove(m_dir.filePath(name));
    FolderTracks::instance().clear();
}

void TestTrackFiles::gpxSidecar_data()
{
    QTest::addColumn<QByteArray>("gpx");
    QTest::addColumn<QString>("covered");    // seconds 0 to 6
    QTest::addColumn<int>("speedAt2");       // km/h
    QTest::addColumn<double>("latitudeAt2");

    QTest::newRow("with speed") << makeGpx(northward({0, 1, 2, 3, 4, 5, 6}, 10.0)) << "AAAAAAA" << 36 << 35.0002;
    QTest::newRow("without speed: from positions") << makeGpx(northward({0, 1, 2, 3, 4, 5, 6})) << "AAAAAAA" << 40
                                                   << 35.0002;
    QList<GpxPoint> shuffled = northward({0, 1, 2, 3, 4, 5, 6});
    std::reverse(shuffled.begin(), shuffled.end());
    std::swap(shuffled[1], shuffled[4]);
    QTest::newRow("out of order") << makeGpx(shuffled) << "AAAAAAA" << 40 << 35.0002;
    QTest::newRow("another time zone") << makeGpx(northward({0, 1, 2, 3, 4, 5, 6}), 9 * 3600) << "AAAAAAA" << 40
                                       << 35.0002;
    // Second 3 is two seconds from either side: nothing within 1.5 s.
    QTest::newRow("gap") << makeGpx(northward({0, 1, 5, 6})) << "AAAVAAA" << 40 << 35.0001;
    QTest::newRow("half the recording") << makeGpx(northward({-3, -2, -1, 0, 1, 2})) << "AAAAVVV" << 40 << 35.0002;
    QTest::newRow("points half a second off") << makeGpx(northward({0, 1, 2, 3, 4, 5, 6}, 1.0)).replace(":00Z", ":00.5Z")
                                               << "AAAAAAA" << 4 << 35.0002;
}

void TestTrackFiles::gpxSidecar()
{
    QFETCH(QByteArray, gpx);
    QFETCH(QString, covered);
    QFETCH(int, speedAt2);
    QFETCH(double, latitudeAt2);
    const QString recording = m_dir.filePath(QStringLiteral("20240305_100000_F.mp4"));
    write(QStringLiteral("20240305_100000_F.gpx"), gpx);

    GpsSourceKind kind = NoGps;
    const QList<GpsData> samples = ExternalTrack::samplesFor(recording, QDateTime(), 6, &kind);
    QCOMPARE(kind, GpxSidecarGps);
    QCOMPARE(coverage(samples), covered);
    for (int s = 0; s < samples.size(); ++s) {
        QCOMPARE(samples.at(s).index, s);
        // Seconds without a position still say when they were.
        if (samples.at(s).markA != 'A')
            QCOMPARE(QByteArray(samples.at(s).dateTime), kStart.addSecs(s).toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1());
    }
    const GpsData &at2 = samples.at(2);
    QCOMPARE(at2.speed, speedAt2);
    QVERIFY(qAbs(at2.latitude - latitudeAt2) < 1e-9);
    if (at2.markA == 'A') {
        QCOMPARE(at2.latitudeRef, 'N');
        QCOMPARE(at2.longitudeRef, 'E');
    } else {
        QFAIL("second 2 has no position");
    }
}

void TestTrackFiles::gpxRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    QTest::newRow("not GPX") << QByteArray("<kml><Placemark/></kml>") << "not a GPX document";
    QTest::newRow("entity expansion") << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\">"
                                                    "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><gpx>&b;</gpx>")
                                      << "document type";
    QTest::newRow("broken XML") << QByteArray("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>x</trkpt></gpx>")
                                << "GPX line";
    QTest::newRow("no time") << QByteArray("<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk></gpx>")
                             << "no track point";
    QTest::newRow("position out of range")
        << QByteArray("<gpx><trk><trkseg><trkpt lat=\"91\" lon=\"2\"><time>2024-03-05T10:00:00Z</time></trkpt>"
                      "</trkseg></trk></gpx>")
        << "no track point";
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff\xfe", 5) << "GPX";
}

void TestTrackFiles::gpxRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    QString problem;
    QVERIFY(GpxReader::read(data, &problem).isEmpty());
    QVERIFY2(problem.contains(reason), qPrintable(problem));

    // Beside a recording: no samples, and the reason in the log.
    write(QStringLiteral("20240305_100000_F.gpx"), data);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("gives no track")));
    GpsSourceKind kind = NoGps;
    QVERIFY(ExternalTrack::samplesFor(m_dir.filePath(QStringLiteral("20240305_100000_F.mp4")), QDateTime(), 4, &kind)
                .isEmpty());
    QCOMPARE(kind, NoGps);
}

void TestTrackFiles::gpxValues_data()
{
    QTest::addColumn<QByteArray>("point");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<qint64>("msAfterStart");
    QTest::addColumn<double>("speedKmh");

    const QByteArray time("<time>2024-03-05T10:00:00Z</time>");
    const auto point = [](const QByteArray &lat, const QByteArray &inner) {
        return "<trkpt lat=\"" + lat + "\" lon=\"139.25\">" + inner + "</trkpt>";
    };
    QTest::newRow("plain") << point("35.5", time) << true << 35.5 << qint64(0) << -1.0;
    QTest::newRow("spaces around values")
        << point(" 35.5 ", "<time>\n  2024-03-05T10:00:00Z\n</time><speed> 2 </speed>") << true << 35.5 << qint64(0)
        << 7.2;
    QTest::newRow("plus sign") << point("+35.5", time) << true << 35.5 << qint64(0) << -1.0;
    QTest::newRow("two signs") << point("+-35.5", time) << false << 0.0 << qint64(0) << -1.0;
    QTest::newRow("exponent") << point("3.55e1", time) << true << 35.5 << qint64(0) << -1.0;
    QTest::newRow("not a number") << point("nan", time) << false << 0.0 << qint64(0) << -1.0;
    QTest::newRow("trailing text") << point("35.5N", time) << false << 0.0 << qint64(0) << -1.0;
    QTest::newRow("wide digits") << point("\xef\xbc\x93\xef\xbc\x95", time) << false << 0.0 << qint64(0) << -1.0;
    QTest::newRow("time split by a comment")
        << point("35.5", "<time>2024-03-05T10:<!-- x -->00:01Z</time>") << true << 35.5 << qint64(1000) << -1.0;
    QTest::newRow("time in CDATA") << point("35.5", "<time><![CDATA[2024-03-05T10:00:02Z]]></time>") << true << 35.5
                                   << qint64(2000) << -1.0;
    QTest::newRow("child of time skipped")
        << point("35.5", "<time>2024-03-05T10:00:03Z<b>9</b></time>") << true << 35.5 << qint64(3000) << -1.0;
    QTest::newRow("fraction and zone") << point("35.5", "<time>2024-03-05T19:00:00.500+09:00</time>") << true << 35.5
                                       << qint64(500) << -1.0;
    QTest::newRow("character reference in speed")
        << point("35.5", time + "<speed>&#49;0</speed>") << true << 35.5 << qint64(0) << 36.0;
    QTest::newRow("speed in a prefixed extension")
        << point("35.5", time + "<extensions><x:ext xmlns:x=\"urn:x\"><x:speed>10</x:speed></x:ext></extensions>")
        << true << 35.5 << qint64(0) << 36.0;
    const QByteArray longNumber = "35." + QByteArray(60, '5');
    QTest::newRow("long number") << point(longNumber, time) << true << longNumber.toDouble() << qint64(0) << -1.0;
}

void TestTrackFiles::gpxValues()
{
    QFETCH(QByteArray, point);
    QFETCH(bool, kept);
    QString problem;
    const TrackPoints points = GpxReader::read("<gpx><trk><trkseg>" + point + "</trkseg></trk></gpx>", &problem);
    QCOMPARE(points.size(), kept ? 1 : 0);
    if (!kept)
        return;
    QFETCH(double, latitude);
    QFETCH(qint64, msAfterStart);
    QFETCH(double, speedKmh);
    QCOMPARE(points.first().latitude, latitude);
    QCOMPARE(points.first().longitude, 139.25);
    QCOMPARE(points.first().utcMs, kStart.toMSecsSinceEpoch() + msAfterStart);
    QVERIFY2(qFuzzyCompare(points.first().speedKmh + 1.0, speedKmh + 1.0), qPrintable(QString::number(points.first().speedKmh)));
}

void TestTrackFiles::nmea_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("times");   // of the points, UTC
    QTest::addColumn<int>("badChecksums");
    QTest::addColumn<int>("withoutFix");

    QByteArray bad = rmc("100001.00", "050324");
    bad[bad.indexOf('*') - 3] = '9'; // the text changes, the checksum does not
    QTest::newRow("bad checksum skipped") << rmc("100000.00", "050324") + bad + rmc("100002.00", "050324")
                                          << QStringList{"2024-03-05T10:00:00", "2024-03-05T10:00:02"} << 1 << 0;
    QTest::newRow("lost fix") << rmc("100000.00", "050324") + rmc("100001.00", "050324", 'V') + gga("100001.00", 0)
                                     + rmc("100002.00", "050324")
                              << QStringList{"2024-03-05T10:00:00", "2024-03-05T10:00:02"} << 0 << 2;
    QTest::newRow("midnight: RMC dates and a GGA between")
        << rmc("235959.00", "290224") + gga("235959.50") + gga("000000.00") + rmc("000001.00", "010324")
        << QStringList{"2024-02-29T23:59:59", "2024-02-29T23:59:59.500", "2024-03-01T00:00:00",
                       "2024-03-01T00:00:01"}
        << 0 << 0;
    QTest::newRow("GGA before the first date, across midnight")
        << gga("235959.00") + rmc("000000.00", "010324")
        << QStringList{"2024-02-29T23:59:59", "2024-03-01T00:00:00"} << 0 << 0;
    QTest::newRow("RMC and GGA of one second merge") << rmc("100000.00", "050324") + gga("100000.00")
                                                     << QStringList{"2024-03-05T10:00:00"} << 0 << 0;
    QTest::newRow("noise and truncated lines")
        << QByteArray("garbage\n$GPRMC,1000\n$GPRMC,,,,,\n") + rmc("100000.00", "050324") + QByteArray(300, 'x')
               + "\n$GPGGA*00\n"
        << QStringList{"2024-03-05T10:00:00"} << 1 << 0;
}

void TestTrackFiles::nmea()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, times);
    QFETCH(int, badChecksums);
    QFETCH(int, withoutFix);
    NmeaReader reader;
    reader.addText(text);
    const TrackPoints points = reader.finish();
    QStringList got;
    for (const TrackPoint &p : points)
        got << QDateTime::fromMSecsSinceEpoch(p.utcMs, Qt::UTC).toString(p.utcMs % 1000 ? Qt::ISODateWithMs : Qt::ISODate).remove(QLatin1Char('Z'));
    QCOMPARE(got, times);
    QCOMPARE(reader.badChecksums(), badChecksums);
    QCOMPARE(reader.withoutFix(), withoutFix);
    // The RMC's speed in knots, its course; 35 degrees north.
    QVERIFY(qAbs(points.first().latitude - 35.0) < 1e-4);
    QVERIFY(qAbs(points.first().speedKmh - 18.52) < 1e-9 || points.first().speedKmh < 0.0);
}

void TestTrackFiles::nmeaSidecarBeforeFolderTrack()
{
    const QString recording = m_dir.filePath(QStringLiteral("20240305_100000_F.mp4"));
    write(QStringLiteral("20240305_100000_F.nmea"), rmc("100000.00", "050324") + rmc("100001.00", "050324"));
    QString problem;
    FolderTracks::instance().set(m_dir.path(), QStringLiteral("day.gpx"), GpxReader::read(makeGpx(northward({0, 1})), &problem), 0);
    GpsSourceKind kind = NoGps;
    QList<GpsData> samples = ExternalTrack::samplesFor(recording, QDateTime(), 2, &kind);
    QCOMPARE(kind, NmeaSidecarGps);
    QCOMPARE(coverage(samples), QStringLiteral("AAA"));
    QCOMPARE(samples.at(1).speed, 19); // 10 knots
    QCOMPARE(samples.at(1).heading, 90.0);

    // A sidecar that covers nothing leaves the folder track to it.
    write(QStringLiteral("20240305_100000_F.nmea"), rmc("110000.00", "050324"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("covers no second")));
    samples = ExternalTrack::samplesFor(recording, QDateTime(), 2, &kind);
    QCOMPARE(kind, FolderTrackGps);
    QCOMPARE(coverage(samples), QStringLiteral("AAA"));
}

void TestTrackFiles::gpmf()
{
    const QByteArray payload = nest("DEVC", klv("DVNM", 'c', 1, 6, "Camera") + gps5Stream() + acclStream());
    GpmfPayload out;
    QString problem;
    QVERIFY(GpmfReader::readPayload(payload, &out, &problem));
    QVERIFY(out.hasPosition);
    QCOMPARE(out.latitude, 35.1234567);
    QCOMPARE(out.longitude, -139.456789);
    QCOMPARE(out.altitude, 40.0);
    QCOMPARE(out.speed2d, 12.5);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(out.utcMs, Qt::UTC),
             QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 500), Qt::UTC));
    QVERIFY(out.hasAccel);
    QVERIFY(qAbs(out.gZ - 1.0f) < 0.01f);
    QVERIFY(qAbs(out.gX - 0.5f) < 0.01f);
    QVERIFY(qAbs(out.gY + 1.0f) < 0.01f);

    // GPS9 carries its own time and fix; its TYPE states the layout.
    QByteArray scal9;
    for (int v : {10000000, 10000000, 1000, 1000, 100, 1, 1000, 100, 1})
        scal9 += be32(v);
    const QByteArray gps9Row = be32(-335000000) + be32(1512000000) + be32(12000) + be32(20000) + be32(2000)
        + be32(8826) /* days since 2000: 2024-03-01 */ + be32(3723500) /* 01:02:03.5 */ + be16(150) + be16(3);
    const QByteArray gps9 = nest("STRM", klv("TYPE", 'c', 9, 1, "lllllllSS") + klv("SCAL", 'l', 4, 9, scal9)
                                             + klv("GPS9", '?', 32, 1, gps9Row));
    QVERIFY(GpmfReader::readPayload(nest("DEVC", gps9), &out, &problem));
    QVERIFY(out.hasPosition);
    QCOMPARE(out.latitude, -33.5);
    QCOMPARE(out.longitude, 151.2);
    QCOMPARE(out.speed2d, 20.0);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(out.utcMs, Qt::UTC),
             QDateTime(QDate(2024, 3, 1), QTime(1, 2, 3, 500), Qt::UTC));

    // An orientation that stores the axes X, y, Z (y reversed).
    QByteArray accl = be16(490) + be16(981) + be16(981);
    QVERIFY(GpmfReader::readPayload(nest("STRM", klv("ORIN", 'c', 1, 3, "XyZ") + klv("SCAL", 's', 2, 1, be16(100))
                                                     + klv("ACCL", 's', 6, 1, accl)),
                                    &out, &problem));
    QVERIFY(qAbs(out.gX - 0.5f) < 0.01f && qAbs(out.gY + 1.0f) < 0.01f && qAbs(out.gZ - 1.0f) < 0.01f);

    // No fix: no position, the G-sensor still read.
    QVERIFY(GpmfReader::readPayload(nest("DEVC", gps5Stream(false) + acclStream()), &out, &problem));
    QVERIFY(!out.hasPosition);
    QVERIFY(out.hasAccel);
}

void TestTrackFiles::gpmfDamaged_data()
{
    QTest::addColumn<QByteArray>("payload");
    const QByteArray good = nest("DEVC", gps5Stream());
    QByteArray overlong = good;
    overlong[7] = char(0xff); // the outer record claims more than there is
    QByteArray deep = gps5Stream();
    for (int i = 0; i < 20; ++i)
        deep = nest("DEVC", deep);
    QTest::newRow("length past the end") << overlong;
    QTest::newRow("cut short") << good.left(good.size() - 6);
    QTest::newRow("nested without end") << deep;
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("$GPRMC,100000.00,A");
}

void TestTrackFiles::gpmfDamaged()
{
    QFETCH(QByteArray, payload);
    GpmfPayload out;
    QString problem;
    QVERIFY(!GpmfReader::readPayload(payload, &out, &problem));
    QVERIFY(!out.hasPosition && !out.hasAccel);
    QVERIFY(problem.contains(QLatin1String("damaged")));
}

void TestTrackFiles::alignment_data()
{
    QTest::addColumn<QList<int>>("offsetsMs");
    QTest::addColumn<int>("duration");
    QTest::addColumn<QString>("covered");
    QTest::addColumn<QList<int>>("chosen");   // which point each covered second took

    QTest::newRow("one a second") << QList<int>{0, 1000, 2000} << 2 << "AAA" << QList<int>{0, 1, 2};
    QTest::newRow("nearest of several") << QList<int>{-400, 300, 900, 1600} << 2 << "AAA" << QList<int>{1, 2, 3};
    QTest::newRow("1.5 s is still near") << QList<int>{1500} << 3 << "AAAA" << QList<int>{0, 0, 0, 0};
    QTest::newRow("just beyond 1.5 s") << QList<int>{-1501, 4499} << 3 << "VVVA" << QList<int>{1};
    QTest::newRow("tie takes the earlier") << QList<int>{500, 1500} << 1 << "AA" << QList<int>{0, 0};
    QTest::newRow("nothing near") << QList<int>{10000} << 3 << "" << QList<int>{};
}

void TestTrackFiles::alignment()
{
    QFETCH(QList<int>, offsetsMs);
    QFETCH(int, duration);
    QFETCH(QString, covered);
    QFETCH(QList<int>, chosen);
    TrackPoints points;
    for (int i = 0; i < offsetsMs.size(); ++i) {
        TrackPoint p;
        p.offsetMs = offsetsMs.at(i);
        p.latitude = 10.0 + i;
        p.longitude = 20.0;
        points.append(p);
    }
    const QList<GpsData> samples = TrackAligner::alignByOffset(points, duration, TrackPoint::kNoTime);
    QCOMPARE(coverage(samples), covered);
    QList<int> got;
    for (const GpsData &s : samples) {
        if (s.markA == 'A')
            got << int(s.latitude - 10.0 + 0.5);
    }
    QCOMPARE(got, chosen);
}

void TestTrackFiles::pointsWithoutTime()
{
    // A GPMF payload without GPSU gives a point that has no time: nothing
    // can be computed from it, and nothing overflows.
    TrackPoints points(3);
    for (int i = 0; i < 3; ++i) {
        points[i].offsetMs = i * 1000;
        points[i].latitude = 35.0 + i * 0.001;
    }
    points[2].utcMs = 1709251197000;
    TrackAligner::fillSpeedAndCourse(points);
    for (const TrackPoint &p : points)
        QVERIFY(p.speedKmh < 0.0 && p.course < 0.0);
    QCOMPARE(coverage(TrackAligner::alignByOffset(points, 2, TrackPoint::kNoTime)), QStringLiteral("AAA"));
}

void TestTrackFiles::recordingStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDateTime>("createTime");
    QTest::addColumn<QDateTime>("start");
    const QDateTime epoch1904(QDate(1904, 1, 1), QTime(0, 0), Qt::LocalTime);
    const qint64 secs = QDateTime(QDate(1904, 1, 1), QTime(0, 0), Qt::UTC).secsTo(kStart);
    QTest::newRow("creation time") << "clip_F.mp4" << epoch1904.addSecs(secs) << kStart;
    QTest::newRow("creation time wins") << "20231224_080000_F.mp4" << epoch1904.addSecs(secs) << kStart;
    QTest::newRow("unset creation time: the name") << "20240305_100000_F.mp4" << epoch1904 << kStart;
    QTest::newRow("name with a dash") << "REC2024-0305-x20240305-100000.mov" << QDateTime() << kStart;
    QTest::newRow("name without a date") << "clip_F.mp4" << epoch1904 << QDateTime();
    QTest::newRow("impossible date") << "20241335_100000_F.mp4" << QDateTime() << QDateTime();
}

void TestTrackFiles::recordingStart()
{
    QFETCH(QString, name);
    QFETCH(QDateTime, createTime);
    QFETCH(QDateTime, start);
    const qint64 ms = RecordingClock::startUtcMs(name, createTime);
    if (!start.isValid())
        QCOMPARE(ms, TrackPoint::kNoTime);
    else
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC), start);
}

void TestTrackFiles::folderTrack()
{
    // A phone's track of the morning, 10:00:00 to 10:03:10, once every 2 s;
    // three recordings lie in it and one at noon does not.
    QList<int> seconds;
    for (int s = 0; s <= 190; s += 2)
        seconds << s;
    const QString trackPath = write(QStringLiteral("day.gpx"), makeGpx(northward(seconds)));
    TrackFile::Format format = TrackFile::Unknown;
    QString problem;
    const TrackPoints points = TrackFile::load(trackPath, &format, &problem);
    QCOMPARE(format, TrackFile::Gpx);
    QCOMPARE(points.size(), seconds.size());

    const QStringList names{"20240305_100000_F.mp4", "20240305_100100_F.mp4", "20240305_100200_F.mp4",
                            "20240305_120000_F.mp4"};
    auto coveredByName = [&](int offsetSeconds, const QStringList &recordings) -> QStringList {
        FolderTracks::instance().set(m_dir.path(), trackPath, points, offsetSeconds);
        QStringList covered;
        for (const QString &name : recordings) {
            GpsSourceKind kind = NoGps;
            const QList<GpsData> samples = ExternalTrack::samplesFor(m_dir.filePath(name), QDateTime(), 4, &kind);
            if (!samples.isEmpty()) {
                const bool whole = kind == FolderTrackGps && TrackAligner::coveredSeconds(samples) == 5;
                covered << (whole ? name : QStringLiteral("partly ") + name);
            }
        }
        return covered;
    };
    QCOMPARE(coveredByName(0, names), names.mid(0, 3));

    // A camera clock an hour ahead of UTC: its names say 11:00; -3600 s
    // puts them back on the track.
    const QStringList ahead{"20240305_110000_F.mp4", "20240305_110100_F.mp4", "20240305_110200_F.mp4",
                            "20240305_130000_F.mp4"};
    QCOMPARE(coveredByName(0, ahead), QStringList());
    QCOMPARE(coveredByName(-3600, ahead), ahead.mid(0, 3));
    GpsSourceKind kind = NoGps;
    const QList<GpsData> shifted = ExternalTrack::samplesFor(m_dir.filePath(ahead.at(1)), QDateTime(), 4, &kind);
    QCOMPARE(QByteArray(shifted.at(0).dateTime), QByteArray("20240305100100"));
    QVERIFY(qAbs(shifted.at(0).latitude - (35.0 + 0.0001 * 60)) < 1e-9);

    // The offset stays within 12 h; another folder has no track.
    FolderTracks::instance().set(m_dir.path(), trackPath, points, 100000);
    QCOMPARE(FolderTracks::instance().find(m_dir.path())->offsetSeconds, 12 * 3600);
    QVERIFY(!FolderTracks::instance().find(QDir::tempPath() + QStringLiteral("/elsewhere")));
}

QTEST_GUILESS_MAIN(TestTrackFiles)
#include "tst_trackfiles.moc"
