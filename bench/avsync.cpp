#include "avsync.h"

#include "benchcommon.h"

#include "FFAudio.h"
#include "FFPlayer.h"
#include "trackoraactivexlib.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <fcntl.h>
#include <pthread.h>
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

// Picture and sound as a person meets them: the sound is what SDL's disk
// driver writes into a named pipe, each chunk timed as it arrives (that
// driver writes a buffer and then waits its duration, so a buffer plays from
// the moment it is written); the picture is the moment the control's position
// first reports a flash. The clip flashes a white picture and starts a beep at
// every whole second, so each second gives one pair.

using Container = TrackoraActiveXLib::CFFPlayerAxWidget;
using bench::Clock;

namespace {

// How long the controls may take to open their files.
constexpr int kOpenWaitMs = 10000;

struct Options
{
    QString file;
    double rate = 1.0;
    int fps = 30;
    int sampleRate = 48000;
    int channels = 1;
    int clipSeconds = 20;
    int audioShiftMs = 0;   // beeps later than the flashes by this much (checks the measurement)
    bool remake = false;
    bool peer = false;
    double seekAt = -1;     // wall seconds after the first picture
    int seekTo = 0;
    double pauseAt = -1;    // wall seconds after the first picture
    int pauseMs = 1000;
    bool soundServer = false; // through a private PulseAudio server instead of SDL's disk driver
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("file", "the flash-and-beep clip; made with the ffmpeg tool when missing");
    parser.addOptions({{"rate", "playback rate: 0.5, 1 or 2", "rate", "1"},
                       {"fps", "clip frame rate", "N", "30"},
                       {"sample-rate", "clip sound sample rate", "HZ", "48000"},
                       {"channels", "clip sound channels: 1 or 2", "N", "1"},
                       {"clip-seconds", "clip length", "S", "20"},
                       {"audio-shift", "make the beeps this late against the flashes", "MS", "0"},
                       {"remake", "make the clip even if FILE exists"},
                       {"peer", "also play the clip's pictures as a rear view paced by the front"},
                       {"seek-at", "seek S seconds after the first picture", "S"},
                       {"seek-to", "the second the seek goes to", "SECOND", "2"},
                       {"pause-at", "pause S seconds after the first picture", "S"},
                       {"pause-ms", "how long the pause lasts", "MS", "1000"},
                       {"sound", "where the sound goes: disk (SDL's disk driver) or pulse (a private PulseAudio "
                                 "server with a null sink, its monitor recorded)", "disk|pulse", "disk"}});
    if (!bench::parseWithFile(parser, arguments, options.file, error))
        return false;
    options.rate = bench::parseRate(parser.value("rate"));
    options.fps = parser.value("fps").toInt();
    options.sampleRate = parser.value("sample-rate").toInt();
    options.channels = parser.value("channels").toInt();
    options.clipSeconds = parser.value("clip-seconds").toInt();
    options.audioShiftMs = parser.value("audio-shift").toInt();
    options.remake = parser.isSet("remake");
    options.peer = parser.isSet("peer");
    if (parser.isSet("seek-at"))
        options.seekAt = parser.value("seek-at").toDouble();
    options.seekTo = parser.value("seek-to").toInt();
    if (parser.isSet("pause-at"))
        options.pauseAt = parser.value("pause-at").toDouble();
    options.pauseMs = parser.value("pause-ms").toInt();
    options.soundServer = parser.value("sound") == "pulse";
    if (parser.value("sound") != "disk" && !options.soundServer)
        error = "--sound takes disk or pulse";
    else if (options.rate < 0)
        error = "--rate takes 0.5, 1 or 2";
    else if (options.fps < 1 || options.fps > 120)
        error = "--fps takes 1 to 120";
    else if (options.sampleRate < 8000 || options.sampleRate > 192000)
        error = "--sample-rate takes 8000 to 192000";
    else if (options.channels != 1 && options.channels != 2)
        error = "--channels takes 1 or 2";
    else if (options.clipSeconds < 3 || options.clipSeconds > 600)
        error = "--clip-seconds takes 3 to 600";
    else if (std::abs(options.audioShiftMs) > 400)
        error = "--audio-shift takes -400 to 400";
    return error.isEmpty();
}

TrackoraActiveXLib::FFPlaybackRate playbackRate(double factor)
{
    return factor == 0.5 ? TrackoraActiveXLib::PlaybackRate_0_5
         : factor == 2.0 ? TrackoraActiveXLib::PlaybackRate_2_0
                         : TrackoraActiveXLib::PlaybackRate_1_0;
}

// Beep onsets in 16-bit interleaved sound (first channel): a loud sample
// after a stretch of quiet. Sample indices.
class OnsetDetector
{
public:
    OnsetDetector(int channels, int sampleRate)
        : channels(channels), quietSamples(qint64(sampleRate) * kQuietMs / 1000)
    {
    }

