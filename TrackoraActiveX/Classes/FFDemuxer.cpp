#include "FFDemuxer.h"
#include "FFAudio.h"
#include "FFPlayer.h"
#include "FFThreadHook.h"
#include "FFVideo.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcDemux, "trackora.engine.demux")

namespace {
// openMedia waits this long for a new thread to open the read loop's gate.
constexpr int kStartWaitMs = 120;
// A parked read loop rechecks its gate this often, so a missed wake-up costs at most this.
constexpr auto kGateRecheck = std::chrono::milliseconds(100);
// stopDemux re-frees the packet queues at this interval until the thread has ended.
constexpr int kStopPollMs = 100;
// Stream information is probed for one second of media only, so opening stays quick.
constexpr int64_t kAnalyzeDuration = 1000000;
// A frame step gives up after this many pictures that fail to decode in a row.
constexpr int kMaxStepErrors = 16;
// Picture times within this of another view's count as the same (seconds).
constexpr double kFollowTolerance = 0.0005;
// Pictures held at most while several steps back are made in one pass.
constexpr int kMaxStepBatch = 16;

int64_t pictureStamp(const AVFrame *picture)
{
    return picture->best_effort_timestamp != AV_NOPTS_VALUE ? picture->best_effort_timestamp : picture->pts;
}
} // namespace

CFFDemuxer::CFFDemuxer(CFFPlayer *owner)
    : QObject(nullptr)
    , owner(owner)
{
    routeFFmpegLog();
    packet = av_packet_alloc();
    seekPacket = av_packet_alloc();
    frame = av_frame_alloc();
    stepAhead = av_frame_alloc();
    stepScratch = av_frame_alloc();
    demuxThread = new QThread;
    connect(demuxThread, &QThread::started, this, &CFFDemuxer::onDemuxStarted);
    connect(demuxThread, &QThread::finished, this, &CFFDemuxer::onDemuxFinished);
    connect(this, &CFFDemuxer::demuxed, this, &CFFDemuxer::onDemux);
    moveToThread(demuxThread);
}

CFFDemuxer::~CFFDemuxer()
{
    endReadLoop();
    closeInput();
    delete demuxThread;
    av_packet_free(&packet);
    av_packet_free(&seekPacket);
    av_frame_free(&frame);
    av_frame_free(&stepAhead);
    av_frame_free(&stepScratch);
}

bool CFFDemuxer::openMedia(const QString &path)
{
    std::lock_guard<std::mutex> main(runFlag.mutex);
    runFlag.flag = true;
    url = path;
    m_seekSecond = 0;
    {
        // A seek the last file's loop did not take is not this file's.
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        seekPending = false;
        stepPending = false;
        pendingSteps = 0;
        followPending = false;
    }
    QElapsedTimer took;
    took.start();
    if (!initialize())
        return false;
    qCDebug(lcDemux) << "input opened" << took.elapsed() << "ms";
    if (!owner || !owner->initCodec(formatContext)) {
        // Left open, this input would be taken again by the next open, whatever its path.
        std::lock_guard<std::mutex> io(ioLock);
        initialized = false;
        avformat_close_input(&formatContext);
        return false;
    }
    qCDebug(lcDemux) << "codecs opened" << took.elapsed() << "ms";
    {
        std::lock_guard<std::mutex> io(ioLock);
        inputVideoIndex = owner->videoDecoder()->streamIndex();
        inputAudioIndex = owner->audioDecoder()->streamIndex();
        spliced = false;
        shiftSeconds = 0;
        readEndSeconds = 0;
        newExtradata.clear();
        newAudioExtradata.clear();
        if (left.context)
            avformat_close_input(&left.context);
        joinsMade = 0;
        joinsShown = 0;
        revertAtSeek = false;
    }
    finished = false;
    pauseFlag.setFlag(true);
    if (!demuxThread->isRunning())
        demuxThread->start(QThread::InheritPriority);
    pauseFlag.waitWhileSet(kStartWaitMs);
    emit demuxed();
    return true;
}

