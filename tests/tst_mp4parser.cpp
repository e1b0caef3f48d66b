#include "mp4parser.h"
#include "tst_fixtures.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

using fx::box;
using fx::be32;

Q_DECLARE_METATYPE(GpsSourceKind)

namespace {
QByteArray movie(const QByteArray &children)
{
    return box("moov", children);
}

fx::Track video(quint32 w, quint32 h, const char *codec = "avc1", quint32 samples = 0)
{
    fx::Track t;
    t.width = w;
    t.height = h;
    t.sampleType = codec;
    t.samples = samples;
    return t;
}

fx::Track dataTrack(const char *handler, const QByteArray &name, const QList<quint32> &chunks)
{
    fx::Track t;
    t.handler = handler;
    t.handlerName = name;
    t.sampleType = nullptr;
    t.chunks = chunks;
    return t;
}

QByteArray basicMovie()
{
    return fx::mvhd(1000, 60500) + fx::trak(video(1920, 1080, "avc1", 1815));
}

// Chunks of 'lead' filler bytes followed by one record each.
fx::Layout recordChunks(int records, int lead, const QByteArray &leadBytes = QByteArray())
{
    QList<QByteArray> chunks;
    for (const QByteArray &r : fx::trip(records)) {
        QByteArray filler = leadBytes.isEmpty() ? QByteArray(lead, 'L') : leadBytes;
        chunks.append(filler + r);
    }
    return fx::mdatWithChunks(chunks);
}

QList<double> readLatitudes(Mp4Parser &p)
{
    QList<double> out;
    GpsData g;
    for (int i = 0; p.readGpsSample(i, &g) && i < 100000; ++i)
        out.append(g.latitude);
    return out;
}

void verifyTrip(const QList<double> &lats, int samples)
{
    QCOMPARE(lats.size(), samples);
    for (int i = 0; i < lats.size(); ++i)
        QVERIFY2(std::fabs(lats.at(i) - fx::latitudeOf(i + 1)) < 1e-9, qPrintable(QStringLiteral("sample %1").arg(i)));
}
} // namespace

class TestMp4Parser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void videoFacts_data();
    void videoFacts();
    void createTime_data();
    void createTime();
    void gpsSource_data();
    void gpsSource();
    void tableKinds_data();
    void tableKinds();
    void freeGpsProbe_data();
    void freeGpsProbe();
    void recordPastEnd_data();
    void recordPastEnd();
    void readsLittle();
    void everyTruncationIsSafe();
    void corruptedFilesAreSafe();
    void unopenableFile();
};

void TestMp4Parser::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
}