    void feed(const qint16 *samples, qint64 frames, QVector<qint64> &onsets)
    {
        for (qint64 i = 0; i < frames; ++i, ++index) {
            if (std::abs(int(samples[i * channels])) >= kLoud) {
                if (index - lastLoud > quietSamples)
                    onsets << index;
                lastLoud = index;
            }
        }
    }

    // A beep is a 1 kHz tone at half of full scale; a quarter of its peak
    // is reached within a tenth of a millisecond of its start.
    static constexpr int kLoud = 4096;
    static constexpr int kQuietMs = 150;

private:
    int channels;
    qint64 quietSamples;
    qint64 index = 0;
    qint64 lastLoud = -(qint64(1) << 40);
};

bool makeClip(const Options &options, const QString &rearFile, QString &error)
{
    const QString flash = QStringLiteral("drawbox=x=0:y=0:w=iw:h=ih:color=white:t=fill:enable='gte(t,0.5)*lt(mod(t+0.0005,1),0.001)'");
    const double shift = options.audioShiftMs / 1000.0;
    const QString beep = QStringLiteral("if(gte(t-%1,0.5)*lt(mod(t-%1,1),0.02),0.5*sin(2*PI*1000*mod(t-%1,1)),0)").arg(shift);
    const QString exprs = options.channels == 2 ? beep + '|' + beep : beep;
    const QStringList args{
        "-v", "error", "-y", "-nostdin",
        "-f", "lavfi", "-i", QString("color=c=black:s=640x360:r=%1:d=%2,%3").arg(options.fps).arg(options.clipSeconds).arg(flash),
        "-f", "lavfi", "-i", QString("aevalsrc=exprs='%1':s=%2:d=%3").arg(exprs).arg(options.sampleRate).arg(options.clipSeconds),
        "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p",
        // A key picture at every flash: the rate 2.0 drop rule keeps all of them.
        "-force_key_frames", "expr:gte(t,n_forced)",
        "-c:a", "aac", "-b:a", "128k", options.file};
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(120000) || ffmpeg.exitCode() != 0) {
        error = "ffmpeg could not make the clip: " + QString::fromLocal8Bit(ffmpeg.readAllStandardError()).trimmed();
        return false;
    }
    if (rearFile.isEmpty())
        return true;
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-nostdin", "-i", options.file, "-an", "-c", "copy", rearFile});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        error = "ffmpeg could not make the rear clip";
        return false;
    }
    return true;
}

// The beep onsets (seconds) of the clip as the ffmpeg tool decodes it.
QVector<double> decodedOnsets(const QString &file, int sampleRate)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-nostdin", "-i", file, "-vn", "-ac", "1", "-f", "s16le", "-"});
    QVector<double> seconds;
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return seconds;
    const QByteArray pcm = ffmpeg.readAllStandardOutput();
    OnsetDetector detector(1, sampleRate);
    QVector<qint64> onsets;
    detector.feed(reinterpret_cast<const qint16 *>(pcm.constData()), pcm.size() / 2, onsets);
    for (qint64 onset : onsets)
        seconds << double(onset) / sampleRate;
    return seconds;
}

