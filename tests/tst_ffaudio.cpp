#include "FFAudio.h"
#include "FFPlayer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <mutex>

using namespace TrackoraActiveX;

namespace {

QString mediaPath(const QString &name)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/engine/") + name;
}

// What the disk driver wrote between two byte offsets: 16-bit stereo.
struct Sound
{
    double rms = 0;
    double upCrossingsPerSecond = 0;
    double seconds = 0;
};

Sound analyse(const QString &path, qint64 from, qint64 to, int sampleRate)
{
    Sound sound;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from & ~qint64(3)))
        return sound;
    const QByteArray bytes = file.read(to - from);
    const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
    const int frames = bytes.size() / 4;
    double sum = 0;
    int crossings = 0;
    bool below = false;
    // Left channel; a little hysteresis keeps noise from counting as crossings.
    for (int i = 0; i < frames; ++i) {
        const int v = samples[2 * i];
        sum += double(v) * v;
        if (v < -300)
            below = true;
        else if (v > 300 && below) {
            ++crossings;
            below = false;
        }
    }
    if (frames > 0) {
        sound.rms = std::sqrt(sum / frames);
        sound.seconds = double(frames) / sampleRate;
        sound.upCrossingsPerSecond = crossings / sound.seconds;
    }
    return sound;
}

bool makeClip(const QString &out, const QStringList &inputs)
{
    QStringList args{"-v", "error", "-y"};
    args << inputs << QStringList{"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", out};
    return QProcess::execute("ffmpeg", args) == 0;
}

} // namespace

class TestFFAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void tempoChangesSpeedNotPitch_data();
    void tempoChangesSpeedNotPitch();
    void picturesFollowTheClock_data();
    void picturesFollowTheClock();
    void volumeAndMute();
    void pauseHoldsTheClock();
    void audioRunningDryKeepsPicturesMoving();
    void seekBackAfterTheEndPlaysSound();
    void nextFileReopensDeviceInItsFormat();
    void deviceFailurePlaysVideoAlone();
    void outputLatencyByDriver_data();
    void outputLatencyByDriver();
    void normalSpeedPlaysTheDecodedSamples();

private:
    // Plays until the audio clock has started; false if it never does.
    bool startPlaying(CFFPlayer &player, const QString &file);
    QString soundFile;
    QTemporaryDir dir;
};

void TestFFAudio::initTestCase()
{
    QVERIFY2(QFile::exists(mediaPath("clip_subtitle_F.mp4")), "TRACKORA_TEST_MEDIA must hold the generated recordings");
    QVERIFY2(dir.isValid(), "a temporary folder for the sound files");
    // The disk driver writes what the device plays, at the device's pace.
    qputenv("SDL_AUDIODRIVER", "disk");
    QVERIFY2(SDL_Init(SDL_INIT_AUDIO) == 0, SDL_GetError());
}

void TestFFAudio::cleanupTestCase()
{
    SDL_Quit();
}

void TestFFAudio::init()
{
    // Each device opened by a test writes its own file.
    static int serial = 0;
    soundFile = dir.filePath(QString("sound%1.raw").arg(++serial));
    qputenv("SDL_DISKAUDIOFILE", soundFile.toLocal8Bit());
}

bool TestFFAudio::startPlaying(CFFPlayer &player, const QString &file)
{
    player.play(file);
    if (player.state() != PlayingState)
        return false;
    return QTest::qWaitFor([&] { return player.audioDecoder()->audioClock() >= 0.3; }, 6000);
}

void TestFFAudio::tempoChangesSpeedNotPitch_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("speed");
    QTest::newRow("0.5") << int(PlaybackRate_0_5) << 0.5;
    QTest::newRow("1.0") << int(PlaybackRate_1_0) << 1.0;
    QTest::newRow("2.0") << int(PlaybackRate_2_0) << 2.0;
}

