#include "playbench.h"

#include "FFAudio.h"
#include "FFPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMetaEnum>
#include <QTimer>

#include <SDL.h>
extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>

using namespace TrackoraActiveX;

namespace {

// How often the run checks whether it is over.
constexpr int kPollMs = 50;
// After the last picture the run waits this long for stragglers before it ends.
constexpr qint64 kEndQuietMs = 800;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options
{
    QString file;
    QString peer;
    FFPlaybackRate rate = PlaybackRate_1_0;
    double seconds = -1;
    int seekEveryMs = 0;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("file", "the recording to play");
    const QCommandLineOption rate("rate", "playback rate: 0.5, 1 or 2", "rate", "1");
    const QCommandLineOption seconds("seconds", "end the run after S seconds", "S");
    const QCommandLineOption seekEvery("seek-every", "pause, then seek every MS milliseconds", "MS");
    const QCommandLineOption peer("peer", "play FILE beside it as the rear view", "FILE");
    parser.addOptions({rate, seconds, seekEvery, peer});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.positionalArguments().size() != 1) {
        error = "one FILE expected";
        return false;
    }
    options.file = parser.positionalArguments().first();
    const QString r = parser.value(rate);
    if (r == "0.5")
        options.rate = PlaybackRate_0_5;
    else if (r == "1" || r == "1.0")
        options.rate = PlaybackRate_1_0;
    else if (r == "2" || r == "2.0")
        options.rate = PlaybackRate_2_0;
    else {
        error = "--rate takes 0.5, 1 or 2";
        return false;
    }
    if (parser.isSet(seconds))
        options.seconds = parser.value(seconds).toDouble();
    if (parser.isSet(seekEvery))
        options.seekEveryMs = std::max(1, parser.value(seekEvery).toInt());
    options.peer = parser.value(peer);
    return true;
}

double rateFactor(FFPlaybackRate rate)
{
    return rate == PlaybackRate_0_5 ? 0.5 : rate == PlaybackRate_2_0 ? 2.0 : 1.0;
}

// Nearest-rank percentile; null without samples.
QJsonValue percentile(QVector<double> values, double p)
{
    if (values.isEmpty())
        return QJsonValue();
    std::sort(values.begin(), values.end());
    const int rank = std::clamp(int(std::ceil(p / 100.0 * values.size())) - 1, 0, int(values.size()) - 1);
    return std::round(values[rank] * 10) / 10;
}

// The pictures the engine should show between two timestamps (seconds): all
// of them, or at 2.0 every key picture and every other one of the rest.
qint64 expectedFrames(const QString &file, double fromSeconds, double toSeconds, FFPlaybackRate rate)
{
    AVFormatContext *format = nullptr;
    if (avformat_open_input(&format, file.toStdString().c_str(), nullptr, nullptr) < 0)
        return -1;
    qint64 keys = 0, others = 0;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        AVPacket *packet = av_packet_alloc();
        const double tolerance = 0.001;
        while (index >= 0 && av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == index) {
                const int64_t stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
                const double at = stamp * av_q2d(format->streams[index]->time_base);
                if (at >= fromSeconds - tolerance && at <= toSeconds + tolerance)
                    ++((packet->flags & AV_PKT_FLAG_KEY) ? keys : others);
            }
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
    }
    avformat_close_input(&format);
    return rate == PlaybackRate_2_0 ? keys + others / 2 : keys + others;
}

// What the player threads record at the moment they hand a picture over.
struct Samples
{
    std::mutex mutex;
    QVector<double> avsync;    // |picture - audio clock| ms, front
    QVector<double> peerSync;  // |rear picture - front picture| ms
    QVector<double> seekLatency;
    std::atomic<int> framesShown{0};
    std::atomic<double> firstFrameMs{-1};
    double firstPts = -1;       // mutex
    double lastPts = -1;        // mutex
    std::atomic<qint64> lastFrameAtMs{0};
};

} // namespace

int runPlayBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.*.debug=false"));
    av_log_set_level(AV_LOG_ERROR);
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "trackora-bench play: %s\n", qPrintable(error));
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy"); // paced like a sound card, plays nothing
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "trackora-bench play: %s\n", SDL_GetError());
        return 1;
    }

    auto front = std::make_unique<CFFPlayer>();
    std::unique_ptr<CFFPlayer> rear;
    front->setVolume(100);
    front->setPlaybackRate(options.rate);
    if (!options.peer.isEmpty()) {
        rear = std::make_unique<CFFPlayer>();
        rear->setPlaybackRate(options.rate);
        CFFPlayerAxUserData link;
        link.peer = rear.get();
        link.isMain = true;
        front->setUserData(&link);
        link.peer = front.get();
        link.isMain = false;
        rear->setUserData(&link);
    }

    Samples samples;
    const Clock::time_point started = Clock::now();
    CFFPlayer *frontPlayer = front.get();
    QObject::connect(frontPlayer, &CFFPlayer::renderFrame, frontPlayer, [&](const HFrame *) {
        const double now = msSince(started);
        double expected = -1;
        samples.firstFrameMs.compare_exchange_strong(expected, now);
        ++samples.framesShown;
        samples.lastFrameAtMs = qint64(now);
        const double pts = frontPlayer->currentFrameSeconds();
        CFFAudio *audio = frontPlayer->audioDecoder();
        const bool audioPaced = frontPlayer->hasAudioStream() && audio->isDeviceOpen() && !audio->isStarving()
                                && frontPlayer->isSeekSettled() && frontPlayer->state() == PlayingState;
        const double diffMs = audioPaced ? std::fabs(pts - audio->audioClock()) * 1000 : -1;
        std::lock_guard<std::mutex> lock(samples.mutex);
        if (samples.firstPts < 0)
            samples.firstPts = pts;
        samples.lastPts = std::max(samples.lastPts, pts);
        if (diffMs >= 0)
            samples.avsync << diffMs;
    }, Qt::DirectConnection);
    if (rear) {
        CFFPlayer *rearPlayer = rear.get();
        QObject::connect(rearPlayer, &CFFPlayer::renderFrame, rearPlayer, [&samples, frontPlayer, rearPlayer](const HFrame *) {
            if (frontPlayer->currentFramePts() <= 0 || !rearPlayer->isSeekSettled() || rearPlayer->state() != PlayingState)
                return;
            const double diffMs = std::fabs(rearPlayer->currentFrameSeconds() - frontPlayer->currentFrameSeconds()) * 1000;
            std::lock_guard<std::mutex> lock(samples.mutex);
            samples.peerSync << diffMs;
        }, Qt::DirectConnection);
    }
    qint64 lastPosition = 0;
    qint64 durationMs = 0;
    QObject::connect(frontPlayer, &CFFPlayer::positionChanged, frontPlayer, [&](qint64 p) { lastPosition = p; });
    QObject::connect(frontPlayer, &CFFPlayer::durationChanged, frontPlayer, [&](qint64 d) { durationMs = d; });

    front->play(options.file);
    const bool opened = front->state() == PlayingState;
    if (rear)
        rear->play(options.peer);

    const double limitMs = options.seconds > 0 ? options.seconds * 1000
                                               : (durationMs / rateFactor(options.rate)) + 3000;
    bool seeking = false;
    int seekCount = 0;
    double nextSeekMs = 0;
    double endedAtMs = 0;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const double now = msSince(started);
        bool over = !opened || now >= limitMs;
        if (options.seekEveryMs > 0) {
            if (!seeking && samples.firstFrameMs >= 0) {
                front->pause();
                if (rear)
                    rear->pause();
                seeking = true;
                nextSeekMs = now + options.seekEveryMs;
            } else if (seeking && now >= nextSeekMs) {
                const int seconds = std::max<int>(1, int(durationMs / 1000) - 1);
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
        } else if (samples.firstFrameMs >= 0 && lastPosition >= durationMs - 500
                   && now - samples.lastFrameAtMs > kEndQuietMs) {
            over = true;
        }
        if (over) {
            endedAtMs = now;
            poll.stop();
            app.quit();
        }
    });
    poll.start();
    app.exec();

    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const double cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
                              + usage.ru_stime.tv_usec / 1e6;
    CFFAudio *audio = front->audioDecoder();
    const double audioSeconds = audio->bytesPerSecond() > 0 ? double(audio->bytesPlayed()) / audio->bytesPerSecond() : 0;
    const FFDecodeMode mode = front->decodeMode();
    front->stop();
    if (rear)
        rear->stop();
    rear.reset();
    front.reset();
    SDL_Quit();

    QJsonObject result;
    result["file"] = QFileInfo(options.file).fileName();
    result["opened"] = opened;
    result["decodeMode"] = QString::fromLatin1(QMetaEnum::fromType<FFDecodeMode>().valueToKey(mode));
    result["durationMs"] = durationMs;
    result["framesShown"] = samples.framesShown.load();
    QVector<double> avsync, peerSync, seekLatency;
    double firstPts, lastPts;
    {
        std::lock_guard<std::mutex> lock(samples.mutex);
        avsync = samples.avsync;
        peerSync = samples.peerSync;
        seekLatency = samples.seekLatency;
        firstPts = samples.firstPts;
        lastPts = samples.lastPts;
    }
    // Paused seeks jump about: no expected count for them.
    if (options.seekEveryMs == 0 && firstPts >= 0)
        result["framesExpected"] = expectedFrames(options.file, firstPts, lastPts, options.rate);
    else
        result["framesExpected"] = QJsonValue();
    result["firstFrameMs"] = samples.firstFrameMs >= 0 ? QJsonValue(std::round(samples.firstFrameMs * 10) / 10) : QJsonValue();
    result["lastPositionMs"] = lastPosition;
    result["avsyncP50Ms"] = percentile(avsync, 50);
    result["avsyncP95Ms"] = percentile(avsync, 95);
    result["avsyncMaxMs"] = percentile(avsync, 100);
    result["peerSyncP95Ms"] = percentile(peerSync, 95);
    result["seekLatencyP50Ms"] = percentile(seekLatency, 50);
    result["seekLatencyP95Ms"] = percentile(seekLatency, 95);
    result["audioSeconds"] = std::round(audioSeconds * 100) / 100;
    result["cpuSeconds"] = std::round(cpuSeconds * 100) / 100;
    result["wallSeconds"] = std::round(endedAtMs / 10) / 100;
    result["maxRssKB"] = qint64(usage.ru_maxrss);
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return opened ? 0 : 1;
}