// SDL's disk driver writes each device buffer at the moment it is played,
// but through a fully buffered stdio stream: the bytes reach the pipe at a
// later write, when that stream flushes. This replays the C library's policy
// (fill the buffer; when a write does not fit, flush it, write whole blocks
// directly, keep the rest) to tell for each device buffer at which later
// write its bytes came out.
class StdioReplay
{
public:
    StdioReplay(qint64 chunkBytes, qint64 blockBytes) : chunkBytes(chunkBytes), blockBytes(blockBytes) {}

    // The stretch of bytes that holds `byte` and came out in one piece: its
    // end (exclusive) and the index of the driver's write that put it out.
    std::pair<qint64, qint64> emission(qint64 byte)
    {
        while (emittedUpTo <= byte)
            write();
        const auto found = std::upper_bound(boundaries.begin(), boundaries.end(), byte,
                                            [](qint64 value, const std::pair<qint64, qint64> &b) { return value < b.first; });
        return *found;
    }

private:
    void write()
    {
        const qint64 index = writes++;
        qint64 toDo = chunkBytes;
        const qint64 space = allocated ? blockBytes - buffered : 0;
        const qint64 fill = std::min(space, toDo);
        buffered += fill;
        toDo -= fill;
        if (toDo == 0)
            return;
        allocated = true;
        const qint64 direct = toDo - toDo % blockBytes;
        putOut(buffered + direct, index);
        buffered = toDo % blockBytes;
    }

    void putOut(qint64 bytes, qint64 writeIndex)
    {
        if (bytes <= 0)
            return;
        emittedUpTo += bytes;
        boundaries.push_back({emittedUpTo, writeIndex}); // bytes below .first came out at write .second
    }

    qint64 chunkBytes;
    qint64 blockBytes;
    qint64 writes = 0;
    qint64 buffered = 0;
    bool allocated = false;
    qint64 emittedUpTo = 0;
    std::vector<std::pair<qint64, qint64>> boundaries;
};

// Reads the named pipe the disk driver writes and times each beep onset at
// the moment its device buffer was written (played). With `monitor` set the
// pipe carries a sound server's monitor of its null sink instead: one stream
// that never pauses (the sink plays silence when nobody plays), so sample k is
// heard at T0 + k / rate; T0 is the median over all reads of arrival less the
// samples up to the read's end, the sink rendering a little ahead of its clock
// and the transport adding a little delay (their spread is reported).
class PipeListener
{
public:
    // clock, if given, is read as each piece of sound arrives (a diagnostic of the engine's own clock).
    PipeListener(const QString &path, int channels, int sampleRate, double playbackRate, Clock::time_point started,
                 std::function<double()> clock, bool monitor = false)
        : path(path), channels(channels), sampleRate(sampleRate), playbackRate(playbackRate), started(started),
          clock(std::move(clock)), monitor(monitor)
    {
        thread = std::thread([this] { run(); });
    }

    ~PipeListener()
    {
        stopping = true;
        // Unblocks an open that no writer answered.
        const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        thread.join();
    }

    // Wall milliseconds (since start) of each beep onset so far.
    QVector<double> onsetTimes()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!monitor)
            return times;
        QVector<double> heard;
        const double t0 = monitorStart();
        for (qint64 onset : monitorOnsets)
            heard << t0 + double(onset) * 1000 / sampleRate;
        return heard;
    }

    // How far apart (p95 - p5, ms) the reads put the monitor's start: the
    // uncertainty of its onset times.
    double monitorSpreadMs()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (monitorStarts.size() < 20)
            return -1;
        QVector<double> sorted = monitorStarts;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() * 95 / 100] - sorted[sorted.size() * 5 / 100];
    }

    bool isRealtime() const
    {
        return realtime;
    }

    // The engine's clock when each beep was heard, less the beep's own time (ms).
    QVector<double> clockErrors()
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!monitor)
            return clockMs;
        QVector<double> errors;
        const double t0 = monitorStart();
        for (const MonitorClock &c : monitorClocks) {
            const double heardMs = t0 + double(c.onset) * 1000 / sampleRate;
            const double clockMsThen = c.clockMs - (c.arrivedMs - heardMs) * playbackRate;
            errors << clockMsThen - std::round(clockMsThen / 1000) * 1000;
        }
        return errors;
    }

    // Sound seconds per wall second while the pipe flowed: below 1 when the
    // driver's writes fall behind (its wait does not catch up), which the
    // pictures must follow.
    double pace()
    {
        std::lock_guard<std::mutex> lock(mutex);
        const double wallMs = lastArrivalMs - firstArrivalMs;
        return wallMs > 0 ? double(received - firstBytes) / (2 * channels * sampleRate) / (wallMs / 1000) : 0;
    }

    double secondsReceived()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return double(received) / (2 * channels * sampleRate);
    }

