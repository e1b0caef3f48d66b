#include "trackoraactivex_global.h"
#include "FFThreadHook.h"
#include "trackoraversion.h"

extern "C" TRACKORAACTIVEX_EXPORT const char *trackoraActiveXVersion()
{
    return TRACKORA_VERSION;
}

// The container's thread-start hook (TRACKORA_THREAD_START_HOOK_ENTRY).
extern "C" TRACKORAACTIVEX_EXPORT void setThreadStartHook(void (*hook)())
{
    TrackoraActiveX::installThreadStartHook(hook);
}
