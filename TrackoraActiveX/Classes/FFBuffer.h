#pragma once

#include "trackoraactivex_global.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

namespace TrackoraActiveX {

// A wait gives up after this many steps of waitTimeoutMs; callers retry on their next pass.
constexpr int kQueueWaitSteps = 60;
// Default length of one wait step: 60 steps make 2.4 s.
constexpr int kQueueDefaultStepMs = 40;

// How a queue makes, references and releases its FFmpeg shells, and the
// name its time-out log line gives it.
template <typename T>
struct ShellOps;

template <>
struct ShellOps<AVPacket>
{
    static constexpr auto alloc = av_packet_alloc;
    static constexpr auto ref = av_packet_ref;
    static constexpr auto unref = av_packet_unref;
    static constexpr auto release = av_packet_free;
    static constexpr const char *name = "Packet Queue";
};

template <>
struct ShellOps<AVFrame>
{
    static constexpr auto alloc = av_frame_alloc;
    static constexpr auto ref = av_frame_ref;
    static constexpr auto unref = av_frame_unref;
    static constexpr auto release = av_frame_free;
    static constexpr const char *name = "Frame Queue";
};

// Writes the line of a push or pull that gave up.
TRACKORAACTIVEX_EXPORT void logQueueTimeout(const char *queue, const char *operation, const void *address);

// Fixed-capacity FIFO of reference-counted FFmpeg shells shared by one producer
// and one consumer thread. Push, pull, flush and parking notify the condition
// variable, so a waiter returns as soon as its list changes; a wait that sees
// no change still ends after kQueueWaitSteps steps of waitTimeoutMs, except a
// push while the queue is parked. A pull that would wait on a parked queue
// fails at once: its consumer is being paused and should go to its gate.
template <typename T, int N>
class IBufferQueue
{
public:
    virtual void flushQueue() = 0;
    virtual int queueSize() = 0;

    // Takes a new reference to src's payload; false when no shell became free in time.
    bool pushQueue(const T *src)
    {
        if (!src)
            return false;
        const auto reference = [src](T *shell) { ShellOps<T>::ref(shell, src); };
        return finish(transfer(freeList, filledList, Wait::Limited, reference), "push");
    }

    // Moves the oldest payload's reference into dst; false when nothing came in time.
    bool pullQueue(T *dst) { return pull(dst, Wait::Limited); }

    // As pullQueue, but never waits: for a caller that holds a lock others wait on.
    bool tryPullQueue(T *dst) { return pull(dst, Wait::None); }

    // One wait step in milliseconds; written by the owner (any thread), read anew by each step.
    std::atomic<int> waitTimeoutMs{kQueueDefaultStepMs};

    // Makes every current and later push or pull return false at once; used
    // before the owner's threads are joined so none of them sits out a wait.
    void abortWaits()
    {
        std::lock_guard<std::mutex> lock(mutex);
        aborted = true;
        cond.notify_all();
    }

    // While the consumer is paused a push waits for room without a limit:
    // giving up would drop a packet or a picture the producer already holds.
    // A flush or abortWaits still ends the wait. A pull finding nothing fails
    // at once, and parking ends the pulls that wait.
    void setParked(bool on)
    {
        std::lock_guard<std::mutex> lock(mutex);
        parked = on;
        cond.notify_all();
    }

protected:
    IBufferQueue()
    {
        for (T *&shell : shells) {
            shell = ShellOps<T>::alloc();
            freeList.push_back(shell);
        }
    }
    ~IBufferQueue()
    {
        for (T *&shell : shells)
            ShellOps<T>::release(&shell);
    }
    IBufferQueue(const IBufferQueue &) = delete;
    IBufferQueue &operator=(const IBufferQueue &) = delete;

    void flushAll()
    {
        std::lock_guard<std::mutex> lock(mutex);
        while (!filledList.empty()) {
            T *shell = filledList.front();
            filledList.pop_front();
            ShellOps<T>::unref(shell);
            freeList.push_back(shell);
        }
        cond.notify_all();
    }

    int filledCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(filledList.size());
    }

private:
    enum class Transfer { Done, TimedOut, Aborted, Parked };
    enum class Wait { Limited, None };

    bool pull(T *dst, Wait wait)
    {
        if (!dst)
            return false;
        return finish(transfer(filledList, freeList, wait,
                               [dst](T *shell) {
                                   ShellOps<T>::ref(dst, shell);
                                   ShellOps<T>::unref(shell);
                               }),
                      wait == Wait::Limited ? "pull" : nullptr);
    }