private:
    void run()
    {
        // Under load a late wake-up would time the sound late; where allowed,
        // this thread, which only reads and stamps, goes first.
        sched_param priority{};
        priority.sched_priority = sched_get_priority_min(SCHED_FIFO);
        realtime = pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
        if (monitor) {
            runMonitor();
            return;
        }
        const qint64 frameBytes = 2 * channels;
        const qint64 chunkBytes = kDeviceFrames * frameBytes;
        const double chunkMs = 1000.0 * kDeviceFrames / sampleRate;
        std::vector<char> buffer(1 << 16);
        while (!stopping) {
            // Each device that opens reopens the pipe (a new stdio stream).
            const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
            if (fd < 0)
                return;
            struct stat info {};
            const qint64 block = ::fstat(fd, &info) == 0 && info.st_blksize > 0 ? info.st_blksize : 4096;
            StdioReplay replay(chunkBytes, block);
            OnsetDetector detector(channels, sampleRate);
            std::map<qint64, double> writeTimes; // write index -> arrival of what it emitted
            QByteArray carry;
            qint64 streamBytes = 0;
            for (;;) {
                const ssize_t got = ::read(fd, buffer.data(), buffer.size());
                const double arrivedMs = bench::msSince(started);
                const double clockNow = clock ? clock() : 0;
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    break;
                // The writes whose bytes came out in this read happened about now.
                for (qint64 byte = streamBytes; byte < streamBytes + got;) {
                    const auto [end, write] = replay.emission(byte);
                    writeTimes.emplace(write, arrivedMs);
                    byte = end;
                }
                streamBytes += got;
                carry.append(buffer.data(), int(got));
                const qint64 frames = carry.size() / frameBytes;
                QVector<qint64> onsets;
                detector.feed(reinterpret_cast<const qint16 *>(carry.constData()), frames, onsets);
                carry.remove(0, int(frames * frameBytes));
                std::lock_guard<std::mutex> lock(mutex);
                if (firstArrivalMs < 0) {
                    firstArrivalMs = arrivedMs;
                    firstBytes = received + got;
                }
                lastArrivalMs = arrivedMs;
                received += got;
                for (qint64 onset : onsets) {
                    const qint64 chunk = onset / kDeviceFrames;
                    const double writtenMs = writeTime(writeTimes, chunk, chunkMs);
                    const double heardMs = writtenMs + double(onset - chunk * kDeviceFrames) * 1000 / sampleRate;
                    times << heardMs;
                    if (clock) {
                        const double clockMsThen = clockNow * 1000 - (arrivedMs - heardMs) * playbackRate;
                        clockMs << clockMsThen - std::round(clockMsThen / 1000) * 1000;
                    }
                }
            }
            ::close(fd);
        }
    }

    void runMonitor()
    {
        const qint64 frameBytes = 2 * channels;
        const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY);
        if (fd < 0)
            return;
        std::vector<char> buffer(1 << 14);
        OnsetDetector detector(channels, sampleRate);
        QByteArray carry;
        qint64 frames = 0;
        while (!stopping) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            const double arrivedMs = bench::msSince(started);
            const double clockNow = clock ? clock() : 0;
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            carry.append(buffer.data(), int(got));
            const qint64 whole = carry.size() / frameBytes;
            QVector<qint64> onsets;
            detector.feed(reinterpret_cast<const qint16 *>(carry.constData()), whole, onsets);
            carry.remove(0, int(whole * frameBytes));
            frames += whole;
            std::lock_guard<std::mutex> lock(mutex);
            if (firstArrivalMs < 0) {
                firstArrivalMs = arrivedMs;
                firstBytes = received + got;
            }
            lastArrivalMs = arrivedMs;
            received += got;
            monitorStarts << arrivedMs - double(frames) * 1000 / sampleRate;
            for (qint64 onset : onsets) {
                monitorOnsets << onset;
                if (clock)
                    monitorClocks.push_back({onset, arrivedMs, clockNow * 1000});
            }
        }
        ::close(fd);
    }

    // Under mutex: T0 of the monitor stream (see the class comment).
    double monitorStart() const
    {
        if (monitorStarts.isEmpty())
            return 0;
        QVector<double> sorted = monitorStarts;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }

    struct MonitorClock
    {
        qint64 onset;
        double arrivedMs;
        double clockMs;
    };

    // When the driver wrote buffer `chunk`: a write that put bytes out is seen
    // as they arrive; one that only filled the stdio buffer lies between the
    // writes seen before and after it (the driver's pace varies under load).
    static double writeTime(const std::map<qint64, double> &seen, qint64 chunk, double chunkMs)
    {
        auto after = seen.lower_bound(chunk);
        if (after != seen.end() && after->first == chunk)
            return after->second;
        if (after == seen.begin())
            return after->second - double(after->first - chunk) * chunkMs;
        const auto before = std::prev(after);
        if (after == seen.end())
            return before->second + double(chunk - before->first) * chunkMs;
        const double share = double(chunk - before->first) / double(after->first - before->first);
        return before->second + share * (after->second - before->second);
    }

    // The control asks SDL for buffers of 1024 sample frames; the disk driver keeps that size.
    static constexpr qint64 kDeviceFrames = 1024;

    QString path;
    int channels;
    int sampleRate;
    double playbackRate;
    Clock::time_point started;
    std::function<double()> clock;
    bool monitor;
    std::atomic<bool> stopping{false};
    std::atomic<bool> realtime{false};
    std::mutex mutex;
    QVector<double> times;      // mutex
    QVector<double> clockMs;    // mutex
    qint64 received = 0;        // mutex
    qint64 firstBytes = 0;      // mutex
    double firstArrivalMs = -1; // mutex
    double lastArrivalMs = -1;  // mutex
    QVector<double> monitorStarts;           // mutex: per read, arrival less the stream's length so far
    QVector<qint64> monitorOnsets;           // mutex: sample indices
    std::vector<MonitorClock> monitorClocks; // mutex
    std::thread thread;
};

