#pragma once

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

// Adds the fixed Referer and Origin headers the map provider's servers expect
// from a page that was loaded from a local file, and confines the map's
// profile: local files only inside the maps folder, network requests only to
// the provider's hosts and the tile servers the pages use. Its state is fixed
// at construction, so the web engine may call it from any thread.
class CMapRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    explicit CMapRequestInterceptor(QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // The provider's hosts: these domains and the hosts below them.
    static const char *const ApiDomain;
    static const char *const StaticDomain;
    static const char *const FixedReferrer;

    // host is one of domain or lies below it ("a.b.example" in "b.example").
    static bool isHostIn(const QString &host, const QString &domain);
    static bool isProviderHost(const QString &host);
    // The provider's hosts and the others the map pages load from.
    static bool isAllowedHost(const QString &host);

private:
    const QString m_pagesFolder; // the maps folder beside the program, with a trailing "/"
};

// The page of the map view's hidden pop-up view, which only ever sees links
// that leave the map. It loads none of them: each navigation is refused and
// reported, so a remote page never runs inside the viewer.
class CCustomWebEnginePage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CCustomWebEnginePage(QObject *parent = nullptr);

signals:
    void linkRequested(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    bool certificateError(const QWebEngineCertificateError &error) override;
};
