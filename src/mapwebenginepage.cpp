#include "mapwebenginepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMap)

CMapWebEnginePage::CMapWebEnginePage(QObject *parent)
    : QWebEnginePage(parent)
{
}

bool CMapWebEnginePage::isMapPage(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QString folder = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/maps"))
        + QLatin1Char('/');
    return QDir::cleanPath(url.toLocalFile()).startsWith(folder);
}

bool CMapWebEnginePage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    // Frames inside the page only reach what the request interceptor lets through.
    if (!isMainFrame)
        return true;
    m_refused = !isMapPage(url);
    if (!m_refused)
        return true;
    qCWarning(lcMap) << "refused navigation of the map to" << url.toString(QUrl::RemoveQuery) << type;
    if (type == NavigationTypeLinkClicked)
        emit linkRequested(url);
    return false;
}
