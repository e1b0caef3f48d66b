#pragma once

#include "trackoraactivex_global.h"
#include "FFBuffer.h"
#include "FFUtils.h"

extern "C" {
#include <libavutil/hwcontext.h>
#include <libavutil/pixfmt.h>
}

struct SwsContext;

namespace TrackoraActiveX {

// Video decoder. Its decode thread (started by the constructor, joined by the
// destructor) pulls packets from packetQueue and pushes pictures into
// frameQueue; the GUI thread calls start, pause, stop and the flushes, the
// demuxer thread a paused seek's decodePacket; the demuxer thread pushes packets; the
// player thread pulls pictures. While paused both queues are parked.
// Every picture leaves the decoder in outputFormat(): YUV420P in software
// mode, NV12 in hardware mode.
class TRACKORAACTIVEX_EXPORT CFFVideo : public CFFAVBase
{
public:
    explicit CFFVideo(CFFPlayer *owner);
    ~CFFVideo() override;

    bool avcodecOpen() override;
    void start() override;
    void stop() override;
    void pause() override;

    bool pushPacket(const AVPacket *src);
    bool pullFrame(AVFrame *dst);
    void flushPackets();
    void flushFrames();
    int frameQueueSize();
    // Ends every current and later wait of both queues; the owner calls it
    // before it joins the threads that may sit in one.
    void abortWaits();

    FFDecodeMode decodeMode();
    AVPixelFormat outputFormat();

    // Decodes one packet. Without `first` every picture goes into the frame
    // queue (the decode thread); with it the first picture is referenced into
    // `first` and nothing is queued or dropped (a paused seek). 0 when `first`
    // got a picture, -1 when no (further) picture came, -2 on a decoding
    // error, -3 when a picture could not be brought into outputFormat(), the
    // send error otherwise.
    int decodePacket(AVPacket *pkt, AVFrame *first = nullptr);
    // At the end of the input: drains the decoder and references its last
    // picture into `last` (a paused seek near the end). 0 when there was one.
    int drainLast(AVFrame *last);
    // Flushes the codec for a paused seek, taking it from a decode in progress.
    void flushForSeek();
    // A frame step's decoding, on the demuxer thread while the decode thread
    // is parked. Sends one packet (null drains): 0 or the send error.
    int sendStepPacket(AVPacket *pkt);
    // The next picture the codec has ready, referenced into dst in
    // outputFormat(): 0 with one, -1 when it wants a packet, AVERROR_EOF
    // once drained, -2 for a picture that failed.
    int receiveStepPicture(AVFrame *dst);

    FFDecodeMode initDecodeMode(AVCodecContext *ctx, bool hardwareAvailable);
    AVPixelFormat findFormatByHwdevice(const char *name, AVHWDeviceType &type);
    int initHardwareDecoder(AVCodecContext *ctx, const AVHWDeviceType type);

    // The stream's nominal time between two pictures in seconds (its frame
    // rate, else 25 per second); set by avcodecOpen.
    double frameStepSeconds() const { return m_frameStep; }
    // How many packets the open decoder takes in before it gives out the
    // picture of the first (frame threads and reordering).
    int decoderDelayPackets() const { return m_decoderDelay; }

    // The surface format getHardwareFormat looks for.
    AVPixelFormat hardwarePixelFormat() const { return hwPixelFormat; }

private:
    void decodeLoop();
    void closeGate();
    void prepareContext(AVCodecContext *ctx, bool hardwareAvailable);
    bool dropPicture(const AVFrame *picture);
    void stampPicture(AVFrame *picture);
    // The decoded picture in system memory (downloaded from the device when
    // decoded on the hardware); null when the download fails. Codec lock held.
    AVFrame *systemPicture();
    // Brings a system-memory picture into outputFormat(); returns the picture to
    // hand on (src itself or convertFrame), null when the conversion failed.
    AVFrame *toOutputFormat(AVFrame *src);
    template <typename CodecStep>
    void withDecodeInterrupted(CodecStep step);

    CSyncFlag *gate = nullptr;       // open while the decode thread may run; written by the GUI thread
    AVFrame *decodeFrame = nullptr;  // codecLock
    AVFrame *transferFrame = nullptr; // codecLock
    AVFrame *convertFrame = nullptr; // codecLock
    SwsContext *scaler = nullptr;    // codecLock
    CPacketQueue packetQueue;        // demuxer thread -> decode thread
    CFrameQueue frameQueue;          // decode thread -> player thread
    std::atomic<FFDecodeMode> m_decodeMode{UNDEFINE_DECODE}; // written by avcodecOpen (GUI thread)
    AVPixelFormat hwPixelFormat = AV_PIX_FMT_NONE; // codecLock; read by get_format on the decoding thread
    // set by the GUI thread so a decode in progress gives up its remaining pictures and frees the codec
    std::atomic<bool> interrupted{false};
    std::atomic<double> m_frameStep{0.04}; // written by avcodecOpen
    std::atomic<int> m_decoderDelay{0};     // written by avcodecOpen
    int64_t frameTicks = 0;      // codecLock: one picture's step in the stream's time base
    int64_t nextStamp = AV_NOPTS_VALUE; // codecLock: where a picture without a timestamp goes
    int dropCount = 0; // decode thread; reset by start() while the thread is parked
    int dropCycle = 0; // as dropCount
};

// The codec's get_format callback: picks the decoder's hardware surface format.
TRACKORAACTIVEX_EXPORT AVPixelFormat getHardwareFormat(AVCodecContext *ctx, const AVPixelFormat *formats);
// Downloads a hardware picture into system memory; 0 on success, -1 otherwise.
TRACKORAACTIVEX_EXPORT int extractGPUData(AVFrame *hardware, AVFrame *system);

} // namespace TrackoraActiveX
