#include "FFBuffer.h"

#include <QDebug>
#include <QLoggingCategory>

#include <algorithm>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcBuffer, "trackora.engine.buffer")

void logQueueTimeout(const char *queue, const char *operation, const void *address)
{
    qCDebug(lcBuffer).noquote() << QStringLiteral("Waiting for timeout to %1 %2")
                                       .arg(QLatin1String(queue), QLatin1String(operation))
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

CAudioPacketQueue::CAudioPacketQueue()
{
    setCapacity(4);
}

void CAudioPacketQueue::flushQueue()
{
    flushAll();
}

int CAudioPacketQueue::queueSize()
{
    return filledCount();
}

void CAudioPacketQueue::setCapacity(int packets)
{
    setFilledLimit(std::clamp(packets, 4, kMaxAudioPackets));
}

int CAudioPacketQueue::currentCapacity()
{
    return filledLimit();
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
    // Woken only by the flag's clearing, never by another notify or a spurious wake-up.
    return cond.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return !flag; }) ? 0 : -1;
}

} // namespace TrackoraActiveX
