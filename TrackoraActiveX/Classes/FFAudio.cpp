#include "FFAudio.h"
#include "FFPlayer.h"
#include "FFThreadHook.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <SDL.h>
#include <soundtouch/SoundTouch.h> // only for the SETTING_ numbers of the C interface
extern "C" {
#include <SoundTouchDLL.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstring>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcAudio, "trackora.engine.audio")

// One decoded packet of 16-bit sound, even at tempo 0.5, fits with room to spare.
constexpr int kAudioBufferBytes = 40960;
// SoundTouch's input and output block, in 16-bit samples.
constexpr int kTempoSamples = 40960;
// Device buffer in sample frames: about 21 ms at 48 kHz keeps the clock fine-grained.
constexpr int kDeviceSamples = 1024;
// SoundTouch's sequence and seek window. Within a sequence the sound runs at
// normal speed, so a sound is heard up to |1 - tempo| of a sequence off its
// media time; the stage's automatic choice at slow tempo (90 ms) puts that
// beyond a frame, these (its own choice at fast tempo) keep it near 10 ms.
constexpr int kTempoSequenceMs = 40;
constexpr int kTempoSeekWindowMs = 15;
// Wait steps of the packet queue per rate: slow tempo consumes packets slowly.
constexpr int kWaitStepSlowMs = 160;
constexpr int kWaitStepNormalMs = 90;
constexpr int kWaitStepFastMs = 40;

namespace {

struct RateSetting
{
    float tempo;
    int waitStepMs;
};

bool rateSetting(FFPlaybackRate rate, RateSetting &setting)
{
    switch (rate) {
    case PlaybackRate_0_5:
        setting = {0.5f, kWaitStepSlowMs};
        return true;
    case PlaybackRate_1_0:
        setting = {1.0f, kWaitStepNormalMs};
        return true;
    case PlaybackRate_2_0:
        setting = {2.0f, kWaitStepFastMs};
        return true;
    }
    return false;
}

// SDL's table of open devices is not documented as safe against an open and
// a close on two threads at once.
std::mutex &deviceTableMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

CFFAudio::CFFAudio(CFFPlayer *owner)
    : CFFAVBase(owner)
{
    outBuffer = new unsigned char[kAudioBufferBytes];
    outCapacity = kAudioBufferBytes;
    std::memset(outBuffer, 0, kAudioBufferBytes);
    convBuffer = new unsigned char[kAudioBufferBytes];
    convCapacity = kAudioBufferBytes;
    audioFrame = av_frame_alloc();
    soundTouch = soundtouch_createInstance();
    tempoBuffer = new int16_t[kTempoSamples];
    tempoCapacity = kTempoSamples;
}

CFFAudio::~CFFAudio()
{
    closeDevice();
    // SDL_Quit may follow: no close may still be under way then.
    finishClose();
    audioPacketQueue.abortWaits();
    closeCodec();
    finishRetire();
    soundtouch_destroyInstance(soundTouch);
    swr_free(&resampler);
    av_channel_layout_uninit(&resamplerLayout);
    av_frame_free(&audioFrame);
    delete[] tempoBuffer;
    delete[] convBuffer;
    delete[] outBuffer;
}

bool CFFAudio::avcodecOpen()
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext)
        return false;
    // "refcounted_frames" no longer exists: decoders always return referenced frames.
    const int result = avcodec_open2(m_codecContext, codec, nullptr);
    channels = m_codecContext->ch_layout.nb_channels;
    sampleRate = m_codecContext->sample_rate;
    if (result < 0) {
        qCWarning(lcAudio) << "Could not open audio codec." << ffErrorText(result);
        return false;
    }
    return true;
}

void CFFAudio::start()
{
    start(owner->state() == StoppedState);
}

// From a stop the device is opened, unless a background open prepared it.
void CFFAudio::start(bool fromStop)
{
    if (fromStop && !devicePrepared.exchange(false))
        openDevice();
    audioPacketQueue.setParked(false);
    if (deviceId)
        SDL_PauseAudioDevice(deviceId, 0);
}

