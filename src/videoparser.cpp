#include "videoparser.h"

#include "aviparser.h"
#include "datalog.h"
#include "externaltrack.h"
#include "mp4parser.h"

#include <QRunnable>
#include <QThreadPool>

#include <memory>

namespace {
// One sample per second: no recording lasts anywhere near this long, so a
// larger count or duration comes from a broken file and is not padded to.
const int kMaxSamples = 7 * 24 * 3600;

bool plausibleDuration(int32_t duration)
{
    return duration >= 0 && duration < kMaxSamples;
}
} // namespace

VideoParser::VideoParser(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<VideoInfo>("VideoInfo");
    qRegisterMetaType<GpsData>("GpsData");
    qRegisterMetaType<QList<GpsData>>("QList<GpsData>");
}

void VideoParser::setFile(const QString &path, int id)
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    filePath = path;
    mId = id;
    // A parse of the previous file that is still reading sends nothing more.
    ++fileGeneration;
}

void VideoParser::setFileData(const QByteArray &data)
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    fileData = data;
    ++fileGeneration;
}

void VideoParser::setThreadPool(QThreadPool *threadPool, QRunnable *queuedJob)
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    pool = threadPool;
    job = queuedJob;
}

void VideoParser::parse()
{
    QString path;
    QByteArray data;
    int id = 0;
    quint64 generation = 0;
    {
        const std::lock_guard<std::recursive_mutex> locker(lock);
        started = true;
        // Whoever runs this parse, the job is no longer waiting in the queue.
        job = nullptr;
        path = filePath;
        data = fileData;
        id = mId;
        generation = fileGeneration;
    }

    // The file is read without the lock: the window asking for the list of
    // the file that is being read must not wait for the disk.
    std::unique_ptr<ParserObject> parser;
    const bool avi = path.endsWith(QLatin1String(".AVI"), Qt::CaseInsensitive);
    if (!data.isNull())
        parser = avi ? std::unique_ptr<ParserObject>(std::make_unique<AVIParser>(data))
                     : std::unique_ptr<ParserObject>(std::make_unique<Mp4Parser>(data));
    else if (avi)
        parser = std::make_unique<AVIParser>(path);
    else
        parser = std::make_unique<Mp4Parser>(path);

    VideoInfo info;
    info.width = parser->width;
    info.height = parser->height;
    info.duration = parser->duration;
    info.frameRate = parser->frameRate;
    info.createTime = parser->createTime;
    info.codec = parser->codec;
    {
        const std::lock_guard<std::recursive_mutex> locker(lock);
        if (generation != fileGeneration)
            return;
        emit videoInfoChanged(id, info);
    }

    QList<GpsData> samples;
    GpsData sample;
    // Normalisation keeps seconds 0 to duration only; reading further would
    // let a table that claims a week of samples stall the parse.
    const int wanted = plausibleDuration(info.duration) ? info.duration + 1 : kMaxSamples;
    for (int i = 0; i < wanted && !stopRequested.load(); ++i) {
        if (!parser->readGpsSample(i, &sample))
            break;
        samples.append(sample);
    }
    const bool opened = parser->isOpen();
    GpsSourceKind kind = parser->gpsKind;
    // A recording without a trip of its own may have one beside it; bytes
    // handed in for a check have no folder to look in.
    if (samples.isEmpty() && opened && data.isNull() && !stopRequested.load()) {
        GpsSourceKind external = NoGps;
        // A duration beyond the file's size is a broken header: second 0 only.
        const int32_t seconds = info.duration < parser->sourceSize() ? info.duration : 0;
        samples = ExternalTrack::samplesFor(path, info.createTime, seconds, &external);
        if (!samples.isEmpty())
            kind = external;
    }
    const int read = samples.size();
    normalise(samples, info.duration, parser->sourceSize(), path);
    const quint64 bytes = parser->bytesRead();
    parser.reset();

    const std::lock_guard<std::recursive_mutex> locker(lock);
    if (generation != fileGeneration)
        return;
    gpsList = samples;
    lastInfo = info;
    lastSamplesRead = read;
    lastOpened = opened;
    lastKind = kind;
    lastBytesRead = bytes;
    parsedGeneration = generation;
    const bool send = id == 0 || listRequested;
    listRequested = false;
    if (send)
        emit allGpsDataParserFinished(id, gpsList);
    emit parseFinished(id);
}

// One sample per second of video: seconds 0 to duration. A recording holds
// far more than a byte per second, so a duration beyond the file's size is a
// broken header: padding to it would turn a few bytes into megabytes.
void VideoParser::normalise(QList<GpsData> &samples, int32_t duration, qint64 fileSize, const QString &path)
{
    if (samples.isEmpty())
        return;
    if (!plausibleDuration(duration) || duration >= fileSize) {
        qCDebug(lcData) << "duration" << duration << "of" << path << "is not plausible; samples kept as read";
        return;
    }
    const int target = duration + 1;
    if (samples.size() > target)
        samples.erase(samples.begin() + target, samples.end());
    const GpsData last = samples.constLast();
    samples.reserve(target);
    while (samples.size() < target)
        samples.append(last);
}

bool VideoParser::takeJobBack()
{
    if (!pool || !job || !pool->tryTake(job))
        return false;
    // A job taken out of the queue is ours to delete.
    delete job;
    job = nullptr;
    return true;
}

void VideoParser::requestAllGpsData()
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    if (!started) {
        if (!takeJobBack()) {
            // A worker has just picked the job up (or it was never queued);
            // its parse sends the list when it ends.
            listRequested = true;
            return;
        }
        parse();
    } else if (parsedGeneration != fileGeneration) {
        // A worker is reading the file; its parse sends the list when it ends.
        listRequested = true;
        return;
    } else {
        // A worker's facts about the file may still be on their way to the
        // window; the list, sent at once, must not overtake them.
        emit videoInfoChanged(mId, lastInfo);
    }
    emit allGpsDataParserFinished(mId, gpsList);
}

void VideoParser::requestGpsData(int index)
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    if (index >= 0 && index < gpsList.size())
        emit gpsDataChanged(mId, gpsList.at(index));
}

void VideoParser::cancelQueuedJob()
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    takeJobBack();
    job = nullptr;
}

void VideoParser::requestStop()
{
    stopRequested.store(true);
}

bool VideoParser::fileOpened() const
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    return lastOpened;
}

GpsSourceKind VideoParser::gpsKind() const
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    return lastKind;
}

quint64 VideoParser::bytesRead() const
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    return lastBytesRead;
}

int VideoParser::samplesRead() const
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    return lastSamplesRead;
}

QList<GpsData> VideoParser::gpsDataList() const
{
    const std::lock_guard<std::recursive_mutex> locker(lock);
    return gpsList;
}