void TestFFAudio::tempoChangesSpeedNotPitch()
{
    QFETCH(int, rate);
    QFETCH(double, speed);
    CFFPlayer player;
    player.setVolume(100);
    player.setPlaybackRate(FFPlaybackRate(rate));
    QVERIFY2(startPlaying(player, mediaPath("clip_subtitle_F.mp4")), "the audio clock starts");
    CFFAudio *audio = player.audioDecoder();
    QVERIFY2(audio->isDeviceOpen(), "the device is open while playing");
    QCOMPARE(audio->bytesPerSecond(), 48000 * 2 * 2);

    QElapsedTimer wall;
    wall.start();
    const double clockFrom = audio->audioClock();
    const qint64 bytesFrom = QFileInfo(soundFile).size();
    QTest::qWait(1200); // a measuring window: the pace over wall time is the result
    const double seconds = wall.elapsed() / 1000.0;
    const double clockTo = audio->audioClock();
    const qint64 bytesTo = QFileInfo(soundFile).size();
    player.stop();

    const double mediaPerWall = (clockTo - clockFrom) / seconds;
    // A starved decoder on a loaded machine lets the device play silence, which
    // slows the clock; the low bound still tells each rate from its neighbours.
    QVERIFY2(mediaPerWall > speed * 0.6 && mediaPerWall < speed * 1.25,
             qPrintable(QString("media seconds per wall second %1, expected about %2").arg(mediaPerWall).arg(speed)));
    const double bytesPerWall = (bytesTo - bytesFrom) / seconds;
    QVERIFY2(bytesPerWall > 192000 * 0.75 && bytesPerWall < 192000 * 1.25,
             qPrintable(QString("%1 bytes written per second at every rate").arg(bytesPerWall)));

    const Sound sound = analyse(soundFile, bytesFrom, bytesTo, 48000);
    QVERIFY2(sound.rms > 500, qPrintable(QString("written sound is silent (rms %1)").arg(sound.rms)));
    // The recordings carry a 440 Hz tone: a new tempo keeps its pitch.
    QVERIFY2(sound.upCrossingsPerSecond > 440 * 0.9 && sound.upCrossingsPerSecond < 440 * 1.1,
             qPrintable(QString("tone at %1 Hz, expected 440 Hz").arg(sound.upCrossingsPerSecond)));
}

void TestFFAudio::picturesFollowTheClock_data()
{
    tempoChangesSpeedNotPitch_data();
}

void TestFFAudio::picturesFollowTheClock()
{
    QFETCH(int, rate);
    CFFPlayer player;
    player.setPlaybackRate(FFPlaybackRate(rate));
    std::mutex sampleMutex;
    QVector<double> offsets; // ms between a picture and the audio clock when it is handed over
    bool sampling = false;
    connect(&player, &CFFPlayer::renderFrame, &player, [&](const HFrame *) {
        const double offset = std::fabs(player.currentFrameSeconds() - player.audioDecoder()->audioClock()) * 1000;
        std::lock_guard<std::mutex> lock(sampleMutex);
        if (sampling)
            offsets << offset;
    }, Qt::DirectConnection);
    QVERIFY2(startPlaying(player, mediaPath("clip_subtitle_F.mp4")), "the audio clock starts");
    QTest::qWait(500); // lets the start-up catch-up pass: only steady playback is judged
    {
        std::lock_guard<std::mutex> lock(sampleMutex);
        sampling = true;
    }
    QTest::qWait(1200); // the sampling window
    QVector<double> sorted;
    {
        std::lock_guard<std::mutex> lock(sampleMutex);
        sampling = false;
        sorted = offsets;
    }
    player.stop();
    QVERIFY2(sorted.size() >= 10, qPrintable(QString("%1 pictures sampled").arg(sorted.size())));
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const double upper = sorted[sorted.size() * 3 / 4];
    // Well inside one frame (33 ms); a clock or a pacing that ignores the tempo is off by frames.
    QVERIFY2(median <= 25 && upper <= 33,
             qPrintable(QString("pictures %1 ms (median), %2 ms (3rd quartile) from the clock").arg(median).arg(upper)));
}

