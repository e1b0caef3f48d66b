#include "render.h"

#include "FFAudio.h"
#include "FFPlayer.h"
#include "trackoraactivexlib.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QMetaEnum>
#include <QTimer>
#include <QUrl>

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
#include <mutex>

using namespace TrackoraActiveX;
using Container = TrackoraActiveXLib::CFFPlayerAxWidget;

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
    TrackoraActiveXLib::FFRenderModel model = TrackoraActiveXLib::Render_Image;
    QSize size{960, 540};
    TrackoraActiveXLib::FFPlaybackRate rate = TrackoraActiveXLib::PlaybackRate_1_0;
    double seconds = -1;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("file", "the recording to play");
    const QCommandLineOption peer("peer", "play FILE beside it as the rear view", "FILE");
    const QCommandLineOption model("model", "render model: image or opengl", "model", "image");
    const QCommandLineOption size("size", "size of each control", "WxH", "960x540");
    const QCommandLineOption rate("rate", "playback rate: 0.5, 1 or 2", "rate", "1");
    const QCommandLineOption seconds("seconds", "end the run after S seconds", "S");
    parser.addOptions({peer, model, size, rate, seconds});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.positionalArguments().size() != 1) {
        error = "one FILE expected";
        return false;
    }
    options.file = parser.positionalArguments().first();
    options.peer = parser.value(peer);
    if (parser.value(model) == "image")
        options.model = TrackoraActiveXLib::Render_Image;
    else if (parser.value(model) == "opengl")
        options.model = TrackoraActiveXLib::Render_OpenGL;
    else {
        error = "--model takes image or opengl";
        return false;
    }
    const QStringList wh = parser.value(size).split('x');
    options.size = wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
    if (options.size.width() <= 0 || options.size.height() <= 0) {
        error = "--size takes WxH";
        return false;
    }
    const QString r = parser.value(rate);
    if (r == "0.5")
        options.rate = TrackoraActiveXLib::PlaybackRate_0_5;
    else if (r == "1" || r == "1.0")
        options.rate = TrackoraActiveXLib::PlaybackRate_1_0;
    else if (r == "2" || r == "2.0")
        options.rate = TrackoraActiveXLib::PlaybackRate_2_0;
    else {
        error = "--rate takes 0.5, 1 or 2";
        return false;
    }
    if (parser.isSet(seconds))
        options.seconds = parser.value(seconds).toDouble();
    return true;
}

double rateFactor(TrackoraActiveXLib::FFPlaybackRate rate)
{
    return rate == TrackoraActiveXLib::PlaybackRate_0_5 ? 0.5 : rate == TrackoraActiveXLib::PlaybackRate_2_0 ? 2.0 : 1.0;
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

// Pictures the file holds between two timestamps (seconds); at 2.0 the key
// pictures and every other one of the rest.
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

struct Samples
{
    std::mutex mutex;
    QVector<double> avsync;   // |picture - audio clock| ms, front; mutex
    QVector<double> peerSync; // |rear picture - front picture| ms; mutex
    std::atomic<int> framesShown{0};
    std::atomic<double> firstFrameMs{-1};
    double firstPts = -1;     // mutex
    double lastPts = -1;      // mutex
    std::atomic<qint64> lastFrameAtMs{0};
};

// Counts the paints of the controls and of the renderers inside them.
class PaintCounter : public QObject
{
public:
    QList<QWidget *> controls;
    int paints = 0; // GUI thread

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            for (QWidget *control : qAsConst(controls)) {
                if (watched == control || watched->parent() == control) {
                    ++paints;
                    break;
                }
            }
        }
        return false;
    }
};

CFFPlayer *coreOf(Container *control)
{
    auto *record = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(control->axUserData()));
    return record ? record->player : nullptr;
}

Container *makeControl(QWidget *window, const Options &options)
{
    auto *control = new Container(window);
    if (control->isNull())
        return nullptr;
    control->setAxWidgetWidth(options.size.width());
    control->setAxWidgetHeight(options.size.height());
    control->setFixedSize(options.size);
    control->setRenderModel(options.model);
    control->setPlaybackRate(options.rate);
    window->layout()->addWidget(control);
    return control;
}

} // namespace

