#include "FFBuffer.h"

#include <QDebug>
#include <QLoggingCategory>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcBuffer, "trackora.engine.buffer")

CPacketQueue::CPacketQueue()
{
    for (int i = 0; i < 4; ++i) {
        shells[i] = av_packet_alloc();
        freeList.push_back(shells[i]);
    }
}

CPacketQueue::~CPacketQueue()
{
    for (AVPacket *&shell : shells) {
        av_packet_unref(shell);
        av_packet_free(&shell);
    }
}

bool CPacketQueue::pushQueue(const AVPacket *src)
{
    if (!src)
        return false;
    const Transfer result = transfer(freeList, filledList, [src](AVPacket *shell) { av_packet_ref(shell, src); });
    if (result == Transfer::TimedOut)
        qCDebug(lcBuffer) << "Waiting for timeout to Packet Queue push" << static_cast<void *>(this);
    return result == Transfer::Done;
}

bool CPacketQueue::pullQueue(AVPacket *dst)
{
    if (!dst)
        return false;
    const Transfer result = transfer(filledList, freeList, [dst](AVPacket *shell) {
        av_packet_ref(dst, shell);
        av_packet_unref(shell);
    });
    if (result == Transfer::TimedOut)
        qCDebug(lcBuffer) << "Waiting for timeout to Packet Queue pull" << static_cast<void *>(this);
    return result == Transfer::Done;
}

void CPacketQueue::flushQueue()
{
    flushAll([](AVPacket *shell) { av_packet_unref(shell); });
}

int CPacketQueue::queueSize()
{
    return filledCount();
}

CFrameQueue::CFrameQueue()
{
    for (int i = 0; i < 2; ++i) {
        shells[i] = av_frame_alloc();
        freeList.push_back(shells[i]);
    }
}

CFrameQueue::~CFrameQueue()
{
    for (AVFrame *&shell : shells)
        av_frame_free(&shell);
}

bool CFrameQueue::pushQueue(const AVFrame *src)
{
    if (!src)
        return false;
    const Transfer result = transfer(freeList, filledList, [src](AVFrame *shell) { av_frame_ref(shell, src); });
    if (result == Transfer::TimedOut)
        qCDebug(lcBuffer) << "Waiting for timeout to Frame Queue push" << static_cast<void *>(this);
    return result == Transfer::Done;
}

bool CFrameQueue::pullQueue(AVFrame *dst)
{
    if (!dst)
        return false;
    const Transfer result = transfer(filledList, freeList, [dst](AVFrame *shell) {
        av_frame_ref(dst, shell);
        av_frame_unref(shell);
    });
    if (result == Transfer::TimedOut)
        qCDebug(lcBuffer) << "Waiting for timeout to Frame Queue pull" << static_cast<void *>(this);
    return result == Transfer::Done;
}

void CFrameQueue::flushQueue()
{
    flushAll([](AVFrame *shell) { av_frame_unref(shell); });
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