bool CFFDemuxer::initialize()
{
    if (initialized)
        return true;
    qCDebug(lcDemux) << "initialize";
    AVDictionary *options = nullptr;
    av_dict_set(&options, "buffer_size", "2048000", 0);
    av_dict_set(&options, "skip_frame", "bidir", 0);
    av_dict_set(&options, "fflags", "discardcorrupt", 0);
    av_dict_set(&options, "packet-buffering", "0", 0);
    av_dict_set(&options, "start-on-prepared", "1", 0);
    av_dict_set(&options, "min-frames", "3", 0);

    std::lock_guard<std::mutex> io(ioLock);
    if (formatContext)
        avformat_close_input(&formatContext);
    formatContext = avformat_alloc_context();
    if (!formatContext) {
        av_dict_free(&options);
        qCWarning(lcDemux) << "Couldn't allocate the input" << url;
        return false;
    }
    // A stop may come while the player opens in the background; the probe
    // then gives up at its next read instead of holding the stop.
    formatContext->interrupt_callback.callback = &CFFDemuxer::interruptOpen;
    formatContext->interrupt_callback.opaque = this;
    int ret = avformat_open_input(&formatContext, url.toStdString().c_str(), nullptr, &options);
    reportUnusedOptions(options);
    av_dict_free(&options);
    if (ret < 0) {
        qCWarning(lcDemux).noquote() << "Couldn't open input stream. " + ffErrorText(ret) << url;
        return false;
    }
    formatContext->max_analyze_duration = kAnalyzeDuration;
    ret = avformat_find_stream_info(formatContext, nullptr);
    if (ret < 0) {
        qCWarning(lcDemux).noquote() << "Couldn't find stream information. " + ffErrorText(ret) << url;
        avformat_close_input(&formatContext);
        return false;
    }
    initialized = true;
    return true;
}

int CFFDemuxer::interruptOpen(void *demuxer)
{
    return static_cast<CFFDemuxer *>(demuxer)->openAborted.load() ? 1 : 0;
}

void CFFDemuxer::setOpenAborted(bool aborted)
{
    openAborted = aborted;
}

// FFmpeg hands back the options no part of the input knew; nothing else would say so.
void CFFDemuxer::reportUnusedOptions(const AVDictionary *options)
{
    if (optionsReported || av_dict_count(options) == 0)
        return;
    optionsReported = true;
    QStringList keys;
    for (const AVDictionaryEntry *entry = nullptr; (entry = av_dict_get(options, "", entry, AV_DICT_IGNORE_SUFFIX));)
        keys << QString::fromUtf8(entry->key);
    qCDebug(lcDemux).noquote() << "Options the input did not take:" << keys.join(QLatin1String(", "));
}

void CFFDemuxer::onDemux()
{
    qCDebug(lcDemux) << "begin onDemux";
    if (owner && initialized && owner->isCodecOpen()) {
        int ret = 0;
        bool endOfInput = false;
        while (runFlag.flag) {
            int second = 0;
            FFStates state = StoppedState;
            if (takeSeekRequest(second, state)) {
                runSeek(second, state);
                continue;
            }
            if (takeStepRequest())
                continue;
            if (pauseFlag.flag) {
                std::unique_lock<std::mutex> gate(pauseFlag.mutex);
                pauseFlag.cond.wait_for(gate, kGateRecheck, [this] {
                    return !pauseFlag.flag || !runFlag.flag || seekPending || stepPending;
                });
                continue;
            }
            // Reading on for playback leaves the place of the last step behind.
            if (stepReady || stepPlaceKnown) {
                forgetStepPlace();
                stepPlaceKnown = false;
            }
            {
                std::lock_guard<std::mutex> io(ioLock);
                if (!formatContext)
                    break;
                ret = readPacket(packet);
            }
            // A seek asked for meanwhile is meant for this file: it comes first.
            if (ret == AVERROR_EOF && runFlag.flag && !seekPending && spliceNext())
                continue;
            if (ret < 0) {
                endOfInput = true;
                break;
            }
            CFFVideo *video = owner->videoDecoder();
            CFFAudio *audio = owner->audioDecoder();
            if (video && packet->stream_index == video->streamIndex())
                video->pushPacket(packet);
            else if (audio && packet->stream_index == audio->streamIndex())
                audio->pushPacket(packet);
            av_packet_unref(packet);
        }
        if (endOfInput) {
            qCDebug(lcDemux).noquote() << ffErrorText(ret);
            // An empty packet tells each decoder that no more input follows.
            auto drain = [this](auto *decoder) {
                if (!decoder || decoder->streamIndex() < 0)
                    return;
                packet->data = nullptr;
                packet->size = 0;
                decoder->pushPacket(packet);
                av_packet_unref(packet);
            };
            drain(owner->videoDecoder());
            drain(owner->audioDecoder());
        }
    }
    finished = true;
    qCDebug(lcDemux) << "end onDemux";
    // A seek asked for as the input ended found the loop still running and
    // did not restart it; whoever ends `finished` restarts it, once. Queued:
    // on this thread a signal would run the loop inside this one.
    bool restart = false;
    {
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        restart = (seekPending || stepPending) && runFlag.flag && finished.exchange(false);
    }
    if (restart)
        QMetaObject::invokeMethod(this, &CFFDemuxer::onDemux, Qt::QueuedConnection);
}

