#include "exportbench.h"

#include "benchcommon.h"
#include "exportjob.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
// Two recordings of 100 s make a 3-minute range across their seam (10 s into
// the first to 90 s into the second).
const int kRecordingSeconds = 100;
const double kCopyFrom = 10.0;
const double kCopyTo = 90.0;
const double kSideBySideSeconds = 60.0;
// How often the GUI thread's timer asks to run while an export works.
const int kTickMs = 5;
const int kIdleTickMs = 10000;

struct Media
{
    QString front[2];
    QString rear[2];
};

bool runTool(const QStringList &args, QString *error)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral("ffmpeg"), QStringList{QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                                                  QStringLiteral("-y")}
                                          + args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QStringLiteral("ffmpeg %1 failed").arg(args.join(QLatin1Char(' ')));
        return false;
    }
    return true;
}

// A 1080p30 pair of two consecutive recordings, made once with the ffmpeg tool.
bool makeMedia(const QDir &dir, Media *media, QString *error)
{
    const char *names[2] = {"20250314_092600", "20250314_092740"};
    for (int i = 0; i < 2; ++i) {
        media->front[i] = dir.filePath(QString::fromLatin1(names[i]) + QStringLiteral("_F.mp4"));
        media->rear[i] = dir.filePath(QString::fromLatin1(names[i]) + QStringLiteral("_R.mp4"));
        const QString seconds = QString::number(kRecordingSeconds);
        const QStringList video = {QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
                                   QStringLiteral("-g"), QStringLiteral("30"), QStringLiteral("-b:v"), QStringLiteral("12M"),
                                   QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
        if (!QFile::exists(media->front[i])
            && !runTool(QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                    QStringLiteral("testsrc2=size=1920x1080:rate=30:duration=") + seconds, QStringLiteral("-f"),
                                    QStringLiteral("lavfi"), QStringLiteral("-i"),
                                    QStringLiteral("sine=frequency=440:sample_rate=48000:duration=") + seconds}
                            + video + QStringList{QStringLiteral("-c:a"), QStringLiteral("aac"), media->front[i]},
                        error))
            return false;
        if (!QFile::exists(media->rear[i])
            && !runTool(QStringList{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                    QStringLiteral("testsrc=size=1920x1080:rate=30:duration=") + seconds}
                            + video + QStringList{media->rear[i]},
                        error))
            return false;
    }
    return true;
}

double median(QVector<double> v)
{
    if (v.isEmpty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs the job on a worker thread, as the dialog does, while the GUI thread
// ticks; returns the seconds it took and the longest the GUI thread waited.
double runOurs(const ExportRequest &request, double *longestStallMs, QString *error)
{
    ExportJob *job = new ExportJob(request);
    QThread thread;
    job->moveToThread(&thread);
    QObject::connect(&thread, &QThread::started, job, &ExportJob::run);
    QObject::connect(&thread, &QThread::finished, job, &QObject::deleteLater);
    QEventLoop loop;
    bool ok = false;
    QObject::connect(job, &ExportJob::finished, &loop, [&](bool done, const QStringList &, const QString &message) {
        ok = done;
        *error = message;
        loop.quit();
    });
    QElapsedTimer sinceTick;
    double stall = 0.0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        stall = std::max(stall, sinceTick.nsecsElapsed() / 1e6 - kTickMs);
        sinceTick.restart();
    });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    tick.start(kTickMs);
    thread.start();
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    tick.stop();
    thread.quit();
    thread.wait();
    *longestStallMs = std::max(*longestStallMs, stall);
    return ok ? seconds : -1.0;
}

double runPeer(const QStringList &args, QString *error)
{
    QElapsedTimer clock;
    clock.start();
    if (!runTool(args, error))
        return -1.0;
    return clock.nsecsElapsed() / 1e9;
}

void clearFolder(const QString &path)
{
    QDir dir(path);
    dir.removeRecursively();
    QDir().mkpath(path);
}
} // namespace

