#include <QtTest>

#include <QWebEnginePage>

#include "configuration.h"
#include "customWebEngine.h"
#include "mapwebview.h"
#include "tst_mapharness.h"
#include "tst_maptlsserver.h"

// The request filtering as the provider's servers see it: every host name is
// routed to a local HTTPS server, which records the headers it receives.
class TestMapInterceptor : public QObject
{
    Q_OBJECT
public:
    explicit TestMapInterceptor(int listeningSocket) : m_socket(listeningSocket) {}

private:
    int m_socket;
    MapTlsTestServer *m_server = nullptr;
    MapWebView *m_view = nullptr;
    static constexpr int RequestWaitMs = 30000;

    // The first request whose path starts with prefix, waiting for it.
    MapTlsTestServer::Request waitForRequest(const QByteArray &prefix, bool *found)
    {
        MapTlsTestServer::Request match;
        *found = QTest::qWaitFor([&] {
            for (const MapTlsTestServer::Request &r : m_server->requests()) {
                if (r.path.startsWith(prefix)) {
                    match = r;
                    return true;
                }
            }
            return false;
        }, RequestWaitMs);
        return match;
    }

private slots:
    void initTestCase()
    {
        m_server = new MapTlsTestServer;
        QVERIFY2(m_server->start(m_socket), qPrintable(m_server->errorString()));
        Configuration::instance()->setMaps(GoogleMap);
        Configuration::instance()->setLanguage(Configuration::Japanese);
        m_view = new MapWebView;
        m_view->setAttribute(Qt::WA_DeleteOnClose, false);
        m_view->resize(640, 480);
        m_view->show();
        QVERIFY2(QTest::qWaitForWindowExposed(m_view), "the map view is shown");

        // The page with a key loads the provider's script, which our server
        // refuses, so the page goes on to draw with Leaflet and its tiles.
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        QUrl url = QUrl::fromLocalFile(QCoreApplication::applicationDirPath()
                                       + QStringLiteral("/maps/WG_GoogleMapIndex.html"));
        url.setQuery(QStringLiteral("language=ja&lng=139.766909&lat=35.681151&key=TEST-KEY-0123"));
        m_view->load(url);
        QVERIFY2(loaded.wait(30000), "the map page finishes loading");
    }

    void cleanupTestCase()
    {
        delete m_view;
        delete m_server;
    }

    void providerScriptCarriesHeaders()
    {
        bool found = false;
        const MapTlsTestServer::Request script = waitForRequest("/maps/api/js", &found);
        QVERIFY2(found, "the page did not ask for the provider's script");
        QCOMPARE(script.headers.value("host"), QByteArray("maps.googleapis.com"));
        QVERIFY2(script.path.contains("key=TEST-KEY-0123"), script.path.constData());
        QCOMPARE(script.headers.value("referer"), QByteArray(CMapRequestInterceptor::FixedReferrer));
        QCOMPARE(script.headers.value("origin"), QByteArray("file://"));
    }

    void fallbackTilesCarryNoHeaders()
    {
        // Tile paths are /zoom/x/y.png; the fallback map asks for several.
        const bool found = QTest::qWaitFor([this] {
            for (const MapTlsTestServer::Request &r : m_server->requests())
                if (r.path.endsWith(".png"))
                    return true;
            return false;
        }, RequestWaitMs);
        QVERIFY2(found, "the page drew no tiles after the provider's script failed");
        for (const MapTlsTestServer::Request &r : m_server->requests()) {
            if (!r.path.endsWith(".png"))
                continue;
            QCOMPARE(r.headers.value("host"), QByteArray("tile.openstreetmap.org"));
            QVERIFY2(!r.headers.contains("referer"), r.headers.value("referer").constData());
            QVERIFY2(!r.headers.contains("origin"), r.headers.value("origin").constData());
        }
        bool done = false;
        m_view->page()->runJavaScript(QStringLiteral("trackoraMapState().backend"),
                                      [&done](const QVariant &kind) {
                                          QCOMPARE(kind.toString(), QStringLiteral("leaflet"));
                                          done = true;
                                      });
        QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    }

    void hostsByName_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("provider");
        QTest::newRow("api server") << "maps.googleapis.com" << true;
        QTest::newRow("static server") << "maps.gstatic.com" << true;
        QTest::newRow("font server") << "fonts.gstatic.com" << true;
        QTest::newRow("fragment inside a longer name") << "googleapis.com.mirror.example" << true;
        QTest::newRow("other provider's tiles") << "tile.openstreetmap.org" << false;
        QTest::newRow("other provider's api") << "api.map.baidu.com" << false;
        QTest::newRow("near miss") << "gstatic.co" << false;
    }

    void hostsByName()
    {
        QFETCH(QString, host);
        QFETCH(bool, provider);
        static int serial = 0;
        const QByteArray path = "/probe/" + QByteArray::number(++serial);
        m_view->page()->runJavaScript(
            QStringLiteral("new Image().src = 'https://%1%2';").arg(host, QString::fromLatin1(path)));
        bool found = false;
        const MapTlsTestServer::Request r = waitForRequest(path, &found);
        QVERIFY2(found, "the probe did not reach the server");
        QCOMPARE(r.headers.value("host"), host.toLatin1());
        if (provider) {
            QCOMPARE(r.headers.value("referer"), QByteArray(CMapRequestInterceptor::FixedReferrer));
            QCOMPARE(r.headers.value("origin"), QByteArray("file://"));
        } else {
            QVERIFY2(!r.headers.contains("referer"), r.headers.value("referer").constData());
            QVERIFY2(!r.headers.contains("origin"), r.headers.value("origin").constData());
        }
    }

    void referrerHostIsReserved()
    {
        const QUrl referrer(QString::fromLatin1(CMapRequestInterceptor::FixedReferrer));
        QCOMPARE(referrer.scheme(), QStringLiteral("https"));
        QVERIFY2(referrer.host().endsWith(QLatin1String(".invalid")),
                 qPrintable(QStringLiteral("referrer host %1, expected one under .invalid").arg(referrer.host())));
        QCOMPARE(referrer.path(), QStringLiteral("/"));
    }
};

int main(int argc, char **argv)
{
    // Every host goes to the local server, whose certificate is its own.
    return maptest::runServed<TestMapInterceptor>("MapInterceptorTest", argc, argv, [](quint16 port) {
        return QList<QByteArray>{"--host-resolver-rules=MAP * 127.0.0.1:" + QByteArray::number(port),
                                 "--ignore-certificate-errors"};
    });
}

#include "tst_mapinterceptor.moc"
