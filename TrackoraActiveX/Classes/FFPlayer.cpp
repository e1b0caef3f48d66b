#include "FFPlayer.h"
#include "FFAudio.h"
#include "FFDemuxer.h"
#include "FFThreadHook.h"
#include "FFVideo.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QUrl>

#include <SDL.h>
#include <libyuv.h>
extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcPlayer, "trackora.engine.player")

// The seek timer's period; a burst settles 400 to 600 ms after its last request.
constexpr int kSeekCheckMs = 200;
constexpr qint64 kSeekSettleMs = 400;
// The player thread waits this long for its peer to park on pause and stop.
constexpr int kParkWaitMs = 40;
// A timestamp step beyond this, and beyond kJumpSteps of the stream's own
// picture steps, is a jump (a seek's, or a gap in the recording): the picture
// is shown at once instead of waited for. Shorter steps, such as those of a
// time-lapse at a few pictures per second, are waited out.
constexpr double kMaxDelayMs = 200;
constexpr double kJumpSteps = 2.5;
// Beyond this the audio clock is not trusted to pace the pictures.
constexpr double kMaxSyncDiffSeconds = 10.0;
// Share of an offset below the sync threshold taken out per picture: settles
// within about ten pictures, each moved by a few milliseconds at most.
constexpr double kSyncGain = 0.25;
// The clock may run at its own pace (a device behind the wall clock): the
// share of the step that pace asks is learnt at this gain, which with
// kSyncGain damps the loop critically, so the pictures follow it without a
// standing lead. Never more than kMaxPaceTrim of the step.
constexpr double kPaceGain = kSyncGain * kSyncGain / 4;
constexpr double kMaxPaceTrim = 0.1;
// Smallest sync threshold, kept in single precision as the threshold always was.
constexpr double kMinSyncThreshold = double(0.01f);
// A parked thread looks at its run flag at least this often.
constexpr int kGatePollMs = 200;
// A schedule this far behind is given up: the next picture is timed from now.
constexpr int kMaxLateMs = 100;
// After a seek's jump a clock still a jump away plays the old place; it is
// not followed for longer than this (wall), in case the new place never comes.
constexpr int kJumpClockWaitMs = 1000;
// How often the picture sought to looks whether the clock has jumped too.
constexpr int kJumpPollMs = 5;

namespace {

// Guards the peer links between players: a player reads its peer under it,
// and a dying player unlinks itself under it.
std::mutex &peerLinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Copies one plane into the HFrame bytes. Where the processor has streaming
// stores they write around the cache: nobody on this thread reads the bytes
// again, and cached stores would first fetch every line of the old picture
// and then push the decoder's reference pictures out, which at 1080p costs
// about a tenth of the playback's CPU. Elsewhere libyuv's plane copy.
void copyPlane(const uint8_t *src, int srcStride, uint8_t *dst, int dstStride, int widthBytes, int height)
{
#if defined(__SSE2__)
    for (int y = 0; y < height; ++y) {
        const uint8_t *from = src + ptrdiff_t(y) * srcStride;
        uint8_t *to = dst + ptrdiff_t(y) * dstStride;
        int x = std::min(widthBytes, int((16 - (reinterpret_cast<uintptr_t>(to) & 15)) & 15));
        std::memcpy(to, from, size_t(x));
        for (; x + 64 <= widthBytes; x += 64) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x + 16));
            const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x + 32));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + x + 48));
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + x), a);
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + x + 16), b);
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + x + 32), c);
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + x + 48), d);
        }
        std::memcpy(to + x, from + x, size_t(widthBytes - x));
    }
    // Streaming stores are not ordered with the publication that follows.
    _mm_sfence();
#else
    libyuv::CopyPlane(src, srcStride, dst, dstStride, widthBytes, height);
#endif
}

} // namespace

CFFPlayer::CFFPlayer(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<FFStates>("FFStates");
    qRegisterMetaType<const HFrame *>("const HFrame*");

    demuxer = new CFFDemuxer(this);
    video = new CFFVideo(this);
    audio = new CFFAudio(this);
    seekTimer.setInterval(kSeekCheckMs);
    connect(&seekTimer, &QTimer::timeout, this, &CFFPlayer::onSeekCheck);
    // Queued ahead of the control's own connection, so the path is current when it hears.
    connect(this, &CFFPlayer::mediaChanged, this, [this](const QString &path) {
        url = path;
        if (nextUrl == path)
            nextUrl.clear();
        demuxer->setDurationMs(durationMs);
    }, Qt::QueuedConnection);
    axUserData = new CFFPlayerAxUserData;
    axUserData->player = this;
    frame = av_frame_alloc();
    renderTarget = av_frame_alloc();
    hframe = new HFrame{};
    alive = true;
    gate = new CSyncFlag;
    playerThread = std::thread(&CFFPlayer::playerLoop, this);
}

