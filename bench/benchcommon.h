#pragma once

#include "FFUtils.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QTimer>
#include <QVector>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>

namespace TrackoraActiveX {
class CFFPlayer;
}

// Pieces the subcommands share: the clock, the run loop, the samples
// the player threads record, and the JSON line they print.
namespace bench {

// How often a run checks whether it is over.
constexpr int kPollMs = 50;
// After the last picture a run waits this long for stragglers before it ends.
constexpr qint64 kEndQuietMs = 800;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start);

// A player control opens its file in the background: runs the event loop
// until its first state, at most ms; true when it plays.
template <typename Control>
bool waitForOpen(Control *control, int ms)
{
    using State = decltype(control->decState());
    if (control->decState() == State(0)) {
        QEventLoop loop;
        QObject::connect(control, &Control::stateChanged, &loop, &QEventLoop::quit);
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return control->decState() != State(0);
}

// Engine debug lines and FFmpeg's chatter below errors would drown the JSON line.
void quietLogs();
// "trackora-bench SUBCOMMAND: WHY" on the error stream.
void reportError(const char *subcommand, const QString &why);
// Paced like a sound card, plays nothing; a caller's SDL_AUDIODRIVER wins.
void useDummyAudioUnlessSet();

// What both subcommands take: FILE, --peer, --rate and --seconds.
struct CommonOptions
{
    QString file;
    QString peer;
    double rate = 1.0; // 0.5, 1 or 2
    double seconds = -1;
};

// How long a run may last: --seconds, or the recording at its rate and 3 s more.
double runLimitMs(const CommonOptions &options, qint64 durationMs);

void addCommonOptions(QCommandLineParser &parser);
// Parses with every option the parser holds and reads its one FILE.
bool parseWithFile(QCommandLineParser &parser, const QStringList &arguments, QString &file, QString &error);
// 0.5, 1 or 2 from "0.5", "1", "1.0", "2" or "2.0"; -1 for anything else.
double parseRate(const QString &text);
// Parses with every option the parser holds and reads the common ones.
bool parseCommonOptions(QCommandLineParser &parser, const QStringList &arguments, CommonOptions &options,
                        QString &error);

// Nearest-rank percentile; null without samples.
QJsonValue percentile(QVector<double> values, double p);

// The pictures the engine should show between two timestamps (seconds): all
// of them, or at 2.0 every key picture and every other one of the rest.
qint64 expectedFrames(const QString &file, double fromSeconds, double toSeconds, bool doubleRate);

// What the player threads record at the moment they hand a picture over.
struct Samples
{
    std::mutex mutex;
    // |picture - engine's own audio clock| ms, front: a diagnostic of the
    // pacing only, blind to an error in that clock (avsync measures the sync); mutex
    QVector<double> engineClock;
    QVector<double> peerSync;    // |rear picture - front picture| ms; mutex
    std::atomic<int> framesShown{0};
    std::atomic<double> firstFrameMs{-1};
    double firstPts = -1; // mutex
    double lastPts = -1;  // mutex
    std::atomic<qint64> lastFrameAtMs{0};
};

// Hooks the players' picture hand-over (on their own threads) to the samples;
// rear may be null.
void recordFrames(Samples &samples, Clock::time_point started, TrackoraActiveX::CFFPlayer *front,
                  TrackoraActiveX::CFFPlayer *rear);

// The front has shown its last picture: position at the end and quiet since.
bool playedOut(const Samples &samples, qint64 lastPositionMs, qint64 durationMs, double nowMs);

// What a run measured, read before the players stop.
struct RunFigures
{
    QString file;
    bool opened = false;
    TrackoraActiveX::FFDecodeMode decodeMode = TrackoraActiveX::UNDEFINE_DECODE;
    qint64 durationMs = 0;
    qint64 lastPositionMs = 0;
    double endedAtMs = 0;
    double audioSeconds = 0;
    double cpuSeconds = 0;
    qint64 maxRssKB = 0;
};

// Runs the event loop, asking `over` every intervalMs with the milliseconds
// since started, until it says yes; the loop goes on quietMs more for what is
// still on its way. Returns the moment `over` said yes.
double pollUntil(Clock::time_point started, const std::function<bool(double nowMs)> &over,
                 int intervalMs = kPollMs, int quietMs = 0);

// Stops the front player and the rear one when there is one (a core or a
// control alike).
template <typename Player>
void stopPlayers(Player *front, Player *rear)
{
    front->stop();
    if (rear)
        rear->stop();
}

// Makes rear follow front, as the viewer links a front and rear pair.
void linkPair(TrackoraActiveX::CFFPlayer *front, TrackoraActiveX::CFFPlayer *rear);

// Fills the front player's sound and decoder figures and the process's CPU
// time and peak memory.
void readEndFigures(TrackoraActiveX::CFFPlayer *front, RunFigures &figures);

// The JSON line's common fields; framesExpected is null unless countExpected.
QJsonObject resultJson(const RunFigures &figures, Samples &samples, bool countExpected, bool doubleRate);

void printJsonLine(const QJsonObject &result);

} // namespace bench
