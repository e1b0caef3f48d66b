#include "stopseek.h"

#include "benchcommon.h"

#include "FFPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>

#include <SDL.h>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace TrackoraActiveX;

namespace {

struct Options
{
    QString file;
    QString peer;
    int rounds = 200;
    bool paused = false;
};

bool parseOptions(const QStringList &arguments, int defaultRounds, bool withPaused, Options &options,
                  QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("file", "the recording to play");
    const QCommandLineOption peer("peer", "play FILE beside it as the rear view", "FILE");
    const QCommandLineOption rounds("rounds", "how many stops or seeks", "N", QString::number(defaultRounds));
    const QCommandLineOption paused("paused", "seek while paused (as a click on the slider does)");
    parser.addOptions({peer, rounds});
    if (withPaused)
        parser.addOption(paused);
    if (!bench::parseWithFile(parser, arguments, options.file, error))
        return false;
    options.peer = parser.value(peer);
    options.rounds = std::max(1, parser.value(rounds).toInt());
    options.paused = withPaused && parser.isSet(paused);
    if (!options.peer.isEmpty() && !QFile::exists(options.peer)) {
        error = QStringLiteral("no such file: %1").arg(options.peer);
        return false;
    }
    return true;
}

// Front and (optionally) rear, linked as the viewer links them.
struct Pair
{
    std::unique_ptr<CFFPlayer> front;
    std::unique_ptr<CFFPlayer> rear;

    explicit Pair(bool withRear)
    {
        front = std::make_unique<CFFPlayer>();
        front->setVolume(100);
        if (!withRear)
            return;
        rear = std::make_unique<CFFPlayer>();
        bench::linkPair(front.get(), rear.get());
    }
};

// Runs the event loop until `done` or `limitMs` passed; false on the limit.
template <typename Done>
bool waitFor(Done done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QJsonObject figures(const QVector<double> &values)
{
    return {{"p50", bench::percentile(values, 50)},
            {"p95", bench::percentile(values, 95)},
            {"max", bench::percentile(values, 100)}};
}

QJsonArray loadAverage()
{
    double load[3] = {0, 0, 0};
    QJsonArray out;
    if (getloadavg(load, 3) == 3)
        out = {load[0], load[1], load[2]};
    return out;
}

// This thread's CPU time, ms: a call that held the caller long while using
// little of it was waiting, or was put aside by a busy machine's scheduler.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

bool startSdl(const char *name)
{
    bench::quietLogs();
    bench::useDummyAudioUnlessSet();
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "trackora-bench %s: %s\n", name, SDL_GetError());
        return false;
    }
    return true;
}

} // namespace

int runStopBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), 200, false, options, error)) {
        std::fprintf(stderr, "trackora-bench stop: %s\n", qPrintable(error));
        return 2;
    }
    if (!startSdl("stop"))
        return 1;
    QVector<double> took;
    int failedPlays = 0;
    {
        Pair pair(!options.peer.isEmpty());
        int pictures = 0;
        QObject::connect(pair.front.get(), &CFFPlayer::renderFrame, &app, [&] { ++pictures; });
        for (int round = 0; round < options.rounds; ++round) {
            pictures = 0;
            pair.front->play(options.file);
            if (pair.rear)
                pair.rear->play(options.peer);
            if (pair.front->state() != PlayingState) {
                ++failedPlays;
                continue;
            }
            // Stop once pictures flow, at varying moments of the pictures' and the sound's cycles.
            waitFor([&] { return pictures > 0; }, 5000);
            const int extraMs = round % 7 * 9;
            waitFor([] { return false; }, extraMs);
            const bench::Clock::time_point asked = bench::Clock::now();
            pair.front->stop();
            if (pair.rear)
                pair.rear->stop();
            took << bench::msSince(asked);
        }
    }
    SDL_Quit();
    int over = 0;
    for (double ms : took)
        over += ms > 100 ? 1 : 0;
    QJsonObject result{{"file", options.file},
                       {"peer", options.peer},
                       {"stops", took.size()},
                       {"failedPlays", failedPlays},
                       {"stopMs", figures(took)},
                       {"over100ms", over},
                       {"loadAverage", loadAverage()}};
    bench::printJsonLine(result);
    return failedPlays == 0 ? 0 : 1;
}

int runSeekBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), 40, true, options, error)) {
        std::fprintf(stderr, "trackora-bench seek: %s\n", qPrintable(error));
        return 2;
    }
    if (!startSdl("seek"))
        return 1;
    QVector<double> held;
    QVector<double> heldCpu;
    QVector<double> firstPicture;
    QVector<double> pauses;
    int missed = 0;
    bool opened = false;
    {
        Pair pair(!options.peer.isEmpty());
        qint64 durationMs = 0;
        qint64 lastPosition = -1;
        QObject::connect(pair.front.get(), &CFFPlayer::durationChanged, &app, [&](qint64 d) { durationMs = d; });
        QObject::connect(pair.front.get(), &CFFPlayer::positionChanged, &app,
                         [&](qint64 p) { lastPosition = p; });
        pair.front->play(options.file);
        if (pair.rear)
            pair.rear->play(options.peer);
        opened = pair.front->state() == PlayingState;
        if (opened && waitFor([&] { return lastPosition > 0; }, 5000)) {
            const int seconds = std::max<int>(2, int(durationMs / 1000) - 1);
            for (int round = 0; round < options.rounds; ++round) {
                const int target = (round * 7 + 3) % seconds;
                if (options.paused) {
                    // A press on the slider pauses both, its release seeks both.
                    const bench::Clock::time_point pressed = bench::Clock::now();
                    pair.front->pause();
                    if (pair.rear)
                        pair.rear->pause();
                    pauses << bench::msSince(pressed);
                }
                lastPosition = -1;
                const double cpuBefore = threadCpuMs();
                const bench::Clock::time_point asked = bench::Clock::now();
                pair.front->setSeekSecond(target);
                if (pair.rear)
                    pair.rear->setSeekSecond(target);
                held << bench::msSince(asked);
                heldCpu << threadCpuMs() - cpuBefore;
                // The first picture from the new place: within a second after the target.
                const bool arrived = waitFor(
                    [&] { return lastPosition >= target * 1000 - 1000 && lastPosition < target * 1000 + 1000; },
                    5000);
                if (arrived)
                    firstPicture << bench::msSince(asked);
                else
                    ++missed;
                // Let the burst settle, as a user's separate clicks would.
                waitFor([&] { return pair.front->isSeekSettled(); }, 3000);
                if (options.paused) {
                    pair.front->play(options.file);
                    if (pair.rear)
                        pair.rear->play(options.peer);
                }
                waitFor([] { return false; }, 150);
            }
        }
        pair.front->stop();
        if (pair.rear)
            pair.rear->stop();
    }
    SDL_Quit();
    QJsonObject result{{"file", options.file},
                       {"peer", options.peer},
                       {"paused", options.paused},
                       {"seeks", held.size()},
                       {"heldMs", figures(held)},
                       {"heldCpuMs", figures(heldCpu)},
                       {"firstPictureMs", figures(firstPicture)},
                       {"pauseHeldMs", figures(pauses)},
                       {"missedPictures", missed},
                       {"loadAverage", loadAverage()}};
    bench::printJsonLine(result);
    return opened && missed == 0 ? 0 : 1;
}