bool CFFDemuxer::takeSeekRequest(int &second, FFStates &state)
{
    std::lock_guard<std::mutex> gate(pauseFlag.mutex);
    if (!seekPending)
        return false;
    seekPending = false;
    second = pendingSecond;
    state = pendingState;
    return true;
}

// The loop's own part of a seek. A paused one also drops what the loop pushed
// before the jump and decodes the first picture from the new place, which the
// player shows on its own thread.
void CFFDemuxer::runSeek(int second, FFStates state)
{
    if (revertAtSeek.exchange(false))
        revertJoin();
    forgetStepPlace();
    stepPlaceKnown = false;
    if (state == PausedState)
        flushDecoderPackets();
    const bool moved = seekFile(second, state);
    if (moved && state != PausedState && owner) {
        // The sound read ahead for a low frame rate (up to seconds of it)
        // would otherwise still play the old place after the jump.
        if (CFFAudio *audio = owner->audioDecoder())
            audio->flushPackets();
    }
    if (state != PausedState || !moved || !owner)
        return;
    CFFVideo *video = owner->videoDecoder();
    if (video && decodeAtSeek(video, second))
        owner->queueSeekPicture(frame);
    // The picture shown is where the next forward step decodes on from.
    if (frame->buf[0]) {
        stepReady = true;
        stepShown = pictureStamp(frame);
        stepPlaceKnown = true;
    }
    av_frame_unref(frame);
}

void CFFDemuxer::requestStep(int direction, int64_t fromStamp)
{
    if (!initialized || direction == 0)
        return;
    {
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        if (pendingSteps == 0)
            pendingStepFrom = fromStamp;
        pendingSteps += direction > 0 ? 1 : -1;
        stepPending = true;
        pauseFlag.cond.notify_all();
    }
    if (finished.exchange(false))
        emit demuxed();
}

void CFFDemuxer::requestFollow(double seconds)
{
    if (!initialized)
        return;
    {
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        followPending = true;
        pendingFollowSeconds = seconds;
        stepPending = true;
        pauseFlag.cond.notify_all();
    }
    if (finished.exchange(false))
        emit demuxed();
}

bool CFFDemuxer::takeStepRequest()
{
    int steps = 0;
    int64_t from = 0;
    bool follow = false;
    double followSeconds = 0;
    {
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        if (!stepPending)
            return false;
        stepPending = false;
        steps = pendingSteps;
        from = pendingStepFrom;
        follow = followPending;
        followSeconds = pendingFollowSeconds;
        pendingSteps = 0;
        followPending = false;
    }
    CFFVideo *video = owner ? owner->videoDecoder() : nullptr;
    if (!video || video->streamIndex() < 0)
        return true;
    if (steps != 0)
        runSteps(video, steps, from);
    if (follow)
        runFollow(video, followSeconds);
    return true;
}

void CFFDemuxer::forgetStepPlace()
{
    stepReady = false;
    aheadValid = false;
    stepInputEnded = false;
    av_frame_unref(stepAhead);
}

// The pictures in between are decoded but not shown; only the last one is.
void CFFDemuxer::runSteps(CFFVideo *video, int steps, int64_t fromStamp)
{
    // The loop's own place: a batch's picture may not be shown yet when the
    // next steps are asked for, so the player's picture can be behind it.
    int64_t shown = stepPlaceKnown ? stepShown : fromStamp;
    bool moved = false;
    for (int i = 0; i < steps && runFlag.flag && !seekPending; ++i) {
        if (!stepForward(video, shown))
            break;
        shown = stepShown;
        moved = true;
    }
    if (steps < 0)
        moved = stepBack(video, shown, -steps) > 0;
    if (moved && !seekPending)
        owner->queueSeekPicture(frame, PictureOrigin::Step);
    else
        owner->queueStepMissed(PictureOrigin::Step);
    av_frame_unref(frame);
}