// A PulseAudio server of this run's own (its socket and state in a temporary
// folder) with one null sink, and parec writing that sink's monitor into the
// named pipe. SDL's pulseaudio driver plays into it through PULSE_SERVER.
class SoundServer
{
public:
    bool start(const QString &dir, const QString &pipePath, int channels, int sampleRate, QString &error)
    {
        const QString socket = dir + "/native";
        address = "unix:" + socket;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir);
        env.insert("XDG_RUNTIME_DIR", dir);
        env.remove("PULSE_SERVER");
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                    "--disable-shm=yes", "--log-target=stderr", "--log-level=error",
                                    "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket,
                                    "-L", QString("module-null-sink sink_name=trackora_null rate=%1 channels=%2")
                                              .arg(sampleRate).arg(channels)});
        if (!server.waitForStarted(5000)) {
            error = "cannot start pulseaudio (tools/install-deps.sh --bench installs it)";
            return false;
        }
        bool ready = false;
        for (int i = 0; i < 50 && !ready && server.state() == QProcess::Running; ++i) {
            QProcess info;
            info.start("pactl", {"--server=" + address, "info"});
            ready = info.waitForFinished(2000) && info.exitCode() == 0;
            if (!ready)
                QThread::msleep(100);
        }
        if (!ready) {
            error = "pulseaudio did not answer on " + socket;
            return false;
        }
        recorder.setStandardOutputFile(pipePath);
        recorder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        recorder.start("parec", {"--server=" + address, "--device=trackora_null.monitor", "--raw",
                                 "--format=s16le", QString("--rate=%1").arg(sampleRate),
                                 QString("--channels=%1").arg(channels), "--latency-msec=5"});
        if (!recorder.waitForStarted(5000)) {
            error = "cannot start parec (tools/install-deps.sh --bench installs it)";
            return false;
        }
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
        qputenv("PULSE_SERVER", address.toLocal8Bit());
        return true;
    }

    // The recorder first: its end closes the pipe, which ends the listener's reads.
    void finish()
    {
        for (QProcess *process : {&recorder, &server}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished(1000);
            }
        }
    }

    ~SoundServer()
    {
        finish();
    }