CFFPlayer::~CFFPlayer()
{
    cancelOpen();
    {
        std::lock_guard<std::mutex> lock(gate->mutex);
        alive = false;
        gate->flag = true;
        gate->cond.notify_all();
    }
    // The player thread may sit in the frame queue's wait; end it before the join.
    video->abortWaits();
    playerThread.join();
    {
        std::lock_guard<std::mutex> lock(peerLinkMutex());
        CFFPlayer *peer = axUserData->peer;
        if (peer && peer->axUserData->peer == this)
            peer->axUserData->peer = nullptr;
        axUserData->peer = nullptr;
    }
    seekTimer.stop();
    // The read loop pushes into the decoders' queues, so it ends before they go.
    demuxer->stopDemux();
    delete demuxer;
    delete video;
    delete audio;
    delete gate;
    av_frame_free(&frame);
    av_frame_free(&renderTarget);
    av_free(frameBuffers[0]);
    av_free(frameBuffers[1]);
    delete hframe;
    delete axUserData;
}

void CFFPlayer::playerLoop()
{
    runThreadStartHook();
    while (alive) {
        {
            std::unique_lock<std::mutex> lock(gate->mutex);
            while (!gate->flag) {
                // The acknowledgement takes the player lock, which initCodec holds
                // while it takes the gate's mutex: never hold both here.
                lock.unlock();
                pauseAck.setFlag(false);
                lock.lock();
                if (gate->flag)
                    break;
                gate->cond.wait_for(lock, std::chrono::milliseconds(kGatePollMs));
                scheduleValid = false;
                nextPace = NextPace::Plain;
                nextNudge = 0;
                paceTrim = 0;
            }
        }
        if (alive)
            doTransfer();
    }
}

void CFFPlayer::play(const QString &path)
{
    if (path.isEmpty())
        return;
    if (opening) {
        // A pause asked for while opening is undone; the open goes on.
        pauseAfterOpen = false;
        return;
    }
    if (stateValue == StoppedState) {
        qCDebug(lcPlayer) << path;
        // A local URL keeps the path's leading slash (and its escapes decoded).
        if (path.startsWith(QLatin1String("file:///")))
            url = QUrl(path).toLocalFile();
        else
            url = path;
        demuxer->setOpenAborted(false);
        if (openInBackground) {
            startOpen();
            return;
        }
        QElapsedTimer took;
        took.start();
        const bool opened = demuxer->openMedia(url);
        qCDebug(lcPlayer) << "openMedia" << took.elapsed() << "ms";
        if (opened) {
            // Not from initCodec: the demuxer's main lock is held there, and a
            // directly connected slot may call back into the player.
            emit durationChanged(durationMs);
            if (codecOpen) // a slot may have stopped the player meanwhile
                played();
            qCDebug(lcPlayer) << "play" << took.elapsed() << "ms";
        }
        return;
    }
    if (stateValue == PausedState)
        played();
}

void CFFPlayer::setOpenInBackground(bool background)
{
    openInBackground = background;
}

bool CFFPlayer::isOpening() const
{
    return opening;
}

// Opening reads and probes the file, opens the codecs (a hardware probe the
// first time) and the sound device: tens to hundreds of milliseconds that the
// GUI thread does not wait for. Until the report comes back the GUI thread
// touches neither the demuxer nor the decoders.
void CFFPlayer::startOpen()
{
    opening = true;
    pauseAfterOpen = false;
    seekAfterOpen = -1;
    const int ticket = ++openTicket;
    const QString path = url;
    opener = std::thread([this, ticket, path] {
        runThreadStartHook();
        QElapsedTimer took;
        took.start();
        const bool opened = demuxer->openMedia(path);
        if (opened)
            audio->prepareDevice();
        qCDebug(lcPlayer) << "opened in the background" << opened << took.elapsed() << "ms";
        QMetaObject::invokeMethod(this, [this, ticket, opened] { finishOpen(ticket, opened); }, Qt::QueuedConnection);
    });
}

void CFFPlayer::finishOpen(int ticket, bool opened)
{
    if (ticket != openTicket) // a stop came first
        return;
    if (opener.joinable())
        opener.join();
    opening = false;
    if (!opened) {
        // Nothing plays: said once, so a container can move on.
        emit stateChanged(StoppedState);
        return;
    }
    // The rate may have changed while the device was being set up.
    audio->applyPlaybackRate();
    emit durationChanged(durationMs);
    if (!codecOpen) // a slot may have stopped the player meanwhile
        return;
    const int seek = seekAfterOpen;
    const bool pauseNow = pauseAfterOpen;
    played();
    if (seek >= 0 && stateValue == PlayingState)
        setSeekSecond(seek);
    if (pauseNow && stateValue == PlayingState)
        pause();
}

// Ends a background open: its reads give up, and its report is dropped.
void CFFPlayer::cancelOpen()
{
    if (!opening && !opener.joinable())
        return;
    ++openTicket;
    opening = false;
    demuxer->setOpenAborted(true);
    if (opener.joinable())
        opener.join();
}

