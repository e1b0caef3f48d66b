#include "exportjob.h"

#include "exportlog.h"
#include "exportnames.h"
#include "gpsrecordwriter.h"
#include "gpxwriter.h"
#include "mediainput.h"
#include "packetcopier.h"
#include "partfile.h"
#include "sidebysideencoder.h"
#include "trackexporter.h"
#include "tripsamples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {
// Relative cost of the outputs, for one progress bar over all of them.
const int kCopyWeight = 1;
const int kSideBySideWeight = 12;

bool diskFull(int error)
{
    return error == ENOSPC || error == EDQUOT || error == AVERROR(ENOSPC) || error == AVERROR(EDQUOT);
}

bool refused(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == AVERROR(EACCES)
        || error == AVERROR(EPERM) || error == AVERROR(EROFS);
}

double recordingLength(const QString &path)
{
    MediaInput input;
    if (!input.open(path) || input.context()->duration == AV_NOPTS_VALUE)
        return 0.0;
    return double(input.context()->duration) / AV_TIME_BASE;
}
} // namespace

ExportJob::ExportJob(const ExportRequest &request, QObject *parent)
    : QObject(parent)
    , m_request(request)
{
}

void ExportJob::run()
{
    m_files.clear();
    m_message.clear();
    m_frontSamples.clear();
    m_stepsDone = 0;
    m_lastPermille = -1;
    m_ok = runAll();
    if (!m_ok && m_cancel.load()) {
        // A cancelled export leaves nothing behind, not even its finished files.
        for (const QString &file : qAsConst(m_files))
            QFile::remove(file);
        m_files.clear();
        m_message = tr("The export was cancelled.");
    }
    qCInfo(lcExport) << (m_ok ? "export done:" : "export failed:") << m_files << m_message;
    emit finished(m_ok, m_files, m_message);
}

void ExportJob::step(double within)
{
    // A signal per packet would flood the window's event queue; a thousandth is finer than any bar.
    const double fraction = qBound(0.0, (m_stepsDone + within * m_stepWeight) / m_stepCount, 1.0);
    const int permille = int(fraction * 1000);
    if (permille == m_lastPermille)
        return;
    m_lastPermille = permille;
    emit progress(fraction);
}

bool ExportJob::failWrite(const QString &path, int error, const QString &detail)
{
    const QString folder = QDir::toNativeSeparators(m_request.folder);
    const QString name = QFileInfo(path).fileName();
    if (diskFull(error))
        m_message = tr("The disk is full: %1 could not be written completely into %2.").arg(name, folder);
    else if (refused(error) || !QFileInfo(m_request.folder).isWritable())
        m_message = tr("The folder %1 cannot be written to: %2.").arg(folder, detail);
    else
        m_message = tr("%1 could not be written: %2").arg(name, detail);
    return false;
}

bool ExportJob::commit(PartFile &part, const QString &finalPath)
{
    if (!part.commit(finalPath))
        return failWrite(finalPath, part.errorNumber(), part.errorString());
    m_files.append(finalPath);
    emit fileWritten(finalPath);
    return true;
}