private:
    QString address;
    QProcess server;
    QProcess recorder;
};

QJsonObject statsJson(const QVector<double> &signedMs)
{
    QVector<double> absolute;
    double sum = 0;
    for (double v : signedMs) {
        absolute << std::fabs(v);
        sum += v;
    }
    QJsonObject result;
    result["pairs"] = signedMs.size();
    result["p50Ms"] = bench::percentile(absolute, 50);
    result["p95Ms"] = bench::percentile(absolute, 95);
    result["maxMs"] = bench::percentile(absolute, 100);
    result["meanSignedMs"] = signedMs.isEmpty() ? QJsonValue() : QJsonValue(std::round(sum / signedMs.size() * 10) / 10);
    // Each pair in media order, so a systematic outlier (the first after a seek) shows.
    QJsonArray each;
    for (double v : signedMs)
        each.append(std::round(v * 10) / 10);
    result["offsetsMs"] = each;
    return result;
}

// Flash n (its first report, wall ms) paired with the nearest onset within
// a third of the wall time between beeps; picture minus sound.
QVector<double> pairUp(const std::map<int, double> &flashes, const QVector<double> &onsets, double rate,
                       double fromMs, double toMs)
{
    const double windowMs = 1000.0 / rate / 3;
    QVector<double> offsets;
    for (const auto &[second, pictureMs] : flashes) {
        Q_UNUSED(second)
        if (pictureMs < fromMs || pictureMs >= toMs)
            continue;
        double best = -1;
        for (double soundMs : onsets) {
            if (std::fabs(soundMs - pictureMs) <= windowMs && (best < 0 || std::fabs(soundMs - pictureMs) < std::fabs(best - pictureMs)))
                best = soundMs;
        }
        if (best >= 0)
            offsets << pictureMs - best;
    }
    return offsets;
}

// The one-minute load average, so a figure measured on a busy machine says so.
double loadAverage()
{
    double load[1] = {-1};
    return getloadavg(load, 1) == 1 ? std::round(load[0] * 100) / 100 : -1;
}

} // namespace

