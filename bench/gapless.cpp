#include "gapless.h"

#include "benchcommon.h"

#include "FFPlayer.h"
#include "trackoraactivexlib.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

// Two recordings of a drive played one after the other, as a person meets
// them: each picture's moment is when the player core hands it to the
// control (its number read from the clip's top row), the sound is what SDL's
// disk driver writes into a named pipe. The driver writes one device buffer
// per buffer period, so within one device the sound's samples count its
// time; a device closed and opened again (stop and start) shows as a new
// stream, and the wall time between the streams (to a stdio block, about
// 21 ms) counts as silence too.

using Container = TrackoraActiveXLib::CFFPlayerAxWidget;
using bench::Clock;

namespace {

constexpr int kOpenWaitMs = 10000;
// A sample this quiet in every channel is silence; the clips' tone peaks at about 4000.
constexpr int kQuietLevel = 256;
constexpr int kSampleRate = 48000;
constexpr int kChannels = 2;

struct Options
{
    QString clip1, clip2, rear1, rear2;
    double rate = 1.0;
    int fps = 30;
    int clipSeconds = 3;
    bool remake = false;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("clip1", "the first recording (made with the ffmpeg tool when missing)");
    parser.addPositionalArgument("clip2", "the recording that follows it");
    parser.addOptions({{"peer", "rear views: R1 here, R2 after CLIP2", "R1"},
                       {"rate", "playback rate: 0.5, 1 or 2", "rate", "1"},
                       {"clip-seconds", "length of clips made here", "S", "3"},
                       {"remake", "make the clips even if they exist"}});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    const QStringList files = parser.positionalArguments();
    const bool peer = parser.isSet("peer");
    if (files.size() != (peer ? 3 : 2)) {
        error = "takes CLIP1 CLIP2 [--peer R1 R2]";
        return false;
    }
    options.clip1 = QFileInfo(files[0]).absoluteFilePath();
    options.clip2 = QFileInfo(files[1]).absoluteFilePath();
    if (peer) {
        options.rear1 = QFileInfo(parser.value("peer")).absoluteFilePath();
        options.rear2 = QFileInfo(files[2]).absoluteFilePath();
    }
    options.rate = bench::parseRate(parser.value("rate"));
    options.clipSeconds = parser.value("clip-seconds").toInt();
    options.remake = parser.isSet("remake");
    if (options.rate < 0)
        error = "--rate takes 0.5, 1 or 2";
    else if (options.clipSeconds < 1 || options.clipSeconds > 60)
        error = "--clip-seconds takes 1 to 60";
    return error.isEmpty();
}

// Pictures numbered from `first` in their top row (bit k white in the k-th
// 40 px block), a steady tone unless `rear`.
bool makeClip(const QString &file, int first, bool rear, const Options &options, QString &error)
{
    const QString bit = QString("if(lt(Y,1),if(bitand(N+%1,pow(2,X)),255,0),%2)").arg(first);
    const QString pattern = QString("nullsrc=s=16x9:r=%1:d=%2,format=gbrp,geq=r='%3':g='%4':b='%5',"
                                    "scale=640:360:flags=neighbor,format=yuv420p")
                                .arg(options.fps).arg(options.clipSeconds)
                                .arg(bit.arg(rear ? 0 : 255), bit.arg(0), bit.arg(rear ? 255 : 0));
    QStringList args{"-v", "error", "-y", "-nostdin", "-f", "lavfi", "-i", pattern};
    if (!rear)
        args << "-f" << "lavfi" << "-i" << QString("sine=frequency=440:sample_rate=%1:duration=%2").arg(kSampleRate).arg(options.clipSeconds);
    args << "-c:v" << "libx264" << "-preset" << "ultrafast" << "-pix_fmt" << "yuv420p" << "-g" << "30" << "-crf" << "10";
    if (rear)
        args << "-an";
    else
        args << "-c:a" << "aac" << "-b:a" << "96k" << "-ac" << QString::number(kChannels) << "-ar" << QString::number(kSampleRate);
    args << file;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0) {
        error = "ffmpeg could not make " + file + ": " + QString::fromLocal8Bit(ffmpeg.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

int frameNumber(const TrackoraActiveX::HFrame *picture)
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

// The silences of the sound the disk driver writes, between the first and
// the last sound that is not quiet.
class SilenceListener
{
public:
    SilenceListener(const QString &path, Clock::time_point started) : path(path), started(started)
    {
        thread = std::thread([this] { run(); });
    }

    ~SilenceListener()
    {
        stopping = true;
        // Unblocks an open that no writer answered.
        const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        thread.join();
    }

    // The longest silence (ms) between sounds in the samples written, how
    // many devices the reader told apart, and the longest wall time between
    // sounds (to the reader's wake-up and a stdio block, about 21 ms).
    double longestSilenceMs(int &streams, double &wallMs)
    {
        std::lock_guard<std::mutex> lock(mutex);
        streams = streamCount;
        wallMs = longestWallMs;
        return longestMs;
    }

private:
    void run()
    {
        std::vector<char> buffer(1 << 16);
        const qint64 frameBytes = 2 * kChannels;
        while (!stopping) {
            const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
            if (fd < 0)
                return;
            QByteArray carry;
            bool counted = false;
            for (;;) {
                const ssize_t got = ::read(fd, buffer.data(), buffer.size());
                const double arrivedMs = bench::msSince(started);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    break;
                carry.append(buffer.data(), int(got));
                const qint64 frames = carry.size() / frameBytes;
                const auto *samples = reinterpret_cast<const qint16 *>(carry.constData());
                std::lock_guard<std::mutex> lock(mutex);
                if (!counted) {
                    counted = true;
                    ++streamCount;
                    // What passed between the last sound of the device before and this one's first bytes.
                    if (heardAny && lastStreamEndMs >= 0)
                        quietMs += std::max(0.0, arrivedMs - lastStreamEndMs);
                }
                bool loudRead = false;
                for (qint64 i = 0; i < frames; ++i) {
                    bool loud = false;
                    for (int c = 0; c < kChannels; ++c)
                        loud = loud || std::abs(int(samples[i * kChannels + c])) >= kQuietLevel;
                    if (loud) {
                        if (heardAny)
                            longestMs = std::max(longestMs, quietMs);
                        heardAny = true;
                        loudRead = true;
                        quietMs = 0;
                    } else {
                        quietMs += 1000.0 / kSampleRate;
                    }
                }
                // Two devices may write into the pipe at once (a close finishing
                // while the next device opens): the wall time between sounds
                // that the samples do not show.
                if (loudRead) {
                    const double spanMs = 1000.0 * double(frames) / kSampleRate;
                    if (lastLoudArrivalMs >= 0)
                        longestWallMs = std::max(longestWallMs, arrivedMs - lastLoudArrivalMs - spanMs);
                    lastLoudArrivalMs = arrivedMs;
                }
                carry.remove(0, int(frames * frameBytes));
                lastStreamEndMs = arrivedMs;
            }
            ::close(fd);
        }
    }

    QString path;
    Clock::time_point started;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    int streamCount = 0;          // mutex
    bool heardAny = false;        // mutex
    double quietMs = 0;           // mutex: the silence since the last sound
    double longestMs = 0;         // mutex
    double lastStreamEndMs = -1;  // mutex
    double lastLoudArrivalMs = -1; // mutex
    double longestWallMs = 0;      // mutex
    std::thread thread;
};

TrackoraActiveXLib::FFPlaybackRate playbackRate(double factor)
{
    return factor == 0.5 ? TrackoraActiveXLib::PlaybackRate_0_5
         : factor == 2.0 ? TrackoraActiveXLib::PlaybackRate_2_0
                         : TrackoraActiveXLib::PlaybackRate_1_0;
}

TrackoraActiveX::CFFPlayer *coreOf(Container *control)
{
    auto *record = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(control->axUserData()));
    return record ? record->player : nullptr;
}

// The pictures one core handed over: wall ms and number, in order.
struct Pictures
{
    std::mutex mutex;
    QVector<std::pair<double, int>> shown;
    std::atomic<int> last{-1};
};

struct Run
{
    bool opened = false;
    bool finished = false;
    QJsonObject figures;
};

double round1(double v)
{
    return std::round(v * 10) / 10;
}

// From the last picture of the first clip to the first of the second (ms); -1 if either is missing.
double seamGapMs(Pictures &pictures, int firstOfSecond)
{
    std::lock_guard<std::mutex> lock(pictures.mutex);
    double lastBefore = -1;
    for (const auto &[ms, n] : pictures.shown) {
        if (n >= 0 && n < firstOfSecond)
            lastBefore = ms;
        else if (n >= firstOfSecond)
            return lastBefore >= 0 ? ms - lastBefore : -1;
    }
    return -1;
}

// Pictures shown twice or out of order, and the numbers of the two clips never shown.
void countPictures(Pictures &pictures, int total, int &repeats, int &missing)
{
    std::lock_guard<std::mutex> lock(pictures.mutex);
    QVector<int> seen(total, 0);
    repeats = 0;
    int previous = -1;
    for (const auto &[ms, n] : pictures.shown) {
        Q_UNUSED(ms)
        if (n >= 0 && n < total)
            ++seen[n];
        if (n <= previous)
            ++repeats;
        previous = n;
    }
    missing = int(std::count(seen.begin(), seen.end(), 0));
}

Run playOnce(const Options &options, bool gapless, Clock::time_point started)
{
    Run run;
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto makeControl = [&] {
        auto *control = new Container(&window);
        if (control->isNull())
            return static_cast<Container *>(nullptr);
        control->setAxWidgetWidth(640);
        control->setAxWidgetHeight(360);
        control->setFixedSize(640, 360);
        control->setRenderModel(TrackoraActiveXLib::Render_Image);
        control->setPlaybackRate(playbackRate(options.rate));
        layout->addWidget(control);
        return control;
    };
    const bool peer = !options.rear1.isEmpty();
    Container *front = makeControl();
    Container *rear = peer ? makeControl() : nullptr;
    if (!front || (peer && !rear))
        return run;
    front->setVolume(100);
    if (rear) {
        auto *frontRecord = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(front->axUserData()));
        auto *rearRecord = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(rear->axUserData()));
        frontRecord->isMain = true;
        frontRecord->peer = rearRecord->player;
        rearRecord->isMain = false;
        rearRecord->peer = frontRecord->player;
    }
    const int perClip = options.fps * options.clipSeconds;
    // At 2.0 the decoder shows every other picture between key pictures.
    const int lastStep = options.rate == 2.0 ? 2 : 1;
    const double frameMs = 1000.0 / options.fps / options.rate * lastStep;
    Pictures frontPictures, rearPictures;
    std::mutex pairMutex;
    QVector<double> rearOffsets; // rear number less the front's, after both went on
    auto watch = [&](Container *control, Pictures &pictures) {
        TrackoraActiveX::CFFPlayer *core = coreOf(control);
        QObject::connect(core, &TrackoraActiveX::CFFPlayer::renderFrame, core, [&, core](const TrackoraActiveX::HFrame *frame) {
            int n;
            {
                std::lock_guard<std::mutex> hold(core->hframeMutex());
                n = frameNumber(frame);
            }
            const double now = bench::msSince(started);
            {
                std::lock_guard<std::mutex> lock(pictures.mutex);
                pictures.shown.push_back({now, n});
            }
            pictures.last = n;
            if (&pictures == &rearPictures && n >= perClip + 3 && frontPictures.last >= perClip + 3) {
                std::lock_guard<std::mutex> lock(pairMutex);
                rearOffsets << double(n - frontPictures.last);
            }
        }, Qt::DirectConnection);
    };
    watch(front, frontPictures);
    if (rear)
        watch(rear, rearPictures);
    double mediaChangedMs = -1;
    QObject::connect(front, &Container::mediaChanged, [&](const QString &) { mediaChangedMs = bench::msSince(started); });