void CFFPlayer::played()
{
    // The state changes before the gate opens: the player thread throws away
    // a picture it takes while the state still says stopped, and the first
    // picture is queued already.
    const bool fromStop = stateValue == StoppedState;
    stateValue = PlayingState;
    {
        std::lock_guard<std::mutex> lock(gate->mutex);
        gate->flag = true;
    }
    demuxer->pauseDemux(false);
    video->start();
    audio->start(fromStop);
    {
        std::lock_guard<std::mutex> lock(gate->mutex);
        gate->cond.notify_all();
    }
    emit stateChanged(PlayingState);
}

void CFFPlayer::waitForParkedThread()
{
    if (stateValue == PlayingState)
        pauseAck.waitWhileSet(kParkWaitMs);
}

// Also ends the player thread's wait for a picture's due time, so it parks at
// once. The acknowledgement is asked for first, or one given just before would
// go unseen and waitForParkedThread would wait for the next.
void CFFPlayer::closeGate()
{
    if (stateValue == PlayingState)
        pauseAck.setFlag(true);
    std::lock_guard<std::mutex> lock(gate->mutex);
    gate->flag = false;
    gate->cond.notify_all();
}

void CFFPlayer::pause()
{
    if (opening) {
        pauseAfterOpen = true;
        return;
    }
    // Nothing is open to pause: a pause here would leave the state Paused
    // and make the next play() resume a file it never opened.
    if (stateValue == StoppedState)
        return;
    closeGate();
    demuxer->pauseDemux(true);
    audio->pause();
    video->pause();
    waitForParkedThread();
    stateValue = PausedState;
    emit stateChanged(PausedState);
}

void CFFPlayer::stop()
{
    cancelOpen();
    nextUrl.clear();
    demuxer->prepareNext(QString());
    closeGate();
    demuxer->stopDemux();
    // A seek the read loop made as it ended may have handed the next input back.
    demuxer->prepareNext(QString());
    video->stop();
    audio->stop();
    waitForParkedThread();
    ++discardGeneration;
    ++stopCount;
    clearPicture();
    {
        std::lock_guard<std::mutex> lock(pauseAck.mutex);
        codecOpen = false;
    }
    {
        std::lock_guard<std::mutex> lock(seamLock);
        seams.clear();
    }
    fileIndex = 0;
    fileOrigin = 0;
    previousOrigin = 0;
    positionValue = 0;
    lastPts = 0;
    framePts = 0;
    frameSeconds = 0;
    frameStep = 0;
    stateValue = StoppedState;
    emit stateChanged(StoppedState);
}

void CFFPlayer::setSeekSecond(int second)
{
    if (opening) {
        seekAfterOpen = second;
        return;
    }
    // Clamped before the queues are emptied: a seek the demuxer would not
    // make must not lose what is queued.
    second = demuxer->seekableSecond(second);
    if (second < 0 || !demuxer->isInitialized())
        return;
    if (!seekTimer.isActive()) {
        seekTimer.start();
        seekSettled = false;
        if (stateValue == PausedState)
            flushAllQueues();
    }
    // The read loop went on with the next file, whose pictures are still to
    // come: the seek is meant for the one shown, and goes back to it.
    std::deque<Seam> dropped;
    {
        std::lock_guard<std::mutex> lock(seamLock);
        dropped.swap(seams);
    }
    if (!dropped.empty())
        demuxer->revertJoinAtSeek(true);
    lastSeekRequestMs = QDateTime::currentMSecsSinceEpoch();
    ++seekGeneration;
    demuxer->setSeekSecond(second, stateValue);
    if (!dropped.empty() && demuxer->seekSecond() != second) {
        // Refused: nothing goes back, the join stands.
        demuxer->revertJoinAtSeek(false);
        std::lock_guard<std::mutex> lock(seamLock);
        seams.swap(dropped);
    }
}

void CFFPlayer::setNextMedia(const QString &path)
{
    const QString local = path.startsWith(QLatin1String("file:///")) ? QUrl(path).toLocalFile() : path;
    if (local == nextUrl)
        return;
    nextUrl = local;
    demuxer->prepareNext(local);
}

QString CFFPlayer::nextMedia() const
{
    return nextUrl;
}

void CFFPlayer::noteSplice(double seamSeconds, const QString &path, qint64 duration)
{
    std::lock_guard<std::mutex> lock(seamLock);
    seams.push_back({seamSeconds, path, duration});
}

// The first picture of a file the demuxer went on with: from here the path,
// the duration and the positions are the new file's.
void CFFPlayer::crossSeam(const AVFrame *picture, double pts)
{
    Seam seam;
    {
        std::lock_guard<std::mutex> lock(seamLock);
        // Half a millisecond of slack for the rounding of the shifted timestamps.
        if (seams.empty() || pts < seams.front().atSeconds - 0.0005)
            return;
        seam = seams.front();
        seams.pop_front();
    }
    demuxer->noteJoinShown();
    startMs = video->ptsToMs(picture, 0);
    durationMs = seam.durationMs;
    previousOrigin = fileOrigin.load();
    fileOrigin = seam.atSeconds;
    ++fileIndex;
    qCDebug(lcPlayer) << "went on with" << seam.path << "at" << pts << "s";
    emit mediaChanged(seam.path);
    emit durationChanged(seam.durationMs);
}

