#include <QtTest>

#include <QWebEnginePage>

#include "configuration.h"
#include "customWebEngine.h"
#include "dummykeypieces.h"
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
        MapWebView::setKeyPieces({dummykey::keyFirst, dummykey::keySecond, dummykey::nonceFirst,
                                  dummykey::nonceSecond, dummykey::tagFirst, dummykey::tagSecond,
                                  dummykey::cipherText});
        m_view = new MapWebView;
        m_view->setAttribute(Qt::WA_DeleteOnClose, false);
        m_view->resize(640, 480);
        m_view->show();
        QVERIFY2(QTest::qWaitForWindowExposed(m_view), "the map view is shown");

        // The page with a key loads the provider's script, which our server
        // refuses, so the page goes on to draw with Leaflet and its tiles.
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
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
        QVERIFY2(script.path.contains("key=TRACKORA-DUMMY-MAP-KEY-not-a-real-key-01"), script.path.constData());
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
        QTest::addColumn<bool>("reaches");
        QTest::addColumn<bool>("provider");
        QTest::newRow("api server") << "maps.googleapis.com" << true << true;
        QTest::newRow("static server") << "maps.gstatic.com" << true << true;
        QTest::newRow("font server") << "fonts.gstatic.com" << true << true;
        QTest::newRow("upper case") << "Maps.GoogleAPIs.com" << true << true;
        QTest::newRow("other provider's tiles") << "tile.openstreetmap.org" << true << false;
        QTest::newRow("other provider's api") << "api.map.baidu.com" << true << false;
        QTest::newRow("fragment inside a longer name") << "googleapis.com.evil.example" << false << false;
        QTest::newRow("fragment ending a longer label") << "evilgoogleapis.com" << false << false;
        QTest::newRow("near miss") << "gstatic.co" << false << false;
        QTest::newRow("any other host") << "www.example.com" << false << false;
    }

    // The page's requests reach only the hosts its maps use; the provider's
    // own, matched by whole names, get the headers.
    void hostsByName()
    {
        QFETCH(QString, host);
        QFETCH(bool, reaches);
        QFETCH(bool, provider);
        static int serial = 0;
        const QByteArray path = "/probe/" + QByteArray::number(++serial) + "/";
        // A probe that is let through follows it, so the first has had its turn.
        const QByteArray after = "/after/" + QByteArray::number(serial) + "/";
        m_view->page()->runJavaScript(
            QStringLiteral("new Image().src = 'https://%1%2'; setTimeout(function () { new Image().src = "
                           "'https://tile.openstreetmap.org%3'; }, 200);")
                .arg(host, QString::fromLatin1(path), QString::fromLatin1(after)));
        bool found = false;
        waitForRequest(after, &found);
        QVERIFY2(found, "the following probe reached the server");
        MapTlsTestServer::Request r;
        found = false;
        for (const MapTlsTestServer::Request &each : m_server->requests())
            if (each.path.startsWith(path)) {
                r = each;
                found = true;
            }
        QCOMPARE(found, reaches);
        if (!reaches)
            return;
        QCOMPARE(r.headers.value("host"), host.toLower().toLatin1());
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