void CFFAudio::prepareDevice()
{
    openDevice();
    devicePrepared = true;
}

// The first start after an open: a device in the codec's own rate and
// channel count, with the clock and SoundTouch set up for a new file.
void CFFAudio::openDevice()
{
    int deviceChannels = 0;
    int deviceRate = 0;
    {
        std::lock_guard<std::mutex> lock(codecLock);
        if (m_codecContext) {
            deviceChannels = m_codecContext->ch_layout.nb_channels;
            deviceRate = m_codecContext->sample_rate;
            channels = deviceChannels;
            sampleRate = deviceRate;
        }
    }
    if (deviceRate <= 0 && deviceChannels <= 0)
        return;
    // A start from stopped without a stop in between must not leak the old device.
    closeDevice();
    finishClose();
    resetForNewFile(deviceChannels, deviceRate);
    applyPlaybackRate();
    playedBytes = 0;
    byteRate = 2 * deviceChannels * deviceRate;

    SDL_AudioSpec desired;
    std::memset(&desired, 0, sizeof(desired));
    desired.freq = deviceRate;
    desired.channels = Uint8(std::clamp(deviceChannels, 0, 255));
    desired.format = AUDIO_S16SYS;
    desired.samples = kDeviceSamples;
    desired.silence = 0;
    desired.callback = audioCallback;
    desired.userdata = this;
    // Only the buffer size may differ: SDL still converts to the device's own format.
    SDL_AudioSpec obtained = desired;
    QElapsedTimer took;
    took.start();
    {
        std::lock_guard<std::mutex> lock(deviceTableMutex());
        deviceId = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    }
    latency = deviceId ? outputLatency(SDL_GetCurrentAudioDriver(), obtained.samples, obtained.freq) : 0.0;
    qCDebug(lcAudio) << "device opened" << took.elapsed() << "ms" << SDL_GetCurrentAudioDriver() << obtained.samples
                     << "frames, output latency" << latency * 1000 << "ms";
    if (deviceId == 0) {
        qCWarning(lcAudio) << SDL_GetError();
        // Nobody would drain the queue: drop packets instead of stalling the demuxer.
        deviceFailed = true;
        audioPacketQueue.flushQueue();
        return;
    }
    deviceFailed = false;
    starving = false;
    closed = false;
}

void CFFAudio::resetForNewFile(int deviceChannels, int deviceRate)
{
    std::lock_guard<std::mutex> lock(codecLock);
    clock = 0;
    handedClock = 0;
    handedSpan = 0;
    handedAt = std::chrono::steady_clock::now();
    std::memset(outBuffer, 0, outCapacity);
    outSize = 0;
    outIndex = 0;
    // A new file must not start with the tail of the previous one.
    soundtouch_clear(soundTouch);
    soundtouch_setChannels(soundTouch, unsigned(std::max(deviceChannels, 1)));
    soundtouch_setSampleRate(soundTouch, unsigned(std::max(deviceRate, 1)));
    soundtouch_setSetting(soundTouch, SETTING_USE_QUICKSEEK, 1);
    soundtouch_setSetting(soundTouch, SETTING_USE_AA_FILTER, 1);
    soundtouch_setSetting(soundTouch, SETTING_SEQUENCE_MS, kTempoSequenceMs);
    soundtouch_setSetting(soundTouch, SETTING_SEEKWINDOW_MS, kTempoSeekWindowMs);
    timeline.restart(std::max(deviceRate, 1));
}

// Ends the callback's wait first: SDL pauses under the device lock, which the
// callback holds. Once paused, SDL calls no callback of this device again, so
// the close itself, which waits for SDL's audio thread to sleep out a buffer
// period and then two more for the sound to drain, runs on a helper thread.
void CFFAudio::closeDevice()
{
    devicePrepared = false;
    closed = true;
    holdOff = true;
    wakePacketWait();
    const SDL_AudioDeviceID id = deviceId.exchange(0);
    if (id) {
        SDL_PauseAudioDevice(id, 1);
        finishClose();
        closer = std::thread([id] {
            runThreadStartHook();
            std::lock_guard<std::mutex> lock(deviceTableMutex());
            SDL_CloseAudioDevice(id);
        });
    }
    holdOff = false;
}

