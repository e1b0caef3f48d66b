#include "exportlog.h"

Q_LOGGING_CATEGORY(lcExport, "trackora.export")
