#include "trackoraactivex_global.h"
#include "trackoraversion.h"

extern "C" TRACKORAACTIVEX_EXPORT const char *trackoraActiveXVersion()
{
    return TRACKORA_VERSION;
}