void CFFPlayer::stepFrame(int direction)
{
    if (direction == 0 || opening || stateValue != PausedState || !codecOpen)
        return;
    // What the pause kept back is older than the step's picture.
    flushAllQueues();
    ++seekGeneration;
    demuxer->requestStep(direction, shownStamp);
}

void CFFPlayer::followPicture(double seconds)
{
    if (opening || stateValue != PausedState || !codecOpen)
        return;
    flushAllQueues();
    ++seekGeneration;
    demuxer->requestFollow(seconds);
}

void CFFPlayer::onSeekCheck()
{
    if (QDateTime::currentMSecsSinceEpoch() - lastSeekRequestMs <= kSeekSettleMs)
        return;
    seekSettled = true;
    seekTimer.stop();
    if (stateValue == PausedState)
        flushAllQueues();
}

void CFFPlayer::flushAllQueues()
{
    ++discardGeneration;
    audio->flushPackets();
    audio->discardPending();
    video->flushPackets();
    video->flushFrames();
}

FFStates CFFPlayer::state() const
{
    return stateValue;
}

void CFFPlayer::setState(FFStates value)
{
    stateValue.exchange(value);
}

int CFFPlayer::position() const
{
    return int(positionValue.load());
}

void CFFPlayer::announcePosition(int value)
{
    emit positionChanged(value);
}

int CFFPlayer::seekSecond() const
{
    return demuxer ? demuxer->seekSecond() : 0;
}

void CFFPlayer::setPlaybackRate(FFPlaybackRate value)
{
    rate = value;
    // An open in the background applies it when it reports back.
    if (!opening)
        audio->applyPlaybackRate();
}

FFPlaybackRate CFFPlayer::playbackRate() const
{
    return rate;
}

void CFFPlayer::setVolume(int value)
{
    audio->setVolume(value);
}

int CFFPlayer::volume() const
{
    return audio->volume();
}

void CFFPlayer::setMuted(bool value)
{
    audio->setMuted(value);
}

bool CFFPlayer::isMuted() const
{
    return audio->isMuted();
}

CFFPlayerAxUserData *CFFPlayer::userData() const
{
    return axUserData;
}

void CFFPlayer::setUserData(const CFFPlayerAxUserData *record)
{
    if (!record)
        return;
    std::lock_guard<std::mutex> lock(peerLinkMutex());
    axUserData->peer = record->peer;
    axUserData->isMain = record->isMain;
}

QString CFFPlayer::currentUrl() const
{
    return url;
}

const HFrame *CFFPlayer::currentHFrame() const
{
    return hframe;
}

std::mutex &CFFPlayer::hframeMutex() const
{
    return hframeLock;
}

bool CFFPlayer::isCodecOpen() const
{
    return codecOpen;
}

qint64 CFFPlayer::positionMs() const
{
    return positionValue;
}

CFFVideo *CFFPlayer::videoDecoder() const
{
    return video;
}

CFFAudio *CFFPlayer::audioDecoder() const
{
    return audio;
}

qint64 CFFPlayer::currentFramePts() const
{
    return framePts;
}

double CFFPlayer::currentFrameSeconds() const
{
    return frameSeconds;
}

bool CFFPlayer::hasAudioStream() const
{
    return hasAudio;
}

FFDecodeMode CFFPlayer::decodeMode() const
{
    return mode;
}

qint64 CFFPlayer::durationMilliseconds() const
{
    return durationMs;
}

qint64 CFFPlayer::startMilliseconds() const
{
    return startMs;
}

bool CFFPlayer::isSeekSettled() const
{
    return seekSettled;
}

