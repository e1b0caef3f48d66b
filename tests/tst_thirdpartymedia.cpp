#include "mp4parser.h"
#include "videoparser.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

// Files written by other muxers, with awkward structure and no GPS: each must
// parse, report what its boxes say, and cost little to read.
class TestThirdPartyMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFile_data();
    void everyFile();
    void knownFacts_data();
    void knownFacts();

private:
    QDir m_dir;
};

void TestThirdPartyMedia::initTestCase()
{
    const QString path = qEnvironmentVariable("TRACKORA_THIRDPARTY_MEDIA");
    if (path.isEmpty() || !QDir(path).exists())
        QSKIP(qPrintable(QStringLiteral("no third-party recordings in '%1': configure with "
                                        "-DTRACKORA_THIRDPARTY_MEDIA_DIR=FOLDER to run these checks")
                             .arg(path)));
    m_dir = QDir(path);
}

void TestThirdPartyMedia::everyFile_data()
{
    QTest::addColumn<QString>("path");
    const QStringList names = m_dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(!names.isEmpty(), "the folder holds recordings");
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << m_dir.filePath(name);
}

void TestThirdPartyMedia::everyFile()
{
    QFETCH(QString, path);
    Mp4Parser parser(path);
    QVERIFY2(parser.isOpen(), "the parser opens the recording");
    QVERIFY2(parser.width >= 0 && parser.height >= 0 && parser.duration >= 0,
             "sizes and duration are never negative");
    QCOMPARE(parser.gpsKind, NoGps);
    GpsData g;
    QVERIFY2(!parser.readGpsSample(0, &g), "no GPS, no sample");
    QVERIFY2(parser.bytesRead() <= 65536, qPrintable(QString::number(parser.bytesRead())));

    VideoParser video;
    video.setFile(path, 0);
    QSignalSpy lists(&video, &VideoParser::allGpsDataParserFinished);
    video.parse();
    QCOMPARE(lists.count(), 1);
    QVERIFY2(video.gpsDataList().isEmpty(), "no GPS list");
}

void TestThirdPartyMedia::knownFacts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("codec");
    QTest::addColumn<int>("duration");

    QTest::newRow("h264") << "bento4-video-h264-001.mp4" << 160 << 120 << 1 << 3;
    QTest::newRow("audio only") << "bento4-audio-aac-001.mp4" << 0 << 0 << 0 << 30;
    QTest::newRow("invalid user data") << "mp4parse-invalid_userdata.mp4" << 1280 << 720 << 1 << 231;
    QTest::newRow("empty stsc") << "mp4parse-zero_empty_stsc.mp4" << 1280 << 720 << 1 << 41;
    QTest::newRow("white") << "mp4parse-white.mp4" << 320 << 240 << 1 << 10;
    QTest::newRow("no time scale") << "mp4parse-no_timescale.mp4" << 320 << 240 << 1 << 0;
    // 'hev1' is not a sample description the viewer knows.
    QTest::newRow("hev1") << "mp4parse-hevc_white_frame.mp4" << 640 << 480 << 0 << 0;
    QTest::newRow("av1") << "mp4parse-tiny_av1.mp4" << 64 << 64 << 0 << 0;
    QTest::newRow("encrypted init") << "mp4parse-bipbop_cbcs_video_init.mp4" << 400 << 300 << 1 << 0;
    QTest::newRow("fuzzer case") << "mp4parse-clusterfuzz-testcase-minimized-mp4-6093954524250112" << 0 << 0 << 0 << 0;
}

void TestThirdPartyMedia::knownFacts()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, codec);
    QFETCH(int, duration);
    if (!m_dir.exists(name))
        QSKIP("file not in this copy of the third-party media");
    Mp4Parser parser(m_dir.filePath(name));
    QCOMPARE(parser.width, width);
    QCOMPARE(parser.height, height);
    QCOMPARE(int(parser.codec), codec);
    QCOMPARE(parser.duration, duration);
}

QTEST_GUILESS_MAIN(TestThirdPartyMedia)
#include "tst_thirdpartymedia.moc"
