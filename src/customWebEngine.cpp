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

CMapRequestInterceptor::CMapRequestInterceptor(QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_pagesFolder(QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/maps")) + QLatin1Char('/'))
{
}

void CMapRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    // The map pages reach remote addresses, which in the engine also opens
    // every local file to their scripts; only their own folder stays open.
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() && info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame
        && !QDir::cleanPath(url.toLocalFile()).startsWith(m_pagesFolder)) {
        qCWarning(lcMapRequests) << "refused local file" << url.toString();
        info.block(true);
        return;
    }
    const QString host = info.requestUrl().host(QUrl::FullyDecoded);
    if (!host.contains(QLatin1String(ApiDomain)) && !host.contains(QLatin1String(StaticDomain)))
        return;
    qCDebug(lcMapRequests) << host;
    info.setHttpHeader(QByteArrayLiteral("Referer"), QByteArray(FixedReferrer));
    info.setHttpHeader(QByteArrayLiteral("Origin"), QByteArrayLiteral("file://"));
}

CCustomWebEnginePage::CCustomWebEnginePage(QObject *parent)
    : QWebEnginePage(parent)
{
}

bool CCustomWebEnginePage::certificateError(const QWebEngineCertificateError &error)
{
    // The link has already reached the system browser through urlChanged; a
    // page that cannot prove who it is has no business loading here.
    qCWarning(lcMapRequests) << "refused" << error.url().toString() << "certificate error"
                             << error.error() << error.errorDescription();
    return false;
}
