#include "FFDemuxer.h"
#include "FFPlayer.h"
#include "tst_logcapture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>

#include <atomic>
#include <memory>
#include <mutex>

using namespace TrackoraActiveX;

namespace {
QString mediaPath(const QString &name)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/engine/") + name;
}

// A player with its signals counted on the test's (GUI) thread.
struct Watched
{
    std::unique_ptr<CFFPlayer> player{new CFFPlayer};
    QObject context;
    int pictures = 0;
    qint64 lastPosition = -1;
    qint64 maxPosition = -1;
    qint64 duration = -1;
    QList<FFStates> states;

    Watched()
    {
        CFFPlayer *p = player.get();
        QObject::connect(p, &CFFPlayer::renderFrame, &context, [this](const HFrame *) { ++pictures; },
                         Qt::QueuedConnection);
        QObject::connect(p, &CFFPlayer::positionChanged, &context,
                         [this](qint64 ms) {
                             lastPosition = ms;
                             maxPosition = qMax(maxPosition, ms);
                         },
                         Qt::QueuedConnection);
        QObject::connect(p, &CFFPlayer::durationChanged, &context, [this](qint64 ms) { duration = ms; },
                         Qt::QueuedConnection);
        QObject::connect(p, &CFFPlayer::stateChanged, &context, [this](FFStates s) { states << s; },
                         Qt::QueuedConnection);
    }
    void settle(int ms) { QTest::qWait(ms); }
};

// The category of each logged message, beside LogCapture's texts.
namespace Categories {
std::mutex mutex;
QStringList lines; // "category: message"
QtMessageHandler next = nullptr;

void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        lines << QString::fromLatin1(context.category ? context.category : "") + QStringLiteral(": ") + message;
    }
    next(type, context, message);
}

QStringList matching(const QString &text)
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines.filter(text);
}
} // namespace Categories

} // namespace

class TestFFDemuxer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void unreadableInputIsRefused_data();
    void unreadableInputIsRefused();
    void seekWithoutFileOrBeforeStartIsRefused();
    void fileWithoutVideoLeavesNothingOpen();
    void playsToTheEndAndDrains_data();
    void playsToTheEndAndDrains();
    void pausedSeekShowsOnePicture();
    void seekToTheEndShowsTheLastSecond();
    void pauseAfterEndKeepsPlace();
    void seekWhilePlayingAfterEndPlaysOn();
    void seekBurstWhilePlayingSettles();
    void stopAndDestructionReturnPromptly_data();
    void stopAndDestructionReturnPromptly();
    void failedSeekIsReported();
    void unknownOpenOptionsAreLoggedOnce();
    void ffmpegMessagesReachTheLog();
    void durationFromTheContainer_data();
    void durationFromTheContainer();
    void seekAndPositionShareOneOrigin();
    void streamWithoutTimestampsIsPaced();
};

void TestFFDemuxer::initTestCase()
{
    LogCapture::install();
    Categories::next = qInstallMessageHandler(Categories::handler);
    QVERIFY2(SDL_Init(SDL_INIT_AUDIO) == 0, SDL_GetError());
    QVERIFY2(QFile::exists(mediaPath("clip_short_F.mp4")), "the generated recordings are missing");
}

void TestFFDemuxer::cleanupTestCase()
{
    SDL_Quit();
}

void TestFFDemuxer::init()
{
    LogCapture::clear();
}

void TestFFDemuxer::unreadableInputIsRefused_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("logText");
    QTest::newRow("missing file") << QByteArray() << "Couldn't open input stream. 2 No such file or directory";
    QTest::newRow("not a media file") << QByteArray("this is not a recording\n").repeated(40)
                                      << "Couldn't open input stream. ";
    QTest::newRow("empty file") << QByteArray("") << "Couldn't open input stream. ";
}

void TestFFDemuxer::unreadableInputIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, logText);
    QTemporaryDir dir;
    QString path = dir.filePath("clip_F.mp4");
    if (content.isNull()) {
        path = dir.filePath("missing_F.mp4");
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    Watched w;
    w.player->play(path);
    QCOMPARE(w.player->state(), StoppedState);
    QCOMPARE(LogCapture::count(logText), 1);
    w.settle(100);
    QVERIFY2(w.states.isEmpty(), "a failed open reports no state");
    QCOMPARE(w.pictures, 0);
    QCOMPARE(LogCapture::count("begin onDemux"), 0);
}