// Into `frame`: the first picture after `from`.
bool CFFDemuxer::stepForward(CFFVideo *video, int64_t from)
{
    if (!(stepReady && stepShown == from) && !seekForStep(video, from))
        return false;
    while (nextStepPicture(video, stepScratch)) {
        if (pictureStamp(stepScratch) > from) {
            av_frame_unref(frame);
            av_frame_move_ref(frame, stepScratch);
            stepReady = true;
            stepShown = pictureStamp(frame);
            stepPlaceKnown = true;
            return true;
        }
    }
    av_frame_unref(stepScratch);
    // At the end: the shown picture stays, and the codec is drained there.
    stepReady = !seekPending;
    stepShown = from;
    stepPlaceKnown = true;
    return false;
}

// Into `frame`: the picture `count` before `from` (or the file's first),
// decoded from the key frame before; several steps back (a key held down)
// take one pass per group of pictures. Returns how many steps were made.
int CFFDemuxer::stepBack(CFFVideo *video, int64_t from, int count)
{
    std::deque<AVFrame *> recent; // the last pictures before `from`, oldest first
    auto release = [&recent] {
        for (AVFrame *kept : recent)
            av_frame_free(&kept);
        recent.clear();
    };
    int done = 0;
    while (done < count && runFlag.flag && !seekPending) {
        const size_t want = size_t(std::min(count - done, kMaxStepBatch));
        if (!seekForStep(video, from - 1))
            break;
        while (nextStepPicture(video, stepScratch)) {
            if (pictureStamp(stepScratch) >= from) {
                // Most likely the shown picture itself: the next forward step starts with it.
                av_frame_move_ref(stepAhead, stepScratch);
                aheadValid = true;
                break;
            }
            AVFrame *kept = nullptr;
            if (recent.size() == want) {
                kept = recent.front();
                recent.pop_front();
                av_frame_unref(kept);
            } else {
                kept = av_frame_alloc();
            }
            if (!kept)
                break;
            av_frame_move_ref(kept, stepScratch);
            recent.push_back(kept);
        }
        if (recent.empty())
            break;
        av_frame_unref(frame);
        av_frame_move_ref(frame, recent.front());
        done += int(recent.size());
        // One step back leaves the codec just past the picture shown.
        const bool next = recent.size() == 1;
        release();
        from = pictureStamp(frame);
        if (!next)
            forgetStepPlace();
    }
    release();
    // The codec goes on right after the shown picture only with the one after it held.
    stepReady = !seekPending && aheadValid;
    stepShown = from;
    stepPlaceKnown = true;
    return done;
}

// Into `frame`: the last picture at or before `seconds`, or the first one
// when the file starts later. Nothing when the one shown is already it.
void CFFDemuxer::runFollow(CFFVideo *video, double seconds)
{
    const double base = double(video->timeBaseNum()) / std::max(video->timeBaseDen(), 1);
    if (base <= 0)
        return;
    const auto target = int64_t(std::floor((seconds + kFollowTolerance) / base));
    bool fresh = false;
    if (!(stepReady && stepShown <= target)) {
        if (!seekForStep(video, target)) {
            owner->queueStepMissed(PictureOrigin::Follow);
            return;
        }
        fresh = true;
    }
    bool found = false;
    while (nextStepPicture(video, stepScratch)) {
        if (pictureStamp(stepScratch) <= target || (fresh && !found)) {
            av_frame_unref(frame);
            av_frame_move_ref(frame, stepScratch);
            found = true;
            if (pictureStamp(frame) <= target)
                continue;
            break;
        }
        av_frame_move_ref(stepAhead, stepScratch);
        aheadValid = true;
        break;
    }
    if (found) {
        stepReady = !seekPending;
        stepShown = pictureStamp(frame);
        stepPlaceKnown = true;
        if (!seekPending) {
            owner->queueSeekPicture(frame, PictureOrigin::Follow);
            av_frame_unref(frame);
            return;
        }
    }
    av_frame_unref(frame);
    owner->queueStepMissed(PictureOrigin::Follow);
}

