#include "step.h"

#include "benchcommon.h"

#include "FFPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

using namespace TrackoraActiveX;

namespace {

// Runs the event loop until `done` or `limitMs` passed; false on the limit.
template <typename Done>
bool waitFor(Done done, int limitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

// CPU time of the whole process: on a busy machine the wall times stretch,
// while the work a step takes stays about the same.
double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

QJsonObject figures(const QVector<double> &values)
{
    return {{"count", values.size()},
            {"p50", bench::percentile(values, 50)},
            {"p95", bench::percentile(values, 95)},
            {"max", bench::percentile(values, 100)}};
}

} // namespace

int runStepBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument("file", "the recording to step through");
    const QCommandLineOption peer("peer", "step FILE beside it as the rear view, following the front", "FILE");
    const QCommandLineOption steps("steps", "steps each way from each starting second", "N", "40");
    const QCommandLineOption starts("starts", "how many starting seconds", "N", "5");
    parser.addOptions({peer, steps, starts});
    QString file;
    QString error;
    if (!bench::parseWithFile(parser, app.arguments(), file, error)) {
        std::fprintf(stderr, "trackora-bench step: %s\n", qPrintable(error));
        return 2;
    }
    const QString peerFile = parser.value(peer);
    if (!peerFile.isEmpty() && !QFile::exists(peerFile)) {
        std::fprintf(stderr, "trackora-bench step: no such file: %s\n", qPrintable(peerFile));
        return 2;
    }
    const int stepCount = std::max(1, parser.value(steps).toInt());
    const int startCount = std::max(1, parser.value(starts).toInt());
    bench::quietLogs();
    bench::useDummyAudioUnlessSet();
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "trackora-bench step: %s\n", SDL_GetError());
        return 1;
    }

    QVector<double> forward;
    QVector<double> backward;
    QVector<double> forwardCpu;
    QVector<double> backwardCpu;
    QVector<double> held;
    int missed = 0;
    bool opened = false;
    {
        auto front = std::make_unique<CFFPlayer>();
        std::unique_ptr<CFFPlayer> rear;
        if (!peerFile.isEmpty()) {
            rear = std::make_unique<CFFPlayer>();
            bench::linkPair(front.get(), rear.get());
        }
        qint64 durationMs = 0;
        qint64 position = -1;
        int frontSteps = 0;
        int rearSteps = 0;
        QObject::connect(front.get(), &CFFPlayer::durationChanged, &app, [&](qint64 d) { durationMs = d; });
        QObject::connect(front.get(), &CFFPlayer::positionChanged, &app, [&](qint64 p) { position = p; });
        QObject::connect(front.get(), &CFFPlayer::frameStepped, &app, [&](bool) { ++frontSteps; });
        if (rear)
            QObject::connect(rear.get(), &CFFPlayer::frameStepped, &app, [&](bool) { ++rearSteps; });
        front->play(file);
        if (rear)
            rear->play(peerFile);
        opened = front->state() == PlayingState && waitFor([&] { return position > 0; }, 5000);
        if (opened) {
            front->pause();
            if (rear)
                rear->pause();
            const int seconds = std::max<int>(2, int(durationMs / 1000) - 2);
            // One step, timed from the call to its picture in both views.
            auto timedStep = [&](int direction, QVector<double> &into, QVector<double> &cpuInto) {
                const int frontBefore = frontSteps;
                const int rearBefore = rearSteps;
                const double cpuBefore = processCpuMs();
                const bench::Clock::time_point asked = bench::Clock::now();
                front->stepFrame(direction);
                held << bench::msSince(asked);
                const bool done = waitFor([&] {
                    return frontSteps > frontBefore && (!rear || rearSteps > rearBefore);
                }, 5000);
                if (done) {
                    into << bench::msSince(asked);
                    cpuInto << processCpuMs() - cpuBefore;
                } else
                    ++missed;
            };
            for (int start = 0; start < startCount; ++start) {
                const int second = 1 + (start * 7) % seconds;
                position = -1;
                front->setSeekSecond(second);
                if (rear)
                    rear->setSeekSecond(second);
                waitFor([&] { return position >= 0; }, 5000);
                waitFor([&] { return front->isSeekSettled(); }, 3000);
                for (int i = 0; i < stepCount; ++i)
                    timedStep(1, forward, forwardCpu);
                for (int i = 0; i < stepCount; ++i)
                    timedStep(-1, backward, backwardCpu);
            }
        }
        front->stop();
        if (rear)
            rear->stop();
    }
    SDL_Quit();
    double load[3] = {0, 0, 0};
    QJsonArray loadAverage;
    if (getloadavg(load, 3) == 3)
        loadAverage = {load[0], load[1], load[2]};
    QJsonObject result{{"file", file},
                       {"peer", peerFile},
                       {"forwardMs", figures(forward)},
                       {"backwardMs", figures(backward)},
                       {"forwardCpuMs", figures(forwardCpu)},
                       {"backwardCpuMs", figures(backwardCpu)},
                       {"heldMs", figures(held)},
                       {"missedSteps", missed},
                       {"loadAverage", loadAverage}};
    bench::printJsonLine(result);
    return opened && missed == 0 ? 0 : 1;
}