void TestFFDemuxer::seekWithoutFileOrBeforeStartIsRefused()
{
    CFFPlayer player;
    CFFDemuxer demuxer(&player);
    QVERIFY(!demuxer.seekFile(3, PausedState));
    QVERIFY(!demuxer.seekFile(-1, PausedState));
    demuxer.setSeekSecond(2, PausedState);
    QCOMPARE(demuxer.seekSecond(), 0);

    QVERIFY(demuxer.openMedia(mediaPath("clip_noaudio_F.mp4")));
    demuxer.pauseDemux(true);
    QVERIFY(!demuxer.seekFile(-1, PausedState));
    QCOMPARE(demuxer.seekSecond(), 0);
    QVERIFY(demuxer.seekFile(1, PausedState));
    QCOMPARE(demuxer.seekSecond(), 1);
    demuxer.stopDemux();
    QVERIFY(!demuxer.isInitialized());
    QVERIFY(!demuxer.seekFile(1, PausedState));
}

void TestFFDemuxer::fileWithoutVideoLeavesNothingOpen()
{
    QTemporaryDir dir;
    const QString audioOnly = dir.filePath("sound_F.m4a");
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=duration=1", "-c:a", "aac", audioOnly});
    QVERIFY(ffmpeg.waitForFinished(30000));
    QVERIFY2(QFile::exists(audioOnly), "ffmpeg could not make the audio-only file");

    Watched w;
    w.player->play(audioOnly);
    QCOMPARE(w.player->state(), StoppedState);
    QCOMPARE(LogCapture::count("Cannot find a video stream in the input file"), 1);
    // The next file is opened from its own path, not from the input left behind.
    w.player->play(mediaPath("clip_short_R.mp4"));
    QCOMPARE(w.player->state(), PlayingState);
    QTRY_COMPARE_WITH_TIMEOUT(w.duration, qint64(3000), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > 100, 5000);
}

void TestFFDemuxer::playsToTheEndAndDrains_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("frameMs");
    QTest::newRow("H.264 + AAC") << "clip_short_F.mp4" << 33;
    QTest::newRow("H.264 without audio") << "clip_short_R.mp4" << 33;
    QTest::newRow("with a subtitle stream") << "clip_subtitle_F.mp4" << 33;
    QTest::newRow("MJPEG + PCM in AVI") << "clip_mjpeg_F.avi" << 40;
}

void TestFFDemuxer::playsToTheEndAndDrains()
{
    QFETCH(QString, file);
    QFETCH(int, frameMs);
    Watched w;
    w.player->play(mediaPath(file));
    QCOMPARE(w.player->state(), PlayingState);
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("begin onDemux"), 1, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(w.duration > 0, 2000);
    // The last pictures come out of the decoder only after the end-of-file packet.
    QTRY_VERIFY_WITH_TIMEOUT(w.maxPosition >= w.duration - frameMs - 5, 15000);
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("end onDemux"), 1, 5000);
    QVERIFY2(w.pictures >= w.duration / frameMs * 9 / 10,
             qPrintable(QString("only %1 pictures for %2 ms").arg(w.pictures).arg(w.duration)));
    QCOMPARE(LogCapture::count("CFFVideo::decodePacket"), 0);
    w.player->stop();
    QCOMPARE(w.player->state(), StoppedState);
}

