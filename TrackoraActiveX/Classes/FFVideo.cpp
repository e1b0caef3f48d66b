#include "FFVideo.h"
#include "FFHelper.h"
#include "FFPlayer.h"
#include "FFThreadHook.h"

#include <QDebug>
#include <QLoggingCategory>

#include <algorithm>

extern "C" {
#include <libavutil/hwcontext.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcVideo, "trackora.engine.video")

namespace {
// A parked decode thread rechecks its gate this often, so a missed wake-up costs at most this.
constexpr auto kGateRecheck = std::chrono::milliseconds(100);
// Software decoding: frame threads, as many as a typical desktop has cores to spare.
constexpr int kSoftwareThreads = 4;

// The queue turns the demuxer's empty end-of-file packet into a zero-sized one
// with a buffer, which the decoder would refuse; it means "drain".
AVPacket *drainAware(AVPacket *pkt)
{
    return pkt && pkt->size > 0 ? pkt : nullptr;
}

// swscale wants the full-range JPEG formats as their plain twins plus a range flag.
AVPixelFormat plainFormat(AVPixelFormat format, bool *fullRange)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P:
        *fullRange = true;
        return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P:
        *fullRange = true;
        return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P:
        *fullRange = true;
        return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P:
        *fullRange = true;
        return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P:
        *fullRange = true;
        return AV_PIX_FMT_YUV411P;
    default:
        return format;
    }
}

bool isHardwareFormat(int format)
{
    const AVPixFmtDescriptor *desc = av_pix_fmt_desc_get(AVPixelFormat(format));
    return desc && (desc->flags & AV_PIX_FMT_FLAG_HWACCEL);
}
} // namespace

CFFVideo::CFFVideo(CFFPlayer *owner)
    : CFFAVBase(owner)
{
    decodeFrame = av_frame_alloc();
    transferFrame = av_frame_alloc();
    convertFrame = av_frame_alloc();
    alive = true;
    gate = new CSyncFlag;
    decodeThread = new std::thread(&CFFVideo::decodeLoop, this);
}

CFFVideo::~CFFVideo()
{
    {
        std::lock_guard<std::mutex> lock(gate->mutex);
        alive = false;
        gate->flag = true;
        gate->cond.notify_all();
    }
    abortWaits();
    decodeThread->join();
    delete decodeThread;
    decodeThread = nullptr;
    delete gate;
    gate = nullptr;
    closeCodec();
    finishRetire();
    av_frame_free(&decodeFrame);
    av_frame_free(&transferFrame);
    av_frame_free(&convertFrame);
    sws_freeContext(scaler);
}

void CFFVideo::decodeLoop()
{
    runThreadStartHook();
    while (alive) {
        // A paused seek decodes on the demuxer thread; this thread stays parked meanwhile, or it
        // could slip a queued packet from before the jump into the same codec.
        if (!gate->flag) {
            std::unique_lock<std::mutex> lock(gate->mutex);
            gate->cond.wait_for(lock, kGateRecheck, [this] { return gate->flag || !alive; });
            continue;
        }
        if (!alive)
            break;
        if (!packetQueue.pullQueue(packet))
            continue;
        decodePacket(packet);
        av_packet_unref(packet);
    }
}

void CFFVideo::prepareContext(AVCodecContext *ctx, bool hardwareAvailable)
{
    // lowres stays 0: a shrunken MJPEG picture is no use to the viewer.
    ctx->flags2 |= AV_CODEC_FLAG2_FAST;
    ctx->flags2 |= AV_CODEC_FLAG2_SHOW_ALL;
    ctx->err_recognition |= AV_EF_EXPLODE;
    initDecodeMode(ctx, hardwareAvailable);
}

