#include "FFAudio.h"
#include "FFPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <SDL.h>

#include <algorithm>
#include <mutex>

using namespace TrackoraActiveX;

namespace {

QString mediaPath(const QString &name)
{
    return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/engine/") + name;
}

// The number the seam clips draw in their top row: bit k white in the k-th 40 px block.
int frameNumber(const HFrame *picture)
{
    if (!picture->data || picture->width < 640 || picture->height < 40)
        return -1;
    int n = 0;
    for (int k = 0; k < 16; ++k) {
        if (picture->data[20 * picture->width + 40 * k + 20] > 128)
            n |= 1 << k;
    }
    return n;
}

// What one player shows and says, in order: the picture numbers on its own
// thread as each is handed over, its reports on the test's thread.
struct Watch
{
    std::mutex mutex;
    QVector<int> numbers;
    QStringList events; // "media <path>", "duration <ms>", "position <ms>", "state <n>"
    void attach(CFFPlayer *player)
    {
        QObject::connect(player, &CFFPlayer::renderFrame, player, [this, player](const HFrame *frame) {
            std::lock_guard<std::mutex> hold(player->hframeMutex());
            const int n = frameNumber(frame);
            std::lock_guard<std::mutex> lock(mutex);
            numbers << n;
        }, Qt::DirectConnection);
        QObject::connect(player, &CFFPlayer::mediaChanged, player,
                         [this](const QString &path) { events << QStringLiteral("media ") + path; });
        QObject::connect(player, &CFFPlayer::durationChanged, player,
                         [this](qint64 ms) { events << QStringLiteral("duration %1").arg(ms); });
        QObject::connect(player, &CFFPlayer::positionChanged, player,
                         [this](qint64 ms) { events << QStringLiteral("position %1").arg(ms); });
        QObject::connect(player, &CFFPlayer::stateChanged, player,
                         [this](FFStates s) { events << QStringLiteral("state %1").arg(int(s)); });
    }
    QVector<int> shown()
    {
        std::lock_guard<std::mutex> lock(mutex);
        // A copy of its own: a shared one is counted in Qt's atomics, which
        // the race detector cannot see.
        return QVector<int>(numbers.cbegin(), numbers.cend());
    }
    int last()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return numbers.isEmpty() ? -1 : numbers.last();
    }
};

FFPlaybackRate rateFor(double speed)
{
    return speed == 0.5 ? PlaybackRate_0_5 : speed == 2.0 ? PlaybackRate_2_0 : PlaybackRate_1_0;
}

void link(CFFPlayer &front, CFFPlayer &rear)
{
    CFFPlayerAxUserData frontLink;
    frontLink.peer = &rear;
    frontLink.isMain = true;
    front.setUserData(&frontLink);
    CFFPlayerAxUserData rearLink;
    rearLink.peer = &front;
    rearLink.isMain = false;
    rear.setUserData(&rearLink);
}

// Checks a run of picture numbers: in order, none twice, none left out, from
// `first` to `last`; at 2.0 the decoder leaves out every other picture between key
// pictures, so steps of two are allowed there.
QString orderProblem(const QVector<int> &numbers, int first, int last, double speed)
{
    if (numbers.isEmpty())
        return QStringLiteral("no picture shown");
    const int maxStep = speed == 2.0 ? 2 : 1;
    if (numbers.first() != first)
        return QStringLiteral("first picture %1").arg(numbers.first());
    for (int i = 1; i < numbers.size(); ++i) {
        const int step = numbers[i] - numbers[i - 1];
        if (step < 1 || step > maxStep)
            return QStringLiteral("picture %1 after %2 (at %3)").arg(numbers[i]).arg(numbers[i - 1]).arg(i);
    }
    if (numbers.last() < last - maxStep + 1)
        return QStringLiteral("last picture %1").arg(numbers.last());
    return QString();
}

} // namespace

