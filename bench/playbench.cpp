#include "playbench.h"

#include "benchcommon.h"

#include "FFPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <mutex>

using namespace TrackoraActiveX;

namespace {

struct Options : bench::CommonOptions
{
    int seekEveryMs = 0;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    bench::addCommonOptions(parser);
    const QCommandLineOption seekEvery("seek-every", "pause, then seek every MS milliseconds", "MS");
    parser.addOption(seekEvery);
    if (!bench::parseCommonOptions(parser, arguments, options, error))
        return false;
    if (parser.isSet(seekEvery))
        options.seekEveryMs = std::max(1, parser.value(seekEvery).toInt());
    return true;
}

FFPlaybackRate playbackRate(double factor)
{
    return factor == 0.5 ? PlaybackRate_0_5 : factor == 2.0 ? PlaybackRate_2_0 : PlaybackRate_1_0;
}

} // namespace

int runPlayBench(int argc, char **argv)
{
    using bench::Clock;
    using bench::msSince;

    QCoreApplication app(argc, argv);
    bench::quietLogs();
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        bench::reportError("play", error);
        return 2;
    }
    bench::useDummyAudioUnlessSet();
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        bench::reportError("play", QString::fromUtf8(SDL_GetError()));
        return 1;
    }

    auto front = std::make_unique<CFFPlayer>();
    std::unique_ptr<CFFPlayer> rear;
    front->setVolume(100);
    front->setPlaybackRate(playbackRate(options.rate));
    if (!options.peer.isEmpty()) {
        rear = std::make_unique<CFFPlayer>();
        rear->setPlaybackRate(playbackRate(options.rate));
        bench::linkPair(front.get(), rear.get());
    }

    bench::Samples samples;
    const Clock::time_point started = Clock::now();
    CFFPlayer *frontPlayer = front.get();
    bench::recordFrames(samples, started, frontPlayer, rear.get());
    bench::RunFigures figures;
    figures.file = options.file;
    QObject::connect(frontPlayer, &CFFPlayer::positionChanged, frontPlayer, [&](qint64 p) { figures.lastPositionMs = p; });
    QObject::connect(frontPlayer, &CFFPlayer::durationChanged, frontPlayer, [&](qint64 d) { figures.durationMs = d; });

    front->play(options.file);
    figures.opened = front->state() == PlayingState;
    if (rear)
        rear->play(options.peer);

    const double limitMs = bench::runLimitMs(options, figures.durationMs);
    bool seeking = false;
    int seekCount = 0;
    double nextSeekMs = 0;
    figures.endedAtMs = bench::pollUntil(started, [&](double now) {
        bool over = !figures.opened || now >= limitMs;
        if (options.seekEveryMs > 0) {
            if (!seeking && samples.firstFrameMs >= 0) {
                front->pause();
                if (rear)
                    rear->pause();
                seeking = true;
                nextSeekMs = now + options.seekEveryMs;
            } else if (seeking && now >= nextSeekMs) {
                const int seconds = std::max<int>(1, int(figures.durationMs / 1000) - 1);
                const int target = (seekCount * 7 + 3) % seconds;
                ++seekCount;
                const int shownBefore = samples.framesShown;
                const Clock::time_point asked = Clock::now();
                front->setSeekSecond(target);
                const double latency = msSince(asked);
                if (rear)
                    rear->setSeekSecond(target);
                if (samples.framesShown > shownBefore) {
                    std::lock_guard<std::mutex> lock(samples.mutex);
                    samples.seekLatency << latency;
                }
                nextSeekMs = now + options.seekEveryMs;
            }
        } else if (bench::playedOut(samples, figures.lastPositionMs, figures.durationMs, now)) {
            over = true;
        }
        return over;
    });

    bench::readEndFigures(frontPlayer, figures);
    bench::stopPlayers(frontPlayer, rear.get());
    rear.reset();
    front.reset();
    SDL_Quit();

    // Paused seeks jump about: no expected count for them.
    bench::printJsonLine(bench::resultJson(figures, samples, options.seekEveryMs == 0, options.rate == 2.0));
    return figures.opened ? 0 : 1;
}