void TestFFAudio::volumeAndMute()
{
    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, mediaPath("clip_subtitle_F.mp4")), "the audio clock starts");
    CFFAudio *audio = player.audioDecoder();
    // 80 ms of sound: several of the device's buffers, so the setting has reached them.
    const qint64 turnOverBytes = audio->bytesPerSecond() * 8 / 100;

    // Measures one setting over 450 ms after the device's buffers have turned over.
    auto measure = [&](int volume, bool muted, double *clockAdvance) {
        player.setVolume(volume);
        player.setMuted(muted);
        const qint64 atChange = QFileInfo(soundFile).size();
        if (!QTest::qWaitFor([&] { return QFileInfo(soundFile).size() >= atChange + turnOverBytes; }, 5000))
            return -1.0;
        const qint64 from = QFileInfo(soundFile).size();
        const double clockFrom = audio->audioClock();
        QTest::qWait(450); // the measuring window
        *clockAdvance = audio->audioClock() - clockFrom;
        return analyse(soundFile, from, QFileInfo(soundFile).size(), 48000).rms;
    };
    double advance = 0;
    const double full = measure(100, false, &advance);
    QVERIFY2(full > 500, qPrintable(QString("full volume gives rms %1, expected over 500").arg(full)));
    const double half = measure(50, false, &advance);
    QVERIFY2(half / full > 0.4 && half / full < 0.6, qPrintable(QString("volume 50 gives %1 of full").arg(half / full)));
    QCOMPARE(player.volume(), 50);
    const double mutedRms = measure(100, true, &advance);
    QVERIFY2(mutedRms >= 0 && mutedRms < 5, qPrintable(QString("muted gives rms %1, expected silence").arg(mutedRms)));
    QVERIFY2(advance > 0.2, "the clock goes on while muted");
    QVERIFY2(player.isMuted(), "the player reports the mute it was given");
    const double zero = measure(0, false, &advance);
    QVERIFY2(zero >= 0 && zero < 5, qPrintable(QString("volume 0 gives rms %1, expected silence").arg(zero)));
    QVERIFY2(advance > 0.2, "the clock goes on at volume 0");
    player.stop();
}

void TestFFAudio::pauseHoldsTheClock()
{
    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, mediaPath("clip_subtitle_F.mp4")), "the audio clock starts");
    CFFAudio *audio = player.audioDecoder();
    player.pause();
    // The clock runs on only through what the device was handed: it stands
    // still once two readings agree.
    double last = -1;
    QVERIFY2(QTest::qWaitFor([&] {
                 const double now = audio->audioClock();
                 const bool still = now == last;
                 last = now;
                 return still;
             }, 500),
             "the clock stops soon after the pause");
    const double atPause = audio->audioClock();
    QTest::qWait(400); // a paused clock must hold over time
    QCOMPARE(audio->audioClock(), atPause);
    QVERIFY2(audio->isDeviceOpen(), "pausing keeps the device");
    const qint64 playedAtPause = audio->bytesPlayed();

    player.play(mediaPath("clip_subtitle_F.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(audio->audioClock() > atPause + 0.3, 5000);
    QVERIFY2(audio->bytesPlayed() > playedAtPause, "resumed on the same device");
    player.stop();
    QVERIFY2(!audio->isDeviceOpen(), "stopping closes the device");
    QCOMPARE(audio->audioClock(), 0.0);
}

void TestFFAudio::audioRunningDryKeepsPicturesMoving()
{
    // One second of sound under four seconds of pictures.
    const QString clip = dir.filePath("short_sound_F.mp4");
    QVERIFY2(makeClip(clip, {"-f", "lavfi", "-i", "testsrc2=size=320x180:rate=30:duration=4", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=48000:duration=1"}),
             "ffmpeg makes the clip");
    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, clip), "the audio clock starts");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() >= 1500, 6000);

    // The device now waits for sound that never comes; neither the clock nor
    // the pictures may wait with it.
    QElapsedTimer wall;
    wall.start();
    const int from = player.position();
    qint64 slowestClockMs = 0;
    while (wall.elapsed() < 1200) {
        QElapsedTimer call;
        call.start();
        player.audioDecoder()->audioClock();
        slowestClockMs = std::max(slowestClockMs, call.elapsed());
        QTest::qWait(50); // sampling interval: the calls are spread over the window
    }
    QVERIFY2(player.audioDecoder()->isStarving(), "no sound is left to play");
    QVERIFY2(slowestClockMs < 500, qPrintable(QString("audioClock took %1 ms").arg(slowestClockMs)));
    const double speed = (player.position() - from) / double(wall.elapsed());
    QVERIFY2(speed > 0.7 && speed < 1.3, qPrintable(QString("pictures at %1 of their pace after the sound ended").arg(speed)));

    QElapsedTimer stopping;
    stopping.start();
    player.stop();
    QVERIFY2(stopping.elapsed() < 1500, qPrintable(QString("stop took %1 ms").arg(stopping.elapsed())));
}