void CFFAudio::finishClose()
{
    if (closer.joinable())
        closer.join();
}

void CFFAudio::pause()
{
    // The demuxer's push waits for the paused device instead of dropping sound.
    audioPacketQueue.setParked(true);
    if (!deviceId)
        return;
    // SDL pauses under the device lock, which the callback holds: end its wait first.
    holdOff = true;
    wakePacketWait();
    SDL_PauseAudioDevice(deviceId, 1);
    holdOff = false;
}

void CFFAudio::stop()
{
    closeDevice();
    deviceFailed = false;
    closeCodec();
    flushPackets();
}

bool CFFAudio::pushPacket(const AVPacket *src)
{
    if (deviceFailed)
        return false;
    if (src && src->duration > 0 && timeBaseDen() > 0) {
        const double seconds = double(src->duration) * timeBaseNum() / timeBaseDen();
        const int wanted = seconds > 0 ? int(std::ceil(readAhead / seconds)) : 0;
        if (wanted != capacityAsked) {
            capacityAsked = wanted;
            audioPacketQueue.setCapacity(wanted);
        }
    }
    const bool pushed = audioPacketQueue.pushQueue(src);
    if (pushed)
        wakePacketWait();
    return pushed;
}

// Called while the file opens, before its read loop pushes anything.
void CFFAudio::setReadAhead(double seconds)
{
    readAhead = std::max(0.0, seconds);
    capacityAsked = 0;
    audioPacketQueue.setCapacity(4);
}

int CFFAudio::queueCapacity()
{
    return audioPacketQueue.currentCapacity();
}

void CFFAudio::flushPackets()
{
    audioPacketQueue.flushQueue();
}

void CFFAudio::discardPending()
{
    std::lock_guard<std::mutex> lock(codecLock);
    soundtouch_clear(soundTouch);
    timeline.restart(std::max(sampleRate, 1));
    outSize = 0;
    outIndex = 0;
}

// The media time heard now: the start of what the last callback handed
// over, advanced by the wall time since then at the tempo, never past its end
// (so the clock stands while paused or starving), less what the device still
// holds before it is heard.
double CFFAudio::audioClock()
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext)
        return 0;
    const double since = std::chrono::duration<double>(std::chrono::steady_clock::now() - handedAt).count();
    return handedClock - handedSpan + std::min(since * tempo, handedSpan) - latency * tempo;
}

double CFFAudio::outputLatency(const QByteArray &driver, int samples, int frequency)
{
    if (driver == "disk" || driver == "dummy" || frequency <= 0)
        return 0;
    const double buffer = double(samples) / frequency;
    if (driver != "pulseaudio")
        return buffer;
    // SDL asks the server for one buffer as the stream's whole latency, with
    // latency adjustment; the client library takes PULSE_LATENCY_MSEC instead.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("PULSE_LATENCY_MSEC", &ok);
    const double target = ok && ms > 0 ? ms / 1000.0 : buffer;
    // The server splits that target: it asks for data in requests of a
    // quarter of it (20 ms at most) and gives the sink (T - 2 requests) / 2.
    // A handed buffer waits behind the stream's queue, on average the target
    // less the sink's share and half a request, and then in the sink, on
    // average half its share. Counting the whole target put the pictures
    // 7 ms behind the sound at every rate (the server reported 11-16 ms
    // queued and 0.4-2.7 ms in the sink for a 21 ms target).
    const double request = std::min(target / 4, 0.020);
    const double sinkShare = std::max(0.0, (target - 2 * request) / 2);
    return target - sinkShare / 2 - request / 2;
}

double CFFAudio::deviceLatency() const
{
    return deviceId ? latency.load() : 0.0;
}

