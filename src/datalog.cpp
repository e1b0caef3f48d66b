#include "datalog.h"

Q_LOGGING_CATEGORY(lcData, "trackora.data")
