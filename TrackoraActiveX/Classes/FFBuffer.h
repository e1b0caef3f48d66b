#pragma once

#include "trackoraactivex_global.h"

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

// Fixed-capacity FIFO of reference-counted FFmpeg shells shared by one producer
// and one consumer thread. Push, pull and flush notify the condition variable,
// so a waiter returns as soon as its list changes; a wait that sees no change
// still ends after kQueueWaitSteps steps of waitTimeoutMs.
template <typename T, int N>
class IBufferQueue
{
public:
    virtual void flushQueue() = 0;
    virtual int queueSize() = 0;

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

protected:
    IBufferQueue() = default;
    ~IBufferQueue() = default;
    IBufferQueue(const IBufferQueue &) = delete;
    IBufferQueue &operator=(const IBufferQueue &) = delete;

    enum class Transfer { Done, TimedOut, Aborted };

    // Waits until `from` holds a shell, at most kQueueWaitSteps steps; then the
    // front shell is moved to the back of `to` and `move(shell)` runs, all under
    // one hold of the mutex.
    template <typename Move>
    Transfer transfer(std::deque<T *> &from, std::deque<T *> &to, Move move)
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (int attempt = 1;; ++attempt) {
            if (aborted)
                return Transfer::Aborted;
            if (!from.empty())
                break;
            const int stepMs = waitTimeoutMs.load();
            if (stepMs > 0) {
                const auto stepEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(stepMs);
                cond.wait_until(lock, stepEnd, [&] { return aborted || !from.empty(); });
                if (aborted)
                    return Transfer::Aborted;
                if (!from.empty())
                    break;
            }
            if (attempt >= kQueueWaitSteps)
                return Transfer::TimedOut;
        }
        T *shell = from.front();
        from.pop_front();
        move(shell);
        to.push_back(shell);
        cond.notify_all();
        return Transfer::Done;
    }

    template <typename Unref>
    void flushAll(Unref unref)
    {
        std::lock_guard<std::mutex> lock(mutex);
        while (!filledList.empty()) {
            T *shell = filledList.front();
            filledList.pop_front();
            unref(shell);
            freeList.push_back(shell);
        }
        cond.notify_all();
    }

    int filledCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(filledList.size());
    }

    T *shells[N] = {};
    std::deque<T *> freeList;   // guarded by mutex; shells without payload, oldest first
    std::deque<T *> filledList; // guarded by mutex; shells holding a reference, oldest first
    std::mutex mutex;
    std::condition_variable cond;
    bool aborted = false; // guarded by mutex; set once by the owner before it joins its threads
};

// Compressed packets from the demuxer thread to one decoder.
class TRACKORAACTIVEX_EXPORT CPacketQueue : public IBufferQueue<AVPacket, 4>
{
public:
    CPacketQueue();
    ~CPacketQueue();

    bool pushQueue(const AVPacket *src);
    bool pullQueue(AVPacket *dst);
    void flushQueue() override;
    int queueSize() override;
};

// Decoded pictures from the video decode thread to the player thread.
class TRACKORAACTIVEX_EXPORT CFrameQueue : public IBufferQueue<AVFrame, 2>
{
public:
    CFrameQueue();
    ~CFrameQueue();

    bool pushQueue(const AVFrame *src);
    bool pullQueue(AVFrame *dst);
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
    // 0 when the flag is clear or the single wait was woken, -1 when it timed out
    // (or the flag is set and limitMs is not positive).
    int waitWhileSet(int limitMs);

    std::atomic<bool> flag{false}; // atomic: worker loops read it without the mutex
    std::mutex mutex;
    std::condition_variable cond;
};

} // namespace TrackoraActiveX