void TestFFAudio::seekBackAfterTheEndPlaysSound()
{
    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, mediaPath("clip_short_F.mp4")), "the audio clock starts");
    CFFAudio *audio = player.audioDecoder();
    QTRY_VERIFY_WITH_TIMEOUT(player.position() >= 2800 && audio->isStarving(), 8000);
    const double atEnd = audio->audioClock();
    // The decoder has been drained by the end of the file; sound must come back.
    player.setSeekSecond(1);
    QTRY_VERIFY_WITH_TIMEOUT(!audio->isStarving() && audio->audioClock() > 1.2 && audio->audioClock() < atEnd - 0.3, 4000);
    const qint64 from = QFileInfo(soundFile).size();
    const qint64 window = audio->bytesPerSecond() * 4 / 10;
    QTRY_VERIFY2_WITH_TIMEOUT(QFileInfo(soundFile).size() >= from + window, "the device writes on after the seek back",
                              5000);
    const double rms = analyse(soundFile, from, QFileInfo(soundFile).size(), 48000).rms;
    QVERIFY2(rms > 500, qPrintable(QString("silent after the seek back (rms %1)").arg(rms)));
    player.stop();
}

void TestFFAudio::nextFileReopensDeviceInItsFormat()
{
    const QString mono = dir.filePath("mono_F.mp4");
    QVERIFY2(makeClip(mono, {"-f", "lavfi", "-i", "testsrc2=size=320x180:rate=30:duration=3", "-f", "lavfi", "-i",
                            "sine=frequency=440:sample_rate=22050:duration=3", "-ac", "1"}),
             "ffmpeg makes the clip");
    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, mediaPath("clip_subtitle_F.mp4")), "the audio clock starts");
    QCOMPARE(player.audioDecoder()->bytesPerSecond(), 48000 * 2 * 2);
    player.stop();

    init(); // a new device writes a new file
    QVERIFY2(startPlaying(player, mono), "the audio clock starts on the second file");
    QCOMPARE(player.audioDecoder()->bytesPerSecond(), 22050 * 2);
    QElapsedTimer wall;
    wall.start();
    const qint64 from = QFileInfo(soundFile).size();
    QTest::qWait(800); // a measuring window: the byte rate over wall time is the result
    const double bytesPerWall = (QFileInfo(soundFile).size() - from) / (wall.elapsed() / 1000.0);
    QVERIFY2(bytesPerWall > 44100 * 0.75 && bytesPerWall < 44100 * 1.25,
             qPrintable(QString("%1 bytes a second from a 22.05 kHz mono device").arg(bytesPerWall)));
    player.stop();
}

void TestFFAudio::deviceFailurePlaysVideoAlone()
{
    // The disk driver cannot create its file here, so the device does not open.
    qputenv("SDL_DISKAUDIOFILE", dir.filePath("no/such/folder/sound.raw").toLocal8Bit());
    CFFPlayer player;
    player.play(mediaPath("clip_subtitle_F.mp4"));
    QCOMPARE(player.state(), PlayingState);
    QVERIFY2(player.hasAudioStream(), "the recording's sound stream is found");
    QVERIFY2(!player.audioDecoder()->isDeviceOpen(), "the device cannot open without its file");
    QTRY_VERIFY_WITH_TIMEOUT(player.position() >= 500, 5000);
    QElapsedTimer wall;
    wall.start();
    const int from = player.position();
    QTest::qWait(1000); // a measuring window: the picture pace over wall time is the result
    const double speed = (player.position() - from) / double(wall.elapsed());
    QVERIFY2(speed > 0.7 && speed < 1.3, qPrintable(QString("pictures at %1 of their pace without a device").arg(speed)));
    player.stop();
}