// To the key frame at or before `stamp`, with the codecs flushed.
bool CFFDemuxer::seekForStep(CFFVideo *video, int64_t stamp)
{
    forgetStepPlace();
    flushDecoderPackets();
    int ret = 0;
    {
        std::lock_guard<std::mutex> io(ioLock);
        if (!formatContext)
            return false;
        avformat_flush(formatContext);
        ret = av_seek_frame(formatContext, video->streamIndex(), stamp, AVSEEK_FLAG_BACKWARD);
        // Before the first key frame: the nearest one, which is the first.
        if (ret < 0)
            ret = avformat_seek_file(formatContext, video->streamIndex(), INT64_MIN, stamp, INT64_MAX, 0);
    }
    if (ret < 0) {
        qCWarning(lcDemux).noquote() << "frame step: " + ffErrorText(ret);
        return false;
    }
    if (CFFAudio *audio = owner->audioDecoder())
        audio->flushCodec();
    video->flushForSeek();
    return true;
}

// The next picture in display order from where the last step left the codec.
bool CFFDemuxer::nextStepPicture(CFFVideo *video, AVFrame *dst)
{
    if (aheadValid) {
        aheadValid = false;
        av_frame_unref(dst);
        av_frame_move_ref(dst, stepAhead);
        return true;
    }
    int errors = 0;
    while (runFlag.flag && !seekPending) {
        const int got = video->receiveStepPicture(dst);
        if (got == 0)
            return true;
        if (got == AVERROR_EOF)
            return false;
        if (got == -2) {
            if (++errors > kMaxStepErrors)
                return false;
            continue;
        }
        if (stepInputEnded)
            return false; // drained, and still it wants more
        int ret = 0;
        {
            std::lock_guard<std::mutex> io(ioLock);
            if (!formatContext)
                return false;
            ret = readPacket(seekPacket);
        }
        if (ret < 0) {
            stepInputEnded = true;
            video->sendStepPacket(nullptr);
            continue;
        }
        if (seekPacket->stream_index == video->streamIndex()) {
            const int sent = video->sendStepPacket(seekPacket);
            if (sent < 0)
                qCDebug(lcDemux).noquote() << "frame step: " + ffErrorText(sent);
        }
        av_packet_unref(seekPacket);
    }
    return false;
}

void CFFDemuxer::onDemuxStarted()
{
    runThreadStartHook();
    pauseFlag.setFlag(false);
}

void CFFDemuxer::onDemuxFinished()
{
}

void CFFDemuxer::pauseDemux(bool pause)
{
    std::lock_guard<std::mutex> main(runFlag.mutex);
    qCDebug(lcDemux) << "CFFDemuxer::pauseDemux";
    // A loop that read the input to its end stays finished: what it queued
    // still plays when the pause ends, and only a seek reads again (reading
    // again from the current whole second would replay that second).
    // No wait for the loop to park: a push it has begun may still land in the
    // parked queues, which keep it, and seeks run on the loop's own thread.
    std::lock_guard<std::mutex> gate(pauseFlag.mutex);
    pauseFlag.flag = pause;
    pauseFlag.cond.notify_all();
}

void CFFDemuxer::flushDecoderPackets()
{
    if (!owner)
        return;
    if (CFFVideo *video = owner->videoDecoder())
        video->flushPackets();
    if (CFFAudio *audio = owner->audioDecoder())
        audio->flushPackets();
}

void CFFDemuxer::stopDemux()
{
    qCDebug(lcDemux) << "CFFDemuxer::stopDemux";
    endReadLoop();
    closeInput();
}

// Ends onDemux and the thread. A push waiting on a full queue would otherwise
// hold the loop for its whole wait limit (or, parked, for ever): the decoders'
// packets are freed until the thread has ended.
void CFFDemuxer::endReadLoop()
{
    runFlag.flag = false;
    pauseFlag.setFlag(false);
    flushDecoderPackets();
    std::lock_guard<std::mutex> main(runFlag.mutex);
    if (demuxThread->isRunning()) {
        demuxThread->quit();
        while (!demuxThread->wait(kStopPollMs))
            flushDecoderPackets();
    }
}

