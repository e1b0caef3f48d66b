#include "FFNextInput.h"
#include "FFThreadHook.h"
#include "FFUtils.h"

#include <QElapsedTimer>
#include <QLoggingCategory>

extern "C" {
#include <libavformat/avformat.h>
}

#include <chrono>

namespace TrackoraActiveX {

Q_LOGGING_CATEGORY(lcNextInput, "trackora.engine.next")

namespace {
// The stream probe reads one second of media, as the first open does.
constexpr int64_t kAnalyzeDuration = 1000000;
// A waiting take looks at its caller's run flag this often.
constexpr auto kTakeRecheck = std::chrono::milliseconds(50);
} // namespace

CFFNextInput::~CFFNextInput()
{
    cancel();
}

void CFFNextInput::open(const QString &path)
{
    cancel();
    if (path.isEmpty())
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        stage = Stage::Opening;
        target = path;
    }
    aborted = false;
    opener = std::thread([this, path] { run(path); });
}

void CFFNextInput::cancel()
{
    aborted = true;
    if (opener.joinable())
        opener.join();
    std::lock_guard<std::mutex> lock(mutex);
    if (input)
        avformat_close_input(&input);
    stage = Stage::Idle;
    target.clear();
    changed.notify_all();
}

QString CFFNextInput::path() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return target;
}

int CFFNextInput::interrupt(void *self)
{
    return static_cast<CFFNextInput *>(self)->aborted.load() ? 1 : 0;
}

void CFFNextInput::run(const QString &path)
{
    runThreadStartHook();
    QElapsedTimer took;
    took.start();
    AVFormatContext *context = avformat_alloc_context();
    bool opened = false;
    if (context) {
        // A change of mind (or a stop) ends the reads at once.
        context->interrupt_callback.callback = &CFFNextInput::interrupt;
        context->interrupt_callback.opaque = this;
        int ret = avformat_open_input(&context, path.toStdString().c_str(), nullptr, nullptr);
        if (ret < 0 && aborted) {
            qCDebug(lcNextInput) << "next input given up" << path;
        } else if (ret < 0) {
            qCWarning(lcNextInput).noquote() << "Couldn't open input stream. " + ffErrorText(ret) << path;
        } else {
            context->max_analyze_duration = kAnalyzeDuration;
            ret = avformat_find_stream_info(context, nullptr);
            if (ret < 0) {
                if (!aborted)
                    qCWarning(lcNextInput).noquote() << "Couldn't find stream information. " + ffErrorText(ret) << path;
                avformat_close_input(&context);
            } else {
                opened = true;
            }
        }
    }
    qCDebug(lcNextInput) << "next input" << path << (opened ? "opened" : "failed") << took.elapsed() << "ms";
    std::lock_guard<std::mutex> lock(mutex);
    if (stage == Stage::Opening && !aborted) {
        input = opened ? context : nullptr;
        stage = opened ? Stage::Ready : Stage::Failed;
        context = nullptr;
    }
    if (context)
        avformat_close_input(&context);
    changed.notify_all();
}

AVFormatContext *CFFNextInput::take(QString &path, const std::atomic<bool> &keepWaiting)
{
    std::unique_lock<std::mutex> lock(mutex);
    while (stage == Stage::Opening && keepWaiting)
        changed.wait_for(lock, kTakeRecheck);
    if (stage != Stage::Ready)
        return nullptr;
    AVFormatContext *taken = input;
    input = nullptr;
    path = target;
    stage = Stage::Idle;
    target.clear();
    return taken;
}

bool CFFNextInput::putBack(AVFormatContext *context, const QString &path)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (stage == Stage::Opening || stage == Stage::Ready)
        return false;
    input = context;
    target = path;
    stage = Stage::Ready;
    changed.notify_all();
    return true;
}

} // namespace TrackoraActiveX
