#include "benchcommon.h"

#include "FFAudio.h"
#include "FFPlayer.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QMetaEnum>
#include <QTimer>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace TrackoraActiveX;

namespace bench {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void quietLogs()
{
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.*.debug=false"));
    av_log_set_level(AV_LOG_ERROR);
}

void reportError(const char *subcommand, const QString &why)
{
    std::fprintf(stderr, "trackora-bench %s: %s\n", subcommand, qPrintable(why));
}

void useDummyAudioUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
}

void addCommonOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument("file", "the recording to play");
    parser.addOptions({{"peer", "play FILE beside it as the rear view", "FILE"},
                       {"rate", "playback rate: 0.5, 1 or 2", "rate", "1"},
                       {"seconds", "end the run after S seconds", "S"}});
}

double parseRate(const QString &text)
{
    if (text == "0.5")
        return 0.5;
    if (text == "1" || text == "1.0")
        return 1.0;
    if (text == "2" || text == "2.0")
        return 2.0;
    return -1;
}

bool parseWithFile(QCommandLineParser &parser, const QStringList &arguments, QString &file, QString &error)
{
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.positionalArguments().size() != 1) {
        error = "one FILE expected";
        return false;
    }
    file = parser.positionalArguments().first();
    return true;
}

bool parseCommonOptions(QCommandLineParser &parser, const QStringList &arguments, CommonOptions &options,
                        QString &error)
{
    if (!parseWithFile(parser, arguments, options.file, error))
        return false;
    options.peer = parser.value("peer");
    options.rate = parseRate(parser.value("rate"));
    if (options.rate < 0) {
        error = "--rate takes 0.5, 1 or 2";
        return false;
    }
    if (parser.isSet("seconds"))
        options.seconds = parser.value("seconds").toDouble();
    return true;
}

double runLimitMs(const CommonOptions &options, qint64 durationMs)
{
    return options.seconds > 0 ? options.seconds * 1000 : (durationMs / options.rate) + 3000;
}

double pollUntil(Clock::time_point started, const std::function<bool(double nowMs)> &over, int intervalMs,
                 int quietMs)
{
    QEventLoop loop;
    QTimer poll;
    double endedAtMs = 0;
    poll.setInterval(intervalMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const double now = msSince(started);
        if (!over(now))
            return;
        endedAtMs = now;
        poll.stop();
        if (quietMs > 0)
            QTimer::singleShot(quietMs, &loop, &QEventLoop::quit);
        else
            loop.quit();
    });
    poll.start();
    loop.exec();
    return endedAtMs;
}

QJsonValue percentile(QVector<double> values, double p)
{
    if (values.isEmpty())
        return QJsonValue();
    std::sort(values.begin(), values.end());
    const int rank = std::clamp(int(std::ceil(p / 100.0 * values.size())) - 1, 0, int(values.size()) - 1);
    return std::round(values[rank] * 10) / 10;
}

qint64 expectedFrames(const QString &file, double fromSeconds, double toSeconds, bool doubleRate)
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
    return doubleRate ? keys + others / 2 : keys + others;
}

void recordFrames(Samples &samples, Clock::time_point started, CFFPlayer *front, CFFPlayer *rear)
{
    QObject::connect(front, &CFFPlayer::renderFrame, front, [&samples, started, front](const HFrame *) {
        const double now = msSince(started);
        double expected = -1;
        samples.firstFrameMs.compare_exchange_strong(expected, now);
        ++samples.framesShown;
        samples.lastFrameAtMs = qint64(now);
        const double pts = front->currentFrameSeconds();
        CFFAudio *audio = front->audioDecoder();
        const bool audioPaced = front->hasAudioStream() && audio->isDeviceOpen() && !audio->isStarving()
                                && front->isSeekSettled() && front->state() == PlayingState;
        const double diffMs = audioPaced ? std::fabs(pts - audio->audioClock()) * 1000 : -1;
        std::lock_guard<std::mutex> lock(samples.mutex);
        if (samples.firstPts < 0)
            samples.firstPts = pts;
        samples.lastPts = std::max(samples.lastPts, pts);
        if (diffMs >= 0)
            samples.engineClock << diffMs;
    }, Qt::DirectConnection);
    if (!rear)
        return;
    QObject::connect(rear, &CFFPlayer::renderFrame, rear, [&samples, front, rear](const HFrame *) {
        if (front->currentFramePts() <= 0 || !rear->isSeekSettled() || rear->state() != PlayingState)
            return;
        const double diffMs = std::fabs(rear->currentFrameSeconds() - front->currentFrameSeconds()) * 1000;
        std::lock_guard<std::mutex> lock(samples.mutex);
        samples.peerSync << diffMs;
    }, Qt::DirectConnection);
}

bool playedOut(const Samples &samples, qint64 lastPositionMs, qint64 durationMs, double nowMs)
{
    return samples.firstFrameMs >= 0 && lastPositionMs >= durationMs - 500
           && nowMs - samples.lastFrameAtMs > kEndQuietMs;
}

void linkPair(CFFPlayer *front, CFFPlayer *rear)
{
    CFFPlayerAxUserData link;
    link.peer = rear;
    link.isMain = true;
    front->setUserData(&link);
    link.peer = front;
    link.isMain = false;
    rear->setUserData(&link);
}

void readEndFigures(CFFPlayer *front, RunFigures &figures)
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    figures.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec
                         + usage.ru_stime.tv_usec / 1e6;
    figures.maxRssKB = qint64(usage.ru_maxrss);
    CFFAudio *audio = front->audioDecoder();
    figures.audioSeconds = audio->bytesPerSecond() > 0 ? double(audio->bytesPlayed()) / audio->bytesPerSecond() : 0;
    figures.decodeMode = front->decodeMode();
}

QJsonObject resultJson(const RunFigures &figures, Samples &samples, bool countExpected, bool doubleRate)
{
    QJsonObject result;
    result["file"] = QFileInfo(figures.file).fileName();
    result["opened"] = figures.opened;
    result["decodeMode"] = QString::fromLatin1(QMetaEnum::fromType<FFDecodeMode>().valueToKey(figures.decodeMode));
    result["durationMs"] = figures.durationMs;
    result["framesShown"] = samples.framesShown.load();
    QVector<double> engineClock, peerSync;
    double firstPts, lastPts;
    {
        std::lock_guard<std::mutex> lock(samples.mutex);
        engineClock = samples.engineClock;
        peerSync = samples.peerSync;
        firstPts = samples.firstPts;
        lastPts = samples.lastPts;
    }
    result["framesExpected"] = countExpected && firstPts >= 0
        ? QJsonValue(expectedFrames(figures.file, firstPts, lastPts, doubleRate))
        : QJsonValue();
    result["firstFrameMs"] = samples.firstFrameMs >= 0 ? QJsonValue(std::round(samples.firstFrameMs * 10) / 10) : QJsonValue();
    result["lastPositionMs"] = figures.lastPositionMs;
    result["engineClockP50Ms"] = percentile(engineClock, 50);
    result["engineClockP95Ms"] = percentile(engineClock, 95);
    result["engineClockMaxMs"] = percentile(engineClock, 100);
    result["peerSyncP95Ms"] = percentile(peerSync, 95);
    result["audioSeconds"] = std::round(figures.audioSeconds * 100) / 100;
    result["cpuSeconds"] = std::round(figures.cpuSeconds * 100) / 100;
    result["wallSeconds"] = std::round(figures.endedAtMs / 10) / 100;
    result["maxRssKB"] = figures.maxRssKB;
    return result;
}

void printJsonLine(const QJsonObject &result)
{
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
}

} // namespace bench
