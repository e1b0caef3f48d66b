#include "mappagebridge.h"

#include <QFile>
#include <QLoggingCategory>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

Q_DECLARE_LOGGING_CATEGORY(lcMap)

namespace {
// The route holds at most a day of samples; anything else is not ours.
const int kLargestIndex = 24 * 3600;
} // namespace

MapPageBridge::MapPageBridge(QObject *parent)
    : QObject(parent)
{
}

void MapPageBridge::attach(QWebEnginePage *page)
{
    // Qt's own client script, compiled into the WebChannel library.
    QFile source(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!source.open(QIODevice::ReadOnly)) {
        qCWarning(lcMap) << "no web channel script: clicks on the route do not reach the viewer";
        return;
    }
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(QString::fromUtf8(source.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    page->scripts().insert(script);
    auto *channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("trackoraMap"), this);
    page->setWebChannel(channel);
}

void MapPageBridge::clickRoute(int index)
{
    if (index < 0 || index > kLargestIndex) {
        qCWarning(lcMap) << "the page named a route sample that cannot be:" << index;
        return;
    }
    emit routeClicked(index);
}
