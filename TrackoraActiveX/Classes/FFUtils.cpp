#include "FFUtils.h"
#include "FFThreadHook.h"

#include <QDebug>
#include <QLoggingCategory>

#include <cstdarg>
#include <cstring>
#include <mutex>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcFFmpeg, "trackora.ffmpeg")

namespace {

// FFmpeg writes a line in pieces; each thread gathers its own until the newline.
void ffmpegLogLine(void *avcl, int level, const char *format, va_list args)
{
    if (level > av_log_get_level())
        return;
    thread_local QByteArray pending;
    thread_local int printPrefix = 1;
    char piece[1024];
    va_list copy;
    va_copy(copy, args);
    av_log_format_line2(avcl, level, format, copy, piece, sizeof piece, &printPrefix);
    va_end(copy);
    pending += piece;
    if (!pending.endsWith('\n'))
        return;
    pending.chop(1);
    const QString text = QString::fromUtf8(pending);
    pending.clear();
    if (level <= AV_LOG_ERROR)
        qCCritical(lcFFmpeg).noquote() << text;
    else if (level <= AV_LOG_WARNING)
        qCWarning(lcFFmpeg).noquote() << text;
    else if (level <= AV_LOG_INFO)
        qCInfo(lcFFmpeg).noquote() << text;
    else
        qCDebug(lcFFmpeg).noquote() << text;
}

} // namespace

void routeFFmpegLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_callback(ffmpegLogLine); });
}

QString ffErrorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::number(-error) + QLatin1Char(' ') + QString::fromUtf8(text);
}

CFFAVBase::CFFAVBase(CFFPlayer *owner)
    : packet(av_packet_alloc())
    , owner(owner)
{
}

CFFAVBase::~CFFAVBase()
{
    finishRetire();
    av_packet_unref(packet);
    av_packet_free(&packet);
}

bool CFFAVBase::openStream(AVFormatContext *ctx, AVMediaType type)
{
    std::lock_guard<std::mutex> lock(codecLock);
    m_streamIndex = AVERROR_STREAM_NOT_FOUND;
    if (!ctx)
        return false;
    const AVCodec *found = nullptr;
    const int index = av_find_best_stream(ctx, type, -1, -1, &found, 0);
    if (index < 0 || !found)
        return false;
    AVStream *chosen = ctx->streams[index];
    AVCodecContext *context = avcodec_alloc_context3(found);
    if (!context)
        return false;
    if (avcodec_parameters_to_context(context, chosen->codecpar) < 0) {
        avcodec_free_context(&context);
        return false;
    }
    if (m_codecContext)
        avcodec_free_context(&m_codecContext);
    m_codecContext = context;
    codec = found;
    stream = chosen;
    timeBase = chosen->time_base;
    m_streamIndex = index;
    return true;
}

void CFFAVBase::flushCodec()
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (m_codecContext && avcodec_is_open(m_codecContext))
        avcodec_flush_buffers(m_codecContext);
}

void CFFAVBase::closeCodec()
{
    AVCodecContext *old = nullptr;
    {
        std::lock_guard<std::mutex> lock(codecLock);
        stream = nullptr;
        codec = nullptr;
        old = m_codecContext;
        m_codecContext = nullptr;
        m_streamIndex = AVERROR_STREAM_NOT_FOUND;
    }
    if (!old)
        return;
    // Freeing joins the codec's frame threads, which first finish the pictures
    // they hold: tens of milliseconds at 1080p, which a stop need not wait for.
    // Nothing else refers to the context now.
    finishRetire();
    retirer = std::thread([old]() mutable {
        runThreadStartHook();
        avcodec_free_context(&old);
    });
}

void CFFAVBase::finishRetire()
{
    if (retirer.joinable())
        retirer.join();
}

qint64 CFFAVBase::ptsToMs(const AVFrame *frame, qint64 startMs)
{
    if (!frame || timeBase.den == 0)
        return -startMs;
    return qint64(double(frame->pts) / timeBase.den * timeBase.num * 1000) - startMs;
}

void CFFAVBase::streamTimes(qint64 *startMs, qint64 *durationMs)
{
    std::lock_guard<std::mutex> lock(codecLock);
    if (!stream || timeBase.num == 0 || timeBase.den == 0)
        return;
    auto toMs = [this](int64_t value) { return qint64(double(value) / timeBase.den * timeBase.num * 1000); };
    if (durationMs && stream->duration > 0 && stream->duration != AV_NOPTS_VALUE) {
        const qint64 ms = toMs(stream->duration);
        if (ms > 0)
            *durationMs = ms;
    }
    if (startMs && stream->start_time > 0 && stream->start_time != AV_NOPTS_VALUE) {
        const qint64 ms = toMs(stream->start_time);
        if (ms > 0)
            *startMs = ms;
    }
}

AVCodecContext *CFFAVBase::codecContext()
{
    return m_codecContext;
}

int CFFAVBase::streamIndex()
{
    return m_streamIndex;
}

int CFFAVBase::timeBaseNum()
{
    return timeBase.num;
}

int CFFAVBase::timeBaseDen()
{
    return timeBase.den;
}

} // namespace TrackoraActiveX
