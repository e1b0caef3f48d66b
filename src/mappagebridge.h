#pragma once

#include <QObject>

class QWebChannel;
class QWebEnginePage;

// What the map page may tell the viewer, over Qt WebChannel: only that its
// route was clicked, by trip index. The page gets the channel's script and
// the object "trackoraMap"; nothing else of the viewer. GUI thread only.
class MapPageBridge : public QObject
{
    Q_OBJECT

public:
    explicit MapPageBridge(QObject *parent = nullptr);

    // Offers the bridge to every document the page loads from now on.
    void attach(QWebEnginePage *page);

    // Called by the page's script.
    Q_INVOKABLE void clickRoute(int index);

signals:
    void routeClicked(int index);
};
