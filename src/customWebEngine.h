#pragma once

#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>

// Adds the fixed Referer and Origin headers the map provider's servers expect
// from a page that was loaded from a local file, and keeps the pages' scripts
// out of local files beyond the maps folder. Its state is fixed at
// construction, so the web engine may call it from any thread.
class CMapRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    explicit CMapRequestInterceptor(QObject *parent = nullptr);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

    // The provider's hosts are recognised by these fragments of their names.
    static const char *const ApiDomain;
    static const char *const StaticDomain;
    static const char *const FixedReferrer;

private:
    const QString m_pagesFolder; // the maps folder beside the program, with a trailing "/"
};

// The page of the map view's hidden pop-up view, which only ever sees links
// that leave the map. It refuses certificates in error like any other page.
class CCustomWebEnginePage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CCustomWebEnginePage(QObject *parent = nullptr);

protected:
    bool certificateError(const QWebEngineCertificateError &error) override;
};
