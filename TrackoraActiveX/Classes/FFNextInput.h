#pragma once

#include "trackoraactivex_global.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

struct AVFormatContext;

namespace TrackoraActiveX {

// The file a player goes on with when the current one ends. open() reads and
// probes it on a helper thread while the current file plays; the demuxer's
// thread takes the opened input at the end of the current one. open, cancel
// and the destructor run on the GUI thread, take on the demuxer's thread.
class TRACKORAACTIVEX_EXPORT CFFNextInput
{
public:
    CFFNextInput() = default;
    ~CFFNextInput();
    CFFNextInput(const CFFNextInput &) = delete;
    CFFNextInput &operator=(const CFFNextInput &) = delete;

    // Starts opening `path`, giving up any earlier one; an empty path only gives up.
    void open(const QString &path);
    void cancel();
    QString path() const;

    // The opened input (the caller owns it from now on) and its path; null when
    // none was asked for or it could not be opened. Waits while the open is
    // still under way, unless `keepWaiting` turns false.
    AVFormatContext *take(QString &path, const std::atomic<bool> &keepWaiting);
    // Hands back an input taken too early (the current file was sought
    // again before its end); false when another file is asked for meanwhile,
    // and the caller keeps it.
    bool putBack(AVFormatContext *context, const QString &path);

private:
    enum class Stage { Idle, Opening, Ready, Failed };
    static int interrupt(void *self);
    void run(const QString &path);

    mutable std::mutex mutex;
    std::condition_variable changed;
    Stage stage = Stage::Idle;            // mutex
    QString target;                       // mutex
    AVFormatContext *input = nullptr;     // mutex; owned while Ready
    std::atomic<bool> aborted{false};     // read by FFmpeg's interrupt callback
    std::thread opener;                   // GUI thread
};

} // namespace TrackoraActiveX