// Called under codecLock by the callback once it has handed `bytes` of
// decoded sound to the device: the device has everything SoundTouch gave out
// but the unplayed rest of outBuffer, and the timeline tells where that stands.
void CFFAudio::noteHanded(int bytes)
{
    const int frameBytes = 2 * channels;
    if (frameBytes <= 0 || sampleRate <= 0)
        return;
    handedClock = timeline.mediaAt(timeline.receivedFrames() - (outSize - outIndex) / frameBytes);
    handedSpan = double(bytes) / (frameBytes * sampleRate) * tempo;
    handedAt = std::chrono::steady_clock::now();
}

void CFFAudio::applyPlaybackRate()
{
    RateSetting setting;
    if (!rateSetting(owner->playbackRate(), setting))
        return;
    {
        std::lock_guard<std::mutex> lock(codecLock);
        // A stage that was passed by holds only the overlap of the sound before.
        if (bypassed && setting.tempo != 1.0f)
            soundtouch_clear(soundTouch);
        bypassed = false;
        soundtouch_setTempo(soundTouch, setting.tempo);
        tempo = setting.tempo;
        timeline.setTempo(setting.tempo, soundtouch_getSetting(soundTouch, SETTING_NOMINAL_OUTPUT_SEQUENCE),
                          soundtouch_getSetting(soundTouch, SETTING_OVERLAP_MS) * std::max(sampleRate, 0) / 1000);
    }
    audioPacketQueue.waitTimeoutMs = setting.waitStepMs;
}

void CFFAudio::setVolume(int value)
{
    volumeValue = std::clamp(value, 0, 100);
}

int CFFAudio::volume() const
{
    return volumeValue;
}

void CFFAudio::setMuted(bool value)
{
    muted = value;
}

bool CFFAudio::isMuted() const
{
    return muted;
}

bool CFFAudio::isDeviceOpen() const
{
    return deviceId != 0 && !closed;
}

bool CFFAudio::isStarving() const
{
    return starving;
}

qint64 CFFAudio::bytesPlayed() const
{
    return playedBytes;
}

int CFFAudio::bytesPerSecond() const
{
    return byteRate;
}

void CFFAudio::wakePacketWait()
{
    std::lock_guard<std::mutex> lock(waitMutex);
    packetArrived.notify_all();
}

bool CFFAudio::waitForPacket()
{
    std::unique_lock<std::mutex> lock(waitMutex);
    for (int attempt = 1;; ++attempt) {
        if (closed || holdOff)
            return false;
        if (audioPacketQueue.queueSize() > 0) {
            starving = false;
            return true;
        }
        starving = true;
        if (attempt > kQueueWaitSteps)
            break;
        const int stepMs = audioPacketQueue.waitTimeoutMs;
        if (stepMs > 0)
            packetArrived.wait_for(lock, std::chrono::milliseconds(stepMs));
    }
    qCDebug(lcAudio) << "Waiting for timeout to Packet Queue pull" << static_cast<void *>(&audioPacketQueue);
    return false;
}

// Converts audioFrame into 16-bit interleaved samples in convBuffer; the
// number of sample frames written (0 when no resampler could be made). The
// resampler is kept while the frames' format, layout and rate stay the same:
// it only converts (the rate never changes), so it holds no samples between
// frames and a kept one gives what a new one would.
int CFFAudio::convertFrame()
{
    AVFrame *in = audioFrame;
    if (in->ch_layout.nb_channels > 0 && in->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        const int count = in->ch_layout.nb_channels;
        av_channel_layout_uninit(&in->ch_layout);
        av_channel_layout_default(&in->ch_layout, count);
    }
    const int frameChannels = in->ch_layout.nb_channels;
    if (frameChannels <= 0)
        return 0;

    if (!resampler || resamplerFormat != in->format || resamplerRate != in->sample_rate
        || av_channel_layout_compare(&resamplerLayout, &in->ch_layout) != 0) {
        swr_free(&resampler);
        av_channel_layout_uninit(&resamplerLayout);
        AVChannelLayout outLayout;
        av_channel_layout_default(&outLayout, frameChannels);
        if (swr_alloc_set_opts2(&resampler, &outLayout, AV_SAMPLE_FMT_S16, in->sample_rate, &in->ch_layout,
                                AVSampleFormat(in->format), in->sample_rate, 0, nullptr) < 0
            || swr_init(resampler) < 0
            || av_channel_layout_copy(&resamplerLayout, &in->ch_layout) < 0)
            swr_free(&resampler);
        av_channel_layout_uninit(&outLayout);
        if (!resampler)
            return 0;
        resamplerFormat = in->format;
        resamplerRate = in->sample_rate;
    }
    uint8_t *out[1] = {convBuffer};
    const int space = convCapacity / (2 * frameChannels);
    const int samples = swr_convert(resampler, out, space, const_cast<const uint8_t **>(in->extended_data),
                                    in->nb_samples);
    return std::max(samples, 0);
}

