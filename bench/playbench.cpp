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

// Seeks are measured by `trackora-bench seek`.
bool parseOptions(const QStringList &arguments, bench::CommonOptions &options, QString &error)
{
    QCommandLineParser parser;
    bench::addCommonOptions(parser);
    return bench::parseCommonOptions(parser, arguments, options, error);
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
    bench::CommonOptions options;
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
    figures.endedAtMs = bench::pollUntil(started, [&](double now) {
        return !figures.opened || now >= limitMs
               || bench::playedOut(samples, figures.lastPositionMs, figures.durationMs, now);
    });

    bench::readEndFigures(frontPlayer, figures);
    bench::stopPlayers(frontPlayer, rear.get());
    rear.reset();
    front.reset();
    SDL_Quit();

    bench::printJsonLine(bench::resultJson(figures, samples, true, options.rate == 2.0));
    return figures.opened ? 0 : 1;
}