int runRenderBench(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy"); // paced like a sound card, plays nothing
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.*.debug=false"));
    av_log_set_level(AV_LOG_ERROR);
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "trackora-bench render: %s\n", qPrintable(error));
        return 2;
    }

    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setSpacing(1);
    layout->setContentsMargins(0, 0, 0, 0);
    Container *front = makeControl(&window, options);
    Container *rear = options.peer.isEmpty() ? nullptr : makeControl(&window, options);
    if (!front || (!options.peer.isEmpty() && !rear)) {
        std::fprintf(stderr, "trackora-bench render: the player control cannot be created\n");
        return 1;
    }
    front->setVolume(100);
    CFFPlayer *frontPlayer = coreOf(front);
    CFFPlayer *rearPlayer = rear ? coreOf(rear) : nullptr;
    if (rear) {
        // Linked as the play area links them: the rear follows the front.
        auto *frontRecord = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(front->axUserData()));
        auto *rearRecord = reinterpret_cast<CFFPlayerAxUserData *>(static_cast<quintptr>(rear->axUserData()));
        frontRecord->isMain = true;
        frontRecord->peer = rearRecord->player;
        front->setAxUserData(front->axUserData());
        rearRecord->isMain = false;
        rearRecord->peer = frontRecord->player;
        rear->setAxUserData(rear->axUserData());
        rear->setMuted(true);
    }

    PaintCounter painted;
    painted.controls << front->controlWidget();
    if (rear)
        painted.controls << rear->controlWidget();
    app.installEventFilter(&painted);

    Samples samples;
    const Clock::time_point started = Clock::now();
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
    if (rearPlayer) {
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
    QObject::connect(front, &Container::positionChanged, [&](qint64 p) { lastPosition = p; });
    QObject::connect(front, &Container::durationChanged, [&](qint64 d) { durationMs = d; });

    window.show();
    front->setMedia(QUrl::fromLocalFile(QFileInfo(options.file).absoluteFilePath()).url());
    front->play();
    const bool opened = front->decState() == TrackoraActiveXLib::PlayingState;
    if (rear) {
        rear->setMedia(QUrl::fromLocalFile(QFileInfo(options.peer).absoluteFilePath()).url());
        rear->play();
    }

    const double limitMs = options.seconds > 0 ? options.seconds * 1000
                                               : (durationMs / rateFactor(options.rate)) + 3000;
    double endedAtMs = 0;
    int paintsAtFirstFrame = -1;
    double firstFrameSeenMs = 0;
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const double now = msSince(started);
        if (paintsAtFirstFrame < 0 && samples.firstFrameMs >= 0) {
            paintsAtFirstFrame = painted.paints;
            firstFrameSeenMs = now;
        }
        bool over = !opened || now >= limitMs;
        if (samples.firstFrameMs >= 0 && lastPosition >= durationMs - 500 && now - samples.lastFrameAtMs > kEndQuietMs)
            over = true;
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
    CFFAudio *audio = frontPlayer->audioDecoder();
    const double audioSeconds = audio->bytesPerSecond() > 0 ? double(audio->bytesPlayed()) / audio->bytesPerSecond() : 0;
    const FFDecodeMode mode = frontPlayer->decodeMode();
    const double paintSeconds = (endedAtMs - firstFrameSeenMs) / 1000.0;
    const double paintsPerSecond = paintsAtFirstFrame >= 0 && paintSeconds > 0
        ? (painted.paints - paintsAtFirstFrame) / paintSeconds / painted.controls.size() : 0;
    app.removeEventFilter(&painted);
    front->stop();
    if (rear)
        rear->stop();

    QJsonObject result;
    result["file"] = QFileInfo(options.file).fileName();
    result["opened"] = opened;
    result["decodeMode"] = QString::fromLatin1(QMetaEnum::fromType<FFDecodeMode>().valueToKey(mode));
    result["durationMs"] = durationMs;
    result["framesShown"] = samples.framesShown.load();
    QVector<double> avsync, peerSync;
    double firstPts, lastPts;
    {
        std::lock_guard<std::mutex> lock(samples.mutex);
        avsync = samples.avsync;
        peerSync = samples.peerSync;
        firstPts = samples.firstPts;
        lastPts = samples.lastPts;
    }
    result["framesExpected"] = firstPts >= 0
        ? QJsonValue(expectedFrames(options.file, firstPts, lastPts, options.rate == TrackoraActiveXLib::PlaybackRate_2_0))
        : QJsonValue();
    result["firstFrameMs"] = samples.firstFrameMs >= 0 ? QJsonValue(std::round(samples.firstFrameMs * 10) / 10) : QJsonValue();
    result["lastPositionMs"] = lastPosition;
    result["avsyncP50Ms"] = percentile(avsync, 50);
    result["avsyncP95Ms"] = percentile(avsync, 95);
    result["avsyncMaxMs"] = percentile(avsync, 100);
    result["peerSyncP95Ms"] = percentile(peerSync, 95);
    result["seekLatencyP50Ms"] = QJsonValue();
    result["seekLatencyP95Ms"] = QJsonValue();
    result["audioSeconds"] = std::round(audioSeconds * 100) / 100;
    result["cpuSeconds"] = std::round(cpuSeconds * 100) / 100;
    result["wallSeconds"] = std::round(endedAtMs / 10) / 100;
    result["maxRssKB"] = qint64(usage.ru_maxrss);
    result["paintsPerSecond"] = std::round(paintsPerSecond * 10) / 10;
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return opened ? 0 : 1;
}
