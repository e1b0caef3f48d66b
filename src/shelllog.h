#pragma once

#include <QLoggingCategory>

// Application shell: start-up, single instance, keep-awake, configuration.
Q_DECLARE_LOGGING_CATEGORY(lcShell)
