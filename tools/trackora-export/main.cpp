// trackora-export: a range of a trip as files to hand over, made by the same
// code as the window's export.

#include "exportjob.h"
#include "tripfiles.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>

#include <QLoggingCategory>

#include <cstdio>

extern "C" {
#include <libavutil/log.h>
}

namespace {
enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

const char kUsage[] =
    "usage: trackora-export --from FILE[@SECOND] --to FILE[@SECOND] [--mode copy|side-by-side]\n"
    "                       [--pip] [--mirror] [--gsensor] [--rear FILE...] -o DIR\n"
    "  The recordings of the trip are FILE of --from, FILE of --to and those between them in\n"
    "  the same folder with the same camera marker; --rear gives their rear recordings in order.\n";

void complain(const QString &text)
{
    std::fprintf(stderr, "trackora-export: %s\n", text.toLocal8Bit().constData());
}

int usageError(const QString &why)
{
    complain(why);
    std::fputs(kUsage, stderr);
    return ExitUsage;
}
} // namespace

int main(int argc, char *argv[])
{
    // The side-by-side export draws text with Qt, which needs a platform,
    // but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trackora-export"));
    // Standard error carries the reason of a failure, not the encoders' chatter.
    av_log_set_level(AV_LOG_ERROR);
    QLoggingCategory::setFilterRules(QStringLiteral("trackora.export.info=false"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption fromOption(QStringLiteral("from"), QStringLiteral("first recording and second"),
                                        QStringLiteral("FILE[@SECOND]"));
    const QCommandLineOption toOption(QStringLiteral("to"), QStringLiteral("last recording and second"),
                                      QStringLiteral("FILE[@SECOND]"));
    const QCommandLineOption modeOption(QStringLiteral("mode"), QStringLiteral("copy or side-by-side"),
                                        QStringLiteral("MODE"), QStringLiteral("copy"));
    const QCommandLineOption rearOption(QStringLiteral("rear"), QStringLiteral("rear recordings"), QStringLiteral("FILE"));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("folder for the files"), QStringLiteral("DIR"));
    const QCommandLineOption pipOption(QStringLiteral("pip"), QStringLiteral("rear as a picture in the front's corner"));
    const QCommandLineOption mirrorOption(QStringLiteral("mirror"), QStringLiteral("mirror the rear picture"));
    const QCommandLineOption gsensorOption(QStringLiteral("gsensor"), QStringLiteral("draw the G-sensor strip"));
    parser.addOptions({fromOption, toOption, modeOption, rearOption, outOption, pipOption, mirrorOption, gsensorOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("more rear recordings after --rear"));
    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(kUsage, stdout);
        return ExitOk;
    }
    if (!parser.isSet(fromOption) || !parser.isSet(toOption) || !parser.isSet(outOption))
        return usageError(QStringLiteral("--from, --to and -o are needed"));
    const QString mode = parser.value(modeOption);
    if (mode != QLatin1String("copy") && mode != QLatin1String("side-by-side"))
        return usageError(QStringLiteral("unknown mode: %1").arg(mode));
    QStringList rear = parser.values(rearOption);
    if (!parser.positionalArguments().isEmpty()) {
        if (rear.isEmpty())
            return usageError(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
        rear += parser.positionalArguments();
    }

    QString firstFile;
    QString lastFile;
    double from = 0.0;
    double to = -1.0;
    if (!splitFileTime(parser.value(fromOption), &firstFile, &from, 0.0))
        return usageError(QStringLiteral("--from: not FILE[@SECOND]: %1").arg(parser.value(fromOption)));
    if (!splitFileTime(parser.value(toOption), &lastFile, &to, -1.0))
        return usageError(QStringLiteral("--to: not FILE[@SECOND]: %1").arg(parser.value(toOption)));
    QString problem;
    const QStringList files = tripFiles(firstFile, lastFile, &problem);
    if (files.isEmpty()) {
        complain(problem);
        return ExitFailed;
    }
    if (files.size() == 1 && to >= 0 && to <= from)
        return usageError(QStringLiteral("the range ends before it starts"));
    if (!rear.isEmpty() && rear.size() != files.size())
        return usageError(QStringLiteral("%1 rear recordings for %2 front recordings").arg(rear.size()).arg(files.size()));
    for (const QString &r : qAsConst(rear)) {
        if (!QFileInfo(r).isFile()) {
            complain(QStringLiteral("%1: no such recording").arg(r));
            return ExitFailed;
        }
    }

    ExportRequest request;
    for (int i = 0; i < files.size(); ++i)
        request.front.append({files[i], i == 0 ? from : 0.0, i == files.size() - 1 ? to : -1.0});
    request.rear = rear;
    request.folder = parser.value(outOption);
    const bool sideBySide = mode == QLatin1String("side-by-side");
    request.copyFront = !sideBySide;
    request.copyRear = !sideBySide;
    request.trackFiles = !sideBySide;
    request.sideBySide = sideBySide;
    request.layout = parser.isSet(pipOption) ? SideBySideLayout::PictureInPicture : SideBySideLayout::SideBySide;
    request.mirrorRear = parser.isSet(mirrorOption);
    request.gsensorStrip = parser.isSet(gsensorOption);

    ExportJob job(request);
    job.run();
    for (const QString &file : job.files())
        std::printf("%s\n", QFileInfo(file).absoluteFilePath().toLocal8Bit().constData());
    std::fflush(stdout);
    if (!job.succeeded()) {
        complain(job.message());
        return ExitFailed;
    }
    return ExitOk;
}
