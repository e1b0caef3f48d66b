#include "keepawake.h"

#include <windows.h>

bool KeepAwake::request(const QString &reason)
{
    Q_UNUSED(reason);
    return SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED) != 0;
}
