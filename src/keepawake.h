#pragma once

#include <QString>

// Asks the desktop to keep the system and the display on while the viewer
// runs. The request is never withdrawn; it ends with the process.
class KeepAwake
{
public:
    // True when the request went out; the answer, which may never come, is
    // only logged, so start-up never waits for it.
    static bool request(const QString &reason);
};