bool CFFVideo::avcodecOpen()
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext)
        return false;
    prepareContext(m_codecContext, CFFHelper::hwAcclAvailable());
    int ret = avcodec_open2(m_codecContext, codec, nullptr);
    if (ret < 0 && m_decodeMode == HARDWARE_DECODE && stream) {
        // The device exists but will not take this stream: start over in software.
        qCWarning(lcVideo).noquote() << "Could not open video codec on the hardware. " + ffErrorText(ret);
        AVCodecContext *fresh = avcodec_alloc_context3(codec);
        if (fresh && avcodec_parameters_to_context(fresh, stream->codecpar) >= 0) {
            avcodec_free_context(&m_codecContext);
            m_codecContext = fresh;
            prepareContext(m_codecContext, false);
            ret = avcodec_open2(m_codecContext, codec, nullptr);
        } else {
            avcodec_free_context(&fresh);
        }
    }
    if (ret < 0) {
        qCWarning(lcVideo).noquote() << "Could not open video codec. " + ffErrorText(ret);
        return false;
    }
    if (stream)
        stream->discard = AVDISCARD_DEFAULT;
    AVRational rate = stream ? stream->avg_frame_rate : AVRational{0, 1};
    if (rate.num <= 0 || rate.den <= 0)
        rate = stream ? stream->r_frame_rate : AVRational{0, 1};
    if (rate.num <= 0 || rate.den <= 0)
        rate = m_codecContext->framerate;
    if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 1000)
        rate = AVRational{25, 1};
    m_frameStep = av_q2d(av_inv_q(rate));
    frameTicks = timeBase.num > 0 && timeBase.den > 0 ? std::max<int64_t>(1, av_rescale_q(1, av_inv_q(rate), timeBase)) : 0;
    nextStamp = AV_NOPTS_VALUE;
    const bool frameThreads = (m_codecContext->active_thread_type & FF_THREAD_FRAME) != 0;
    m_decoderDelay = (frameThreads ? std::max(0, m_codecContext->thread_count - 1) : 0) + m_codecContext->has_b_frames;
    return true;
}

// A stream without timestamps (a raw elementary stream) gets them from its
// frame rate, counted on from the last picture that had one; without this
// its pictures would play as fast as they decode.
void CFFVideo::stampPicture(AVFrame *picture)
{
    if (picture->best_effort_timestamp == AV_NOPTS_VALUE)
        picture->best_effort_timestamp = picture->pts;
    if (picture->best_effort_timestamp == AV_NOPTS_VALUE && frameTicks > 0)
        picture->best_effort_timestamp = nextStamp == AV_NOPTS_VALUE ? 0 : nextStamp;
    if (picture->pts == AV_NOPTS_VALUE)
        picture->pts = picture->best_effort_timestamp;
    if (picture->best_effort_timestamp != AV_NOPTS_VALUE)
        nextStamp = picture->best_effort_timestamp + frameTicks;
}

FFDecodeMode CFFVideo::initDecodeMode(AVCodecContext *ctx, bool hardwareAvailable)
{
    const char *codecName = ctx->codec ? ctx->codec->name : (codec ? codec->name : "");
    const char *codecLongName = ctx->codec ? ctx->codec->long_name : (codec ? codec->long_name : "");
    if (hardwareAvailable) {
        // Without a probed device (a caller forcing the attempt) try the first kind the probe would.
        const AVHWDeviceType probed = CFFHelper::hwDeviceType();
        const char *deviceName = av_hwdevice_get_type_name(probed != AV_HWDEVICE_TYPE_NONE ? probed
                                                                                          : AV_HWDEVICE_TYPE_VAAPI);
        AVHWDeviceType type = AV_HWDEVICE_TYPE_NONE;
        const AVPixelFormat format = findFormatByHwdevice(deviceName, type);
        if (format == AV_PIX_FMT_NONE) {
            qCDebug(lcVideo, "Cannot support '%s' .\n", deviceName);
        } else {
            ctx->opaque = this;
            auto previous = ctx->get_format;
            const AVPixelFormat previousFormat = hwPixelFormat;
            hwPixelFormat = format;
            ctx->get_format = getHardwareFormat;
            if (initHardwareDecoder(ctx, type) >= 0) {
                ctx->thread_count = 1;
                qCDebug(lcVideo, "HARDWARE_DECODE codec_name: %s=>%s; ", codecName, codecLongName);
                m_decodeMode = HARDWARE_DECODE;
                return HARDWARE_DECODE;
            }
            ctx->get_format = previous;
            ctx->opaque = nullptr;
            hwPixelFormat = previousFormat;
        }
    }
    ctx->thread_count = kSoftwareThreads;
    ctx->thread_type = FF_THREAD_FRAME;
    qCDebug(lcVideo, "SOFTWARE_DECODE codec_name: %s=>%s", codecName, codecLongName);
    m_decodeMode = SOFTWARE_DECODE;
    return SOFTWARE_DECODE;
}

