#pragma once

#include <QLoggingCategory>

// Tracks from elsewhere: sidecar and folder track files, NMEA and GPMF
// readers, the per-second alignment.
Q_DECLARE_LOGGING_CATEGORY(lcTrackFiles)