void TestMp4Parser::videoFacts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("codec");
    QTest::addColumn<int>("duration");
    QTest::addColumn<float>("frameRate");

    const QByteArray head = fx::ftyp();
    QTest::newRow("one video track") << head + movie(basicMovie()) << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("hvc1") << head + movie(fx::mvhd(1000, 60000) + fx::trak(video(1280, 720, "hvc1", 1500)))
                          << 1280 << 720 << 2 << 60 << 25.0f;
    QTest::newRow("other codec keeps 0") << head + movie(fx::mvhd(1000, 60000) + fx::trak(video(640, 480, "mp4v", 1500)))
                                         << 640 << 480 << 0 << 60 << 25.0f;
    QTest::newRow("frame rate one decimal") << head + movie(fx::mvhd(1001, 60060) + fx::trak(video(640, 480, "avc1", 1799)))
                                            << 640 << 480 << 1 << 60 << 30.0f;
    QTest::newRow("wider second track")
        << head + movie(fx::mvhd(1000, 10000) + fx::trak(video(1280, 720, "avc1", 300)) + fx::trak(video(1920, 1080, "hvc1", 250)))
        << 1920 << 1080 << 2 << 10 << 25.0f;
    QTest::newRow("equal widths keep the first")
        << head + movie(fx::mvhd(1000, 10000) + fx::trak(video(1920, 1080, "avc1", 300)) + fx::trak(video(1920, 540, "hvc1", 250)))
        << 1920 << 1080 << 1 << 10 << 30.0f;
    fx::Track sound = video(0, 0, "mp4a", 100);
    sound.handler = "soun";
    QTest::newRow("sound only") << head + movie(fx::mvhd(1000, 10000) + fx::trak(sound)) << 0 << 0 << 0 << 10 << 0.0f;
    QTest::newRow("stsz before mvhd")
        << head + movie(fx::trak(video(1920, 1080, "avc1", 900)) + fx::mvhd(1000, 30000)) << 1920 << 1080 << 1 << 30 << 0.0f;
    QTest::newRow("time scale 0") << head + movie(fx::mvhd(0, 30000) + fx::trak(video(1920, 1080, "avc1", 900)))
                                  << 1920 << 1080 << 1 << 0 << 0.0f;
    QTest::newRow("duration 0") << head + movie(fx::mvhd(1000, 0) + fx::trak(video(1920, 1080, "avc1", 900)))
                                << 1920 << 1080 << 1 << 0 << 0.0f;
    QTest::newRow("huge duration") << head + movie(fx::mvhd(1, 0xFFFFFFFFu) + fx::trak(video(640, 480, "avc1", 1)))
                                   << 640 << 480 << 1 << std::numeric_limits<int>::max() << 0.0f;
    QTest::newRow("mvhd version 1") << head + movie(fx::mvhdV1(1000, 90000) + fx::trak(video(1920, 1080, "avc1", 2700)))
                                    << 1920 << 1080 << 1 << 90 << 30.0f;
    fx::Track v1 = video(1280, 720, "avc1", 300);
    QByteArray v1trak = fx::trak(v1);
    v1trak.replace(v1trak.indexOf("tkhd") - 4, fx::tkhd(1280, 720).size(), fx::tkhdV1(1280, 720, 5));
    v1trak.replace(0, 4, be32(quint32(v1trak.size())));
    QTest::newRow("tkhd version 1") << head + movie(fx::mvhd(1000, 10000) + v1trak) << 1280 << 720 << 1 << 10 << 30.0f;

    QByteArray stsdFlags = fx::trak(video(640, 480, "hvc1", 250));
    stsdFlags[stsdFlags.indexOf("stsd") + 7] = 1; // flags = 1
    QTest::newRow("stsd with flags") << head + movie(fx::mvhd(1000, 10000) + stsdFlags) << 640 << 480 << 2 << 10 << 25.0f;

    // Header sizes.
    QTest::newRow("64-bit sizes") << head + fx::largeBox("free", QByteArray(100, 'f')) + fx::largeBox("moov", basicMovie())
                                  << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("64-bit size below 16") << head + be32(1) + QByteArray("free") + fx::be64(8) + movie(basicMovie())
                                          << 0 << 0 << 0 << 0 << 0.0f;
    QTest::newRow("64-bit size of 0") << head + be32(1) + QByteArray("free") + fx::be64(0) + movie(basicMovie())
                                      << 0 << 0 << 0 << 0 << 0.0f;
    QTest::newRow("size 2") << head + be32(2) + QByteArray("free") + movie(basicMovie()) << 0 << 0 << 0 << 0 << 0.0f;
    QTest::newRow("size 7") << head + be32(7) + QByteArray("free") + movie(basicMovie()) << 0 << 0 << 0 << 0 << 0.0f;
    QTest::newRow("size 0 runs to the end") << head + movie(basicMovie()) + be32(0) + QByteArray("mdat") + QByteArray(64, 'm')
                                            << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("size 0 inside moov") << head + movie(basicMovie() + be32(0) + QByteArray("free"))
                                        << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("size 0 before moov hides it") << head + be32(0) + QByteArray("free") + movie(basicMovie())
                                                 << 0 << 0 << 0 << 0 << 0.0f;
    QByteArray past = head + movie(basicMovie());
    past.replace(head.size(), 4, be32(quint32(basicMovie().size() + 8 + 100000)));
    QTest::newRow("moov past the end of file") << past << 1920 << 1080 << 1 << 60 << 30.0f;
    QByteArray hugeChild = head + movie(basicMovie() + be32(0xFFFFFFF0u) + QByteArray("udta"));
    QTest::newRow("child larger than parent") << hugeChild << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("mdat first") << head + box("mdat", QByteArray(5000, 'm')) + movie(basicMovie())
                                << 1920 << 1080 << 1 << 60 << 30.0f;
    QTest::newRow("short tail") << head + movie(basicMovie()) + QByteArray("abc") << 1920 << 1080 << 1 << 60 << 30.0f;

    QTest::newRow("empty") << QByteArray() << 0 << 0 << 0 << 0 << 0.0f;
    QTest::newRow("text") << QByteArray("this is not a recording at all\n") << 0 << 0 << 0 << 0 << 0.0f;
}

