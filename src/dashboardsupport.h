#pragma once

#include <QLoggingCategory>
#include <QPixmap>

Q_DECLARE_LOGGING_CATEGORY(lcDashboard)

// The button and dial pictures are compiled into the static viewer library;
// the linker keeps them only when something names them, so every dashboard
// widget calls this before its style sheets or pictures are used.
void initDashboardImages();

// A dial picture from those resources; missing, it is null and `missing` is
// logged.
QPixmap loadDial(const QString &resource, const char *missing);
