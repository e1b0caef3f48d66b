#include "trackoraactivex_global.h"

extern "C" TRACKORAACTIVEX_EXPORT const char *trackoraActiveXVersion()
{
    return "1.0.0";
}
