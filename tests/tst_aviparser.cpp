#include "aviparser.h"
#include "tst_fixtures.h"

#include <QtTest>

#include <cmath>

using fx::le32;

Q_DECLARE_METATYPE(GpsSourceKind)

namespace {
using fx::chunk;
using fx::list;
using fx::avih;
using fx::riff;
using fx::plainAvi;
using fx::withGps;

int countSamples(AVIParser &p, QList<double> *lats = nullptr)
{
    GpsData g;
    int n = 0;
    while (n < 100000 && p.readGpsSample(n, &g)) {
        if (lats)
            lats->append(g.latitude);
        ++n;
    }
    return n;
}
} // namespace

class TestAviParser : public QObject
{
    Q_OBJECT

private slots:
    void facts_data();
    void facts();
    void gpsBlock();
    void everyTruncationIsSafe();
};

void TestAviParser::facts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("duration");
    QTest::addColumn<GpsSourceKind>("kind");
    QTest::addColumn<int>("samples");

    QTest::newRow("no gps") << plainAvi() << 1280 << 720 << 60 << NoGps << 0;
    QTest::newRow("60.9 million microseconds") << plainAvi(33350, 1826) << 1280 << 720 << 60 << NoGps << 0;
    QTest::newRow("product past 32 bits") << plainAvi(0xFFFFFFFFu, 0xFFFFFFFFu) << 1280 << 720
                                          << std::numeric_limits<int>::max() << NoGps << 0;
    QTest::newRow("gps block") << withGps(plainAvi(), 4096, 61, 61) << 1280 << 720 << 60 << AviGpsBlock << 60;
    QTest::newRow("count 0") << withGps(plainAvi(), 4096, 0, 3) << 1280 << 720 << 60 << AviGpsBlock << 0;
    QTest::newRow("count 1") << withGps(plainAvi(), 4096, 1, 3) << 1280 << 720 << 60 << AviGpsBlock << 0;
    QTest::newRow("count past the file") << withGps(plainAvi(), 4096, 0xFFFFFFFFu, 5) << 1280 << 720 << 60 << AviGpsBlock << 4;
    QByteArray offsetPast = plainAvi() + fx::be32(0x7FFFFFFF);
    QTest::newRow("trailer past the end") << offsetPast << 1280 << 720 << 60 << NoGps << 0;
    QByteArray notGpsl = withGps(plainAvi(), 4096, 61, 61);
    notGpsl.replace(4096, 4, "GPSX");
    QTest::newRow("trailer at something else") << notGpsl << 1280 << 720 << 60 << NoGps << 0;
    QTest::newRow("not RIFF") << "RIFX" + withGps(plainAvi(), 4096, 61, 61).mid(4) << 0 << 0 << 0 << NoGps << 0;
    QTest::newRow("not AVI") << withGps(riff(QByteArray(100, 'x'), "WAVE"), 4096, 5, 5) << 0 << 0 << 0 << NoGps << 0;
    QByteArray zeroSize = withGps(plainAvi(), 4096, 5, 5);
    zeroSize.replace(4, 4, le32(0));
    QTest::newRow("RIFF size 0") << zeroSize << 0 << 0 << 0 << NoGps << 0;
    const QByteArray junkFirst = riff(chunk("JUNK", QByteArray(333, '\0')) + list("hdrl", avih(40000, 250, 640, 480)));
    QTest::newRow("junk before hdrl") << junkFirst << 640 << 480 << 10 << NoGps << 0;
    const QByteArray noAvih = riff(list("hdrl", chunk("strh", QByteArray(56, '\0'))) + list("movi", QByteArray(40, 'm')));
    QTest::newRow("hdrl without avih") << withGps(noAvih, 2000, 3, 3) << 0 << 0 << 0 << AviGpsBlock << 2;
    const QByteArray shortAvih = riff(list("hdrl", chunk("avih", le32(40000) + le32(0) + le32(0) + le32(0) + le32(250))));
    QTest::newRow("short avih") << shortAvih << 0 << 0 << 10 << NoGps << 0;
    QTest::newRow("empty") << QByteArray() << 0 << 0 << 0 << NoGps << 0;
    QTest::newRow("three bytes") << QByteArray("RIF") << 0 << 0 << 0 << NoGps << 0;
}

void TestAviParser::facts()
{
    QFETCH(QByteArray, file);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, duration);
    QFETCH(GpsSourceKind, kind);
    QFETCH(int, samples);

    AVIParser p(file);
    QCOMPARE(p.width, width);
    QCOMPARE(p.height, height);
    QCOMPARE(p.duration, duration);
    QCOMPARE(p.gpsKind, kind);
    QCOMPARE(countSamples(p), samples);
    QCOMPARE(int(p.codec), 0);
    QCOMPARE(p.frameRate, 0.0f);
    QVERIFY2(!p.createTime.isValid(), "no creation time for this file");
}

void TestAviParser::gpsBlock()
{
    // Trailer 00 00 10 00: the block is at byte 4096.
    const QByteArray file = withGps(plainAvi(), 4096, 61, 61);
    QCOMPARE(file.right(4), QByteArray::fromHex("00001000"));
    AVIParser p(file);
    QCOMPARE(p.gpsOffset, qint64(4096 + 8));
    QList<double> lats;
    QCOMPARE(countSamples(p, &lats), 60);
    // Sample 0 is the record at 4096 + 8 + 312.
    for (int i = 0; i < lats.size(); ++i)
        QVERIFY2(std::fabs(lats.at(i) - fx::latitudeOf(i + 1)) < 1e-9, qPrintable(QString::number(i)));
}

void TestAviParser::everyTruncationIsSafe()
{
    const QByteArray full = withGps(plainAvi(), 2000, 4, 4);
    for (int n = 0; n <= full.size(); ++n) {
        AVIParser p(full.left(n));
        const int samples = countSamples(p);
        QVERIFY2(samples < 4, "a cut-off file gives fewer samples");
        QVERIFY2(p.bytesRead() <= quint64(n) + 312u * samples + 64, qPrintable(QString::number(n)));
    }
}

QTEST_GUILESS_MAIN(TestAviParser)
#include "tst_aviparser.moc"