int runAvSyncBench(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::quietLogs();
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        std::fprintf(stderr, "trackora-bench avsync: %s\n", qPrintable(error));
        return 2;
    }
    const QFileInfo info(options.file);
    const QString rearFile = options.peer ? info.absolutePath() + '/' + info.completeBaseName() + "_rear.mp4" : QString();
    if (options.remake || !info.exists() || (options.peer && !QFileInfo::exists(rearFile))) {
        if (!makeClip(options, rearFile, error)) {
            std::fprintf(stderr, "trackora-bench avsync: %s\n", qPrintable(error));
            return 1;
        }
    }
    // Where the clip's own decode puts the beeps: whole seconds from 0.5 s on, plus the shift.
    double clipOnsetErrorMs = -1;
    const QVector<double> reference = decodedOnsets(options.file, options.sampleRate);
    for (double at : reference) {
        const double expected = std::round(at - options.audioShiftMs / 1000.0) + options.audioShiftMs / 1000.0;
        clipOnsetErrorMs = std::max(clipOnsetErrorMs, std::fabs(at - expected) * 1000);
    }

    QTemporaryDir dir;
    const QString pipePath = dir.filePath("sound.fifo");
    if (!dir.isValid() || ::mkfifo(pipePath.toLocal8Bit().constData(), 0600) != 0) {
        std::fprintf(stderr, "trackora-bench avsync: cannot make a named pipe\n");
        return 1;
    }
    const Clock::time_point started = Clock::now();
    std::atomic<TrackoraActiveX::CFFPlayer *> core{nullptr};
    // Ends (below) before the controls, whose clock it reads, are destroyed.
    auto listener = std::make_unique<PipeListener>(pipePath, options.channels, options.sampleRate, options.rate, started, [&core] {
        TrackoraActiveX::CFFPlayer *player = core;
        return player ? player->audioDecoder()->audioClock() : 0.0;
    }, options.soundServer);
    SoundServer server;
    if (options.soundServer) {
        if (!server.start(dir.path(), pipePath, options.channels, options.sampleRate, error)) {
            std::fprintf(stderr, "trackora-bench avsync: %s\n", qPrintable(error));
            server.finish();
            listener.reset();
            return 1;
        }
    } else {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", pipePath.toLocal8Bit());
    }

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
    Container *front = makeControl();
    Container *rear = options.peer ? makeControl() : nullptr;
    if (!front || (options.peer && !rear)) {
        std::fprintf(stderr, "trackora-bench avsync: the player control cannot be created\n");
        return 1;
    }
    front->setVolume(100);
    core = static_cast<TrackoraActiveX::CFFPlayer *>(
        reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(front->axUserData()))->player);
    if (rear) {
        auto *frontRecord = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(front->axUserData()));
        auto *rearRecord = reinterpret_cast<TrackoraActiveXLib::CFFPlayerAxUserData *>(static_cast<quintptr>(rear->axUserData()));
        frontRecord->isMain = true;
        frontRecord->peer = rearRecord->player;
        rearRecord->isMain = false;
        rearRecord->peer = frontRecord->player;
    }

    // First report of each flash, per stretch of play (a seek or a pause starts a new stretch).
    const double frameMs = 1000.0 / options.fps;
    std::map<int, double> frontFlashes, rearFlashes;
    double firstPictureMs = -1;
    double lastPositionMs = 0;
    qint64 durationMs = 0;
    auto watch = [&](Container *control, std::map<int, double> &flashes) {
        QObject::connect(control, &Container::positionChanged, [&, control](qint64 position) {
            const double now = bench::msSince(started);
            if (control == front) {
                if (firstPictureMs < 0)
                    firstPictureMs = now;
                lastPositionMs = double(position);
            }
            const int second = int(std::lround(position / 1000.0));
            const double shifted = second * 1000.0;
            if (second >= 1 && std::fabs(double(position) - shifted) < frameMs / 2 && !flashes.count(second))
                flashes[second] = now;
        });
    };
    watch(front, frontFlashes);
    if (rear)
        watch(rear, rearFlashes);
    QObject::connect(front, &Container::durationChanged, [&](qint64 d) { durationMs = d; });

    window.show();
    front->setMedia(QUrl::fromLocalFile(info.absoluteFilePath()).url());
    front->play();
    if (rear) {
        rear->setMedia(QUrl::fromLocalFile(rearFile).url());
        rear->play();
    }
    const bool opened = bench::waitForOpen(front, kOpenWaitMs);
    if (rear)
        bench::waitForOpen(rear, kOpenWaitMs);

    // Flashes reported from this moment on count toward the "after" figures.
    double eventMs = -1;
    double resumeAtMs = -1;
    double deviceLatencyMs = 0;
    const double limitMs = (options.clipSeconds / options.rate) * 1000 + 8000 + (options.pauseAt >= 0 ? options.pauseMs : 0);
    bench::pollUntil(started, [&](double now) {
        const double sinceFirst = firstPictureMs >= 0 ? (now - firstPictureMs) / 1000 : -1;
        deviceLatencyMs = std::max(deviceLatencyMs, core.load()->audioDecoder()->deviceLatency() * 1000);
        if (eventMs < 0 && options.seekAt >= 0 && sinceFirst >= options.seekAt) {
            eventMs = now;
            front->setSeekSecond(options.seekTo);
            if (rear)
                rear->setSeekSecond(options.seekTo);
            frontFlashes.clear();
            rearFlashes.clear();
        }
        if (eventMs < 0 && options.pauseAt >= 0 && sinceFirst >= options.pauseAt) {
            eventMs = now;
            front->pause();
            if (rear)
                rear->pause();
            resumeAtMs = now + options.pauseMs;
        }
        if (resumeAtMs >= 0 && now >= resumeAtMs) {
            resumeAtMs = -1;
            front->play();
            if (rear)
                rear->play();
        }
        const bool ended = durationMs > 0 && lastPositionMs >= durationMs - 2 * frameMs && resumeAtMs < 0;
        return !opened || now >= limitMs || (ended && now - firstPictureMs > 1000);
    }, 20, 300); // the last beep's chunk may still be on its way
    bench::stopPlayers(front, rear);

    const QVector<double> onsets = listener->onsetTimes();
    const QVector<double> clockErrors = listener->clockErrors();
    const double soundSeconds = listener->secondsReceived();
    const double soundPace = listener->pace();
    const bool realtime = listener->isRealtime();
    const double monitorSpreadMs = listener->monitorSpreadMs();
    server.finish();
    listener.reset();
    QJsonObject result;
    result["file"] = info.fileName();
    result["opened"] = opened;
    result["rate"] = options.rate;
    result["fps"] = options.fps;
    result["sampleRate"] = options.sampleRate;
    result["channels"] = options.channels;
    result["clipOnsetErrorMaxMs"] = std::round(clipOnsetErrorMs * 100) / 100;
    result["beepsHeard"] = onsets.size();
    result["soundSeconds"] = std::round(soundSeconds * 100) / 100;
    result["soundPace"] = std::round(soundPace * 10000) / 10000;
    result["listenerRealtime"] = realtime;
    result["sound"] = options.soundServer ? "pulse" : "disk";
    // What the engine takes off its clock for the device; and for the sound
    // server, how uncertain the monitor's timing is.
    result["deviceLatencyMs"] = std::round(deviceLatencyMs * 10) / 10;
    if (options.soundServer)
        result["monitorSpreadMs"] = std::round(monitorSpreadMs * 10) / 10;
    result["load"] = loadAverage();
    // The engine's own clock against the sound it plays: blind to the picture, so a diagnostic only.
    double clockSum = 0;
    for (double e : clockErrors)
        clockSum += e;
    result["engineClockAtBeepMeanMs"] = clockErrors.isEmpty() ? QJsonValue() : QJsonValue(std::round(clockSum / clockErrors.size() * 10) / 10);
    QJsonArray clockEach;
    for (double e : clockErrors)
        clockEach.append(std::round(e * 10) / 10);
    result["engineClockAtBeepMs"] = clockEach;
    result["flashesSeen"] = int(frontFlashes.size());
    // Picture minus sound: positive when the picture is late. After a seek
    // or a pause only the flashes from then on count.
    if (eventMs >= 0)
        result["event"] = options.seekAt >= 0 ? "seek" : "pause";
    result["sync"] = statsJson(pairUp(frontFlashes, onsets, options.rate, std::max(eventMs, 0.0), 1e12));
    if (rear) {
        QVector<double> peer;
        for (const auto &[second, rearMs] : rearFlashes) {
            const auto found = frontFlashes.find(second);
            if (found != frontFlashes.end())
                peer << rearMs - found->second;
        }
        QJsonObject rearJson = statsJson(peer);
        rearJson["frameMs"] = std::round(frameMs * 10) / 10;
        result["rearVsFront"] = rearJson;
    }
    bench::printJsonLine(result);
    return opened ? 0 : 1;
}