    window.show();
    auto start = [](Container *control, const QString &file) {
        control->setMedia(QUrl::fromLocalFile(file).url());
        control->play();
    };
    start(front, options.clip1);
    if (rear)
        start(rear, options.rear1);
    run.opened = bench::waitForOpen(front, kOpenWaitMs) && (!rear || bench::waitForOpen(rear, kOpenWaitMs));
    if (gapless) {
        front->setNextMedia(QUrl::fromLocalFile(options.clip2).url());
        if (rear)
            rear->setNextMedia(QUrl::fromLocalFile(options.rear2).url());
    }
    // The stop-and-start path as the viewer takes it at best: as soon as the
    // last picture of the first clip has had its time.
    bool switched = gapless;
    const double limitMs = bench::msSince(started) + 2000.0 * options.clipSeconds / options.rate + 10000;
    bench::pollUntil(started, [&](double now) {
        if (!switched && frontPictures.last >= perClip - lastStep) {
            switched = true;
            QTimer::singleShot(int(std::lround(frameMs)), [&] {
                front->stop();
                start(front, options.clip2);
                if (rear) {
                    rear->stop();
                    start(rear, options.rear2);
                }
            });
        }
        run.finished = frontPictures.last >= 2 * perClip - lastStep && (!rear || rearPictures.last >= 2 * perClip - lastStep);
        return !run.opened || run.finished || now >= limitMs;
    }, 5, 300);
    bench::stopPlayers(front, rear);