bool CFFPlayer::initCodec(AVFormatContext *formatContext)
{
    if (codecOpen)
        return true;
    qCDebug(lcPlayer) << "initCodec";
    qint64 duration = 0;
    {
        std::unique_lock<std::mutex> lock(pauseAck.mutex);
        auto fail = [&] {
            lock.unlock();
            video->closeCodec();
            audio->closeCodec();
            return false;
        };
        if (!video->openStream(formatContext, AVMEDIA_TYPE_VIDEO)) {
            qCWarning(lcPlayer) << "Cannot find a video stream in the input file ";
            return fail();
        }
        if (!video->avcodecOpen())
            return fail();
        qCDebug(lcPlayer) << "Video avcodecOpen";
        if (audio->openStream(formatContext, AVMEDIA_TYPE_AUDIO)) {
            hasAudio = true;
        } else {
            hasAudio = false;
            qCDebug(lcPlayer) << "Cannot find a audio stream in the input file";
        }
        if (audio->avcodecOpen())
            qCDebug(lcPlayer) << "Audio avcodecOpen ok";
        else
            qCDebug(lcPlayer) << "Audio avcodecOpen fail";

        const FFDecodeMode decode = video->decodeMode();
        mode = decode;
        AVCodecContext *videoContext = video->codecContext();
        if (!allocatePictureBuffers(videoContext ? videoContext->width : 0, videoContext ? videoContext->height : 0,
                                    decode == HARDWARE_DECODE ? AV_PIX_FMT_NV12 : AV_PIX_FMT_YUV420P))
            return fail();
        clearPicture();

        // Positions and seeks count from the container's start, the first
        // timestamp of any stream: the video may start after the sound, and
        // a stream's own start is only estimated when the short probe saw
        // none of its packets.
        const qint64 origin = formatContext->start_time != AV_NOPTS_VALUE ? formatContext->start_time / 1000 : 0;
        qint64 start = 0;
        duration = 0;
        video->streamTimes(&start, &duration);
        if (duration > 0)
            duration = std::max<qint64>(0, start + duration - origin);
        else if (formatContext->duration > 0 && formatContext->duration != AV_NOPTS_VALUE)
            duration = formatContext->duration / 1000; // streams of some containers (MKV) carry none
        start = origin;
        startMs = start;
        durationMs = duration;
        // The demuxer reads the sound this far ahead of what plays, so the
        // video decoder has the packets of its next pictures in time: those
        // it holds before it gives one out, and two picture steps more.
        audio->setReadAhead((video->decoderDelayPackets() + 2) * video->frameStepSeconds());
        demuxer->setDurationMs(duration);
        codecOpen = true;
    }
    return true;
}

// Sizes the two picture buffers for the new file's pictures; they are kept
// while size and format stay.
bool CFFPlayer::allocatePictureBuffers(int width, int height, AVPixelFormat format)
{
    const int size = av_image_get_buffer_size(format, width, height, 1);
    if (size <= 0) {
        qCWarning(lcPlayer) << "av_image_fill_arrays" << width << height;
        return false;
    }
    std::lock_guard<std::mutex> gateLock(gate->mutex);
    if (size == hframe->size && format == hframe->format && frameBuffers[0]) {
        std::lock_guard<std::mutex> frameLock(hframeLock);
        hframe->width = width;
        hframe->height = height;
        return true;
    }
    bool allocated = true;
    for (uint8_t *&buffer : frameBuffers) {
        auto *grown = static_cast<uint8_t *>(av_realloc(buffer, size_t(size)));
        if (grown)
            buffer = grown;
        else
            allocated = false;
    }
    uint8_t *planes[4];
    int strides[4];
    if (!allocated || av_image_fill_arrays(planes, strides, frameBuffers[0], format, width, height, 1) < 0) {
        qCWarning(lcPlayer) << "av_image_fill_arrays";
        std::lock_guard<std::mutex> frameLock(hframeLock);
        hframe->size = 0;
        hframe->data = nullptr;
        return false;
    }
    std::lock_guard<std::mutex> frameLock(hframeLock);
    hframe->width = width;
    hframe->height = height;
    hframe->format = format;
    hframe->size = size;
    hframe->data = frameBuffers[0];
    backBuffer = 1;
    return true;
}

void CFFPlayer::clearPicture()
{
    std::lock_guard<std::mutex> gateLock(gate->mutex);
    std::lock_guard<std::mutex> frameLock(hframeLock);
    const AVPixelFormat format = AVPixelFormat(hframe->format);
    if (!hframe->size || av_image_get_buffer_size(format, hframe->width, hframe->height, 1) > hframe->size)
        return;
    int strides[4] = {};
    if (av_image_fill_linesizes(strides, format, hframe->width) < 0)
        return;
    for (uint8_t *buffer : frameBuffers) {
        uint8_t *planes[4] = {};
        if (!buffer || av_image_fill_pointers(planes, format, hframe->height, buffer, strides) < 0)
            continue;
        // Black in either layout: luma 0, every chroma byte at its zero.
        std::memset(buffer, 0, size_t(strides[0]) * size_t(hframe->height));
        std::memset(planes[1], 128, size_t(hframe->size) - size_t(planes[1] - buffer));
    }
}

