#include "customWebEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QWebEngineCertificateError>
#include <QWebEngineUrlRequestInfo>

Q_LOGGING_CATEGORY(lcMapRequests, "trackora.map.requests")

// The Google page loads its script from the API domain and images and styles
// from the static-content domain.
const char *const CMapRequestInterceptor::ApiDomain = "googleapis.com";
const char *const CMapRequestInterceptor::StaticDomain = "gstatic.com";
// A host that cannot exist on the internet: ".invalid" is reserved for that.
const char *const CMapRequestInterceptor::FixedReferrer = "https://trackora-viewer.invalid/";

namespace {
// Beyond the provider's own: where its map draws imagery from, and the
// servers of the other pages (the Baidu provider and the OpenStreetMap tiles).
const char *const kOtherHosts[] = {"google.com", "ggpht.com", "googleusercontent.com",
                                   "baidu.com", "bdimg.com", "bdstatic.com",
                                   "tile.openstreetmap.org"};
}

bool CMapRequestInterceptor::isHostIn(const QString &host, const QString &domain)
{
    // Host names compare without case and without the root's trailing dot.
    QString name = host.toLower();
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name == domain || name.endsWith(QLatin1Char('.') + domain);
}

bool CMapRequestInterceptor::isProviderHost(const QString &host)
{
    return isHostIn(host, QLatin1String(ApiDomain)) || isHostIn(host, QLatin1String(StaticDomain));
}

bool CMapRequestInterceptor::isAllowedHost(const QString &host)
{
    if (isProviderHost(host))
        return true;
    for (const char *other : kOtherHosts)
        if (isHostIn(host, QLatin1String(other)))
            return true;
    return false;
}

CMapRequestInterceptor::CMapRequestInterceptor(QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_pagesFolder(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/maps")) + QLatin1Char('/'))
{
}

void CMapRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    const QString scheme = url.scheme().toLower();
    if (url.isLocalFile()) {
        // Top-level pages and frames included: nothing of the map's profile
        // may show or read a local file beyond the pages' own folder.
        if (QDir::cleanPath(url.toLocalFile()).startsWith(m_pagesFolder))
            return;
        qCWarning(lcMapRequests) << "refused local file" << url.toString();
        info.block(true);
        return;
    }
    if (scheme == QLatin1String("data") || scheme == QLatin1String("blob"))
        return;
    const QString host = url.host(QUrl::FullyDecoded);
    const bool web = scheme == QLatin1String("https") || scheme == QLatin1String("http")
        || scheme == QLatin1String("wss") || scheme == QLatin1String("ws");
    if (!web || !isAllowedHost(host)) {
        qCWarning(lcMapRequests) << "refused request to" << url.toString(QUrl::RemoveQuery | QUrl::RemovePath);
        info.block(true);
        return;
    }
    if (!isProviderHost(host))
        return;
    qCDebug(lcMapRequests) << host;
    info.setHttpHeader(QByteArrayLiteral("Referer"), QByteArray(FixedReferrer));
    info.setHttpHeader(QByteArrayLiteral("Origin"), QByteArrayLiteral("file://"));
}

CCustomWebEnginePage::CCustomWebEnginePage(QObject *parent)
    : QWebEnginePage(parent)
{
}

bool CCustomWebEnginePage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    // The system browser gets the address as it was asked for; loading it
    // here would run its scripts and follow its redirects inside the viewer.
    if (isMainFrame)
        emit linkRequested(url);
    return false;
}

bool CCustomWebEnginePage::certificateError(const QWebEngineCertificateError &error)
{
    // Nothing loads here; should anything try, it proves who it is first.
    qCWarning(lcMapRequests) << "refused" << error.url().toString() << "certificate error"
                             << error.error() << error.errorDescription();
    return false;
}