void TestMp4Parser::videoFacts()
{
    QFETCH(QByteArray, file);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, codec);
    QFETCH(int, duration);
    QFETCH(float, frameRate);

    Mp4Parser p(file);
    QCOMPARE(p.width, width);
    QCOMPARE(p.height, height);
    QCOMPARE(int(p.codec), codec);
    QCOMPARE(p.duration, duration);
    QCOMPARE(p.frameRate, frameRate);
    QCOMPARE(p.gpsKind, NoGps);
}

void TestMp4Parser::createTime_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    const QByteArray head = fx::ftyp();
    fx::Track t = video(640, 480);
    QTest::newRow("time 0") << head + movie(fx::mvhd(1000, 1000) + fx::trak(t)) << "1904-01-01 00:00:00";
    t.created = 3818534400u; // 2025-01-01 00:00:00 counted from 1904
    QTest::newRow("2025") << head + movie(fx::mvhd(1000, 1000) + fx::trak(t)) << "2025-01-01 00:00:00";
    t.created = 0xFFFFFFFFu;
    QTest::newRow("largest 32-bit") << head + movie(fx::mvhd(1000, 1000) + fx::trak(t)) << "2040-02-06 06:28:15";
    QTest::newRow("no video track") << head + movie(fx::mvhd(1000, 1000)) << QString();
}

void TestMp4Parser::createTime()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    Mp4Parser p(file);
    if (expected.isEmpty()) {
        QVERIFY2(!p.createTime.isValid(), "no creation time for this file");
        return;
    }
    QCOMPARE(p.createTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), expected);
}

void TestMp4Parser::gpsSource_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GpsSourceKind>("kind");
    QTest::addColumn<int>("count");

    const QByteArray head = fx::ftyp();
    const QList<quint32> three = {100, 200, 300};
    QTest::newRow("ext track") << head + movie(basicMovie() + fx::trak(dataTrack("text", "Ambarella EXT", three)))
                               << ExtTrackGps << 3;
    QTest::newRow("ext track any case") << head + movie(fx::trak(dataTrack("meta", "xxAMBARELLA ext", three)))
                                        << ExtTrackGps << 3;
    QTest::newRow("meta gps track") << head + movie(basicMovie() + fx::trak(dataTrack("meta", "GPS data", three)))
                                    << MetaTrackGps << 3;
    QTest::newRow("meta handler upper case") << head + movie(fx::trak(dataTrack("META", "gps", three))) << MetaTrackGps << 3;
    QTest::newRow("gps name on a text track") << head + movie(fx::trak(dataTrack("text", "gps", three))) << NoGps << 0;
    QTest::newRow("meta track without gps") << head + movie(fx::trak(dataTrack("meta", "timed metadata", three)))
                                            << NoGps << 0;
    QTest::newRow("gps track without stco") << head + movie(fx::trak(dataTrack("meta", "gps", {}))) << MetaTrackGps << 0;

    QByteArray longName = QByteArray(53, 'x') + "gps";
    QTest::newRow("gps past 55 bytes of name")
        << head + movie(fx::trak(dataTrack("meta", longName, three)) + fx::trak(video(800, 600))) << NoGps << 0;
    QTest::newRow("gps within 55 bytes") << head + movie(fx::trak(dataTrack("meta", QByteArray(52, 'x') + "gps", three)))
                                         << MetaTrackGps << 3;

    const QByteArray index = box("gps ", be32(0) + be32(2) + be32(1000) + be32(400) + be32(2000) + be32(400));
    QTest::newRow("gps index box") << head + movie(basicMovie() + index) << IndexBoxGps << 2;
    const QByteArray overCount = box("gps ", be32(0) + be32(1000000) + be32(1000) + be32(400) + be32(2000) + be32(400));
    QTest::newRow("gps index count past its box") << head + movie(overCount) << IndexBoxGps << 2;
    QTest::newRow("gps index then gps0")
        << head + movie(basicMovie() + index) + box("gps0", QByteArray(311 * 4, 'g')) << TopLevelGps << 4;
    QTest::newRow("gps0 then gps index")
        << head + box("gps0", QByteArray(311 * 4, 'g')) + movie(basicMovie() + index) << IndexBoxGps << 2;
    QTest::newRow("gps0 partial record") << head + box("gps0", QByteArray(311 * 3 + 200, 'g')) << TopLevelGps << 3;
    QTest::newRow("gps0 64-bit size") << head + fx::largeBox("gps0", QByteArray(311 * 3, 'g')) << TopLevelGps << 3;
    QByteArray overStco = fx::trak(dataTrack("meta", "gps", three));
    overStco.replace(overStco.indexOf("stco") + 8, 4, be32(0x7FFFFFFF));
    QTest::newRow("stco count past its box") << head + movie(overStco) << MetaTrackGps << 3;
    QTest::newRow("last source wins")
        << head + movie(fx::trak(dataTrack("meta", "gps", three)) + fx::trak(dataTrack("text", "Ambarella EXT", {7, 8})))
        << ExtTrackGps << 2;
    QTest::newRow("non-matching track keeps source")
        << head + movie(fx::trak(dataTrack("meta", "gps", three)) + fx::trak(video(640, 480))) << MetaTrackGps << 3;
}

