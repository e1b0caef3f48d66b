#include "hwdecode.h"

#include "benchcommon.h"

#include "FFPlayer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QProcess>
#include <QTemporaryDir>

#include <SDL.h>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>

using namespace TrackoraActiveX;

// Each file plays twice, each time in a fresh process: the engine probes
// for a decoding device once per process, and the device is hidden through
// the environment before that probe. Every picture shown leaves a signature
// of its luma plane (a hash of all of it and a grid of its samples), and the
// two runs are compared picture by picture on their common timestamps.

namespace {

// One luma sample in kGridStep along each axis is kept for the tolerant comparison.
constexpr int kGridStep = 8;
// A 10-bit source is shown in 8 bits: the two paths may round a level apart.
constexpr int kTolerance = 2;
constexpr quint32 kSignatureMagic = 0x54524b53; // "TRKS"

struct Options
{
    QStringList files;
    double seconds = -1;
    // Set in a child process: which run it is and where its signatures go.
    QString run;
    QString signatures;
};

bool parseOptions(const QStringList &arguments, Options &options, QString &error)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("files", "the recordings to play", "FILE...");
    const QCommandLineOption seconds("seconds", "play at most S seconds of each file", "S");
    QCommandLineOption run("run", "internal: play one file as the hardware or hidden run", "hw|sw");
    QCommandLineOption signatures("signatures", "internal: where that run writes its signatures", "PATH");
    run.setFlags(QCommandLineOption::HiddenFromHelp);
    signatures.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({seconds, run, signatures});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    options.files = parser.positionalArguments();
    if (options.files.isEmpty()) {
        error = "one FILE or more expected";
        return false;
    }
    if (parser.isSet(seconds))
        options.seconds = parser.value(seconds).toDouble();
    options.run = parser.value(run);
    options.signatures = parser.value(signatures);
    if (!options.run.isEmpty() && (options.run != "hw" && options.run != "sw")) {
        error = "--run takes hw or sw";
        return false;
    }
    if (!options.run.isEmpty() && (options.files.size() != 1 || options.signatures.isEmpty())) {
        error = "--run takes one FILE and --signatures";
        return false;
    }
    for (const QString &file : options.files) {
        if (!QFileInfo(file).isFile()) {
            error = QStringLiteral("no such file: %1").arg(file);
            return false;
        }
    }
    return true;
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// 64-bit FNV-1a over words: fast enough for 2160p at the picture rate.
quint64 planeHash(const uint8_t *data, size_t size)
{
    quint64 hash = 0xcbf29ce484222325ull;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        hash = (hash ^ word) * 0x100000001b3ull;
    }
    for (; i < size; ++i)
        hash = (hash ^ data[i]) * 0x100000001b3ull;
    return hash;
}

struct Signature
{
    quint64 hash = 0;
    QByteArray grid;
};

struct SignatureFile
{
    int width = 0;
    int height = 0;
    std::map<qint64, Signature> pictures; // by stream timestamp
};

bool writeSignatures(const QString &path, const SignatureFile &file)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QDataStream stream(&out);
    stream << kSignatureMagic << qint32(file.width) << qint32(file.height) << quint32(file.pictures.size());
    for (const auto &[pts, signature] : file.pictures)
        stream << pts << signature.hash << signature.grid;
    return stream.status() == QDataStream::Ok;
}

bool readSignatures(const QString &path, SignatureFile &file)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QDataStream stream(&in);
    quint32 magic = 0, count = 0;
    qint32 width = 0, height = 0;
    stream >> magic >> width >> height >> count;
    if (magic != kSignatureMagic)
        return false;
    file.width = width;
    file.height = height;
    for (quint32 i = 0; i < count && stream.status() == QDataStream::Ok; ++i) {
        qint64 pts = 0;
        Signature signature;
        stream >> pts >> signature.hash >> signature.grid;
        file.pictures[pts] = signature;
    }
    return stream.status() == QDataStream::Ok;
}

