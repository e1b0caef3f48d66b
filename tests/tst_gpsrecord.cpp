#include "coordinateconv.h"
#include "mp4parser.h"
#include "tst_fixtures.h"

#include <QtTest>

#include <cmath>
#include <cstring>

// Decoding of the 312-byte record and the numbering of samples.
class TestGpsRecord : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void copiedColumns();
    void heading();
    void sampleNumbering_data();
    void sampleNumbering();

private:
    static GpsData decodePlain(const QByteArray &plain)
    {
        ParserObject p{QByteArray(), QString()};
        GpsData g;
        std::memset(&g, 0, sizeof g);
        p.decodeRecord(1, plain.constData(), &g);
        return g;
    }
};

void TestGpsRecord::decode_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("extra");
    QTest::addColumn<float>("z");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("x");

    const double lat = 35 + 41.2345 / 60;
    const double lon = 139 + 30.0 / 60;
    fx::Record r;
    QTest::newRow("north east") << fx::recordText(r) << lat << lon << 60 << 0 << 1.05f << -0.5f << 0.01f;
    r.latRef = 'S';
    r.lonRef = 'W';
    QTest::newRow("south west") << fx::recordText(r) << -lat << -lon << 60 << 0 << 1.05f << -0.5f << 0.01f;
    r = fx::Record();
    r.latRef = ' ';
    r.lonRef = '\0';
    QTest::newRow("no hemisphere letters") << fx::recordText(r) << lat << lon << 60 << 0 << 1.05f << -0.5f << 0.01f;
    r = fx::Record();
    r.lonRef = 'w';
    QTest::newRow("lower-case w is east") << fx::recordText(r) << lat << lon << 60 << 0 << 1.05f << -0.5f << 0.01f;

    r = fx::Record();
    r.gsensor = " 105x105-105";
    QTest::newRow("g-sensor signs") << fx::recordText(r) << lat << lon << 60 << 0 << 0.0f << 0.0f << -1.05f;
    r.gsensor = "+9a9+ 12-007";
    // "%1d%2d" stops at a letter; white space before a number is skipped.
    QTest::newRow("g-sensor partial digits") << fx::recordText(r) << lat << lon << 60 << 0 << 9.0f << 1.02f << -0.07f;

    r = fx::Record();
    r.speed = "220";
    r.extra = "12345";
    QTest::newRow("top speed") << fx::recordText(r) << lat << lon << 220 << 12345 << 1.05f << -0.5f << 0.01f;
    r.speed = " 7 ";
    QTest::newRow("speed with blanks") << fx::recordText(r) << lat << lon << 7 << 12345 << 1.05f << -0.5f << 0.01f;
    r.speed = "abc";
    QTest::newRow("speed not digits") << fx::recordText(r) << lat << lon << 0 << 12345 << 1.05f << -0.5f << 0.01f;

    r = fx::Record();
    r.lat = "ab412345";
    r.lon = "1x9300000";
    // A failed first conversion leaves the minutes 0 too.
    QTest::newRow("position not digits") << fx::recordText(r) << 0.0 << 1.0 << 60 << 0 << 1.05f << -0.5f << 0.01f;

    // A record position past the file unmasks to the mask byte everywhere.
    QTest::newRow("all mask bytes") << QByteArray(312, char(0x3C)) << 0.0 << 0.0 << 0 << 0 << 0.0f << 0.0f << 0.0f;
    QTest::newRow("all zero bytes") << QByteArray(312, '\0') << 0.0 << 0.0 << 0 << 0 << 0.0f << 0.0f << 0.0f;
}

void TestGpsRecord::decode()
{
    QFETCH(QByteArray, plain);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(int, speed);
    QFETCH(int, extra);
    QFETCH(float, z);
    QFETCH(float, y);
    QFETCH(float, x);

    const GpsData g = decodePlain(plain);
    QVERIFY2(std::fabs(g.latitude - latitude) < 1e-9, qPrintable(QString::number(g.latitude, 'f', 9)));
    QVERIFY2(std::fabs(g.longitude - longitude) < 1e-9, qPrintable(QString::number(g.longitude, 'f', 9)));
    QCOMPARE(g.speed, speed);
    QCOMPARE(g.extraNumber, extra);
    QCOMPARE(g.gsensorZ, z);
    QCOMPARE(g.gsensorY, y);
    QCOMPARE(g.gsensorX, x);
}

void TestGpsRecord::copiedColumns()
{
    const GpsData g = decodePlain(fx::recordText(fx::Record()));
    QCOMPARE(QByteArray(g.dateTime), QByteArray("20250101100000"));
    QCOMPARE(QByteArray(g.extraText), QByteArray("EXTRA-TEXT-123"));
    QCOMPARE(g.markA, 'A');
    QCOMPARE(g.markB, 'B');
    QCOMPARE(g.latitudeRef, 'N');
    QCOMPARE(g.longitudeRef, 'E');
}

void TestGpsRecord::heading()
{
    ParserObject p{QByteArray(), QString()};
    auto decodeAt = [&p](int k, const QByteArray &lat, const QByteArray &lon, char latRef = 'N') {
        fx::Record r;
        r.lat = lat;
        r.lon = lon;
        r.latRef = latRef;
        GpsData g;
        std::memset(&g, 0, sizeof g);
        p.decodeRecord(k, fx::recordText(r).constData(), &g);
        return g.heading;
    };
    const double first = decodeAt(1, "35000000", "139000000");
    QCOMPARE(first, CoordinateConv::GetAzimuth(0, 0, 139.0, 35.0));
    // Both coordinates moved: azimuth from the last point.
    const double ne = decodeAt(2, "35006000", "139006000");
    QVERIFY2(std::fabs(ne - CoordinateConv::GetAzimuth(139.0, 35.0, 139.01, 35.01)) < 1e-9, qPrintable(QString::number(ne)));
    QCOMPARE(decodeAt(3, "35006000", "139006000"), ne); // standing still
    QCOMPARE(decodeAt(4, "35006000", "139012000"), ne); // along a parallel
    QCOMPARE(decodeAt(5, "35012000", "139012000"), ne); // along a meridian
    // Not a later record: keeps the heading even though both moved.
    QCOMPARE(decodeAt(5, "35018000", "139018000"), ne);
    // Southern hemisphere: hemisphere-free magnitudes, so this moves "north-east".
    const double south = decodeAt(6, "35030000", "139030000", 'S');
    QVERIFY2(south > 0 && south < 90, "a southern fix still moves north-east");
}

void TestGpsRecord::sampleNumbering_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("samples");
    QTest::newRow("no records") << 0 << 0;
    QTest::newRow("one record") << 1 << 0;
    QTest::newRow("two records") << 2 << 1;
    QTest::newRow("a minute") << 61 << 60;
}

void TestGpsRecord::sampleNumbering()
{
    QFETCH(int, records);
    QFETCH(int, samples);
    QByteArray payload;
    for (const QByteArray &r : fx::trip(records))
        payload += r.left(311);
    Mp4Parser p(fx::ftyp() + fx::box("gps0", payload));
    QCOMPARE(p.gpsCount, records);
    GpsData g;
    int n = 0;
    while (p.readGpsSample(n, &g))
        ++n;
    QCOMPARE(n, samples);
    QVERIFY2(!p.readGpsSample(-1, &g), "no sample before the first");
    QVERIFY2(!p.readGpsSample(records, &g), "no sample past the last record");
    if (samples > 0)
        QVERIFY2(p.readGpsSample(samples - 1, &g), "the last sample is read");
}

QTEST_GUILESS_MAIN(TestGpsRecord)
#include "tst_gpsrecord.moc"
