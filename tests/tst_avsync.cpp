#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Picture against sound measured from outside the engine by the benchmark
// (`trackora-bench avsync`), in a real control with SDL's disk driver. The
// bounds are generous for a loaded machine; the benchmark holds the target.
class TestAvSync : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureAndSoundInStep();

private:
    QJsonObject measure(const QStringList &arguments);
    QTemporaryDir dir;
};

void TestAvSync::initTestCase()
{
    QVERIFY(dir.isValid());
}

QJsonObject TestAvSync::measure(const QStringList &arguments)
{
    QProcess bench;
    bench.start(qEnvironmentVariable("TRACKORA_BIN_DIR") + "/trackora-bench", QStringList{"avsync"} << arguments);
    if (!bench.waitForFinished(90000)) {
        bench.kill();
        bench.waitForFinished();
        return {};
    }
    const QList<QByteArray> lines = bench.readAllStandardOutput().trimmed().split('\n');
    return QJsonDocument::fromJson(lines.last()).object();
}

// The measurement must see an offset of the size that once went unseen
// (the clip's own beeps moved against the flashes), and the player, on a
// clip in step, must show none beyond 25 ms on average.
void TestAvSync::pictureAndSoundInStep()
{
    const QJsonObject shifted = measure({dir.filePath("late_sound.mp4"), "--clip-seconds", "8", "--audio-shift", "60"});
    QVERIFY2(shifted["opened"].toBool(), "the benchmark could not play its clip");
    const double shiftedMean = shifted["sync"].toObject()["meanSignedMs"].toDouble(1e9);
    QVERIFY2(std::fabs(shiftedMean + 60) <= 25,
             qPrintable(QString("beeps 60 ms late measured at %1 ms (picture - sound), expected about -60").arg(shiftedMean)));

    const QJsonObject result = measure({dir.filePath("in_step.mp4"), "--clip-seconds", "8", "--rate", "1"});
    const QJsonObject sync = result["sync"].toObject();
    QVERIFY2(sync["pairs"].toInt() >= 5, qPrintable(QString("only %1 flash-beep pairs").arg(sync["pairs"].toInt())));
    const double mean = sync["meanSignedMs"].toDouble(1e9);
    QVERIFY2(std::fabs(mean) <= 25,
             qPrintable(QString("picture - sound %1 ms on average at rate 1.0 (load %2), expected within 25 ms")
                            .arg(mean).arg(result["load"].toDouble())));
}

QTEST_GUILESS_MAIN(TestAvSync)
#include "tst_avsync.moc"