// Going on from one recording to the next without a stop: every picture of
// both, in order, the sound device kept, the reports of the new file, a rear
// player that follows; and a next file that changes, goes away or cannot be
// read.
class TestSeam : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(mediaPath("seam_2_R.mp4")), "TRACKORA_TEST_MEDIA must hold the generated recordings");
        QVERIFY2(SDL_Init(SDL_INIT_AUDIO) == 0, SDL_GetError());
    }

    void cleanupTestCase()
    {
        SDL_Quit();
    }

    void playsOnAcrossTheSeam_data()
    {
        QTest::addColumn<double>("speed");
        QTest::addColumn<bool>("withRear");
        for (double speed : {0.5, 1.0, 2.0}) {
            QTest::addRow("%.1f alone", speed) << speed << false;
            QTest::addRow("%.1f with rear", speed) << speed << true;
        }
    }

    void playsOnAcrossTheSeam()
    {
        QFETCH(double, speed);
        QFETCH(bool, withRear);
        CFFPlayer front;
        CFFPlayer rear;
        if (withRear)
            link(front, rear);
        Watch frontWatch;
        Watch rearWatch;
        frontWatch.attach(&front);
        rearWatch.attach(&rear);
        // Picture numbers of the front at each rear picture after the seam.
        std::mutex pairMutex;
        QVector<int> gaps;
        connect(&rear, &CFFPlayer::renderFrame, &rear, [&](const HFrame *) {
            const int r = rearWatch.last();
            const int f = frontWatch.last();
            std::lock_guard<std::mutex> lock(pairMutex);
            if (r >= 33 && f >= 33 && r <= 57)
                gaps << std::abs(r - f);
        }, Qt::DirectConnection);

        // The sound device of the first file plays on: its byte count never starts over.
        qint64 bytesBefore = 0;
        bool restarted = false;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this, [&] {
            const qint64 bytes = front.audioDecoder()->bytesPlayed();
            restarted = restarted || bytes < bytesBefore;
            bytesBefore = bytes;
        });
        sampler.start(10);

        front.setPlaybackRate(rateFor(speed));
        rear.setPlaybackRate(rateFor(speed));
        front.play(mediaPath("seam_1_F.mp4"));
        front.setNextMedia(mediaPath("seam_2_F.mp4"));
        QCOMPARE(front.nextMedia(), mediaPath("seam_2_F.mp4"));
        if (withRear) {
            rear.play(mediaPath("seam_1_R.mp4"));
            rear.setNextMedia(mediaPath("seam_2_R.mp4"));
        }
        QCOMPARE(front.state(), PlayingState);
        QVERIFY2(QTest::qWaitFor([&] { return frontWatch.last() >= 59 && (!withRear || rearWatch.last() >= 59); },
                                 int(8000 / speed)),
                 qPrintable(QStringLiteral("front stopped at %1, rear at %2").arg(frontWatch.last()).arg(rearWatch.last())));
        // A picture shown twice would come after the last one: time for it to show.
        QTest::qWait(200);
        sampler.stop();
        disconnect(&rear, &CFFPlayer::renderFrame, &rear, nullptr);

        const QString problem = orderProblem(frontWatch.shown(), 0, 59, speed);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("front: ") + problem));
        QCOMPARE(front.state(), PlayingState);
        QCOMPARE(front.currentUrl(), mediaPath("seam_2_F.mp4"));
        QVERIFY(front.nextMedia().isEmpty());
        QVERIFY(front.durationMilliseconds() >= 900 && front.durationMilliseconds() <= 1100);

        // The reports: one start, then at the seam the new file, its length, positions from 0.
        const QStringList &events = frontWatch.events;
        QCOMPARE(events.filter(QStringLiteral("state ")), QStringList{QStringLiteral("state 1")});
        const int media = events.indexOf(QStringLiteral("media ") + mediaPath("seam_2_F.mp4"));
        QVERIFY2(media > 0, qPrintable(events.join(QLatin1Char(','))));
        QCOMPARE(events.filter(QStringLiteral("media ")).size(), 1);
        QVERIFY(events.value(media + 1).startsWith(QLatin1String("duration ")));
        QVERIFY2(events.value(media + 2).startsWith(QLatin1String("position ")),
                 qPrintable(events.mid(media, 4).join(QLatin1Char(','))));
        QVERIFY2(events.value(media + 2).section(QLatin1Char(' '), 1).toLongLong() < 80,
                 qPrintable(events.value(media + 2)));
        QVERIFY2(events.value(media - 1).section(QLatin1Char(' '), 1).toLongLong() > 900,
                 qPrintable(events.value(media - 1)));

        // All the sound of both files reached the one device.
        const CFFAudio *audio = front.audioDecoder();
        QVERIFY(!restarted);
        const double playedSeconds = double(audio->bytesPlayed()) / audio->bytesPerSecond() * speed;
        QVERIFY2(playedSeconds >= 1.9, qPrintable(QStringLiteral("%1 s of sound played").arg(playedSeconds)));

        if (withRear) {
            const QString rearProblem = orderProblem(rearWatch.shown(), 0, 59, speed);
            QVERIFY2(rearProblem.isEmpty(), qPrintable(QStringLiteral("rear: ") + rearProblem));
            QCOMPARE(rear.currentUrl(), mediaPath("seam_2_R.mp4"));
            QCOMPARE(rearWatch.events.filter(QStringLiteral("media ")).size(), 1);
            std::lock_guard<std::mutex> lock(pairMutex);
            QVERIFY2(gaps.size() >= 5, qPrintable(QStringLiteral("%1 rear pictures paired").arg(gaps.size())));
            std::sort(gaps.begin(), gaps.end());
            QVERIFY2(gaps[gaps.size() / 2] <= 2, qPrintable(QStringLiteral("rear %1 pictures off").arg(gaps[gaps.size() / 2])));
        }
        rear.stop();
        front.stop();
    }

    // A seek in the last moments of the first file, when the reading has
    // already gone on into the next one, is still a seek in the first file;
    // the join comes again at its end.
    void seekJustBeforeTheSeam()
    {
        CFFPlayer player;
        Watch watch;
        watch.attach(&player);
        player.setPlaybackRate(PlaybackRate_0_5);
        player.play(mediaPath("seam_1_F.mp4"));
        player.setNextMedia(mediaPath("seam_2_F.mp4"));
        // Three pictures before the end: the reading is past it by then.
        QVERIFY(QTest::qWaitFor([&] { return watch.last() >= 26; }, 8000));
        QVERIFY2(watch.last() < 30, "the seek came too late");
        player.setSeekSecond(0);
        QVERIFY2(QTest::qWaitFor([&] { return watch.last() >= 59; }, 10000),
                 qPrintable(QStringLiteral("stopped at %1").arg(watch.last())));
        QCOMPARE(watch.events.filter(QStringLiteral("media ")),
                 QStringList{QStringLiteral("media ") + mediaPath("seam_2_F.mp4")});
        // After the jump back the first file plays again from its start, then the second.
        const QVector<int> shown = watch.shown();
        int back = 1;
        while (back < shown.size() && shown[back] > shown[back - 1])
            ++back;
        QStringList numbers;
        for (int n : shown)
            numbers << QString::number(n);
        QVERIFY2(back < shown.size() && shown[back] < 20, qPrintable(QStringLiteral("never back: ") + numbers.join(QLatin1Char(' '))));
        // From picture 5 of the replay on, each once and in order into the second file.
        const QVector<int> after = shown.mid(back);
        const QString problem = orderProblem(after.mid(after.indexOf(5)), 5, 59, 0.5);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(player.currentUrl(), mediaPath("seam_2_F.mp4"));
        player.stop();
    }

    // A recording from another encoder run: its own parameter sets reach the
    // running decoder, so every one of its pictures decodes.
    void nextFileWithOtherParameterSets()
    {
        CFFPlayer player;
        Watch watch;
        watch.attach(&player);
        player.play(mediaPath("seam_1_F.mp4"));
        player.setNextMedia(mediaPath("clip_short_F.mp4"));
        // 30 of the first file, 90 of the second. Under load the last ones
        // come late: wait for them rather than for a position.
        QVERIFY2(QTest::qWaitFor([&] { return watch.shown().size() >= 120 && !watch.events.filter("media ").isEmpty(); }, 10000),
                 qPrintable(QStringLiteral("%1 pictures shown, at %2 ms").arg(watch.shown().size()).arg(player.positionMs())));
        QTest::qWait(200);
        QCOMPARE(watch.shown().size(), 120);
        QCOMPARE(watch.shown().first(), 0);
        QCOMPARE(player.currentUrl(), mediaPath("clip_short_F.mp4"));
        player.stop();
    }

    // The next file is changed, taken back, cannot be read, or cannot follow
    // without a stop: the first file ends as it does without one.
    void nextMediaChangedOrRefused_data()
    {
        QTest::addColumn<QStringList>("settings"); // nextMedia values, in order
        QTest::addColumn<QString>("joined");       // empty: the first file ends
        const QString second = mediaPath("seam_2_F.mp4");
        const QString first = mediaPath("seam_1_F.mp4");
        QTest::newRow("changed") << QStringList{second, first} << first;
        QTest::newRow("changed from unreadable") << QStringList{mediaPath("missing_F.mp4"), second} << second;
        QTest::newRow("cleared") << QStringList{second, QString()} << QString();
        QTest::newRow("missing") << QStringList{mediaPath("missing_F.mp4")} << QString();
        QTest::newRow("not a recording") << QStringList{QStringLiteral("text")} << QString();
        QTest::newRow("no sound to follow sound") << QStringList{mediaPath("seam_2_R.mp4")} << QString();
    }

    void nextMediaChangedOrRefused()
    {
        QFETCH(QStringList, settings);
        QFETCH(QString, joined);
        QTemporaryDir dir;
        for (QString &path : settings) {
            if (path == QLatin1String("text")) {
                path = dir.filePath(QStringLiteral("notes_F.mp4"));
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(4096, 'x'));
            }
        }
        CFFPlayer player;
        Watch watch;
        watch.attach(&player);
        player.play(mediaPath("seam_1_F.mp4"));
        for (const QString &path : settings)
            player.setNextMedia(path);
        QCOMPARE(player.nextMedia(), settings.last());
        // The last picture: of the first file, or of the file joined (after the first one's 29).
        const int count = joined.isEmpty() ? 27 : 57;
        const int lastNumber = joined.isEmpty() || joined.contains(QLatin1String("seam_1")) ? 29 : 59;
        QVERIFY2(QTest::qWaitFor([&] { return watch.shown().size() >= count && watch.last() == lastNumber; }, 8000),
                 qPrintable(QStringLiteral("%1 pictures shown").arg(watch.shown().size())));
        QTest::qWait(300);
        const QVector<int> shown = watch.shown();
        QVector<int> expected;
        for (int n = 0; n < 30; ++n)
            expected << n;
        if (joined == mediaPath("seam_1_F.mp4"))
            expected += expected;
        else if (!joined.isEmpty())
            for (int n = 30; n < 60; ++n)
                expected << n;
        QCOMPARE(shown, expected);
        QCOMPARE(player.state(), PlayingState);
        QCOMPARE(watch.events.filter(QStringLiteral("media ")),
                 joined.isEmpty() ? QStringList() : QStringList{QStringLiteral("media ") + joined});
        QCOMPARE(player.currentUrl(), joined.isEmpty() ? mediaPath("seam_1_F.mp4") : joined);
        player.stop();
        QVERIFY(player.nextMedia().isEmpty());
    }
};

QTEST_MAIN(TestSeam)
#include "tst_seam.moc"
