#include "FFBuffer.h"

#include <QDebug>
#include <QLoggingCategory>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcBuffer, "trackora.engine.buffer")

AVPacket *ShellOps<AVPacket>::alloc()
{
    return av_packet_alloc();
}

void ShellOps<AVPacket>::ref(AVPacket *dst, const AVPacket *src)
{
    av_packet_ref(dst, src);
}

void ShellOps<AVPacket>::unref(AVPacket *shell)
{
    av_packet_unref(shell);
}

void ShellOps<AVPacket>::release(AVPacket **shell)
{
    av_packet_free(shell);
}

const char *const ShellOps<AVPacket>::name = "Packet Queue";

AVFrame *ShellOps<AVFrame>::alloc()
{
    return av_frame_alloc();
}

void ShellOps<AVFrame>::ref(AVFrame *dst, const AVFrame *src)
{
    av_frame_ref(dst, src);
}

void ShellOps<AVFrame>::unref(AVFrame *shell)
{
    av_frame_unref(shell);
}

void ShellOps<AVFrame>::release(AVFrame **shell)
{
    av_frame_free(shell);
}

const char *const ShellOps<AVFrame>::name = "Frame Queue";

void logQueueTimeout(const char *queue, const char *operation, const void *address)
{
    qCDebug(lcBuffer).noquote() << QStringLiteral("Waiting for timeout to %1 %2").arg(QLatin1String(queue), QLatin1String(operation))
                                << address;
}

void CPacketQueue::flushQueue()
{
    flushAll();
}

int CPacketQueue::queueSize()
{
    return filledCount();
}

void CFrameQueue::flushQueue()
{
    flushAll();
}

int CFrameQueue::queueSize()
{
    return filledCount();
}

void CSyncFlag::setFlag(bool value)
{
    std::lock_guard<std::mutex> lock(mutex);
    flag = value;
    cond.notify_one();
}

int CSyncFlag::waitWhileSet(int limitMs)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (!flag)
        return 0;
    if (limitMs <= 0)
        return -1;
    return cond.wait_for(lock, std::chrono::milliseconds(limitMs)) == std::cv_status::timeout ? -1 : 0;
}

} // namespace TrackoraActiveX