    QJsonObject figures;
    const double frontGap = seamGapMs(frontPictures, perClip);
    figures["frameIntervalMs"] = round1(frameMs);
    figures["frontGapMs"] = frontGap >= 0 ? QJsonValue(round1(frontGap)) : QJsonValue();
    figures["frontGapWithinFramePlus5"] = frontGap >= 0 && frontGap <= frameMs + 5;
    int repeats = 0, missing = 0;
    countPictures(frontPictures, 2 * perClip, repeats, missing);
    figures["frontOutOfOrder"] = repeats;
    // At 2.0 about half of them are left out by design.
    figures["frontPicturesMissing"] = missing;
    if (gapless && mediaChangedMs >= 0) {
        // When the control said so, against the first picture of the second clip.
        std::lock_guard<std::mutex> lock(frontPictures.mutex);
        for (const auto &[ms, n] : frontPictures.shown) {
            if (n >= perClip) {
                figures["mediaChangedAfterPictureMs"] = round1(mediaChangedMs - ms);
                break;
            }
        }
    }
    if (rear) {
        const double rearGap = seamGapMs(rearPictures, perClip);
        figures["rearGapMs"] = rearGap >= 0 ? QJsonValue(round1(rearGap)) : QJsonValue();
        figures["rearGapWithinFramePlus5"] = rearGap >= 0 && rearGap <= frameMs + 5;
        countPictures(rearPictures, 2 * perClip, repeats, missing);
        figures["rearOutOfOrder"] = repeats;
        figures["rearPicturesMissing"] = missing;
        std::lock_guard<std::mutex> lock(pairMutex);
        QVector<double> absolute;
        for (double v : rearOffsets)
            absolute << std::fabs(v);
        figures["rearOffsetFramesP50"] = bench::percentile(absolute, 50);
        figures["rearOffsetFramesMax"] = bench::percentile(absolute, 100);
    }
    run.figures = figures;
    return run;
}

} // namespace