void TestFFDemuxer::pausedSeekShowsOnePicture()
{
    Watched w;
    w.player->play(mediaPath("clip_noaudio_F.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > 200, 5000);
    w.player->pause();
    w.settle(300);
    const int before = w.pictures;
    w.player->setSeekSecond(2);
    // The read loop's thread reads and decodes; the picture comes back through the event loop.
    QCOMPARE(w.pictures, before);
    QCOMPARE(w.player->seekSecond(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 1, 5000);
    // GOP 30 at 30 fps: a key picture starts every second.
    QCOMPARE(w.lastPosition, qint64(2000));
    // The read loop stays parked: nothing else is shown while paused.
    w.settle(800);
    QCOMPARE(w.pictures, before + 1);
    QCOMPARE(w.lastPosition, qint64(2000));

    // A second seek shows the next picture as promptly.
    w.player->setSeekSecond(1);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 2, 5000);
    QCOMPARE(w.lastPosition, qint64(1000));

    // Playing resumes from there (once settled, positions are reported again).
    QTRY_VERIFY_WITH_TIMEOUT(w.player->isSeekSettled(), 3000);
    w.player->play(mediaPath("clip_noaudio_F.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > 1500, 5000);
    QVERIFY2(w.lastPosition < 3500, qPrintable(QString("at %1 ms soon after playing on from 1 s").arg(w.lastPosition)));
}

// A seek to the rounded-up end, or past it, goes to the last second that
// holds pictures; the queues it empties are filled from there.
void TestFFDemuxer::seekToTheEndShowsTheLastSecond()
{
    Watched w;
    // 3.0 s of video: second 3 is the rounded-up end.
    w.player->play(mediaPath("clip_short_R.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.duration > 0, 2000);
    QCOMPARE(w.duration, qint64(3000));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > 200 && w.lastPosition < 1500, 5000);
    w.player->pause();
    w.settle(200);
    const int before = w.pictures;
    w.player->setSeekSecond(3);
    QCOMPARE(w.player->seekSecond(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 1, 5000);
    QCOMPARE(w.lastPosition, qint64(2000));
    w.player->setSeekSecond(40);
    QCOMPARE(w.player->seekSecond(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 2, 5000);
    QCOMPARE(w.lastPosition, qint64(2000));
    // Playing on shows the rest of the last second.
    QTRY_VERIFY_WITH_TIMEOUT(w.player->isSeekSettled(), 3000);
    const int atResume = w.pictures;
    w.player->play(mediaPath("clip_short_R.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.maxPosition >= 2960, 5000);
    QVERIFY2(w.pictures - atResume >= 27, qPrintable(QString("%1 pictures of the last second").arg(w.pictures - atResume)));
}

// After the input was read to its end, a pause changes nothing but the
// state: playing on continues where it stood, without reading again.
void TestFFDemuxer::pauseAfterEndKeepsPlace()
{
    Watched w;
    w.player->play(mediaPath("clip_short_R.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("end onDemux"), 1, 10000);
    w.player->pause();
    w.settle(300);
    const qint64 pausedAt = w.lastPosition;
    const int parked = w.pictures;
    w.settle(300);
    QCOMPARE(w.pictures, parked);
    QVector<qint64> after;
    QObject::connect(w.player.get(), &CFFPlayer::positionChanged, &w.context, [&after](qint64 ms) { after << ms; },
                     Qt::QueuedConnection);
    w.player->play(mediaPath("clip_short_R.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.maxPosition >= 2960, 5000);
    w.settle(500);
    for (qint64 ms : after)
        QVERIFY2(ms >= pausedAt, qPrintable(QString("paused at %1 ms, then shown %2 ms").arg(pausedAt).arg(ms)));
    QCOMPARE(LogCapture::count("begin onDemux"), 1);
    // A seek still reads again.
    w.player->setSeekSecond(1);
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition >= 1000 && w.lastPosition < 2900, 5000);
}

void TestFFDemuxer::seekWhilePlayingAfterEndPlaysOn()
{
    Watched w;
    w.player->play(mediaPath("clip_short_F.mp4"));
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("end onDemux"), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(w.maxPosition >= 2900, 10000);
    w.lastPosition = -1;
    // The decoder has drained; the seek must bring it back to life.
    w.player->setSeekSecond(1);
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition >= 1000 && w.lastPosition < 2900, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("end onDemux"), 2, 10000);
}

void TestFFDemuxer::seekBurstWhilePlayingSettles()
{
    Watched w;
    w.player->play(mediaPath("clip1080_F.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > 100, 5000);
    // Seeks on the GUI thread race the read loop on the same input.
    for (int i = 0; i < 30; ++i) {
        w.player->setSeekSecond(2 + i % 7);
        QTest::qWait(15);
    }
    w.player->setSeekSecond(10);
    QTRY_VERIFY_WITH_TIMEOUT(w.player->isSeekSettled(), 3000);
    w.lastPosition = -1;
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition >= 10000, 5000);
    QVERIFY2(w.lastPosition < 19000, qPrintable(QString("position %1 after a seek to 10 s").arg(w.lastPosition)));
    QCOMPARE(w.player->seekSecond(), 10);
    QCOMPARE(w.player->state(), PlayingState);
}

void TestFFDemuxer::stopAndDestructionReturnPromptly_data()
{
    QTest::addColumn<QString>("stateBefore");
    QTest::newRow("playing 1080p") << "playing";
    QTest::newRow("paused 1080p") << "paused";
    QTest::newRow("after the end") << "ended";
}

void TestFFDemuxer::stopAndDestructionReturnPromptly()
{
    QFETCH(QString, stateBefore);
    Watched w;
    const QString file = stateBefore == "ended" ? "clip_short_R.mp4" : "clip1080_F.mp4";
    w.player->play(mediaPath(file));
    QTRY_VERIFY_WITH_TIMEOUT(w.pictures > 3, 10000);
    if (stateBefore == "paused")
        w.player->pause();
    if (stateBefore == "ended")
        QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("end onDemux"), 1, 10000);
    QElapsedTimer timer;
    timer.start();
    w.player->stop();
    const qint64 stopMs = timer.elapsed();
    QVERIFY2(stopMs < 1500, qPrintable(QString("stop took %1 ms").arg(stopMs)));
    QCOMPARE(w.player->state(), StoppedState);
    // Opening again after a stop reads from the start.
    w.lastPosition = -1;
    w.player->play(mediaPath(file));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition >= 0 && w.lastPosition < 1500, 10000);
    timer.restart();
    w.player.reset();
    const qint64 deleteMs = timer.elapsed();
    QVERIFY2(deleteMs < 1500, qPrintable(QString("destruction took %1 ms").arg(deleteMs)));
}

void TestFFDemuxer::failedSeekIsReported()
{
    // A raw H.264 stream has no index to seek by.
    QTemporaryDir dir;
    const QString raw = dir.filePath("raw_F.h264");
    QCOMPARE(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                          "testsrc2=size=320x180:rate=30:duration=2", "-c:v", "libx264",
                                          "-preset", "ultrafast", raw}),
             0);
    CFFPlayer player;
    CFFDemuxer demuxer(&player);
    QVERIFY(demuxer.openMedia(raw));
    demuxer.pauseDemux(true);
    LogCapture::clear();
    QVERIFY2(!demuxer.seekFile(1, PausedState), "a seek the file refuses must not report success");
    QCOMPARE(LogCapture::count("Operation not permitted"), 1);
    demuxer.stopDemux();

    // Through the player: a refused paused seek shows no picture.
    Watched w;
    w.player->play(raw);
    QTRY_VERIFY_WITH_TIMEOUT(w.pictures > 3, 5000);
    w.player->pause();
    w.settle(200);
    const int before = w.pictures;
    LogCapture::clear();
    w.player->setSeekSecond(1);
    // The read loop makes the seek: once it has refused, nothing may follow.
    QTRY_COMPARE_WITH_TIMEOUT(LogCapture::count("Operation not permitted"), 1, 5000);
    QCoreApplication::processEvents();
    QCOMPARE(w.pictures, before);
    w.player->play(raw);
    QCOMPARE(w.player->state(), PlayingState);
}

void TestFFDemuxer::unknownOpenOptionsAreLoggedOnce()
{
    Watched w;
    w.player->play(mediaPath("clip_short_R.mp4"));
    QCOMPARE(w.player->state(), PlayingState);
    w.player->stop();
    w.player->play(mediaPath("clip_noaudio_F.mp4"));
    QCOMPARE(w.player->state(), PlayingState);
    const QStringList lines = LogCapture::matching("Options the input did not take:");
    QCOMPARE(lines.size(), 1);
    // Codec and player options mean nothing to a file input.
    for (const char *key : {"skip_frame", "packet-buffering", "start-on-prepared", "min-frames"})
        QVERIFY2(lines.first().contains(QLatin1String(key)), qPrintable(lines.first()));
    QVERIFY2(!lines.first().contains(QLatin1String("fflags")), qPrintable(lines.first()));
}

void TestFFDemuxer::ffmpegMessagesReachTheLog()
{
    // The head of a recording whose index sits at its end.
    QTemporaryDir dir;
    const QString cut = dir.filePath("cut_F.mp4");
    QFile source(mediaPath("clip_noaudio_F.mp4"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QFile out(cut);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(source.read(4096));
    out.close();
    Watched w;
    w.player->play(cut);
    QCOMPARE(w.player->state(), StoppedState);
    const QStringList lines = Categories::matching("moov atom not found");
    QVERIFY2(!lines.isEmpty(), "the demuxer's own reason is in the log");
    QVERIFY2(lines.first().startsWith(QLatin1String("trackora.ffmpeg: ")), qPrintable(lines.first()));
}

void TestFFDemuxer::durationFromTheContainer_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("expectedMs");
    QTest::addColumn<qint64>("firstPictureMs");
    QTest::newRow("MP4, the stream's") << "clip_short_F.mp4" << qint64(3000) << qint64(0);
    QTest::newRow("MKV remux, no stream duration") << "remux_F.mkv" << qint64(3000) << qint64(0);
    QTest::newRow("MKV, video after the sound") << "late_video_F.mkv" << qint64(6850) << qint64(850);
}

// The duration comes from the stream or, where the stream has none, from the
// container; seeks to 0 and to the last second then work as in any file.
void TestFFDemuxer::durationFromTheContainer()
{
    QFETCH(QString, file);
    QFETCH(qint64, expectedMs);
    QFETCH(qint64, firstPictureMs);
    Watched w;
    w.player->play(mediaPath(file));
    QCOMPARE(w.player->state(), PlayingState);
    QTRY_VERIFY_WITH_TIMEOUT(w.duration >= 0, 2000);
    QVERIFY2(qAbs(w.duration - expectedMs) <= 40, qPrintable(QString("duration %1 ms").arg(w.duration)));
    QTRY_VERIFY_WITH_TIMEOUT(w.lastPosition > firstPictureMs + 300, 5000);
    w.player->pause();
    w.settle(100);
    const int before = w.pictures;
    w.player->setSeekSecond(0);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 1, 5000);
    QVERIFY2(qAbs(w.lastPosition - firstPictureMs) < 40, qPrintable(QString::number(w.lastPosition)));
    const int last = int((w.duration + 999) / 1000) - 1;
    w.player->setSeekSecond(last + 1);
    QCOMPARE(w.player->seekSecond(), last);
    QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 2, 5000);
    QVERIFY2(qAbs(w.lastPosition - last * 1000) < 40, qPrintable(QString::number(w.lastPosition)));
}

// Video from about 0.85 s, sound from 0: positions and seeks count from the
// file's start alike, so a seek shows the second it asked for (not the key
// picture before it) and a step of one second from there moves on.
void TestFFDemuxer::seekAndPositionShareOneOrigin()
{
    Watched w;
    w.player->play(mediaPath("late_video_F.mkv"));
    QTRY_VERIFY_WITH_TIMEOUT(w.pictures > 0 && w.lastPosition >= 0, 5000);
    QVERIFY2(qAbs(w.lastPosition - 850) < 40, qPrintable(QString("the first picture at %1 ms").arg(w.lastPosition)));
    w.player->pause();
    w.settle(100);
    for (int second : {4, 5, 2}) {
        const int before = w.pictures;
        w.player->setSeekSecond(second);
        QTRY_COMPARE_WITH_TIMEOUT(w.pictures, before + 1, 5000);
        QVERIFY2(w.lastPosition > second * 1000 - 17 && w.lastPosition < second * 1000 + 34,
                 qPrintable(QString("a seek to %1 s shows %2 ms").arg(second).arg(w.lastPosition)));
        QCOMPARE(qint64(w.player->position()), w.lastPosition);
        // The picture shown is the one at that position.
        const double shownMs = w.player->currentFrameSeconds() * 1000 - w.player->startMilliseconds();
        QVERIFY2(qAbs(shownMs - w.lastPosition) < 2, qPrintable(QString("picture at %1 ms").arg(shownMs)));
    }
}

// A raw stream carries no timestamps: they come from its frame rate, so the
// pictures play at that rate and the positions count from 0.
void TestFFDemuxer::streamWithoutTimestampsIsPaced()
{
    QVector<qint64> positions;
    Watched w;
    QObject::connect(w.player.get(), &CFFPlayer::positionChanged, &w.context, [&positions](qint64 ms) { positions << ms; },
                     Qt::QueuedConnection);
    QElapsedTimer wall;
    w.player->play(mediaPath("raw_F.h264"));
    QCOMPARE(w.player->state(), PlayingState);
    QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty(), 5000);
    wall.start();
    // 20 pictures at 10 per second.
    QTRY_VERIFY_WITH_TIMEOUT(w.maxPosition >= 1900, 8000);
    const qint64 took = wall.elapsed();
    w.settle(200);
    QVERIFY2(took >= 1500, qPrintable(QString("2 s of pictures in %1 ms").arg(took)));
    QVERIFY2(positions.size() >= 19, qPrintable(QString("%1 positions").arg(positions.size())));
    for (int i = 0; i < positions.size(); ++i) {
        QVERIFY2(positions[i] >= 0 && positions[i] <= 1900, qPrintable(QString::number(positions[i])));
        if (i > 0)
            QCOMPARE(positions[i] - positions[i - 1], qint64(100));
    }
}

QTEST_MAIN(TestFFDemuxer)
#include "tst_ffdemuxer.moc"