void CFFDemuxer::closeInput()
{
    std::lock_guard<std::mutex> main(runFlag.mutex);
    std::lock_guard<std::mutex> io(ioLock);
    initialized = false;
    if (formatContext)
        avformat_close_input(&formatContext);
}

bool CFFDemuxer::seekFile(int second, FFStates state)
{
    if (second < 0)
        return false;
    std::lock_guard<std::mutex> io(ioLock);
    if (!formatContext)
        return false;
    m_seekSecond = second;
    if (state == PausedState) {
        const int ret = avformat_flush(formatContext);
        if (ret < 0)
            qCWarning(lcDemux).noquote() << ffErrorText(ret);
    }
    int64_t target = int64_t(second) * AV_TIME_BASE;
    // Positions count from the file's first timestamp; the seek target is absolute.
    if (formatContext->start_time != AV_NOPTS_VALUE)
        target += formatContext->start_time;
    const int ret = avformat_seek_file(formatContext, -1, INT64_MIN, target, INT64_MAX, AVSEEK_FLAG_BACKWARD);
    if (ret < 0) {
        // The decoders keep their state: the file still reads on from where it was.
        qCWarning(lcDemux).noquote() << ffErrorText(ret);
        return false;
    }
    if (state == PausedState && owner) {
        if (CFFAudio *audio = owner->audioDecoder())
            audio->flushCodec();
        if (CFFVideo *video = owner->videoDecoder())
            video->flushForSeek();
    }
    return true;
}

// Hands the seek to the read loop and returns: the GUI thread never waits for
// the input's lock, a read or a decode. The last of several requests the loop
// has not taken yet wins.
void CFFDemuxer::setSeekSecond(int second, FFStates state)
{
    second = seekableSecond(second);
    if (!initialized || second < 0)
        return;
    m_seekSecond = second;
    {
        std::lock_guard<std::mutex> gate(pauseFlag.mutex);
        // Steps asked for before are from the old place.
        pendingSteps = 0;
        followPending = false;
        stepPending = false;
        pendingSecond = second;
        pendingState = state;
        seekPending = true;
        pauseFlag.cond.notify_all();
    }
    if (finished.exchange(false))
        emit demuxed();
}

// Reads on from a paused seek until the video decoder gives the picture of
// the second sought (into frame): the seek lands on the key picture before
// it, and the pictures up to it are decoded and passed over, so the position
// shown is the one asked for. At the end of the input the decoder's last
// picture is shown. Gives up when a stop or a newer seek makes the picture useless.
bool CFFDemuxer::decodeAtSeek(CFFVideo *video, int second)
{
    int ret = AVERROR_EOF;
    bool decoded = false;
    const qint64 wantedMs = qint64(second) * 1000 - qint64(video->frameStepSeconds() * 500);
    std::lock_guard<std::mutex> io(ioLock);
    while (formatContext && runFlag.flag && !seekPending) {
        ret = readPacket(seekPacket);
        if (ret != 0)
            break;
        const bool got = seekPacket->stream_index == video->streamIndex() &&
                         video->decodePacket(seekPacket, frame) == 0;
        av_packet_unref(seekPacket);
        if (!got)
            continue;
        decoded = true;
        if (!owner || video->ptsToMs(frame, owner->startMilliseconds()) >= wantedMs)
            return true;
    }
    if (ret == AVERROR_EOF && formatContext && runFlag.flag && !seekPending)
        return video->drainLast(frame) == 0 || decoded;
    if (ret != 0)
        qCWarning(lcDemux).noquote() << ffErrorText(ret);
    return decoded && ret != 0;
}

int CFFDemuxer::seekableSecond(int second) const
{
    if (second < 0)
        return -1;
    const qint64 duration = durationMs;
    if (duration > 0) {
        // The rounded-up end holds no picture; a seek there, or beyond, goes
        // to the last second that does.
        const int end = int((duration + 999) / 1000);
        if (second >= end)
            second = std::max(0, end - 1);
    }
    return second;
}

void CFFDemuxer::prepareNext(const QString &path)
{
    nextInput.open(path);
}

// Reads the next packet (ioLock held) onto the decoders' time line.
int CFFDemuxer::readPacket(AVPacket *pkt)
{
    // The player shows the joined file: no seek can go back to the old one now.
    if (left.context && joinsShown >= joinsMade)
        avformat_close_input(&left.context);
    const int ret = av_read_frame(formatContext, pkt);
    if (ret >= 0)
        shiftPacket(pkt);
    return ret;
}