AVPixelFormat CFFVideo::findFormatByHwdevice(const char *name, AVHWDeviceType &type)
{
    type = av_hwdevice_find_type_by_name(name);
    if (type == AV_HWDEVICE_TYPE_NONE) {
        qCDebug(lcVideo, "Device type %s is not supported.\n", name);
        qCDebug(lcVideo, "Available device types:");
        for (AVHWDeviceType t = av_hwdevice_iterate_types(AV_HWDEVICE_TYPE_NONE); t != AV_HWDEVICE_TYPE_NONE;
             t = av_hwdevice_iterate_types(t))
            qCDebug(lcVideo, "%s", av_hwdevice_get_type_name(t));
        qCDebug(lcVideo, "\n");
        return AV_PIX_FMT_NONE;
    }
    switch (type) {
    case AV_HWDEVICE_TYPE_VDPAU:
        return AV_PIX_FMT_VDPAU;
    case AV_HWDEVICE_TYPE_CUDA:
        return AV_PIX_FMT_CUDA;
    case AV_HWDEVICE_TYPE_VAAPI:
        return AV_PIX_FMT_VAAPI;
    case AV_HWDEVICE_TYPE_DXVA2:
        return AV_PIX_FMT_DXVA2_VLD;
    case AV_HWDEVICE_TYPE_VIDEOTOOLBOX:
        return AV_PIX_FMT_VIDEOTOOLBOX;
    case AV_HWDEVICE_TYPE_D3D11VA:
        return AV_PIX_FMT_D3D11;
    default:
        return AV_PIX_FMT_NONE;
    }
}

int CFFVideo::initHardwareDecoder(AVCodecContext *ctx, const AVHWDeviceType type)
{
    AVBufferRef *device = nullptr;
    const int ret = av_hwdevice_ctx_create(&device, type, nullptr, nullptr, 0);
    if (ret < 0) {
        qCWarning(lcVideo).noquote() << "Failed to create specified HW device. " + ffErrorText(ret);
        return ret;
    }
    av_buffer_unref(&ctx->hw_device_ctx);
    ctx->hw_device_ctx = av_buffer_ref(device);
    av_buffer_unref(&device);
    return ret;
}

AVPixelFormat getHardwareFormat(AVCodecContext *ctx, const AVPixelFormat *formats)
{
    const auto *video = static_cast<const CFFVideo *>(ctx->opaque);
    const AVPixelFormat wanted = video ? video->hardwarePixelFormat() : AV_PIX_FMT_NONE;
    for (const AVPixelFormat *p = formats; *p != AV_PIX_FMT_NONE; ++p) {
        if (*p == wanted)
            return *p;
    }
    qCWarning(lcVideo, "Failed to get HW surface format.\n");
    // The device cannot take this stream (profile, bit depth): decode it in software instead of failing.
    for (const AVPixelFormat *p = formats; *p != AV_PIX_FMT_NONE; ++p) {
        if (!isHardwareFormat(*p))
            return *p;
    }
    return AV_PIX_FMT_NONE;
}

int extractGPUData(AVFrame *hardware, AVFrame *system)
{
    int ret = av_hwframe_transfer_data(system, hardware, 0);
    if (ret >= 0)
        ret = av_frame_copy_props(system, hardware);
    if (ret < 0) {
        qCWarning(lcVideo).noquote() << ffErrorText(ret) + ";" + QString::number(__LINE__) + ";extractGPUData";
        av_frame_unref(system);
        return -1;
    }
    return 0;
}

bool CFFVideo::dropPicture(const AVFrame *picture)
{
    if (!owner || owner->playbackRate() != PlaybackRate_2_0 || picture->key_frame)
        return false;
    ++dropCount;
    ++dropCycle;
    if (dropCycle <= 1)
        return true;
    dropCount = 0;
    dropCycle = 0;
    return false;
}

