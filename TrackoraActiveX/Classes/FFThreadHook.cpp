#include "FFThreadHook.h"

#include <atomic>

namespace TrackoraActiveX {

namespace {
std::atomic<void (*)()> threadStartHook{nullptr};
} // namespace

void installThreadStartHook(void (*hook)())
{
    threadStartHook = hook;
}

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