// The run inside a child process: plays options.files[0] and prints its figures.
int playOneRun(const Options &options)
{
    bench::useDummyAudioUnlessSet();
    if (SDL_Init(SDL_INIT_AUDIO) != 0) {
        bench::reportError("hwdecode", QString::fromUtf8(SDL_GetError()));
        return 1;
    }
    SignatureFile signatures;
    double signingCpu = 0; // the player thread's time spent on signatures, not the engine's
    bench::Samples samples;
    bench::RunFigures figures;
    figures.file = options.files.first();
    {
        CFFPlayer player;
        player.setVolume(100);
        const bench::Clock::time_point started = bench::Clock::now();
        QObject::connect(&player, &CFFPlayer::renderFrame, &player, [&](const HFrame *picture) {
            const double now = bench::msSince(started);
            double expected = -1;
            samples.firstFrameMs.compare_exchange_strong(expected, now);
            ++samples.framesShown;
            samples.lastFrameAtMs = qint64(now);
            const double cpuBefore = threadCpuSeconds();
            const qint64 pts = player.currentFramePts();
            const double seconds = player.currentFrameSeconds();
            {
                std::lock_guard<std::mutex> lock(player.hframeMutex());
                if (picture && picture->data && picture->width > 0 && picture->height > 0) {
                    const int w = picture->width, h = picture->height;
                    Signature signature;
                    // Both picture formats (NV12, YUV420P) begin with the full luma plane, unpadded.
                    signature.hash = planeHash(picture->data, size_t(w) * size_t(h));
                    for (int y = kGridStep / 2; y < h; y += kGridStep)
                        for (int x = kGridStep / 2; x < w; x += kGridStep)
                            signature.grid.append(char(picture->data[size_t(y) * w + x]));
                    signatures.width = w;
                    signatures.height = h;
                    signatures.pictures[pts] = signature;
                }
            }
            {
                std::lock_guard<std::mutex> lock(samples.mutex);
                if (samples.firstPts < 0)
                    samples.firstPts = seconds;
                samples.lastPts = std::max(samples.lastPts, seconds);
            }
            signingCpu += threadCpuSeconds() - cpuBefore;
        }, Qt::DirectConnection);
        QObject::connect(&player, &CFFPlayer::positionChanged, &player, [&](qint64 p) { figures.lastPositionMs = p; });
        QObject::connect(&player, &CFFPlayer::durationChanged, &player, [&](qint64 d) { figures.durationMs = d; });
        player.play(figures.file);
        figures.opened = player.state() == PlayingState;
        bench::CommonOptions limit;
        limit.seconds = options.seconds;
        const double limitMs = bench::runLimitMs(limit, figures.durationMs);
        figures.endedAtMs = bench::pollUntil(started, [&](double now) {
            return !figures.opened || now >= limitMs
                   || bench::playedOut(samples, figures.lastPositionMs, figures.durationMs, now);
        });
        bench::readEndFigures(&player, figures);
        player.stop();
    }
    SDL_Quit();

    QJsonObject result;
    result["opened"] = figures.opened;
    result["decodeMode"] = QString::fromLatin1(QMetaEnum::fromType<FFDecodeMode>().valueToKey(figures.decodeMode));
    result["framesShown"] = samples.framesShown.load();
    result["framesExpected"] = samples.firstPts >= 0
        ? QJsonValue(bench::expectedFrames(figures.file, samples.firstPts, samples.lastPts, false))
        : QJsonValue();
    result["firstFrameMs"] = samples.firstFrameMs >= 0 ? QJsonValue(std::round(samples.firstFrameMs * 10) / 10) : QJsonValue();
    result["cpuSeconds"] = std::round((figures.cpuSeconds - signingCpu) * 100) / 100;
    result["wallSeconds"] = std::round(figures.endedAtMs / 10) / 100;
    bench::printJsonLine(result);
    if (!writeSignatures(options.signatures, signatures)) {
        bench::reportError("hwdecode", "cannot write " + options.signatures);
        return 1;
    }
    return figures.opened ? 0 : 1;
}