    bool finish(Transfer result, const char *operation)
    {
        if (result == Transfer::TimedOut && operation)
            logQueueTimeout(ShellOps<T>::name, operation, this);
        return result == Transfer::Done;
    }

    // Waits until `from` holds a shell; then the front shell is moved to the
    // back of `to` and `move(shell)` runs, all under one hold of the mutex.
    template <typename Move>
    Transfer transfer(std::deque<T *> &from, std::deque<T *> &to, Wait wait, Move move)
    {
        const bool isPush = &from == &freeList;
        std::unique_lock<std::mutex> lock(mutex);
        auto available = [&] { return !from.empty() && (!isPush || int(filledList.size()) < capacity); };
        auto ready = [&] { return aborted || available(); };
        for (int attempt = 1;;) {
            if (aborted)
                return Transfer::Aborted;
            if (available())
                break;
            if (wait == Wait::None)
                return Transfer::TimedOut;
            if (parked) {
                if (!isPush)
                    return Transfer::Parked;
                cond.wait(lock, [&] { return ready() || !parked; });
                continue;
            }
            const int stepMs = waitTimeoutMs.load();
            if (stepMs > 0) {
                const auto stepEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(stepMs);
                cond.wait_until(lock, stepEnd, [&] { return ready() || parked; });
                if (ready() || parked)
                    continue;
            }
            if (attempt++ >= kQueueWaitSteps)
                return Transfer::TimedOut;
        }
        T *shell = from.front();
        from.pop_front();
        move(shell);
        to.push_back(shell);
        cond.notify_all();
        return Transfer::Done;
    }

protected:
    // How many shells may hold a payload at once (1 to N); a push waiting for
    // room sees a raised limit at once.
    void setFilledLimit(int limit)
    {
        std::lock_guard<std::mutex> lock(mutex);
        capacity = std::max(1, std::min(limit, N));
        cond.notify_all();
    }
    int filledLimit()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return capacity;
    }

private:
    T *shells[N] = {};
    int capacity = N; // guarded by mutex
    std::deque<T *> freeList;   // guarded by mutex; shells without payload, oldest first
    std::deque<T *> filledList; // guarded by mutex; shells holding a reference, oldest first
    std::mutex mutex;
    std::condition_variable cond;
    bool aborted = false; // guarded by mutex; set once by the owner before it joins its threads
    bool parked = false;  // guarded by mutex; set by the owner while the consumer is paused
};

// Compressed packets from the demuxer thread to one decoder.
class TRACKORAACTIVEX_EXPORT CPacketQueue : public IBufferQueue<AVPacket, 4>
{
public:
    void flushQueue() override;
    int queueSize() override;
};

// Most audio packets the demuxer may read ahead: over five seconds of AAC.
constexpr int kMaxAudioPackets = 256;

// Compressed sound from the demuxer thread to the audio decoder. It takes
// four packets, or as many as the owner lets it (up to kMaxAudioPackets):
// with few pictures per second the demuxer must read the sound further ahead,
// or the video decoder gets the packets it needs for its next picture too late.
class TRACKORAACTIVEX_EXPORT CAudioPacketQueue : public IBufferQueue<AVPacket, kMaxAudioPackets>
{
public:
    CAudioPacketQueue();
    void flushQueue() override;
    int queueSize() override;
    // Clamped to 4..kMaxAudioPackets; a push waiting for room sees the new limit.
    void setCapacity(int packets);
    int currentCapacity();
};

// Decoded pictures from the video decode thread to the player thread.
class TRACKORAACTIVEX_EXPORT CFrameQueue : public IBufferQueue<AVFrame, 2>
{
public:
    void flushQueue() override;
    int queueSize() override;
};

// A flag with its own wake-up channel: a gate for worker loops and a pause
// acknowledgement. The owner uses mutex and cond directly to build gates.
class TRACKORAACTIVEX_EXPORT CSyncFlag
{
public:
    CSyncFlag() = default;
    CSyncFlag(const CSyncFlag &) = delete;
    CSyncFlag &operator=(const CSyncFlag &) = delete;

    void setFlag(bool value);
    // 0 when the flag is clear or is cleared within limitMs, -1 otherwise.
    int waitWhileSet(int limitMs);

    std::atomic<bool> flag{false}; // atomic: worker loops read it without the mutex
    std::mutex mutex;
    std::condition_variable cond;
};

} // namespace TrackoraActiveX
