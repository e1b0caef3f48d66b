#include "shelllog.h"

Q_LOGGING_CATEGORY(lcShell, "trackora.shell")