void TestFFAudio::outputLatencyByDriver_data()
{
    QTest::addColumn<QByteArray>("driver");
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<QByteArray>("pulseLatencyMs");
    QTest::addColumn<double>("expectedMs");
    // The disk and dummy drivers write a buffer, then wait out its length: heard as handed over.
    QTest::newRow("disk") << QByteArray("disk") << 1024 << 48000 << QByteArray() << 0.0;
    QTest::newRow("dummy") << QByteArray("dummy") << 1024 << 44100 << QByteArray() << 0.0;
    // A sound server holds three quarters of the stream's target ahead of a
    // handed buffer (requests and the sink's share each a quarter); a long
    // target's requests stop at 20 ms, its sink share is (200 - 40) / 2.
    QTest::newRow("pulseaudio") << QByteArray("pulseaudio") << 1024 << 48000 << QByteArray() << 0.75 * 1024 / 48.0;
    QTest::newRow("pulseaudio, buffer asked by the user") << QByteArray("pulseaudio") << 1024 << 48000
                                                          << QByteArray("60") << 45.0;
    QTest::newRow("pulseaudio, long buffer asked") << QByteArray("pulseaudio") << 1024 << 48000
                                                   << QByteArray("200") << 150.0;
    QTest::newRow("pulseaudio, unreadable request") << QByteArray("pulseaudio") << 2048 << 48000
                                                    << QByteArray("soon") << 0.75 * 2048 / 48.0;
    QTest::newRow("pipewire") << QByteArray("pipewire") << 512 << 48000 << QByteArray("60") << 512 / 48.0;
    QTest::newRow("alsa") << QByteArray("alsa") << 1024 << 44100 << QByteArray() << 1024 / 44.1;
    QTest::newRow("no rate") << QByteArray("alsa") << 1024 << 0 << QByteArray() << 0.0;
}

void TestFFAudio::outputLatencyByDriver()
{
    QFETCH(QByteArray, driver);
    QFETCH(int, samples);
    QFETCH(int, frequency);
    QFETCH(QByteArray, pulseLatencyMs);
    QFETCH(double, expectedMs);
    const QByteArray saved = qgetenv("PULSE_LATENCY_MSEC");
    if (pulseLatencyMs.isEmpty())
        qunsetenv("PULSE_LATENCY_MSEC");
    else
        qputenv("PULSE_LATENCY_MSEC", pulseLatencyMs);
    const double ms = CFFAudio::outputLatency(driver, samples, frequency) * 1000;
    if (saved.isEmpty())
        qunsetenv("PULSE_LATENCY_MSEC");
    else
        qputenv("PULSE_LATENCY_MSEC", saved);
    QVERIFY2(std::fabs(ms - expectedMs) < 0.01, qPrintable(QString::number(ms)));

    // The disk device these tests play through adds nothing to the clock.
    if (QTest::currentDataTag() == QByteArray("disk")) {
        CFFPlayer player;
        player.setVolume(100);
        QVERIFY(startPlaying(player, mediaPath("clip_subtitle_F.mp4")));
        QCOMPARE(player.audioDecoder()->deviceLatency(), 0.0);
        player.stop();
    }
}

// At normal speed the tempo stage would cross-fade its sequences into the
// sound: the device must get the decoder's samples unchanged.
void TestFFAudio::normalSpeedPlaysTheDecodedSamples()
{
    const QString clip = mediaPath("clip_subtitle_F.mp4");
    QProcess decode;
    decode.start("ffmpeg", {"-v", "error", "-i", clip, "-vn", "-f", "s16le", "-ac", "2", "-ar", "48000", "-"});
    QVERIFY2(decode.waitForFinished(20000) && decode.exitCode() == 0, "the ffmpeg tool decodes the clip's sound");
    const QByteArray reference = decode.readAllStandardOutput();
    QVERIFY(reference.size() > 192000);

    CFFPlayer player;
    player.setVolume(100);
    QVERIFY2(startPlaying(player, clip), "the audio clock starts");
    const qint64 from = QFileInfo(soundFile).size();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(soundFile).size() >= from + 96000, 5000);
    player.stop();

    QFile written(soundFile);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.seek((from + 48000) & ~qint64(3)));
    const QByteArray window = written.read(4096 * 4);
    QVERIFY(window.size() == 4096 * 4);
    const int at = reference.indexOf(window);
    QVERIFY2(at >= 0 && at % 4 == 0, "4096 sample frames of the device's sound are found, unchanged, in the decoded sound");
}

QTEST_GUILESS_MAIN(TestFFAudio)
#include "tst_ffaudio.moc"