int runGaplessBench(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietLogs();
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        bench::reportError("gapless", error);
        return 2;
    }
    const int perClip = options.fps * options.clipSeconds;
    const QList<std::tuple<QString, int, bool>> clips{{options.clip1, 0, false},
                                                      {options.clip2, perClip, false},
                                                      {options.rear1, 0, true},
                                                      {options.rear2, perClip, true}};
    for (const auto &[file, first, rear] : clips) {
        if (!file.isEmpty() && (options.remake || !QFileInfo::exists(file)) && !makeClip(file, first, rear, options, error)) {
            bench::reportError("gapless", error);
            return 1;
        }
    }

    QTemporaryDir dir;
    const QString pipePath = dir.filePath("sound.fifo");
    if (!dir.isValid() || ::mkfifo(pipePath.toLocal8Bit().constData(), 0600) != 0) {
        bench::reportError("gapless", "cannot make a named pipe");
        return 1;
    }
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", pipePath.toLocal8Bit());

    QJsonObject result;
    result["clip1"] = QFileInfo(options.clip1).fileName();
    result["clip2"] = QFileInfo(options.clip2).fileName();
    result["peer"] = !options.rear1.isEmpty();
    result["rate"] = options.rate;
    bool ok = true;
    for (const bool gapless : {true, false}) {
        const Clock::time_point started = Clock::now();
        auto listener = std::make_unique<SilenceListener>(pipePath, started);
        Run run = playOnce(options, gapless, started);
        // The last buffers of the device are on their way.
        QEventLoop settle;
        QTimer::singleShot(100, &settle, &QEventLoop::quit);
        settle.exec();
        int streams = 0;
        double wallGap = 0;
        const double silence = listener->longestSilenceMs(streams, wallGap);
        listener.reset();
        run.figures["opened"] = run.opened;
        run.figures["playedThrough"] = run.finished;
        run.figures["soundDevices"] = streams;
        run.figures["longestSilenceMs"] = round1(silence);
        run.figures["silenceWithin25"] = silence <= 25;
        run.figures["longestWallGapMs"] = round1(wallGap);
        result[gapless ? "gapless" : "stopStart"] = run.figures;
        ok = ok && run.opened && run.finished;
    }
    bench::printJsonLine(result);
    return ok ? 0 : 1;
}
