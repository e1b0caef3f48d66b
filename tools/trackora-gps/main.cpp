// trackora-gps: the trip data of dashboard-camera recordings, from the
// viewer's own parsers, as JSON lines, CSV or exported tracks.

#include "computeInfo.h"
#include "csvfield.h"
#include "eventdetector.h"
#include "foldertracks.h"
#include "probereport.h"
#include "trackexporter.h"
#include "trackfile.h"
#include "trackreader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>

#include <cmath>
#include <cstdio>

namespace {
enum ExitCode { ExitOk = 0, ExitUnread = 1, ExitUsage = 2 };

const char kUsage[] =
    "usage: trackora-gps info [TRACK] FILE...\n"
    "       trackora-gps samples [TRACK] FILE\n"
    "       trackora-gps events [--braking KMH] [--acceleration KMH] [--impact-change G] [--impact G] [TRACK] FILE...\n"
    "       trackora-gps export --format gpx|kml|csv|geojson [-o OUT] [TRACK] FILE...\n"
    "       trackora-gps probe [--root DIR]\n"
    "options: -v, --verbose  write the parsers' diagnostics to standard error\n"
    "TRACK:   --track FILE [--offset SECONDS]  a GPX or NMEA file that covers the\n"
    "         folders of the FILEs, for recordings without a trip of their own;\n"
    "         SECONDS (up to +-43200) is added to the recordings' clock\n";

void complain(const QString &text)
{
    std::fprintf(stderr, "trackora-gps: %s\n", text.toLocal8Bit().constData());
}

int usageError(const QString &why)
{
    complain(why);
    std::fputs(kUsage, stderr);
    return ExitUsage;
}

QByteArray jsonString(const QString &s)
{
    // QJsonDocument does the escaping; the brackets of the array come off.
    const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return a.mid(1, a.size() - 2);
}

QString refLetter(char c)
{
    return c == '\0' ? QString() : csvField(QString(QLatin1Char(c)));
}

// Keys in a fixed order, which a QJsonObject would sort away.
QByteArray infoLine(const QString &file, const TrackReader &r)
{
    const VideoInfo &v = r.info;
    QByteArray line = "{\"file\":" + jsonString(file);
    line += ",\"width\":" + QByteArray::number(v.width);
    line += ",\"height\":" + QByteArray::number(v.height);
    line += ",\"duration\":" + QByteArray::number(v.duration);
    line += ",\"frameRate\":" + QByteArray::number(double(v.frameRate), 'f', 1);
    line += ",\"codec\":" + QByteArray::number(v.codec);
    line += ",\"createTime\":"
        + (v.createTime.isValid() ? jsonString(v.createTime.toLocalTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")))
                                  : QByteArray("null"));
    line += ",\"gpsKind\":" + QByteArray::number(int(r.gpsKind));
    line += ",\"samples\":" + QByteArray::number(r.samples.size());
    return line + "}\n";
}

QByteArray sampleLine(const GpsData &s)
{
    const QString dateTime = QString::fromLatin1(s.dateTime, int(qstrnlen(s.dateTime, 14)));
    const QStringList fields = {
        QString::number(s.index),
        csvField(dateTime),
        refLetter(s.latitudeRef),
        QString::number(s.latitude, 'f', 6),
        refLetter(s.longitudeRef),
        QString::number(s.longitude, 'f', 6),
        QString::number(s.speed),
        QString::number(s.heading, 'f', 2),
        QString::number(double(s.gsensorX), 'f', 2),
        QString::number(double(s.gsensorY), 'f', 2),
        QString::number(double(s.gsensorZ), 'f', 2),
    };
    return fields.join(QLatin1Char(',')).toUtf8() + '\n';
}

bool readReported(TrackReader *reader, const QString &file)
{
    if (reader->read(file))
        return true;
    complain(QStringLiteral("%1: %2").arg(file, reader->problem()));
    return false;
}

int runInfo(const QStringList &files, QFile *out)
{
    int status = ExitOk;
    for (const QString &file : files) {
        TrackReader reader;
        if (!readReported(&reader, file))
            status = ExitUnread;
        if (reader.opened())
            out->write(infoLine(file, reader));
        out->flush();
    }
    return status;
}

int runSamples(const QString &file, QFile *out)
{
    TrackReader reader;
    const bool ok = readReported(&reader, file);
    out->write("index,dateTime,latitudeRef,latitude,longitudeRef,longitude,speed,heading,gsensorX,gsensorY,gsensorZ\n");
    for (const GpsData &s : qAsConst(reader.samples))
        out->write(sampleLine(s));
    return ok ? ExitOk : ExitUnread;
}

QByteArray eventLine(const QString &file, const DrivingEvent &e)
{
    QByteArray line = "{\"file\":" + jsonString(file);
    line += ",\"second\":" + QByteArray::number(e.second);
    line += ",\"kind\":" + jsonString(DrivingEvent::kindName(e.kind));
    line += ",\"value\":"
        + (e.kind == DrivingEvent::Impact ? QByteArray::number(e.value, 'f', 2) : QByteArray::number(qRound(e.value)));
    line += ",\"unit\":" + jsonString(DrivingEvent::unitName(e.kind));
    return line + "}\n";
}

// Files given one after the other that continue each other's trip share
// their seam: the earlier one's last sample precedes the later one's first.
int runEvents(const QStringList &files, const EventThresholds &thresholds, QFile *out)
{
    int status = ExitOk;
    bool havePrevious = false;
    GpsData previous;
    for (const QString &file : files) {
        TrackReader reader;
        if (!readReported(&reader, file))
            status = ExitUnread;
        const QList<GpsData> &samples = reader.samples;
        const bool seam = havePrevious && !samples.isEmpty() && continuesTrip(previous, samples.first());
        const QVector<DrivingEvent> events = detectEvents(samples, thresholds, seam ? &previous : nullptr);
        for (const DrivingEvent &e : events)
            out->write(eventLine(file, e));
        out->flush();
        havePrevious = !samples.isEmpty();
        if (havePrevious)
            previous = samples.last();
    }
    return status;
}

bool readThreshold(const QCommandLineParser &parser, const QCommandLineOption &option, double low, double high,
                   double *value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double v = parser.value(option).toDouble(&ok);
    if (!ok || !(v >= low && v <= high))
        return false;
    *value = v;
    return true;
}

int runExport(TrackExporter::Format format, const QString &target, const QStringList &files, QFile *out)
{
    if (!target.isEmpty()) {
        // Never write over a recording.
        const QString canonicalTarget = QFileInfo(target).canonicalFilePath();
        for (const QString &file : files) {
            if (!canonicalTarget.isEmpty() && QFileInfo(file).canonicalFilePath() == canonicalTarget)
                return usageError(QStringLiteral("%1: output would overwrite an input file").arg(target));
        }
    }
    int status = ExitOk;
    int tracks = 0;
    TrackExporter exporter;
    for (const QString &file : files) {
        TrackReader reader;
        if (readReported(&reader, file)) {
            exporter.addTrack(QFileInfo(file).fileName(), reader.samples);
            ++tracks;
        } else {
            status = ExitUnread;
        }
    }
    // An export of nothing would replace a good file with an empty one.
    if (tracks == 0) {
        complain(QStringLiteral("no track was read; nothing written"));
        return ExitUnread;
    }
    if (target.isEmpty()) {
        if (!exporter.write(format, out)) {
            complain(QStringLiteral("cannot write to standard output"));
            return ExitUnread;
        }
        return status;
    }
    QSaveFile save(target);
    if (!save.open(QIODevice::WriteOnly) || !exporter.write(format, &save) || !save.commit()) {
        complain(QStringLiteral("%1: cannot write: %2").arg(target, save.errorString()));
        return ExitUnread;
    }
    return status;
}

// The track file stands for every folder the recordings are in.
int loadFolderTrack(const QString &trackPath, const QString &offsetText, const QStringList &files)
{
    bool ok = true;
    const int offset = offsetText.isEmpty() ? 0 : offsetText.toInt(&ok);
    if (!ok || qAbs(offset) > FolderTrack::kMaxOffsetSeconds)
        return usageError(QStringLiteral("--offset takes whole seconds from -43200 to 43200, not '%1'").arg(offsetText));
    TrackFile::Format format = TrackFile::Unknown;
    QString problem;
    const TrackPoints points = TrackFile::load(trackPath, &format, &problem);
    if (points.isEmpty()) {
        complain(QStringLiteral("%1: %2").arg(trackPath, problem));
        return ExitUnread;
    }
    for (const QString &file : files)
        FolderTracks::instance().set(QFileInfo(file).absolutePath(), trackPath, points, offset);
    return ExitOk;
}

int runProbe(const QString &root, QFile *out)
{
    ComputeInfo info(root);
    info.updateCpuAndCardInfo();
    out->write(QJsonDocument(probeReport(info)).toJson(QJsonDocument::Indented));
    return ExitOk;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trackora-gps"));

    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return usageError(QStringLiteral("no command given"));
    const QString command = args.takeAt(1);
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        std::fputs(kUsage, stdout);
        return ExitOk;
    }

    QCommandLineParser parser;
    const QCommandLineOption verbose({QStringLiteral("v"), QStringLiteral("verbose")}, QString());
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("format"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(), QStringLiteral("file"));
    const QCommandLineOption root(QStringLiteral("root"), QString(), QStringLiteral("dir"), QStringLiteral("/"));
    const QCommandLineOption track(QStringLiteral("track"), QString(), QStringLiteral("file"));
    const QCommandLineOption offset(QStringLiteral("offset"), QString(), QStringLiteral("seconds"));
    const QCommandLineOption braking(QStringLiteral("braking"), QString(), QStringLiteral("kmh"));
    const QCommandLineOption acceleration(QStringLiteral("acceleration"), QString(), QStringLiteral("kmh"));
    const QCommandLineOption impactChange(QStringLiteral("impact-change"), QString(), QStringLiteral("g"));
    const QCommandLineOption impact(QStringLiteral("impact"), QString(), QStringLiteral("g"));
    parser.addOption(verbose);
    if (command != QLatin1String("probe")) {
        parser.addOption(track);
        parser.addOption(offset);
    }
    if (command == QLatin1String("events")) {
        for (const QCommandLineOption *option : {&braking, &acceleration, &impactChange, &impact})
            parser.addOption(*option);
    } else if (command == QLatin1String("export")) {
        parser.addOption(format);
        parser.addOption(output);
    } else if (command == QLatin1String("probe")) {
        parser.addOption(root);
    } else if (command != QLatin1String("info") && command != QLatin1String("samples")) {
        return usageError(QStringLiteral("unknown command '%1'").arg(command));
    }
    if (!parser.parse(args))
        return usageError(parser.errorText());

    // Standard output carries data only, and standard error one line per
    // file; the parsers' diagnostics appear only when asked for.
    if (!parser.isSet(verbose))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return ExitUnread;
    const QStringList files = parser.positionalArguments();
    if (command == QLatin1String("probe")) {
        if (!files.isEmpty())
            return usageError(QStringLiteral("probe takes no FILE"));
        return runProbe(parser.value(root), &out);
    }
    if (files.isEmpty())
        return usageError(QStringLiteral("no FILE given"));
    if (parser.isSet(offset) && !parser.isSet(track))
        return usageError(QStringLiteral("--offset needs --track"));
    if (parser.isSet(track)) {
        const int status = loadFolderTrack(parser.value(track), parser.value(offset), files);
        if (status != ExitOk)
            return status;
    }

    if (command == QLatin1String("info"))
        return runInfo(files, &out);
    if (command == QLatin1String("events")) {
        EventThresholds t;
        double brakingKmh = t.brakingKmh;
        double accelerationKmh = t.accelerationKmh;
        if (!readThreshold(parser, braking, kMinEventKmh, kMaxEventKmh, &brakingKmh)
            || !readThreshold(parser, acceleration, kMinEventKmh, kMaxEventKmh, &accelerationKmh)
            || !readThreshold(parser, impactChange, kMinEventG, kMaxEventG, &t.impactDeltaG)
            || !readThreshold(parser, impact, kMinEventG, kMaxEventG, &t.impactG))
            return usageError(QStringLiteral("thresholds: --braking and --acceleration take %1 to %2 km/h, "
                                             "--impact-change and --impact %3 to %4 g")
                                  .arg(kMinEventKmh).arg(kMaxEventKmh).arg(kMinEventG).arg(kMaxEventG));
        t.brakingKmh = int(std::ceil(brakingKmh));
        t.accelerationKmh = int(std::ceil(accelerationKmh));
        return runEvents(files, t, &out);
    }
    if (command == QLatin1String("samples")) {
        if (files.size() != 1)
            return usageError(QStringLiteral("samples takes exactly one FILE"));
        return runSamples(files.first(), &out);
    }
    TrackExporter::Format exportFormat;
    if (!parser.isSet(format))
        return usageError(QStringLiteral("export needs --format"));
    if (!TrackExporter::formatFromName(parser.value(format), &exportFormat))
        return usageError(QStringLiteral("unknown format '%1'").arg(parser.value(format)));
    return runExport(exportFormat, parser.value(output), files, &out);
}