AVFrame *CFFVideo::systemPicture()
{
    if (hwPixelFormat == AV_PIX_FMT_NONE || decodeFrame->format != hwPixelFormat)
        return decodeFrame;
    return extractGPUData(decodeFrame, transferFrame) < 0 ? nullptr : transferFrame;
}

AVFrame *CFFVideo::toOutputFormat(AVFrame *src)
{
    const AVPixelFormat target = outputFormat();
    if (src->format == target)
        return src;
    if (src->format == AV_PIX_FMT_YUVJ420P && target == AV_PIX_FMT_YUV420P) {
        // The same layout: only the range differs, and the frame carries it. (A
        // same-format scale would copy the bytes without converting the range.)
        av_frame_unref(convertFrame);
        if (av_frame_ref(convertFrame, src) < 0)
            return nullptr;
        convertFrame->format = target;
        convertFrame->color_range = AVCOL_RANGE_JPEG;
        return convertFrame;
    }
    bool fullRange = src->color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat source = plainFormat(AVPixelFormat(src->format), &fullRange);
    scaler = sws_getCachedContext(scaler, src->width, src->height, source, src->width, src->height, target,
                                  SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler) {
        qCWarning(lcVideo, "Cannot convert %s pictures to %s", av_get_pix_fmt_name(AVPixelFormat(src->format)),
                  av_get_pix_fmt_name(target));
        return nullptr;
    }
    const int *coefficients = sws_getCoefficients(SWS_CS_DEFAULT);
    sws_setColorspaceDetails(scaler, coefficients, fullRange ? 1 : 0, coefficients, 0, 0, 1 << 16, 1 << 16);
    av_frame_unref(convertFrame);
    convertFrame->format = target;
    convertFrame->width = src->width;
    convertFrame->height = src->height;
    int ret = av_frame_get_buffer(convertFrame, 0);
    if (ret >= 0)
        ret = av_frame_copy_props(convertFrame, src);
    if (ret < 0) {
        qCWarning(lcVideo).noquote() << "Cannot allocate a converted picture: " + ffErrorText(ret);
        av_frame_unref(convertFrame);
        return nullptr;
    }
    sws_scale(scaler, src->data, src->linesize, 0, src->height, convertFrame->data, convertFrame->linesize);
    // The copied properties still carry the source's range; the output is limited.
    convertFrame->color_range = AVCOL_RANGE_MPEG;
    return convertFrame;
}

int CFFVideo::decodePacket(AVPacket *pkt, AVFrame *first)
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext || !avcodec_is_open(m_codecContext))
        return 0;
    AVPacket *input = drainAware(pkt);
    int ret = avcodec_send_packet(m_codecContext, input);
    if (ret == AVERROR_EOF) {
        // Drained at the end of the file and then sought: start over.
        avcodec_flush_buffers(m_codecContext);
        ret = avcodec_send_packet(m_codecContext, input);
    }
    if (ret < 0) {
        qCWarning(lcVideo).noquote() << ffErrorText(ret) + ";" + QString::number(__LINE__) +
                                            ";TrackoraActiveX::CFFVideo::decodePacket"
                                     << (pkt ? pkt->size : 0);
        return ret;
    }
    for (;;) {
        ret = avcodec_receive_frame(m_codecContext, decodeFrame);
        if (ret < 0) {
            av_frame_unref(decodeFrame);
            return ret == AVERROR(EAGAIN) || ret == AVERROR_EOF ? -1 : -2;
        }
        stampPicture(decodeFrame);
        AVFrame *picture = systemPicture();
        if (!picture) {
            av_frame_unref(decodeFrame);
            return -3;
        }
        AVFrame *out = nullptr;
        if (first || !dropPicture(picture))
            out = toOutputFormat(picture);
        if (out) {
            if (first) {
                // A re-entered paused seek finds the last one's picture
                // still held; referencing over it would leak that picture.
                av_frame_unref(first);
                av_frame_ref(first, out);
            }
            else
                frameQueue.pushQueue(out);
        }
        av_frame_unref(convertFrame);
        av_frame_unref(transferFrame);
        av_frame_unref(decodeFrame);
        if (first)
            return out ? 0 : -3;
        if (interrupted) // a seek or a stop waits for the codec; the pictures still to come are of no use
            return -1;
    }
}