void TestMp4Parser::gpsSource()
{
    QFETCH(QByteArray, file);
    QFETCH(GpsSourceKind, kind);
    QFETCH(int, count);
    Mp4Parser p(file);
    QCOMPARE(p.gpsKind, kind);
    QCOMPARE(p.gpsCount, count);
}

void TestMp4Parser::tableKinds_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GpsSourceKind>("kind");
    QTest::addColumn<int>("samples");

    const int records = 6;
    fx::Layout ext = recordChunks(records, 2);
    QTest::newRow("ext track") << ext.head + movie(basicMovie() + fx::trak(dataTrack("text", "Ambarella EXT", ext.chunks)))
                               << ExtTrackGps << records - 1;
    fx::Layout meta = recordChunks(records, 0);
    QTest::newRow("meta track") << meta.head + movie(basicMovie() + fx::trak(dataTrack("meta", "gpsdata", meta.chunks)))
                                << MetaTrackGps << records - 1;
    // A table too long to read in one go is read entry by entry.
    fx::Layout longMeta = recordChunks(6000, 0);
    QTest::newRow("meta track, long table")
        << longMeta.head + movie(basicMovie() + fx::trak(dataTrack("meta", "gpsdata", longMeta.chunks))) << MetaTrackGps << 5999;
    fx::Layout idx = recordChunks(records, 18);
    QByteArray entries = be32(0) + be32(quint32(records));
    for (quint32 c : idx.chunks)
        entries += be32(c) + be32(330);
    QTest::newRow("index box") << idx.head + movie(basicMovie() + box("gps ", entries)) << IndexBoxGps << records - 1;
    // moov before the media data, as a streaming-friendly writer lays it out.
    QByteArray top;
    for (const QByteArray &r : fx::trip(records))
        top += r.left(311);
    QTest::newRow("gps0") << fx::ftyp() + movie(basicMovie()) + box("gps0", top) << TopLevelGps << records - 1;
}

void TestMp4Parser::tableKinds()
{
    QFETCH(QByteArray, file);
    QFETCH(GpsSourceKind, kind);
    QFETCH(int, samples);
    Mp4Parser p(file);
    QCOMPARE(p.gpsKind, kind);
    verifyTrip(readLatitudes(p), samples);
}

void TestMp4Parser::freeGpsProbe_data()
{
    QTest::addColumn<int>("probe");
    QTest::newRow("64 KiB + 4") << 65540;
    QTest::newRow("128 KiB + 4") << 131076;
    QTest::newRow("256 KiB + 4") << 262148;
}

void TestMp4Parser::freeGpsProbe()
{
    QFETCH(int, probe);
    const int records = 3;
    QByteArray lead = QByteArray(probe, 'a') + "freeGPS" + QByteArray(7, ' ');
    fx::Layout l = recordChunks(records, 0, lead);
    fx::Track sound = dataTrack("soun", "SoundHandler", l.chunks);
    Mp4Parser p(l.head + movie(basicMovie() + fx::trak(sound)));
    QCOMPARE(p.gpsKind, FreeGpsInSound);
    QCOMPARE(p.freeGpsOffset, probe);
    verifyTrip(readLatitudes(p), records - 1);

    // The same sound track without the tag carries no GPS.
    QByteArray plain = QByteArray(probe, 'a') + "notGPS!" + QByteArray(7, ' ');
    fx::Layout n = recordChunks(records, 0, plain);
    Mp4Parser q(n.head + movie(basicMovie() + fx::trak(dataTrack("soun", "SoundHandler", n.chunks))));
    QCOMPARE(q.gpsKind, NoGps);
}

