#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

#include <utility>

// The map view's own page. It stays on the map pages in the maps folder: any
// other top-level navigation is refused, and a link the user followed there
// is reported instead, for the system browser.
class CMapWebEnginePage : public QWebEnginePage
{
    Q_OBJECT
public:
    explicit CMapWebEnginePage(QObject *parent = nullptr);

    // True for a local file inside the maps folder beside the program.
    static bool isMapPage(const QUrl &url);
    // The last top-level navigation was refused: the load signals that
    // follow it (a start, a failed finish) report no new page.
    bool lastNavigationRefused() const { return m_refused; }
    // lastNavigationRefused(), once: the failed finish that ends it.
    bool takeRefusal() { return std::exchange(m_refused, false); }

signals:
    void linkRequested(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    bool m_refused = false;
};
