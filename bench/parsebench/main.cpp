// parsebench: files per second of the playlist's background parse over a
// folder of recordings, beside ExifTool (-fast, once over the folder) and
// ffprobe (once per file), and the bytes the parse read.

#include "playlistmodel.h"
#include "videoparser.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QProcess>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {
// The first runs fill caches and grow the pool; the best of the rest counts.
const int kParseRuns = 5;
// Per file, no parse should come near this; a stuck run is reported, not waited on.
const int kRunLimitMs = 120000;
const quint64 kBytesPerFile = 64 * 1024;
const quint64 kBytesPerSample = 312;
// ExifTool's files per second on the reference machine, and the factor to beat.
const double kExifToolReference = 117.0;
const double kTargetFactor = 50.0;

bool fromBeside(GpsSourceKind kind)
{
    return kind == GpxSidecarGps || kind == NmeaSidecarGps || kind == FolderTrackGps;
}

struct ParseRun
{
    double seconds = 0;
    int rows = 0;
    quint64 bytes = 0;
    quint64 samples = 0;         // read from the recordings themselves
    quint64 besideSamples = 0;   // from sidecars and folder tracks: no bytes of the recording
    qint64 worstOverBudget = std::numeric_limits<qint64>::min(); // largest (bytes - 312 * samples - 64 KiB) of a file
    int emptyRows = 0;
};

ParseRun parseOnce(const QFileInfoList &files)
{
    ParseRun run;
    PlaylistModel model;
    QSet<int> finished;
    // The main thread sleeps between results, as the viewer's does; polling
    // here would take a core from the two parse threads.
    QEventLoop loop;
    QObject::connect(&model, &PlaylistModel::parseFinished, [&](int id) {
        finished.insert(id);
        if (finished.size() >= model.rowCount())
            loop.quit();
    });

    QElapsedTimer clock;
    clock.start();
    for (const QFileInfo &f : files) {
        bool added = false;
        model.addDataByFileInfo(f, 0, added);
    }
    if (finished.size() < model.rowCount()) {
        QTimer::singleShot(kRunLimitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.rows = finished.size();

    for (int row = 0; row < model.rowCount(); ++row) {
        const VideoParser *parser = model.getDataByRow(row)->parser;
        const quint64 bytes = parser->bytesRead();
        const int read = parser->samplesRead();
        run.emptyRows += read == 0;
        const bool beside = fromBeside(parser->gpsKind());
        const int samples = beside ? 0 : read;
        run.bytes += bytes;
        run.samples += quint64(samples);
        run.besideSamples += beside ? quint64(read) : 0;
        run.worstOverBudget = std::max<qint64>(run.worstOverBudget,
                                               qint64(bytes) - qint64(kBytesPerSample * samples + kBytesPerFile));
    }
    return run;
}

// Seconds for a command, or a negative number when it could not run.
double timeCommand(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return -1;
    if (!p.waitForFinished(600000)) {
        p.kill();
        p.waitForFinished(5000);
        return -1;
    }
    return clock.nsecsElapsed() / 1e9;
}

double exifToolRate(const QDir &dir, int files)
{
    const double s = timeCommand(QStringLiteral("exiftool"), {QStringLiteral("-fast"), QStringLiteral("-j"), dir.path()});
    return s > 0 ? files / s : -1;
}

double ffprobeRate(const QFileInfoList &files)
{
    QElapsedTimer clock;
    clock.start();
    for (const QFileInfo &f : files) {
        if (timeCommand(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("quiet"), QStringLiteral("-show_format"),
                                                    QStringLiteral("-show_streams"), f.filePath()}) < 0)
            return -1;
    }
    return files.size() / (clock.nsecsElapsed() / 1e9);
}

QString rate(double filesPerSecond)
{
    return filesPerSecond > 0 ? QString::number(filesPerSecond, 'f', 1) : QStringLiteral("n/a");
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.*.debug=false"));
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args.at(2) != QLatin1String("--parse-only"))) {
        std::fprintf(stderr, "usage: parsebench FOLDER [--parse-only]\n");
        return 2;
    }
    const QDir dir(args.at(1));
    // Recordings only: sidecar tracks beside them are read by the parse itself.
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.mp4"), QStringLiteral("*.mov"), QStringLiteral("*.avi")},
                                                  QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "parsebench: %s holds no files\n", qPrintable(dir.path()));
        return 1;
    }

    QList<ParseRun> runs;
    for (int i = 0; i < kParseRuns; ++i)
        runs.append(parseOnce(files));
    const ParseRun best = *std::min_element(runs.begin() + 1, runs.end(),
                                            [](const ParseRun &a, const ParseRun &b) { return a.seconds < b.seconds; });
    QList<double> rates;
    for (const ParseRun &r : runs.mid(1))
        rates.append(r.rows / r.seconds);
    std::sort(rates.begin(), rates.end());
    const double median = rates.at(rates.size() / 2);

    std::printf("folder              %s (%lld files)\n", qPrintable(dir.path()), qlonglong(files.size()));
    std::printf("background parse    %s files/s best, %s median of %d warm runs (%d rows, %.3f s best)\n",
                qPrintable(rate(best.rows / best.seconds)), qPrintable(rate(median)), kParseRuns - 1, best.rows, best.seconds);
    std::printf("bytes read          %.1f KiB per file: %.0f bytes for the walk and tables, %.1f samples of 312 bytes%s\n",
                best.bytes / 1024.0 / best.rows,
                (double(best.bytes) - double(kBytesPerSample) * best.samples) / best.rows,
                double(best.samples) / best.rows,
                best.besideSamples ? qPrintable(QStringLiteral(" (and %1 from files beside)")
                                                    .arg(double(best.besideSamples) / best.rows, 0, 'f', 1))
                                   : "");
    std::printf("byte budget         %s (closest file %+lld bytes from 64 KiB + 312 per sample)\n",
                best.worstOverBudget <= 0 ? "met" : "MISSED", qlonglong(best.worstOverBudget));
    if (best.emptyRows)
        std::printf("rows without GPS    %d\n", best.emptyRows);
    if (best.rows < files.size())
        std::printf("incomplete          %d of %lld files parsed\n", best.rows, qlonglong(files.size()));

    if (args.size() == 3)
        return 0;
    const double exif = exifToolRate(dir, files.size());
    const double probe = ffprobeRate(files);
    const double ours = best.rows / best.seconds;
    std::printf("exiftool -fast -j   %s files/s (one run over the folder)\n", qPrintable(rate(exif)));
    std::printf("ffprobe             %s files/s (one run per file)\n", qPrintable(rate(probe)));
    if (exif > 0)
        std::printf("against exiftool    %.1f x here; target %.0f x (%.0f files/s against the reference %.0f files/s): %s\n",
                    ours / exif, kTargetFactor, kTargetFactor * kExifToolReference, kExifToolReference,
                    ours >= kTargetFactor * exif ? "met" : "MISSED");
    if (probe > 0)
        std::printf("against ffprobe     %.1f x\n", ours / probe);
    return 0;
}
