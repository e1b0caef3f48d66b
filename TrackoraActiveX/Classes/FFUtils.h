#pragma once

#include "trackoraactivex_global.h"
#include "FFBuffer.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace TrackoraActiveX {

Q_NAMESPACE_EXPORT(TRACKORAACTIVEX_EXPORT)

// The engine and the control share these; the control re-exports them.
enum FFStates { StoppedState = 0, PlayingState = 1, PausedState = 2 };
Q_ENUM_NS(FFStates)

enum FFPlaybackRate { PlaybackRate_0_5 = 0, PlaybackRate_1_0 = 1, PlaybackRate_2_0 = 2 };
Q_ENUM_NS(FFPlaybackRate)

enum FFDecodeMode { UNDEFINE_DECODE = 0, SOFTWARE_DECODE = 1, HARDWARE_DECODE = 2 };
Q_ENUM_NS(FFDecodeMode)

class CFFPlayer;

// FFmpeg failure text as the log writes it: the negated code, then av_strerror's text.
TRACKORAACTIVEX_EXPORT QString ffErrorText(int error);

// Sends FFmpeg's own messages to the Qt message log (category
// "trackora.ffmpeg"), so decoder errors appear beside ours. Once per process.
TRACKORAACTIVEX_EXPORT void routeFFmpegLog();

// Common base of the video and the audio decoder: one stream and its codec
// context. Each decoder keeps the packet queue the demuxer feeds it in its
// own way (the audio one waits on it without its codec lock).
class TRACKORAACTIVEX_EXPORT CFFAVBase
{
public:
    explicit CFFAVBase(CFFPlayer *owner);
    virtual ~CFFAVBase();
    CFFAVBase(const CFFAVBase &) = delete;
    CFFAVBase &operator=(const CFFAVBase &) = delete;

    virtual bool avcodecOpen() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual void pause() = 0;

    bool openStream(AVFormatContext *ctx, AVMediaType type);
    void flushCodec();
    void closeCodec();
    qint64 ptsToMs(const AVFrame *frame, qint64 startMs);
    void streamTimes(qint64 *startMs, qint64 *durationMs);

    AVCodecContext *codecContext();
    int streamIndex();
    int timeBaseNum();
    int timeBaseDen();

protected:
    // Waits until the last closed context is freed; the decoders' destructors
    // call it while the get_format callback may still reach them.
    void finishRetire();

    std::mutex codecLock; // guards m_codecContext, codec and stream
    std::thread retirer;  // frees the last closed context; the closing thread joins the one before
    // written under codecLock (GUI thread); atomic because the demuxer thread routes by it
    std::atomic<int> m_streamIndex{AVERROR_STREAM_NOT_FOUND};
    AVCodecContext *m_codecContext = nullptr; // codecLock
    const AVCodec *codec = nullptr;           // codecLock
    AVStream *stream = nullptr;               // codecLock
    AVPacket *packet = nullptr;               // the decoding thread's working packet
    // written by openStream on the GUI thread while the consumers are parked at their gates
    AVRational timeBase{0, 1};
    CFFPlayer *owner = nullptr;
    std::atomic<bool> alive{false};        // video decoder only: the decode thread runs while set
    std::thread *decodeThread = nullptr;   // video decoder only
};

} // namespace TrackoraActiveX