// Copies a picture into the back buffer and makes it the shown one. Called
// with the gate's mutex held. A picture larger than the buffer is clipped to
// the buffer's size; one in an unexpected format is not copied.
bool CFFPlayer::copyToHFrame(const AVFrame *picture)
{
    uint8_t *target = frameBuffers[backBuffer];
    if (!target || hframe->size <= 0)
        return false;
    const AVPixelFormat format = AVPixelFormat(hframe->format);
    if (av_image_fill_arrays(renderTarget->data, renderTarget->linesize, target, format, hframe->width,
                             hframe->height, 1) < 0)
        return false;
    const int width = std::min(picture->width, hframe->width);
    const int height = std::min(picture->height, hframe->height);
    if (width <= 0 || height <= 0)
        return false;

    const FFDecodeMode decode = mode;
    const int halfWidth = (width + 1) / 2;
    const int halfHeight = (height + 1) / 2;
    int result = -1;
    if (decode == HARDWARE_DECODE && format == AV_PIX_FMT_NV12 && picture->format == AV_PIX_FMT_NV12) {
        if (picture->data[0] && picture->data[1]) {
            copyPlane(picture->data[0], picture->linesize[0], renderTarget->data[0], renderTarget->linesize[0], width,
                      height);
            copyPlane(picture->data[1], picture->linesize[1], renderTarget->data[1], renderTarget->linesize[1],
                      2 * halfWidth, halfHeight);
            result = 0;
        }
    } else if (decode == SOFTWARE_DECODE && format == AV_PIX_FMT_YUV420P
               && (picture->format == AV_PIX_FMT_YUV420P || picture->format == AV_PIX_FMT_YUVJ420P)) {
        if (picture->data[0] && picture->data[1] && picture->data[2]) {
            copyPlane(picture->data[0], picture->linesize[0], renderTarget->data[0], renderTarget->linesize[0], width,
                      height);
            for (int plane = 1; plane <= 2; ++plane)
                copyPlane(picture->data[plane], picture->linesize[plane], renderTarget->data[plane],
                          renderTarget->linesize[plane], halfWidth, halfHeight);
            result = 0;
        }
    }
    if (result != 0)
        return false;
    std::lock_guard<std::mutex> frameLock(hframeLock);
    hframe->data = target;
    hframe->colorSpace = picture->colorspace;
    // The JPEG formats are full range whatever the field says.
    hframe->colorRange = picture->format == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : picture->color_range;
    backBuffer ^= 1;
    return true;
}

// Shows a picture if the gate is open (or it is a paused seek's); emits outside
// the gate's mutex so a directly connected slot may call back into the player.
bool CFFPlayer::publishPicture(const AVFrame *picture, bool seekStep)
{
    if (!codecOpen)
        return false;
    {
        std::lock_guard<std::mutex> gateLock(gate->mutex);
        if (!gate->flag && !seekStep)
            return false;
        copyToHFrame(picture);
        shownStamp = picture->best_effort_timestamp != AV_NOPTS_VALUE ? picture->best_effort_timestamp : picture->pts;
    }
    // Read before the first emit: a slot that seeks again reuses the picture.
    const qint64 position = video->ptsToMs(picture, startMs);
    emit renderFrame(hframe);
    if (seekSettled || stateValue == PausedState) {
        positionValue = position;
        emit positionChanged(position);
    }
    return true;
}

void CFFPlayer::showFrame(AVFrame *picture)
{
    if (!picture)
        return;
    framePts = picture->pts;
    frameSeconds = double(video->timeBaseNum()) / std::max(video->timeBaseDen(), 1) * double(picture->pts);
    frameStep = 0;
    frameShownAt = std::chrono::steady_clock::now().time_since_epoch().count();
    crossSeam(picture, frameSeconds);
    publishPicture(picture, true);
}

// The demuxer's thread hands a paused seek's picture over; it is shown from
// the player's own (GUI) thread, where its signals go out, unless the player
// stopped since.
void CFFPlayer::queueSeekPicture(const AVFrame *picture, PictureOrigin origin)
{
    std::shared_ptr<AVFrame> copy(av_frame_clone(picture), [](AVFrame *f) { av_frame_free(&f); });
    if (!copy) {
        if (origin != PictureOrigin::Seek)
            queueStepMissed(origin);
        return;
    }
    const int stops = stopCount;
    QMetaObject::invokeMethod(
        this,
        [this, copy, stops, origin] {
            if (stops != stopCount)
                return;
            showFrame(copy.get());
            if (origin != PictureOrigin::Seek)
                finishStep(copy.get(), origin);
        },
        Qt::QueuedConnection);
}

void CFFPlayer::queueStepMissed(PictureOrigin origin)
{
    Q_UNUSED(origin)
    const int stops = stopCount;
    QMetaObject::invokeMethod(
        this,
        [this, stops] {
            if (stops == stopCount)
                emit frameStepped(false);
        },
        Qt::QueuedConnection);
}

void CFFPlayer::finishStep(const AVFrame *picture, PictureOrigin origin)
{
    const double seconds = double(video->timeBaseNum()) / std::max(video->timeBaseDen(), 1)
        * double(picture->best_effort_timestamp != AV_NOPTS_VALUE ? picture->best_effort_timestamp : picture->pts);
    // Playing on from here times the next picture from this one.
    lastPts = seconds;
    if (origin == PictureOrigin::Step) {
        CFFPlayer *peer = nullptr;
        {
            std::lock_guard<std::mutex> lock(peerLinkMutex());
            if (axUserData->isMain)
                peer = axUserData->peer;
        }
        // Both players live on this thread, so the peer cannot go meanwhile.
        if (peer && peer != this)
            peer->followPicture(seconds);
    }
    emit frameStepped(true);
}