// The command that started this process, loader and its options included:
// a bundled copy runs as `lib/ld-linux… --library-path … BINARY`, and its
// children must be started the same way.
QStringList selfCommand(const QStringList &arguments)
{
    QFile cmdline(QStringLiteral("/proc/self/cmdline"));
    QStringList words;
    if (cmdline.open(QIODevice::ReadOnly)) {
        for (const QByteArray &word : cmdline.readAll().split('\0'))
            words << QString::fromLocal8Bit(word);
        if (!words.isEmpty() && words.last().isEmpty())
            words.removeLast();
    }
    // main's arguments are the tail of the command line; what comes before belongs to the loader.
    const int prefix = words.size() - arguments.size(); // arguments[0] is "hwdecode"
    if (prefix >= 1 && words.mid(prefix) == arguments)
        return words.mid(0, prefix);
    return {QCoreApplication::applicationFilePath()};
}

// An environment in which the engine's probe finds no device: CUDA sees no
// GPU, VA-API and VDPAU load no driver, and there is no display to open one on.
QProcessEnvironment hiddenDevice()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUDA_VISIBLE_DEVICES", "");
    env.insert("LIBVA_DRIVER_NAME", "trackora-hidden");
    env.insert("LIBVA_DRIVERS_PATH", "/nonexistent");
    env.insert("VDPAU_DRIVER", "trackora-hidden");
    env.insert("VDPAU_DRIVER_PATH", "/nonexistent");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    return env;
}

bool runChild(const QStringList &command, const QString &file, const QString &run, const QString &signatures,
              double seconds, const QProcessEnvironment &env, QJsonObject &result, QString &error)
{
    QStringList arguments = command.mid(1);
    arguments << "hwdecode" << "--run" << run << "--signatures" << signatures;
    if (seconds > 0)
        arguments << "--seconds" << QString::number(seconds);
    arguments << file;
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(command.first(), arguments);
    // A run plays in real time: the file's length, and slack for a slow open.
    if (!child.waitForFinished(-1)) {
        error = run + " run did not finish: " + child.errorString();
        return false;
    }
    const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
    result = QJsonDocument::fromJson(lines.last()).object();
    if (result.isEmpty()) {
        error = QStringLiteral("%1 run printed no figures (exit %2)").arg(run).arg(child.exitCode());
        return false;
    }
    return true;
}

// Bits per luma sample of the file's video, 0 when it cannot be read.
int lumaDepth(const QString &file, QString &codec)
{
    AVFormatContext *format = nullptr;
    int depth = 0;
    if (avformat_open_input(&format, file.toLocal8Bit().constData(), nullptr, nullptr) < 0)
        return 0;
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (index >= 0) {
            const AVCodecParameters *par = format->streams[index]->codecpar;
            const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(AVPixelFormat(par->format));
            depth = desc ? desc->comp[0].depth : 0;
            codec = QString::fromLatin1(avcodec_get_name(par->codec_id));
            if (desc)
                codec += '/' + QString::fromLatin1(desc->name);
            codec += QStringLiteral(" %1x%2").arg(par->width).arg(par->height);
        }
    }
    avformat_close_input(&format);
    return depth;
}