// Feeds `samples` converted frames through SoundTouch and appends what it
// gives back to buffer after `written` bytes; the new byte count. Frames that
// do not fit stay inside SoundTouch for the next packet.
int CFFAudio::tempoInto(unsigned char *buffer, int capacity, int written, int samples, double mediaSeconds)
{
    const int frameBytes = 2 * std::max(channels, 1);
    const int tempoFrames = tempoCapacity / std::max(channels, 1);
    samples = std::min(samples, tempoFrames);
    // At normal speed the stage would only cost time and delay the sound:
    // while it holds nothing, the sound goes past it. After a change back
    // from another rate it runs until a seek or a new file empties it.
    if (tempo == 1.0 && samples > 0 && (capacity - written) / frameBytes >= samples
        && soundtouch_numUnprocessedSamples(soundTouch) == 0 && soundtouch_numSamples(soundTouch) == 0) {
        std::memcpy(buffer + written, convBuffer, size_t(samples) * frameBytes);
        timeline.fed(samples, mediaSeconds);
        timeline.received(samples);
        bypassed = true;
        return written + samples * frameBytes;
    }
    std::memcpy(tempoBuffer, convBuffer, size_t(samples) * frameBytes);
    soundtouch_putSamples_i16(soundTouch, tempoBuffer, unsigned(samples));
    timeline.fed(samples, mediaSeconds);
    return receiveTempo(buffer, capacity, written);
}

// Appends what SoundTouch gives out to buffer after `written` bytes, as much as fits.
int CFFAudio::receiveTempo(unsigned char *buffer, int capacity, int written)
{
    const int frameBytes = 2 * std::max(channels, 1);
    const int tempoFrames = tempoCapacity / std::max(channels, 1);
    for (;;) {
        const int room = std::min((capacity - written) / frameBytes, tempoFrames);
        if (room <= 0)
            break;
        const int got = int(soundtouch_receiveSamples_i16(soundTouch, tempoBuffer, unsigned(room)));
        if (got <= 0)
            break;
        std::memcpy(buffer + written, tempoBuffer, size_t(got) * frameBytes);
        written += got * frameBytes;
        timeline.received(got);
    }
    return written;
}