int CFFVideo::drainLast(AVFrame *last)
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext || !avcodec_is_open(m_codecContext) || !last)
        return -1;
    if (avcodec_send_packet(m_codecContext, nullptr) < 0)
        return -1;
    int result = -1;
    while (avcodec_receive_frame(m_codecContext, decodeFrame) == 0) {
        stampPicture(decodeFrame);
        AVFrame *picture = systemPicture();
        AVFrame *out = picture ? toOutputFormat(picture) : nullptr;
        if (out) {
            av_frame_unref(last);
            av_frame_ref(last, out);
            result = 0;
        }
        av_frame_unref(convertFrame);
        av_frame_unref(transferFrame);
        av_frame_unref(decodeFrame);
    }
    return result;
}

void CFFVideo::start()
{
    dropCount = 0;
    dropCycle = 0;
    packetQueue.setParked(false);
    frameQueue.setParked(false);
    gate->setFlag(true);
}

// No wait for the thread to park: a decode in progress pushes its pictures
// into the parked queue, which keeps them, and a paused seek takes the codec
// from it (withDecodeInterrupted).
void CFFVideo::pause()
{
    closeGate();
}

// Parks the queues too: a pull waiting on an empty one ends, so the thread goes to its gate.
void CFFVideo::closeGate()
{
    gate->flag = false;
    packetQueue.setParked(true);
    frameQueue.setParked(true);
}

// Does not wait for the thread to park: the codec lock waits for a decode in
// progress, and the interruption cuts that decode short.
void CFFVideo::stop()
{
    closeGate();
    withDecodeInterrupted([this] { closeCodec(); });
    flushPackets();
}

void CFFVideo::flushForSeek()
{
    withDecodeInterrupted([this] { flushCodec(); });
}

int CFFVideo::sendStepPacket(AVPacket *pkt)
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext || !avcodec_is_open(m_codecContext))
        return AVERROR(EINVAL);
    const int ret = avcodec_send_packet(m_codecContext, drainAware(pkt));
    return ret == AVERROR_EOF ? 0 : ret;
}

int CFFVideo::receiveStepPicture(AVFrame *dst)
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!m_codecContext || !avcodec_is_open(m_codecContext))
        return AVERROR_EOF;
    int ret = avcodec_receive_frame(m_codecContext, decodeFrame);
    if (ret < 0) {
        av_frame_unref(decodeFrame);
        if (ret == AVERROR(EAGAIN))
            return -1;
        return ret == AVERROR_EOF ? AVERROR_EOF : -2;
    }
    AVFrame *picture = systemPicture();
    AVFrame *out = picture ? toOutputFormat(picture) : nullptr;
    av_frame_unref(dst);
    ret = out && av_frame_ref(dst, out) == 0 ? 0 : -2;
    av_frame_unref(convertFrame);
    av_frame_unref(transferFrame);
    av_frame_unref(decodeFrame);
    return ret;
}

// A decode blocked on a full (or parked) picture queue holds the codec: a
// free slot lets its push through, and `interrupted` ends its packet there.
template <typename CodecStep>
void CFFVideo::withDecodeInterrupted(CodecStep step)
{
    interrupted = true;
    flushFrames();
    step();
    interrupted = false;
    // What it pushed meanwhile belongs to the old place.
    flushFrames();
}

bool CFFVideo::pushPacket(const AVPacket *src)
{
    return packetQueue.pushQueue(src);
}

bool CFFVideo::pullFrame(AVFrame *dst)
{
    return frameQueue.pullQueue(dst);
}

void CFFVideo::flushPackets()
{
    packetQueue.flushQueue();
}

void CFFVideo::flushFrames()
{
    frameQueue.flushQueue();
}

int CFFVideo::frameQueueSize()
{
    return frameQueue.queueSize();
}

void CFFVideo::abortWaits()
{
    packetQueue.abortWaits();
    frameQueue.abortWaits();
}

FFDecodeMode CFFVideo::decodeMode()
{
    return m_decodeMode;
}

AVPixelFormat CFFVideo::outputFormat()
{
    return m_decodeMode == HARDWARE_DECODE ? AV_PIX_FMT_NV12 : AV_PIX_FMT_YUV420P;
}

} // namespace TrackoraActiveX