bool ExportJob::runAll()
{
    const QList<ExportSegment> &front = m_request.front;
    if (front.isEmpty()) {
        m_message = tr("There is no range to export.");
        return false;
    }
    QDir().mkpath(m_request.folder);
    const QFileInfo folder(m_request.folder);
    if (!folder.isDir()) {
        m_message = tr("The folder %1 does not exist and cannot be made.").arg(QDir::toNativeSeparators(m_request.folder));
        return false;
    }

    // The placement as asked for; a copy replaces it by where its cut really fell.
    QList<PlacedSegment> requested;
    m_rangeLength = 0.0;
    for (const ExportSegment &s : front) {
        m_frontSamples.append(TripSamples::read(s.path));
        PlacedSegment p;
        p.sourceFrom = s.from;
        p.exportStart = m_rangeLength;
        p.length = qMax(0.0, (s.to >= 0 ? s.to : recordingLength(s.path)) - s.from);
        requested.append(p);
        m_rangeLength += p.length;
    }
    bool anyTrip = false;
    for (const QList<GpsData> &list : qAsConst(m_frontSamples))
        anyTrip = anyTrip || !list.isEmpty();

    QDateTime start;
    if (!m_frontSamples[0].isEmpty())
        start = TripSamples::utcTime(m_frontSamples[0].value(qBound(0, int(front[0].from), m_frontSamples[0].size() - 1)));
    if (!start.isValid()) {
        start = ExportNames::startFromFileName(front[0].path);
        if (start.isValid())
            start = start.addSecs(qint64(front[0].from));
    }
    if (!start.isValid())
        start = QDateTime::currentDateTimeUtc();
    const QString base = ExportNames::rangeName(start, m_rangeLength);

    const bool withRear = !m_request.rear.isEmpty();
    QStringList suffixes;
    m_stepCount = 0;
    if (m_request.copyFront) {
        suffixes << QStringLiteral("_F.mp4");
        m_stepCount += kCopyWeight;
    }
    if (m_request.copyRear && withRear) {
        suffixes << QStringLiteral("_R.mp4");
        m_stepCount += kCopyWeight;
    }
    if (m_request.sideBySide) {
        suffixes << QStringLiteral("_SBS.mp4");
        m_stepCount += kSideBySideWeight;
    }
    const bool trackFiles = m_request.trackFiles && anyTrip;
    if (m_request.trackFiles && !anyTrip)
        qCInfo(lcExport) << "the range has no trip data: no GPX or CSV";
    if (trackFiles)
        suffixes << QStringLiteral(".gpx") << QStringLiteral(".csv");
    if (suffixes.isEmpty()) {
        m_message = tr("Nothing was chosen to export.");
        return false;
    }
    m_stepCount = qMax(1, m_stepCount);
    const int number = ExportNames::freeNumber(m_request.folder, base, suffixes);
    if (number < 0) {
        m_message = tr("The folder %1 holds too many exports of this range.").arg(QDir::toNativeSeparators(m_request.folder));
        return false;
    }
    const QDir dir(m_request.folder);
    auto target = [&](const QString &suffix) { return dir.filePath(ExportNames::numbered(base, number, suffix)); };

    m_rangeSamples = TripSamples::ofRange(m_frontSamples, requested, int(std::floor(m_rangeLength + 1e-3)) + 1);
    step(0.0);
    if (m_request.copyFront) {
        m_stepWeight = kCopyWeight;
        if (!writeCopy(front, target(QStringLiteral("_F.mp4")), true))
            return false;
        m_stepsDone += kCopyWeight;
    }
    if (m_request.copyRear && withRear) {
        QList<ExportSegment> rear;
        for (int i = 0; i < front.size() && i < m_request.rear.size(); ++i)
            rear.append({m_request.rear[i], front[i].from, front[i].to});
        m_stepWeight = kCopyWeight;
        if (!writeCopy(rear, target(QStringLiteral("_R.mp4")), false))
            return false;
        m_stepsDone += kCopyWeight;
    }
    if (m_request.sideBySide) {
        m_stepWeight = kSideBySideWeight;
        if (!writeSideBySide(target(QStringLiteral("_SBS.mp4"))))
            return false;
        m_stepsDone += kSideBySideWeight;
    }
    if (trackFiles) {
        if (!writeTrackFile(target(QStringLiteral(".gpx")), true) || !writeTrackFile(target(QStringLiteral(".csv")), false))
            return false;
    }
    m_stepWeight = 0;
    step(0.0);
    return true;
}

