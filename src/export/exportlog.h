#pragma once

#include <QLoggingCategory>

// Export: copies and re-encodes of a range of a trip.
Q_DECLARE_LOGGING_CATEGORY(lcExport)