void CFFDemuxer::shiftPacket(AVPacket *pkt)
{
    if (!owner)
        return;
    CFFAVBase *decoder = nullptr;
    if (inputVideoIndex >= 0 && pkt->stream_index == inputVideoIndex)
        decoder = owner->videoDecoder();
    else if (inputAudioIndex >= 0 && pkt->stream_index == inputAudioIndex)
        decoder = owner->audioDecoder();
    if (!decoder) {
        // The stream numbers of a joined file mean nothing to the decoders.
        if (spliced)
            pkt->stream_index = -1;
        return;
    }
    const AVRational to{decoder->timeBaseNum(), decoder->timeBaseDen()};
    if (to.num <= 0 || to.den <= 0)
        return;
    if (spliced) {
        const AVRational from = formatContext->streams[pkt->stream_index]->time_base;
        const int64_t offset = std::llround(shiftSeconds * to.den / to.num);
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts = av_rescale_q(pkt->pts, from, to) + offset;
        if (pkt->dts != AV_NOPTS_VALUE)
            pkt->dts = av_rescale_q(pkt->dts, from, to) + offset;
        pkt->duration = av_rescale_q(pkt->duration, from, to);
        pkt->time_base = to;
        pkt->stream_index = decoder->streamIndex();
        // The decoders were opened with the first file's parameter sets.
        QByteArray &sets = decoder == owner->videoDecoder() ? newExtradata : newAudioExtradata;
        if (!sets.isEmpty()) {
            uint8_t *side = av_packet_new_side_data(pkt, AV_PKT_DATA_NEW_EXTRADATA, size_t(sets.size()));
            if (side) {
                std::memcpy(side, sets.constData(), size_t(sets.size()));
                sets.clear();
            }
        }
    }
    if (pkt->pts != AV_NOPTS_VALUE)
        readEndSeconds = std::max(readEndSeconds, double(pkt->pts + std::max<int64_t>(pkt->duration, 0)) * to.num / to.den);
}

namespace {
// Why the running decoders cannot take a stream with these parameters; empty when they can.
QString spliceMismatch(const AVCodecParameters *now, const AVCodecParameters *next)
{
    if (!next)
        return QStringLiteral("it lacks the stream");
    if (now->codec_id != next->codec_id)
        return QStringLiteral("another codec");
    if (now->codec_type == AVMEDIA_TYPE_VIDEO && (now->width != next->width || now->height != next->height))
        return QStringLiteral("another picture size");
    if (now->codec_type == AVMEDIA_TYPE_AUDIO
        && (now->sample_rate != next->sample_rate || now->ch_layout.nb_channels != next->ch_layout.nb_channels))
        return QStringLiteral("another sound format");
    return QString();
}

// The new stream's parameter sets where they differ from the running one's; empty otherwise.
QByteArray changedExtradata(const AVCodecParameters *before, const AVCodecParameters *after)
{
    const bool same = before->extradata_size == after->extradata_size
        && (after->extradata_size == 0
            || std::memcmp(before->extradata, after->extradata, size_t(after->extradata_size)) == 0);
    return same ? QByteArray() : QByteArray(reinterpret_cast<const char *>(after->extradata), after->extradata_size);
}
} // namespace