bool ExportJob::writeCopy(const QList<ExportSegment> &segments, const QString &finalPath, bool withTrip)
{
    PartFile part;
    if (!part.create(m_request.folder, QFileInfo(finalPath).fileName()))
        return failWrite(finalPath, part.errorNumber(), part.errorString());
    PacketCopier copier(&m_cancel);
    const double total = qMax(1e-3, m_rangeLength);
    copier.onProgress = [this, total](double seconds) { step(seconds / total); };
    QString creation;
    if (!m_rangeSamples.isEmpty()) {
        const QDateTime t = TripSamples::utcTime(m_rangeSamples.first());
        if (t.isValid())
            creation = t.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.000000Z"));
    }
    if (!copier.copy(segments, part.tempPath(), creation)) {
        if (copier.cancelled())
            return false;
        if (copier.writeError())
            return failWrite(finalPath, copier.writeError(), copier.problem());
        m_message = tr("The export failed: %1").arg(copier.problem());
        return false;
    }
    if (withTrip) {
        m_leadIn = qMax(0.0, segments[0].from - copier.placed().value(0).sourceFrom);
        m_rangeLength = copier.length();
        // The trip of the pictures really copied: the cut may start before the mark.
        const int seconds = int(std::floor(copier.length() + 1e-3)) + 1;
        m_rangeSamples = TripSamples::ofRange(m_frontSamples, copier.placed(), seconds);
        if (!m_rangeSamples.isEmpty()) {
            QFile file(part.tempPath());
            const QByteArray box = GpsRecordWriter::gps0Box(m_rangeSamples);
            errno = 0;
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(box) != box.size() || !file.flush()) {
                const int error = file.error() == QFileDevice::ResourceError ? ENOSPC : errno;
                return failWrite(finalPath, error, file.errorString());
            }
            file.close();
        }
    }
    return commit(part, finalPath);
}

bool ExportJob::writeSideBySide(const QString &finalPath)
{
    PartFile part;
    if (!part.create(m_request.folder, QFileInfo(finalPath).fileName()))
        return failWrite(finalPath, part.errorNumber(), part.errorString());
    SideBySideEncoder encoder(&m_cancel);
    const double total = qMax(1e-3, m_rangeLength);
    encoder.onProgress = [this, total](double seconds) { step(seconds / total); };
    SideBySideOptions options;
    options.layout = m_request.layout;
    options.mirrorRear = m_request.mirrorRear;
    options.overlay.gsensorStrip = m_request.gsensorStrip;
    QStringList rear;
    for (int i = 0; i < m_request.front.size(); ++i)
        rear.append(m_request.rear.value(i));
    if (!encoder.encode(m_request.front, rear, m_frontSamples, options, part.tempPath())) {
        if (encoder.cancelled())
            return false;
        if (encoder.writeError())
            return failWrite(finalPath, encoder.writeError(), encoder.problem());
        m_message = tr("The export failed: %1").arg(encoder.problem());
        return false;
    }
    return commit(part, finalPath);
}

bool ExportJob::writeTrackFile(const QString &finalPath, bool gpx)
{
    if (m_cancel.load())
        return false;
    PartFile part;
    if (!part.create(m_request.folder, QFileInfo(finalPath).fileName()))
        return failWrite(finalPath, part.errorNumber(), part.errorString());
    // One point per second that has pictures.
    const int seconds = qMax(1, int(std::ceil(m_rangeLength - 1e-3)));
    const QList<GpsData> samples = m_rangeSamples.mid(0, seconds);
    const QString name = QFileInfo(finalPath).completeBaseName();
    QFile file(part.tempPath());
    errno = 0;
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    if (ok && gpx) {
        ok = GpxWriter::write(name, samples, &file);
    } else if (ok) {
        TrackExporter exporter;
        exporter.addTrack(name, samples);
        ok = exporter.write(TrackExporter::Csv, &file);
    }
    ok = ok && file.flush();
    if (!ok) {
        const int error = file.error() == QFileDevice::ResourceError ? ENOSPC : errno;
        return failWrite(finalPath, error, file.errorString());
    }
    file.close();
    return commit(part, finalPath);
}
