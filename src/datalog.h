#pragma once

#include <QLoggingCategory>

// Recording data: parsers, background parse and playlist.
Q_DECLARE_LOGGING_CATEGORY(lcData)
