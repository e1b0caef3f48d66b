#include "FFThreadHook.h"

#include <atomic>

namespace {
std::atomic<void (*)()> threadStartHook{nullptr};
} // namespace

namespace TrackoraActiveX {

void runThreadStartHook()
{
    thread_local bool ran = false;
    if (ran)
        return;
    ran = true;
    if (void (*hook)() = threadStartHook.load())
        hook();
}

} // namespace TrackoraActiveX

void setThreadStartHook(void (*hook)())
{
    threadStartHook = hook;
}