int runExportBench(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bench::quietLogs();
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.*.debug=false\ntrackora.export.info=false"));
    QCommandLineParser parser;
    const QCommandLineOption modeOption(QStringLiteral("mode"), QStringLiteral("copy, side-by-side or both"),
                                        QStringLiteral("MODE"), QStringLiteral("both"));
    const QCommandLineOption roundsOption(QStringLiteral("rounds"), QStringLiteral("rounds of each"), QStringLiteral("N"),
                                          QStringLiteral("3"));
    const QCommandLineOption mediaOption(QStringLiteral("media"), QStringLiteral("folder of the bench recordings"),
                                         QStringLiteral("DIR"), QStringLiteral("build/bench-media/export"));
    parser.addOptions({modeOption, roundsOption, mediaOption});
    if (!parser.parse(app.arguments())) {
        bench::reportError("export", parser.errorText());
        return 2;
    }
    const QString mode = parser.value(modeOption);
    const int rounds = qMax(1, parser.value(roundsOption).toInt());
    const QDir dir(parser.value(mediaOption));
    QDir().mkpath(dir.path());
    Media media;
    QString error;
    if (!makeMedia(dir, &media, &error)) {
        bench::reportError("export", error);
        return 1;
    }
    const QString ours = dir.filePath(QStringLiteral("out-ours"));
    const QString peer = dir.filePath(QStringLiteral("out-peer"));
    QJsonObject result{{QStringLiteral("bench"), QStringLiteral("export")}, {QStringLiteral("rounds"), rounds}};
    double stallMs = 0.0;

    if (mode == QLatin1String("copy") || mode == QLatin1String("both")) {
        ExportRequest request;
        request.front = {{media.front[0], kCopyFrom, -1.0}, {media.front[1], 0.0, kCopyTo}};
        request.copyRear = false;
        request.trackFiles = false;
        request.folder = ours;
        QFile list(dir.filePath(QStringLiteral("concat.txt")));
        if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            bench::reportError("export", list.errorString());
            return 1;
        }
        list.write(QStringLiteral("file '%1'\ninpoint %2\nfile '%3'\noutpoint %4\n")
                       .arg(QFileInfo(media.front[0]).absoluteFilePath())
                       .arg(kCopyFrom)
                       .arg(QFileInfo(media.front[1]).absoluteFilePath())
                       .arg(kCopyTo)
                       .toUtf8());
        list.close();
        QVector<double> ourTimes;
        QVector<double> peerTimes;
        for (int r = 0; r < rounds; ++r) {
            clearFolder(ours);
            clearFolder(peer);
            const double a = runOurs(request, &stallMs, &error);
            const double b = runPeer({QStringLiteral("-f"), QStringLiteral("concat"), QStringLiteral("-safe"), QStringLiteral("0"),
                                      QStringLiteral("-i"), list.fileName(), QStringLiteral("-c"), QStringLiteral("copy"),
                                      QStringLiteral("-movflags"), QStringLiteral("+faststart"),
                                      QDir(peer).filePath(QStringLiteral("out.mp4"))},
                                     &error);
            if (a < 0 || b < 0) {
                bench::reportError("export", error);
                return 1;
            }
            ourTimes.append(a);
            peerTimes.append(b);
        }
        const double rangeSeconds = (kRecordingSeconds - kCopyFrom) + kCopyTo;
        result.insert(QStringLiteral("copy"),
                      QJsonObject{{QStringLiteral("rangeSeconds"), rangeSeconds},
                                  {QStringLiteral("oursSeconds"), median(ourTimes)},
                                  {QStringLiteral("ffmpegConcatSeconds"), median(peerTimes)},
                                  {QStringLiteral("ratio"), median(ourTimes) / qMax(1e-6, median(peerTimes))},
                                  {QStringLiteral("timesRealTime"), rangeSeconds / qMax(1e-6, median(ourTimes))}});
    }

    if (mode == QLatin1String("side-by-side") || mode == QLatin1String("both")) {
        ExportRequest request;
        request.front = {{media.front[0], kCopyFrom, kCopyFrom + kSideBySideSeconds}};
        request.rear = {media.rear[0]};
        request.copyFront = request.copyRear = request.trackFiles = false;
        request.sideBySide = true;
        request.folder = ours;
        const QString from = QString::number(kCopyFrom);
        const QString length = QString::number(kSideBySideSeconds);
        // The same work: both pictures at half size side by side on the front's frame, a text drawn in.
        const QString filter = QStringLiteral(
            "[0:v][1:v]hstack=inputs=2,scale=1920:540,pad=1920:1080:0:270,"
            "drawtext=text='%{pts\\:hms} 060 km/h N35.687992 E139.684333':fontcolor=white:fontsize=48:x=20:y=h-70[v]");
        QVector<double> ourTimes;
        QVector<double> peerTimes;
        for (int r = 0; r < rounds; ++r) {
            clearFolder(ours);
            clearFolder(peer);
            const double a = runOurs(request, &stallMs, &error);
            const double b = runPeer({QStringLiteral("-ss"), from, QStringLiteral("-t"), length, QStringLiteral("-i"), media.front[0],
                                      QStringLiteral("-ss"), from, QStringLiteral("-t"), length, QStringLiteral("-i"), media.rear[0],
                                      QStringLiteral("-filter_complex"), filter, QStringLiteral("-map"), QStringLiteral("[v]"),
                                      QStringLiteral("-map"), QStringLiteral("0:a"), QStringLiteral("-c:a"), QStringLiteral("copy"),
                                      QStringLiteral("-c:v"), QStringLiteral("libx264"), QStringLiteral("-preset"),
                                      QStringLiteral("veryfast"), QStringLiteral("-crf"), QStringLiteral("20"),
                                      QDir(peer).filePath(QStringLiteral("out.mp4"))},
                                     &error);
            if (a < 0 || b < 0) {
                bench::reportError("export", error);
                return 1;
            }
            ourTimes.append(a);
            peerTimes.append(b);
        }
        struct rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        result.insert(QStringLiteral("sideBySide"),
                      QJsonObject{{QStringLiteral("rangeSeconds"), kSideBySideSeconds},
                                  {QStringLiteral("oursSeconds"), median(ourTimes)},
                                  {QStringLiteral("ffmpegSeconds"), median(peerTimes)},
                                  {QStringLiteral("ratio"), median(ourTimes) / qMax(1e-6, median(peerTimes))},
                                  {QStringLiteral("peakMemoryMB"), double(usage.ru_maxrss) / 1024.0}});
    }
    result.insert(QStringLiteral("longestGuiStallMs"), stallMs);
    // The same ticking with no export running: what the machine alone costs the GUI thread.
    {
        QElapsedTimer sinceTick;
        double idleStall = 0.0;
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            idleStall = std::max(idleStall, sinceTick.nsecsElapsed() / 1e6 - kTickMs);
            sinceTick.restart();
        });
        QEventLoop idle;
        QTimer::singleShot(kIdleTickMs, &idle, &QEventLoop::quit);
        sinceTick.start();
        tick.start(kTickMs);
        idle.exec();
        result.insert(QStringLiteral("idleGuiStallMs"), idleStall);
    }
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) > 0)
        result.insert(QStringLiteral("load"), load[0]);
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return 0;
}
