#pragma once

#include <QString>

// Asks the desktop to keep the system and the display on while the viewer
// runs. The request is never withdrawn; it ends with the process.
class KeepAwake
{
public:
    // True when some service accepted the request.
    static bool request(const QString &reason);
};