QJsonObject compare(const SignatureFile &hw, const SignatureFile &sw)
{
    int common = 0, identical = 0, withinTolerance = 0, maxDiff = 0;
    for (const auto &[pts, a] : hw.pictures) {
        const auto found = sw.pictures.find(pts);
        if (found == sw.pictures.end())
            continue;
        const Signature &b = found->second;
        ++common;
        if (a.hash == b.hash && a.grid == b.grid)
            ++identical;
        if (a.grid.size() != b.grid.size())
            continue;
        int diff = 0;
        for (int i = 0; i < a.grid.size(); ++i)
            diff = std::max(diff, std::abs(int(uint8_t(a.grid[i])) - int(uint8_t(b.grid[i]))));
        maxDiff = std::max(maxDiff, diff);
        if (diff <= kTolerance)
            ++withinTolerance;
    }
    return {{"commonTimestamps", common},
            {"identicalLuma", identical},
            {"withinToleranceLuma", withinTolerance},
            {"maxLumaDiff", common > 0 ? QJsonValue(maxDiff) : QJsonValue()},
            {"sameSize", hw.width == sw.width && hw.height == sw.height}};
}

} // namespace

int runHwDecodeBench(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    bench::quietLogs();
    Options options;
    QString error;
    if (!parseOptions(app.arguments(), options, error)) {
        bench::reportError("hwdecode", error);
        return 2;
    }
    if (!options.run.isEmpty())
        return playOneRun(options);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        bench::reportError("hwdecode", "cannot make a temporary folder");
        return 1;
    }
    const QStringList command = selfCommand(app.arguments());
    const QProcessEnvironment withDevice = QProcessEnvironment::systemEnvironment();
    const QProcessEnvironment withoutDevice = hiddenDevice();
    bool allOk = true;
    int index = 0;
    std::fprintf(stderr, "%-28s %-16s %-16s %7s %7s %7s %7s %8s %8s %7s %9s\n", "file", "hw mode", "sw mode", "hw pics",
                 "sw pics", "hw cpu", "sw cpu", "hw 1st", "sw 1st", "common", "identical");
    for (const QString &file : options.files) {
        QJsonObject result;
        QString codec;
        const int depth = lumaDepth(file, codec);
        result["file"] = QFileInfo(file).fileName();
        result["video"] = codec;
        result["lumaBits"] = depth;
        QJsonObject hw, sw;
        const QString hwPath = dir.filePath(QStringLiteral("%1-hw").arg(index));
        const QString swPath = dir.filePath(QStringLiteral("%1-sw").arg(index));
        ++index;
        SignatureFile hwSignatures, swSignatures;
        const bool ran = runChild(command, file, "hw", hwPath, options.seconds, withDevice, hw, error)
                         && runChild(command, file, "sw", swPath, options.seconds, withoutDevice, sw, error);
        if (!ran)
            result["error"] = error;
        else if (!readSignatures(hwPath, hwSignatures) || !readSignatures(swPath, swSignatures))
            result["error"] = "cannot read the runs' signatures";
        result["hardware"] = hw;
        result["hidden"] = sw;
        const QJsonObject comparison = compare(hwSignatures, swSignatures);
        for (auto it = comparison.begin(); it != comparison.end(); ++it)
            result[it.key()] = it.value();
        // 8-bit sources decode exactly on both paths; a 10-bit one is compared after its conversion to 8 bits.
        result["matchRule"] = depth > 8 ? QStringLiteral("within %1 levels").arg(kTolerance) : QStringLiteral("bit-identical");
        allOk = allOk && ran && hw["opened"].toBool() && sw["opened"].toBool();
        bench::printJsonLine(result);
        std::fprintf(stderr, "%-28s %-16s %-16s %7d %7d %7.2f %7.2f %8.1f %8.1f %7d %9d\n",
                     qPrintable(QFileInfo(file).fileName().left(28)),
                     qPrintable(hw["decodeMode"].toString().left(16)), qPrintable(sw["decodeMode"].toString().left(16)),
                     hw["framesShown"].toInt(), sw["framesShown"].toInt(), hw["cpuSeconds"].toDouble(),
                     sw["cpuSeconds"].toDouble(), hw["firstFrameMs"].toDouble(-1), sw["firstFrameMs"].toDouble(-1),
                     comparison["commonTimestamps"].toInt(),
                     comparison[depth > 8 ? "withinToleranceLuma" : "identicalLuma"].toInt());
    }
    return allOk ? 0 : 1;
}
