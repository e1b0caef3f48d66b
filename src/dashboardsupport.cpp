#include "dashboardsupport.h"

Q_LOGGING_CATEGORY(lcDashboard, "trackora.dashboard")

void initDashboardImages()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(dashboardimages);
        return true;
    }();
    Q_UNUSED(done)
}

QPixmap loadDial(const QString &resource, const char *missing)
{
    initDashboardImages();
    QPixmap dial(resource);
    if (dial.isNull())
        qCWarning(lcDashboard) << missing;
    return dial;
}