// The rear player's clock: where the front player's pictures stand now.
// False for the front player, without a peer, or before both show pictures.
bool CFFPlayer::peerClock(double &seconds)
{
    double nextOrigin = -1;
    {
        std::lock_guard<std::mutex> lock(seamLock);
        if (!seams.empty())
            nextOrigin = seams.front().atSeconds;
    }
    std::lock_guard<std::mutex> lock(peerLinkMutex());
    CFFPlayer *peer = axUserData->peer;
    if (axUserData->isMain || !peer || peer->currentFramePts() <= 0 || framePts <= 0)
        return false;
    // The two files may count in different time bases: compare seconds.
    seconds = peer->pictureClock();
    // Each player's joined files begin where its own last one ended: the
    // peer's place within its file, moved onto this player's time line.
    const int ahead = peer->fileIndex - fileIndex;
    if (ahead == 0)
        seconds += fileOrigin - peer->fileOrigin;
    else if (ahead == 1 && nextOrigin >= 0)
        seconds += nextOrigin - peer->fileOrigin;
    else if (ahead == -1)
        seconds += previousOrigin - peer->fileOrigin;
    return true;
}

// The timestamp of the picture shown last, moved on by the time since at the
// playback rate, for at most that picture's step: a player that stops
// showing pictures does not run on.
double CFFPlayer::pictureClock() const
{
    const auto shown = std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(frameShownAt.load()));
    const double since = std::chrono::duration<double>(std::chrono::steady_clock::now() - shown).count();
    const FFPlaybackRate playRate = rate;
    const double speed = playRate == PlaybackRate_0_5 ? 0.5 : playRate == PlaybackRate_2_0 ? 2.0 : 1.0;
    const bool running = stateValue == PlayingState && seekSettled;
    return frameSeconds + (running ? std::clamp(since * speed, 0.0, frameStep.load()) : 0.0);
}

// One pass of the player thread: takes the next picture, waits until it is
// due and shows it. A picture is due one (adjusted) timestamp step after the
// previous one was due; how the step is adjusted was decided when the
// previous picture was shown, from where it stood against the audio clock or
// the peer. Deciding then but applying the next picture's own step keeps
// uneven steps (the pictures kept at 2.0) from showing a picture late.
// The next picture: the one a pause held back, unless a stop or a flush
// since its pull made it stale, else a new one from the frame queue.
bool CFFPlayer::takePicture()
{
    if (pictureHeld) {
        pictureHeld = false;
        if (heldGeneration == discardGeneration)
            return true;
        av_frame_unref(frame);
    }
    heldGeneration = discardGeneration;
    return video->pullFrame(frame);
}

void CFFPlayer::doTransfer()
{
    if (!takePicture()) {
        // A pause or a stop parks the queue: straight to the gate then.
        if (gate->flag) {
            SDL_Delay(10);
            qCDebug(lcPlayer) << "10 Delay";
        }
        return;
    }
    const double stamp = frame->best_effort_timestamp == AV_NOPTS_VALUE ? 0.0 : double(frame->best_effort_timestamp);
    const double pts = double(video->timeBaseNum()) / double(std::max(video->timeBaseDen(), 1)) * stamp;
    const double interval = pts - lastPts;
    lastPts = pts;
    // After a seek while playing, the pictures queued before it run out at
    // once; the first one from the new place (a jump) ends the rush, so the
    // burst does not also fast-forward through the new place.
    const int seekRequest = seekGeneration;
    const double jumpLimit = std::max(kMaxDelayMs / 1000, kJumpSteps * video->frameStepSeconds());
    const bool gap = interval >= jumpLimit;
    const bool jumped = seekRequest != rushedGeneration && (gap || interval < 0);
    if (jumped) {
        rushedGeneration = seekRequest;
        // The sound (or the front's pictures) reach the new place later than this picture.
        jumpPending = true;
        jumpSeconds = pts;
        jumpAt = std::chrono::steady_clock::now();
    }
    const bool rushing = !seekSettled && seekRequest != rushedGeneration;

    const FFPlaybackRate playRate = rate;
    const double speed = playRate == PlaybackRate_0_5 ? 0.5 : playRate == PlaybackRate_2_0 ? 2.0 : 1.0;
    // The picture sought to starts a new schedule: shown now, not dropped as a step out of range.
    const double paced = pictureDelay(interval, speed);
    const double delay = jumped || gap ? 0.0 : paced;
    const double delayMs = delay * 1000;

    if (stateValue == StoppedState || delayMs < 0) {
        SDL_Delay(5);
        scheduleValid = false;
        av_frame_unref(frame);
        return;
    }

    const auto now = std::chrono::steady_clock::now();
    if (rushing) {
        nextDue = now + std::chrono::milliseconds(1);
    } else if (!scheduleValid || delay == 0 || nextDue + std::chrono::milliseconds(kMaxLateMs) < now) {
        nextDue = now;
    } else {
        nextDue += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
            std::chrono::duration<double, std::milli>(delayMs));
    }
    scheduleValid = !rushing;
    {
        // Wait at the gate so a destruction, a pause or a stop does not sit out the delay.
        std::unique_lock<std::mutex> lock(gate->mutex);
        gate->cond.wait_until(lock, nextDue, [this] { return !alive || !gate->flag; });
    }
    if (jumpPending)
        waitForNewPlace(pts, speed);
    if (!alive) {
        av_frame_unref(frame);
        return;
    }

    framePts = frame->pts;
    frameSeconds = pts;
    frameStep = std::max(interval, 0.0);
    frameShownAt = std::chrono::steady_clock::now().time_since_epoch().count();
    crossSeam(frame, pts);
    // Where the clock stands as the picture is due, before the copy takes its time.
    syncToClock(pts, interval, speed);
    if (!publishPicture(frame) && stateValue != StoppedState) {
        // Paused while it was due: shown first when playing resumes.
        pictureHeld = true;
        return;
    }
    av_frame_unref(frame);
}

