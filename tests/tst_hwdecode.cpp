#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

// `trackora-bench hwdecode` plays each file in two processes of its own, with
// the decoding device and with it hidden, and compares their pictures. Where
// there is no device both runs decode in software, so every common picture
// must match bit for bit: a run that cannot start its child, loses pictures
// or compares the wrong planes shows here.
class TestHwDecode : public QObject
{
    Q_OBJECT

private slots:
    void bothRunsShowTheSamePictures_data();
    void bothRunsShowTheSamePictures();
    void missingFileIsRefused();
};

namespace {
QString mediaPath(const QString &name)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/engine/") + name;
}

QString benchPath()
{
    return qEnvironmentVariable("TRACKORA_BIN_DIR") + "/trackora-bench";
}
} // namespace

void TestHwDecode::bothRunsShowTheSamePictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lumaBits");
    QTest::newRow("H.264") << "clip_short_F.mp4" << 8;
    QTest::newRow("H.265 10-bit, no sound") << "clip_h265_10bit_F.mp4" << 10;
    QTest::newRow("MJPEG in AVI") << "clip_mjpeg_F.avi" << 8;
}

void TestHwDecode::bothRunsShowTheSamePictures()
{
    QFETCH(QString, file);
    QFETCH(int, lumaBits);
    QProcess bench;
    bench.start(benchPath(), {"hwdecode", "--seconds", "1.5", mediaPath(file)});
    QVERIFY2(bench.waitForFinished(60000), "the benchmark did not finish");
    QCOMPARE(bench.exitCode(), 0);
    const QJsonObject result = QJsonDocument::fromJson(bench.readAllStandardOutput().trimmed()).object();
    QVERIFY2(!result.contains("error"), qPrintable(result["error"].toString()));
    QCOMPARE(result["lumaBits"].toInt(), lumaBits);
    for (const char *run : {"hardware", "hidden"}) {
        const QJsonObject figures = result[run].toObject();
        QVERIFY2(figures["opened"].toBool(), run);
        QVERIFY2(figures["firstFrameMs"].toDouble(-1) >= 0, run);
        QCOMPARE(figures["framesShown"].toInt(), figures["framesExpected"].toInt());
    }
    if (result["hardware"].toObject()["decodeMode"] != "SOFTWARE_DECODE")
        QSKIP("a decoding device exists here: its pictures need not match bit for bit");
    const int common = result["commonTimestamps"].toInt();
    QVERIFY2(common >= 20, qPrintable(QString("only %1 common pictures").arg(common)));
    QCOMPARE(result["identicalLuma"].toInt(), common);
    QCOMPARE(result["maxLumaDiff"].toInt(-1), 0);
}

void TestHwDecode::missingFileIsRefused()
{
    QProcess bench;
    bench.start(benchPath(), {"hwdecode", mediaPath("no_such_file.mp4")});
    QVERIFY(bench.waitForFinished(10000));
    QCOMPARE(bench.exitCode(), 2);
    QVERIFY(bench.readAllStandardError().contains("no such file"));
}

QTEST_GUILESS_MAIN(TestHwDecode)
#include "tst_hwdecode.moc"