void TestMp4Parser::recordPastEnd_data()
{
    QTest::addColumn<quint32>("entry");
    QTest::addColumn<int>("samples");
    QTest::newRow("inside") << 0u << 2;
    QTest::newRow("past the end") << 50000u << 0;
    QTest::newRow("near 4 GiB") << 0xFFFFFFF0u << 0;
    QTest::newRow("last 32-bit offset") << 0xFFFFFFFFu << 0;
}

void TestMp4Parser::recordPastEnd()
{
    QFETCH(quint32, entry);
    QFETCH(int, samples);
    fx::Layout l = recordChunks(3, 2);
    if (entry != 0)
        l.chunks[1] = entry;
    Mp4Parser p(l.head + movie(fx::trak(dataTrack("text", "Ambarella EXT", l.chunks))));
    QCOMPARE(p.gpsCount, 3);
    GpsData g;
    int n = 0;
    while (n < 10 && p.readGpsSample(n, &g))
        ++n;
    QCOMPARE(n, samples);
}

void TestMp4Parser::readsLittle()
{
    // A minute of records behind 4 MiB of media data.
    const int records = 61;
    QList<QByteArray> chunks;
    for (const QByteArray &r : fx::trip(records))
        chunks.append(QByteArray(65536, 'v') + r);
    fx::Layout l = fx::mdatWithChunks(chunks);
    Mp4Parser p(l.head + movie(basicMovie() + fx::trak(dataTrack("meta", "gps", l.chunks))));
    const int samples = readLatitudes(p).size();
    QCOMPARE(samples, records - 1);
    QVERIFY2(p.bytesRead() <= 65536u + 312u * samples, qPrintable(QString::number(p.bytesRead())));
}

void TestMp4Parser::everyTruncationIsSafe()
{
    fx::Layout l = recordChunks(4, 2);
    QByteArray index = be32(0) + be32(4);
    for (quint32 c : l.chunks)
        index += be32(c) + be32(320);
    const QByteArray full = l.head
        + movie(fx::mvhd(1000, 4000) + fx::trak(video(1920, 1080, "hvc1", 100))
                + fx::trak(dataTrack("text", "Ambarella EXT", l.chunks)) + box("gps ", index))
        + box("gps0", QByteArray(311 * 3, 'g'));
    for (int n = 0; n <= full.size(); ++n) {
        Mp4Parser p(full.left(n));
        GpsData g;
        int i = 0;
        while (i < 1000 && p.readGpsSample(i, &g))
            ++i;
        QVERIFY2(i < 1000, qPrintable(QStringLiteral("prefix %1").arg(n)));
        QVERIFY2(p.bytesRead() <= quint64(n) + 316u * i, qPrintable(QStringLiteral("prefix %1").arg(n)));
    }
}

void TestMp4Parser::corruptedFilesAreSafe()
{
    fx::Layout l = recordChunks(4, 2);
    const QByteArray full = l.head
        + movie(basicMovie() + fx::trak(dataTrack("text", "Ambarella EXT", l.chunks))
                + fx::trak(dataTrack("meta", "gps", l.chunks)));
    QRandomGenerator rng(20250101);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = full;
        const int edits = 1 + int(rng.bounded(4));
        for (int e = 0; e < edits; ++e) {
            const int at = int(rng.bounded(bad.size() - 4));
            // Box sizes and counts are what breaks walkers: hit them as words.
            if (rng.bounded(2))
                bad.replace(at, 4, be32(rng.generate() >> rng.bounded(32)));
            else
                bad[at] = char(rng.bounded(256));
        }
        Mp4Parser p(bad);
        GpsData g;
        int i = 0;
        while (i < 100000 && p.readGpsSample(i, &g))
            ++i;
        QVERIFY2(i < 100000, "reading samples stops");
        QVERIFY2(p.width >= 0 && p.height >= 0 && p.duration >= 0, "sizes and duration are never negative");
    }
}

void TestMp4Parser::unopenableFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &path : {dir.path(), dir.filePath(QStringLiteral("missing.mp4"))}) {
        Mp4Parser p(path);
        QVERIFY2(!p.isOpen(), "a folder or missing file does not open");
        QCOMPARE(p.width, 0);
        QCOMPARE(p.gpsKind, NoGps);
        GpsData g;
        QVERIFY2(!p.readGpsSample(0, &g), "nothing opened, no sample");
    }
}

QTEST_GUILESS_MAIN(TestMp4Parser)
#include "tst_mp4parser.moc"