// The wall time from the last picture's due time to this one's: its own
// timestamp step, adjusted as the last picture decided, at the playback rate.
double CFFPlayer::pictureDelay(double interval, double speed)
{
    double delay = interval;
    if (nextPace == NextPace::AtOnce)
        delay = 0;
    else if (nextPace == NextPace::Doubled)
        delay = 2 * delay;
    // The audio clock runs at the tempo, so the pictures' own spacing shrinks
    // or grows with it; otherwise they trail it by frames at 2.0 and lead at 0.5.
    delay /= speed;
    if (delay > 0)
        delay = std::max(0.0, delay + nextNudge);
    nextPace = NextPace::Plain;
    nextNudge = 0;
    return delay;
}

// Wall seconds added to the next step for a picture `ahead` wall seconds
// before the clock, whose own step was `step`: a share of the offset, and the
// share of the step the clock's pace has asked so far.
double CFFPlayer::nudgeFor(double ahead, double step)
{
    if (step > 0)
        paceTrim = std::clamp(paceTrim + kPaceGain * ahead / step, -kMaxPaceTrim, kMaxPaceTrim);
    return ahead * kSyncGain + paceTrim * std::max(step, 0.0);
}

// After a seek's jump the sound already handed on, and a peer that has not
// jumped yet, still play the old place: chasing that clock would run the
// pictures there at once and then hold them back. They keep their own pace
// until the clock comes near, or into the stretch from the picture sought to
// on, where the new place's sound starts.
bool CFFPlayer::clockAtNewPlace(double pts, double clock)
{
    const double jump = kMaxDelayMs / 1000;
    const bool arrived = std::fabs(pts - clock) < jump || (clock >= jumpSeconds - jump && clock <= pts);
    if (arrived || std::chrono::steady_clock::now() - jumpAt >= std::chrono::milliseconds(kJumpClockWaitMs))
        jumpPending = false;
    return !jumpPending;
}

// The picture sought to waits for the clock's new place, and there for its
// own time: shown at once it would lead the sound that is still to come.
// Never longer than the jump's wait, nor past a pause or a destruction.
void CFFPlayer::waitForNewPlace(double pts, double speed)
{
    const auto stopWaiting = [this] { return !alive || !gate->flag; };
    while (jumpPending && !stopWaiting()) {
        double clock = 0;
        // Read outside the gate's mutex: the codec lock comes before it.
        const bool known = pacingClock(clock);
        if (known && clockAtNewPlace(pts, clock)) {
            const double ahead = (pts - clock) / speed;
            if (ahead > 0 && ahead * 1000 < kMaxDelayMs) {
                const auto due = std::chrono::steady_clock::now()
                    + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(ahead));
                std::unique_lock<std::mutex> lock(gate->mutex);
                gate->cond.wait_until(lock, due, stopWaiting);
            }
            return;
        }
        if (std::chrono::steady_clock::now() - jumpAt >= std::chrono::milliseconds(kJumpClockWaitMs)) {
            jumpPending = false;
            return;
        }
        std::unique_lock<std::mutex> lock(gate->mutex);
        gate->cond.wait_for(lock, std::chrono::milliseconds(kJumpPollMs), stopWaiting);
    }
}

// The clock the pictures follow: the sound's while it plays, else the front
// player's pictures (for the rear player). A clock that stands (no device,
// or no more sound) cannot pace the pictures.
bool CFFPlayer::pacingClock(double &clock, bool *byAudio)
{
    const bool audible = hasAudio && audio->isDeviceOpen() && !audio->isStarving();
    if (byAudio)
        *byAudio = audible;
    if (audible) {
        clock = audio->audioClock();
        return true;
    }
    return peerClock(clock);
}

// Decides how the next picture's step is adjusted from where this picture
// stands against the pacing clock.
void CFFPlayer::syncToClock(double pts, double interval, double speed)
{
    double clock = 0;
    bool byAudio = false;
    if (!pacingClock(clock, &byAudio))
        return;
    const double threshold = std::max(interval, kMinSyncThreshold);
    const double diff = pts - clock;
    if (byAudio && std::fabs(diff) >= kMaxSyncDiffSeconds)
        return;
    if (jumpPending && !clockAtNewPlace(pts, clock))
        return;
    if (diff <= -threshold)
        nextPace = NextPace::AtOnce;
    else if (diff >= threshold)
        nextPace = NextPace::Doubled;
    else
        nextNudge = nudgeFor(diff / speed, interval / speed);
}

} // namespace TrackoraActiveX
