#pragma once

#include "trackoraactivex_global.h"
#include "FFBuffer.h"
#include "FFTempoTimeline.h"
#include "FFUtils.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

struct SwrContext;

namespace TrackoraActiveX {

class CFFAudio;

// SDL's audio callback; userdata is the CFFAudio.
TRACKORAACTIVEX_EXPORT void audioCallback(void *userdata, uint8_t *stream, int len);
// Decodes the next packet into buffer as 16-bit samples at the playback tempo;
// the number of bytes written, or -1 when no packet came or decoding failed.
TRACKORAACTIVEX_EXPORT int audioDecodeFrame(CFFAudio *audio, unsigned char *buffer, int capacity);

// Audio decoder and output. The SDL audio thread runs audioCallback and
// audioDecodeFrame; the player thread reads audioClock(); the GUI thread
// calls start, pause, stop, the setters and applyPlaybackRate (the player's
// opener thread may call avcodecOpen and prepareDevice instead, while the GUI
// thread waits for it); the demuxer thread pushes packets. The wait for a packet holds no lock, so neither the
// clock nor a pause or a stop waits for it.
class TRACKORAACTIVEX_EXPORT CFFAudio : public CFFAVBase
{
public:
    explicit CFFAudio(CFFPlayer *owner);
    ~CFFAudio() override;

    bool avcodecOpen() override;
    void start() override;
    void start(bool fromStop);
    void stop() override;
    void pause() override;

    // Opens the sound device for a newly opened file, paused, ahead of the
    // first start (which then only unpauses it). The player's opener thread
    // calls it while the GUI thread leaves this decoder alone.
    void prepareDevice();

    bool pushPacket(const AVPacket *src);
    // How far ahead of the sound being played the demuxer may read (seconds
    // of sound in the queue, at least four packets): the player sets it from
    // the video's picture steps so that each picture's packets are read, and
    // decoded, before the sound reaches it.
    void setReadAhead(double seconds);
    int queueCapacity();
    void flushPackets();
    // Drops the sound decoded but not yet played (SoundTouch's backlog and
    // the output buffer), so a paused seek does not resume with a blip of
    // the old place.
    void discardPending();
    double audioClock();
    void applyPlaybackRate();

    void setVolume(int value);
    int volume() const;
    void setMuted(bool value);
    bool isMuted() const;

    // True while an SDL device plays for this decoder (opened by start()).
    bool isDeviceOpen() const;
    // True while the device waits for packets that do not come (the audio
    // ended before the video, or the demuxer fell behind): its clock stands.
    bool isStarving() const;
    // Bytes of decoded sound handed to the device since the last start from
    // stopped, and the byte rate of that sound (benchmark, tests).
    qint64 bytesPlayed() const;
    int bytesPerSecond() const;

    // Wall seconds from the callback's hand-over until the sound is heard,
    // for an SDL driver with the buffer it granted: none for the drivers that
    // write a buffer and then wait out its length (disk, dummy); for a sound
    // server the part of the stream's target latency (one granted buffer, or
    // PULSE_LATENCY_MSEC where set, as the client library then asks for that)
    // that lies ahead of a handed buffer on average; elsewhere one granted buffer.
    static double outputLatency(const QByteArray &driver, int samples, int frequency);
    // The latency the open device adds (0 while none is open).
    double deviceLatency() const;

private:
    friend void audioCallback(void *userdata, uint8_t *stream, int len);
    friend int audioDecodeFrame(CFFAudio *audio, unsigned char *buffer, int capacity);

    void openDevice();
    void resetForNewFile(int deviceChannels, int deviceRate);
    void closeDevice();
    void finishClose();
    void fillCallback(uint8_t *stream, int len);
    int decodeInto(unsigned char *buffer, int capacity);
    bool waitForPacket();
    int convertFrame();
    int tempoInto(unsigned char *buffer, int capacity, int written, int samples, double mediaSeconds);
    int receiveTempo(unsigned char *buffer, int capacity, int written);
    void wakePacketWait();
    void noteHanded(int bytes);

    double clock = 0;               // codecLock; media end of the decoded sound; audio thread, start() with the device closed
    // What the last callback handed to the device, for a clock that moves
    // smoothly between callbacks; all under codecLock, written by the audio thread.
    double handedClock = 0;         // media time at the end of the handed sound
    double handedSpan = 0;          // media seconds the last callback handed over
    std::atomic<double> latency{0}; // atomic; wall seconds the device adds, set when it opens
    std::chrono::steady_clock::time_point handedAt;
    double tempo = 1.0;             // codecLock; GUI writes in applyPlaybackRate
    bool bypassed = false;          // codecLock: sound went past the tempo stage since the last rate change
    CFFTempoTimeline timeline;      // codecLock: media time of what SoundTouch gives out
    unsigned char *outBuffer = nullptr;  // audio thread
    int outCapacity = 0;
    int outSize = 0;                // codecLock; audio thread writes
    int outIndex = 0;               // codecLock; audio thread writes
    unsigned char *convBuffer = nullptr; // audio thread
    int convCapacity = 0;
    // The converter of the last frame and what it was made for; audio thread, under codecLock.
    SwrContext *resampler = nullptr;
    int resamplerFormat = -1;
    int resamplerRate = 0;
    AVChannelLayout resamplerLayout{};
    std::atomic<bool> muted{false};  // atomic; GUI writes, audio thread reads
    std::atomic<int> volumeValue{0}; // atomic; GUI writes, audio thread reads
    AVFrame *audioFrame = nullptr;   // codecLock
    void *soundTouch = nullptr;      // audio thread; configured by the GUI with the device paused or closed
    int16_t *tempoBuffer = nullptr;  // audio thread
    int tempoCapacity = 0;           // samples
    std::atomic<unsigned int> deviceId{0}; // atomic; GUI writes, the player thread asks isDeviceOpen()
    CAudioPacketQueue audioPacketQueue; // demuxer thread -> audio thread
    std::atomic<double> readAhead{0};    // atomic; written on opening, read by the demuxer thread
    int capacityAsked = 0;               // demuxer thread (and setReadAhead before the loop reads): the capacity last set
    std::atomic<bool> closed{true};  // atomic; GUI writes: the callback does nothing while set
    std::atomic<bool> holdOff{false}; // atomic; GUI sets it while pausing or stopping the device
    std::atomic<bool> deviceFailed{false}; // atomic; GUI writes: packets are dropped, nobody plays them
    std::atomic<bool> starving{false};  // atomic; audio thread writes
    std::atomic<qint64> playedBytes{0}; // atomic; audio thread writes
    std::atomic<int> byteRate{0};       // atomic; GUI writes in start()
    int channels = 0;               // codecLock; the opened codec's channel count
    int sampleRate = 0;             // codecLock; the opened codec's sample rate
    std::atomic<bool> devicePrepared{false}; // atomic; prepareDevice sets it, the next start or close takes it
    std::thread closer;             // the opening thread: closes the last device; joined before the next open
    std::mutex waitMutex;           // with packetArrived: the audio thread's wait for a packet
    std::condition_variable packetArrived;
};

} // namespace TrackoraActiveX