// At the end of the input: goes on with the prepared next file, if there is
// one the running decoders can take. The demuxer's thread; waits for an open
// still under way, while the last queued pictures and sound of this file play.
bool CFFDemuxer::spliceNext()
{
    QString path;
    AVFormatContext *next = nextInput.take(path, runFlag.flag);
    if (!next || !owner)
        return false;
    const int video = av_find_best_stream(next, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    QString why;
    qint64 durationMs = 0;
    double seam = 0;
    {
        std::lock_guard<std::mutex> io(ioLock);
        if (!formatContext || inputVideoIndex < 0) {
            avformat_close_input(&next);
            return false;
        }
        const int audio = inputAudioIndex >= 0 ? av_find_best_stream(next, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) : -1;
        why = spliceMismatch(formatContext->streams[inputVideoIndex]->codecpar,
                             video >= 0 ? next->streams[video]->codecpar : nullptr);
        if (why.isEmpty() && inputAudioIndex >= 0)
            why = spliceMismatch(formatContext->streams[inputAudioIndex]->codecpar,
                                 audio >= 0 ? next->streams[audio]->codecpar : nullptr);
        if (why.isEmpty()) {
            newExtradata = changedExtradata(formatContext->streams[inputVideoIndex]->codecpar,
                                            next->streams[video]->codecpar);
            newAudioExtradata = audio >= 0 ? changedExtradata(formatContext->streams[inputAudioIndex]->codecpar,
                                                              next->streams[audio]->codecpar)
                                           : QByteArray();
            for (unsigned i = 0; i < next->nb_streams; ++i) {
                if (int(i) != video && int(i) != audio)
                    next->streams[i]->discard = AVDISCARD_ALL;
            }
            const double nextStart = next->start_time != AV_NOPTS_VALUE ? double(next->start_time) / AV_TIME_BASE : 0.0;
            const AVStream *stream = next->streams[video];
            const double tb = av_q2d(stream->time_base);
            const double videoStart = stream->start_time != AV_NOPTS_VALUE ? stream->start_time * tb : nextStart;
            if (stream->duration > 0 && stream->duration != AV_NOPTS_VALUE)
                durationMs = qint64(stream->duration * tb * 1000);
            else if (next->duration > 0)
                durationMs = next->duration / 1000;
            if (left.context)
                avformat_close_input(&left.context);
            left.videoSets = changedExtradata(next->streams[video]->codecpar,
                                              formatContext->streams[inputVideoIndex]->codecpar);
            left.audioSets = audio >= 0 ? changedExtradata(next->streams[audio]->codecpar,
                                                           formatContext->streams[inputAudioIndex]->codecpar)
                                        : QByteArray();
            left.videoIndex = inputVideoIndex;
            left.audioIndex = inputAudioIndex;
            left.spliced = spliced;
            left.shiftSeconds = shiftSeconds;
            left.readEndSeconds = readEndSeconds;
            seam = readEndSeconds;
            shiftSeconds = seam - nextStart;
            // Positions of the new file count from its own first picture, as an open's do.
            seam = shiftSeconds + std::max(videoStart, 0.0);
            left.context = formatContext;
            formatContext = next;
            next = nullptr;
            inputVideoIndex = video;
            inputAudioIndex = audio;
            spliced = true;
            joinedPath = path;
            ++joinsMade;
        }
    }
    if (next) {
        qCWarning(lcDemux).noquote() << "Cannot go on with" << path << "without a stop:" << why;
        avformat_close_input(&next);
        return false;
    }
    qCDebug(lcDemux) << "reading on with" << path << "from" << seam << "s";
    owner->noteSplice(seam, path, durationMs);
    return true;
}

void CFFDemuxer::revertJoinAtSeek(bool revert)
{
    revertAtSeek = revert;
}

void CFFDemuxer::noteJoinShown()
{
    ++joinsShown;
}

// Back to the input left at the last join, as it was; the joined file waits
// again as the next one, from its start (the read loop's thread).
void CFFDemuxer::revertJoin()
{
    AVFormatContext *ahead = nullptr;
    QString path;
    {
        std::lock_guard<std::mutex> io(ioLock);
        if (!left.context || joinsMade - joinsShown != 1)
            return;
        ahead = formatContext;
        path = joinedPath;
        formatContext = left.context;
        left.context = nullptr;
        inputVideoIndex = left.videoIndex;
        inputAudioIndex = left.audioIndex;
        spliced = left.spliced;
        shiftSeconds = left.shiftSeconds;
        readEndSeconds = left.readEndSeconds;
        // The decoders took the joined file's parameter sets already.
        newExtradata = left.videoSets;
        newAudioExtradata = left.audioSets;
        --joinsMade;
    }
    const int64_t start = ahead->start_time != AV_NOPTS_VALUE ? ahead->start_time : 0;
    const int ret = avformat_seek_file(ahead, -1, INT64_MIN, start, start, 0);
    qCDebug(lcDemux) << "back from" << path << "for a seek";
    if (ret < 0 || !nextInput.putBack(ahead, path))
        avformat_close_input(&ahead);
}

int CFFDemuxer::seekSecond()
{
    return m_seekSecond;
}

void CFFDemuxer::setDurationMs(qint64 ms)
{
    durationMs = ms;
}

} // namespace TrackoraActiveX