int CFFAudio::decodeInto(unsigned char *buffer, int capacity)
{
    {
        std::lock_guard<std::mutex> lock(codecLock);
        if (!m_codecContext)
            return -1;
    }
    // The wait holds no lock: audioClock() and the GUI's commands stay free meanwhile.
    if (!waitForPacket())
        return -1;

    // Never wait here: the codec lock is held, and a flush since the check
    // (a stop, a seek) would keep audioClock() and the device's close waiting.
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext || !audioPacketQueue.tryPullQueue(packet))
        return -1;

    double newClock = clock;
    // Decoders leave the codec context's time base unset; the packet's pts counts in the stream's.
    if (packet->pts != AV_NOPTS_VALUE && timeBase.den != 0)
        newClock = double(timeBase.num) / timeBase.den * double(packet->pts);

    // The demuxer's end-of-file packet leaves the queue empty but with a
    // padding buffer, which the decoder refuses; nullptr asks it to drain.
    int sent = avcodec_send_packet(m_codecContext, packet->size > 0 ? packet : nullptr);
    if (sent == AVERROR_EOF && packet->size > 0) {
        // Sound after the end was drained (a seek back while playing on): start the decoder afresh.
        avcodec_flush_buffers(m_codecContext);
        sent = avcodec_send_packet(m_codecContext, packet);
    }
    if (sent < 0 && sent != AVERROR(EAGAIN) && sent != AVERROR_EOF) {
        qCDebug(lcAudio).noquote() << ffErrorText(sent) << ";" << __LINE__ << ";"
                                   << "TrackoraActiveX::audioDecodeFrame";
        av_packet_unref(packet);
        clock = newClock;
        return -1;
    }

    int written = 0;
    const int bytesPerSecond = 2 * channels * sampleRate;
    while (avcodec_receive_frame(m_codecContext, audioFrame) == 0) {
        const int samples = convertFrame();
        const int bytes = 2 * audioFrame->ch_layout.nb_channels * samples;
        written = tempoInto(buffer, capacity, written, samples, newClock);
        // The clock counts media time; the tempo is applied where the sound leaves (noteHanded).
        if (bytesPerSecond > 0)
            newClock += double(bytes) / bytesPerSecond;
        av_frame_unref(audioFrame);
    }
    if (packet->size == 0) {
        // No more sound follows: let SoundTouch give out the end it still holds.
        soundtouch_flush(soundTouch);
        written = receiveTempo(buffer, capacity, written);
    }
    av_packet_unref(packet);

    // Clock and fill change together, so audioClock() never sees one without the other.
    clock = newClock;
    if (buffer == outBuffer) {
        outSize = written;
        outIndex = 0;
    }
    return written;
}

void CFFAudio::fillCallback(uint8_t *stream, int len)
{
    if (closed)
        return;
    std::memset(stream, 0, len);
    bool silent = false; // audio thread: outBuffer holds silence, not decoded sound
    int handed = 0;      // bytes of decoded sound handed over by this call
    while (len > 0) {
        int remaining;
        {
            std::lock_guard<std::mutex> lock(codecLock);
            remaining = outSize - outIndex;
        }
        int decoded = 0;
        if (remaining <= 0) {
            decoded = audioDecodeFrame(this, outBuffer, outCapacity);
            std::lock_guard<std::mutex> lock(codecLock);
            if (decoded < 0) {
                outSize = std::min(len, outCapacity);
                std::memset(outBuffer, 0, outSize);
                outIndex = 0;
                silent = true;
            } else {
                silent = false;
            }
            remaining = outSize - outIndex;
        }
        const int chunk = std::min(remaining, len);
        if (chunk > 0) {
            const int deviceVolume = volumeValue * SDL_MIX_MAXVOLUME / 100;
            if (muted)
                std::memset(outBuffer + outIndex, 0, chunk);
            SDL_MixAudioFormat(stream, outBuffer + outIndex, AUDIO_S16SYS, Uint32(chunk), deviceVolume);
            stream += chunk;
            len -= chunk;
            {
                std::lock_guard<std::mutex> lock(codecLock);
                outIndex += chunk;
            }
            if (!silent) {
                playedBytes += chunk;
                handed += chunk;
            }
        }
        if (decoded < 0 && closed) {
            qCDebug(lcAudio) << "audioCallback audio_size < 0";
            break;
        }
        // A pause or a stop waits for this callback: leave the rest of the request silent.
        if (holdOff || closed)
            break;
    }
    std::lock_guard<std::mutex> lock(codecLock);
    noteHanded(handed);
}

void audioCallback(void *userdata, uint8_t *stream, int len)
{
    // SDL made this thread; its first callback is the component's first chance at it.
    runThreadStartHook();
    auto *audio = static_cast<CFFAudio *>(userdata);
    if (!audio)
        return;
    audio->fillCallback(stream, len);
}

int audioDecodeFrame(CFFAudio *audio, unsigned char *buffer, int capacity)
{
    if (!audio || !buffer || capacity <= 0)
        return -1;
    return audio->decodeInto(buffer, capacity);
}

} // namespace TrackoraActiveX
