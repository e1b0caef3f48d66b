#include <QtTest>

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>
#include <QUrlQuery>
#include <QWebEngineCertificateError>
#include <QWebEngineProfile>

#include <algorithm>
#include <cmath>

#include "configuration.h"
#include "customWebEngine.h"
#include "dummykeypieces.h"
#include "mapwebview.h"
#include "tst_mapharness.h"
#include "tst_maptlsserver.h"

// The map view with its real pages and no network: every host name fails to
// resolve except the local test server's address.

namespace {

using maptest::describe;
using maptest::evaluate;
using maptest::mapState;
using maptest::near;
using maptest::WaitMs;

QMutex g_logLock;
QStringList g_log; // "category|text" of every message, in order
QtMessageHandler g_previous = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QString category = QString::fromLatin1(context.category ? context.category : "default");
    {
        QMutexLocker lock(&g_logLock);
        g_log.append(category + QLatin1Char('|') + text);
    }
    // The script lines are checked, not read.
    if (type == QtDebugMsg && category == QLatin1String("trackora.map"))
        return;
    g_previous(type, context, text);
}

int logMark()
{
    QMutexLocker lock(&g_logLock);
    return g_log.size();
}

QStringList logSince(int mark, const QString &category, const QString &prefix = QString())
{
    QMutexLocker lock(&g_logLock);
    QStringList lines;
    const QString head = category + QLatin1Char('|') + prefix;
    for (int i = mark; i < g_log.size(); ++i)
        if (g_log.at(i).startsWith(head))
            lines.append(g_log.at(i).mid(category.size() + 1 + prefix.size()));
    return lines;
}

QStringList scriptsSince(int mark)
{
    return logSince(mark, QStringLiteral("trackora.map"), QStringLiteral("script "));
}

const char *const kOtherSchemes[] = {"file", "smb", "trackora-test"};

// What tests/fixtures/mapkey-dummy.txt holds; the view gets only its pieces.
const char *const kDummyKey = "TRACKORA-DUMMY-MAP-KEY-not-a-real-key-01";

// Stands in for the system browser.
class BrowserRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

} // namespace

class TestMapView : public QObject
{
    Q_OBJECT
public:
    explicit TestMapView(int listeningSocket) : m_socket(listeningSocket) {}

private:
    int m_socket;
    MapTlsTestServer *m_server = nullptr;
    MapWebView *m_view = nullptr;
    BrowserRecorder m_browser;
    BrowserRecorder m_otherHandlers; // file manager, share browser, custom handlers

    QWebEngineView *popup() const
    {
        return m_view->findChild<QWebEngineView *>(QString(), Qt::FindDirectChildrenOnly);
    }

    // Loads the page for type, with the configuration saying so too.
    bool show(MapTypes type)
    {
        Configuration::instance()->setMaps(type);
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->setMapType(type);
        if (loaded.isEmpty() && !loaded.wait(WaitMs))
            return false;
        return maptest::pageReady(m_view->page());
    }

    // Opens url from the map page as a new window and waits until the view
    // has seen the pop-up go there.
    bool openFromPage(const QString &url)
    {
        const int mark = logMark();
        // A JSON array of one string is a quoted script literal with its brackets.
        const QString literal = QString::fromUtf8(QJsonDocument(QJsonArray{url}).toJson(QJsonDocument::Compact));
        m_view->page()->runJavaScript(QStringLiteral("window.open(%1);").arg(literal.mid(1).chopped(1)));
        return QTest::qWaitFor([&] {
            const QStringList lines = logSince(mark, QStringLiteral("trackora.map"), QStringLiteral("goto : "));
            return std::any_of(lines.begin(), lines.end(), [&](const QString &line) { return line.contains(url); });
        }, WaitMs);
    }

private slots:
    void initTestCase()
    {
        g_previous = qInstallMessageHandler(captureMessage);
        QLoggingCategory::setFilterRules(QStringLiteral("trackora.map.debug=true"));
        m_server = new MapTlsTestServer;
        QVERIFY2(m_server->start(m_socket), qPrintable(m_server->errorString()));
        m_server->setIndex("<html><head><title>served</title></head><body>served</body></html>");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_browser, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_browser, "open");
        for (const char *scheme : kOtherSchemes)
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_otherHandlers, "open");

        Configuration::instance()->setMaps(GoogleMap);
        Configuration::instance()->setLanguage(Configuration::Japanese);
        MapWebView::setKeyPieces({dummykey::keyFirst, dummykey::keySecond, dummykey::nonceFirst,
                                  dummykey::nonceSecond, dummykey::tagFirst, dummykey::tagSecond,
                                  dummykey::cipherText});
        const int mark = logMark();
        m_view = new MapWebView;
        m_view->setAttribute(Qt::WA_DeleteOnClose, false);
        m_view->resize(800, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        QVERIFY(loaded.wait(WaitMs));
        QCOMPARE(scriptsSince(mark),
                 QStringList({QStringLiteral("mapClearAll();"), QStringLiteral("setCenter(0.000000, 0.000000);")}));
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        for (const char *scheme : kOtherSchemes)
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        delete m_view;
        delete m_server;
        qInstallMessageHandler(g_previous);
    }

    // The page the view starts with, and what each finished load sends it.
    void constructionLoadsConfiguredPage()
    {
        const QUrl url = m_view->url();
        QVERIFY2(url.path().endsWith(QLatin1String("/maps/WG_GoogleMapIndex.html")), qPrintable(url.toString()));
        // The key is not in the page's address, where every script could read it.
        QCOMPARE(url.query(), QStringLiteral("language=ja&lng=139.766909&lat=35.681151"));

        QVariantMap state;
        QTRY_VERIFY_WITH_TIMEOUT((state = mapState(m_view->page())).value(QStringLiteral("backend")) == QStringLiteral("leaflet"), WaitMs);
        const QVariantList calls = state.value(QStringLiteral("calls")).toList();
        QCOMPARE(describe(calls), QStringLiteral("[[\"mapClearAll\"],[\"setCenter\",0,0]]"));
        // setCenter(0, 0) keeps the centre the query gave.
        QVERIFY2(near(state.value(QStringLiteral("center")), 139.766909, 35.681151), qPrintable(describe(state)));
        QVERIFY2(state.value(QStringLiteral("scale")).toBool(), "the page shows its scale control");
        QVERIFY2(!state.value(QStringLiteral("query")).toMap().contains(QStringLiteral("key")), qPrintable(describe(state)));
    }

    // The provider's loader, and only it, gets the key the pieces hold.
    void keyGoesToProviderLoaderOnly()
    {
        QVERIFY(show(GoogleMap));
        const QString key = QString::fromLatin1(kDummyKey);
        const QVariant sources = evaluate(m_view->page(), QStringLiteral(
            "Array.prototype.map.call(document.scripts, function (s) { return s.src; })"
            ".filter(function (s) { return s.indexOf('/maps/api/js') >= 0; })"));
        QCOMPARE(sources.toList().size(), 1);
        const QUrl loader(sources.toList().first().toString());
        QCOMPARE(loader.host(), QStringLiteral("maps.googleapis.com"));
        QCOMPARE(QUrlQuery(loader).queryItemValue(QStringLiteral("key"), QUrl::FullyDecoded), key);
        QCOMPARE(evaluate(m_view->page(), QStringLiteral("location.href.indexOf('%1') < 0").arg(key)).toBool(), true);
        // A later call cannot reload the provider with a key of its own.
        evaluate(m_view->page(), QStringLiteral("try { trackoraLoadProvider('OTHER'); window.trackoraLoadProvider = null; } catch (e) {} 1"));
        QCOMPARE(evaluate(m_view->page(), QStringLiteral(
            "Array.prototype.filter.call(document.scripts, function (s) { return s.src.indexOf('/maps/api/js') >= 0; }).length"))
                     .toInt(), 1);
        QCOMPARE(evaluate(m_view->page(), QStringLiteral("typeof window.trackoraLoadProvider")).toString(),
                 QStringLiteral("function"));
    }

    void googleQueryByLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("query");
        QTest::addColumn<double>("lng");
        QTest::addColumn<double>("lat");
        QTest::newRow("Japanese") << 0 << "language=ja&lng=139.766909&lat=35.681151" << 139.766909 << 35.681151;
        QTest::newRow("English (US)") << 1 << "language=en&lng=-74.013476&lat=40.705562" << -74.013476 << 40.705562;
        QTest::newRow("English (GB)") << 2 << "language=en_uk&lng=-0.1267719269&lat=51.5087958794" << -0.1267719269 << 51.5087958794;
        QTest::newRow("German") << 9 << "language=de&lng=13.393621&lat=52.517892" << 13.393621 << 52.517892;
        QTest::newRow("Portuguese") << 11 << "language=pt&lng=-9.139509&lat=38.712170" << -9.139509 << 38.71217;
        QTest::newRow("Korean") << 12 << "language=ko&lng=126.9911799270&lat=37.5527383075" << 126.991179927 << 37.5527383075;
    }

    void googleQueryByLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, query);
        QFETCH(double, lng);
        QFETCH(double, lat);
        Configuration::instance()->setLanguage(language);
        QCOMPARE(int(Configuration::instance()->language()), language);
        QVERIFY(show(GoogleMap));
        const QUrlQuery items(m_view->url());
        QStringList names;
        for (const auto &item : items.queryItems())
            names.append(item.first);
        QCOMPARE(names, QStringList({"language", "lng", "lat"}));
        QCOMPARE(m_view->url().query(), query);
        const QVariantMap state = mapState(m_view->page());
        QVERIFY2(near(state.value(QStringLiteral("center")), lng, lat), qPrintable(describe(state)));
    }

    void unknownMapTypeLoadsNothing_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("3") << 3;
        QTest::newRow("-1") << -1;
    }

    void unknownMapTypeLoadsNothing()
    {
        QFETCH(int, type);
        const QUrl before = m_view->url();
        QSignalSpy started(m_view, &QWebEngineView::loadStarted);
        const int mark = logMark();
        m_view->setMapType(static_cast<MapTypes>(type));
        QVERIFY2(!started.wait(300), "an unknown map type starts no load");
        QCOMPARE(started.count(), 0);
        QCOMPARE(m_view->url(), before);
        QCOMPARE(scriptsSince(mark), QStringList());
    }

    void addPoint_data()
    {
        QTest::addColumn<double>("lng");
        QTest::addColumn<double>("lat");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("six decimals") << 139.5 << 35.25 << 12 << "mapAddPoint(139.500000, 35.250000, 12);" << true;
        QTest::newRow("rounded") << 139.7671234567 << 35.6812345678 << 3 << "mapAddPoint(139.767123, 35.681235, 3);" << true;
        QTest::newRow("west and south") << -0.126772 << -33.8688 << 0 << "mapAddPoint(-0.126772, -33.868800, 0);" << true;
        QTest::newRow("no fix") << 0.0 << 0.0 << 5 << "mapAddPoint(0.000000, 0.000000, 5);" << false;
        QTest::newRow("not a number") << qQNaN() << 35.0 << 7 << "mapAddPoint(0.000000, 0.000000, 7);" << false;
        QTest::newRow("infinite") << 139.0 << qInf() << 8 << "mapAddPoint(0.000000, 0.000000, 8);" << false;
    }

    void addPoint()
    {
        QFETCH(double, lng);
        QFETCH(double, lat);
        QFETCH(int, index);
        QFETCH(QString, script);
        QFETCH(bool, drawn);
        Configuration::instance()->setLanguage(Configuration::Japanese);
        if (!m_view->url().path().endsWith(QLatin1String("WG_GoogleMapIndex.html")))
            QVERIFY(show(GoogleMap));
        m_view->clearAll();
        const bool usable = std::isfinite(lng) && std::isfinite(lat);
        if (!usable)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("sample %1 has no usable position, sent as 0,0").arg(index)));
        const int mark = logMark();
        m_view->addPoint(MapPoint{index, lng, lat});
        QCOMPARE(scriptsSince(mark), QStringList(script));

        const QVariantMap state = mapState(m_view->page());
        const QVariantList calls = state.value(QStringLiteral("calls")).toList();
        QVERIFY2(near(calls.value(calls.size() - 1).toList().mid(1), usable ? lng : 0, usable ? lat : 0, 5e-7),
                 qPrintable(describe(calls.last())));
        const QVariantList route = state.value(QStringLiteral("route")).toList();
        QCOMPARE(route.size(), drawn ? 1 : 0);
        if (drawn) {
            QCOMPARE(route.first().toList().value(2).toInt(), index);
            QVERIFY2(near(state.value(QStringLiteral("marker")), lng, lat, 5e-7),
                     "the marker stands at the point added");
            // The map follows the current point.
            QVERIFY2(near(state.value(QStringLiteral("center")), lng, lat, 1e-5), qPrintable(describe(state)));
        } else {
            QVERIFY2(state.value(QStringLiteral("marker")).isNull(), "no marker for a point the page does not draw");
        }
    }

    void clearAllRemovesEverything()
    {
        for (int i = 0; i < 3; ++i)
            m_view->addPoint(MapPoint{i, 139.76 + i * 0.001, 35.68});
        QCOMPARE(mapState(m_view->page()).value(QStringLiteral("route")).toList().size(), 3);
        const int mark = logMark();
        m_view->clearAll();
        QCOMPARE(scriptsSince(mark), QStringList(QStringLiteral("mapClearAll();")));
        const QVariantMap state = mapState(m_view->page());
        QCOMPARE(state.value(QStringLiteral("route")).toList().size(), 0);
        QVERIFY2(state.value(QStringLiteral("marker")).isNull(), "clearAll removes the marker");
    }

    // A reload forgets the route and gets mapClearAll then setCenter(0, 0).
    void reloadClearsAndCenters()
    {
        m_view->addPoint(MapPoint{0, 139.76, 35.68});
        const int mark = logMark();
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->setMapType(BaiduMap);
        QVERIFY(loaded.wait(WaitMs));
        QCOMPARE(scriptsSince(mark),
                 QStringList({QStringLiteral("mapClearAll();"), QStringLiteral("setCenter(0.000000, 0.000000);")}));
        const QVariantMap state = mapState(m_view->page());
        QCOMPARE(describe(state.value(QStringLiteral("calls"))), QStringLiteral("[[\"mapClearAll\"],[\"setCenter\",0,0]]"));
        QCOMPARE(state.value(QStringLiteral("route")).toList().size(), 0);
        QCOMPARE(state.value(QStringLiteral("backend")).toString(), QStringLiteral("leaflet"));
    }

    void osmCentresOnLanguagePlace_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("script");
        QTest::addColumn<double>("lng");
        QTest::addColumn<double>("lat");
        QTest::newRow("Japanese") << 0 << "showMapCenter(139.767, 35.6812);" << 139.767 << 35.6812;
        QTest::newRow("English (US)") << 1 << "showMapCenter(-74.0135, 40.7056);" << -74.0135 << 40.7056;
        QTest::newRow("Chinese, traditional") << 4 << "showMapCenter(116.375, 39.9);" << 116.375 << 39.9;
        QTest::newRow("Russian") << 8 << "showMapCenter(37.6175, 55.752);" << 37.6175 << 55.752;
    }

    void osmCentresOnLanguagePlace()
    {
        QFETCH(int, language);
        QFETCH(QString, script);
        QFETCH(double, lng);
        QFETCH(double, lat);
        Configuration::instance()->setLanguage(language);
        const int mark = logMark();
        QVERIFY(show(OpenStreetMap));
        QVERIFY2(scriptsSince(mark).contains(script), qPrintable(scriptsSince(mark).join(QLatin1Char('\n'))));
        QVariantMap state;
        QTRY_VERIFY2_WITH_TIMEOUT(near((state = mapState(m_view->page())).value(QStringLiteral("center")), lng, lat, 1e-4),
                                  qPrintable(describe(state)), WaitMs);
        bool received = false;
        for (const QVariant &call : state.value(QStringLiteral("calls")).toList())
            received = received || call.toList().value(0) == QStringLiteral("showMapCenter");
        QVERIFY2(received, "the page got showMapCenter after loading");
    }

    void loadAllGpsData_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QVector<QVector<double>>>("samples");
        QTest::addColumn<QStringList>("scripts");
        QTest::addColumn<int>("drawn");
        const QVector<QVector<double>> three = {{139.7, 35.6}, {139.701, 35.6015}, {139.7025, 35.603}};
        QTest::newRow("OpenStreetMap") << int(OpenStreetMap) << three
            << QStringList({"loadAllGpsDataOfVideo(139.700000, 35.600000, 0, 3)",
                            "loadAllGpsDataOfVideo(139.701000, 35.601500, 1, 3)",
                            "loadAllGpsDataOfVideo(139.702500, 35.603000, 2, 3)"}) << 3;
        QTest::newRow("OpenStreetMap, no fix at first") << int(OpenStreetMap)
            << QVector<QVector<double>>({{0, 0}, {139.7, 35.6}, {139.701, 35.6015}})
            << QStringList({"loadAllGpsDataOfVideo(0.000000, 0.000000, 0, 3)",
                            "loadAllGpsDataOfVideo(139.700000, 35.600000, 1, 3)",
                            "loadAllGpsDataOfVideo(139.701000, 35.601500, 2, 3)"}) << 2;
        QTest::newRow("OpenStreetMap, sample without latitude") << int(OpenStreetMap)
            << QVector<QVector<double>>({{139.7, 35.6}, {139.8}})
            << QStringList({"loadAllGpsDataOfVideo(139.700000, 35.600000, 0, 2)",
                            "loadAllGpsDataOfVideo(0.000000, 0.000000, 1, 2)"}) << 1;
        QTest::newRow("Google") << int(GoogleMap) << three << QStringList() << -1;
        QTest::newRow("Baidu") << int(BaiduMap) << three << QStringList() << -1;
    }

    void loadAllGpsData()
    {
        QFETCH(int, type);
        QFETCH(QVector<QVector<double>>, samples);
        QFETCH(QStringList, scripts);
        QFETCH(int, drawn);
        Configuration::instance()->setLanguage(Configuration::Japanese);
        QVERIFY(show(static_cast<MapTypes>(type)));
        if (samples.value(1).size() < 2)
            QTest::ignoreMessage(QtWarningMsg, "sample 1 has 1 values, sent as 0,0");
        const int mark = logMark();
        m_view->loadAllGpsData(samples);
        QCOMPARE(scriptsSince(mark), scripts);
        if (drawn < 0)
            return;
        const QVariantMap state = mapState(m_view->page());
        QCOMPARE(state.value(QStringLiteral("trackCount")).toInt(), samples.size());
        QCOMPARE(state.value(QStringLiteral("track")).toList().size(), drawn);
        // The whole track is in view.
        const QVariantList last = state.value(QStringLiteral("track")).toList().first().toList();
        QVERIFY2(near(state.value(QStringLiteral("center")), last.value(0).toDouble(), last.value(1).toDouble(), 0.01),
                 qPrintable(describe(state)));
    }

    void linkRules_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("opened"); // empty: not opened
        const QString place = QStringLiteral("https://www.google.com/maps/@35.681151,139.766909,15z/data=!10m1!1e1!12b1?source=apiv3&rapsrc=apiv3");
        QTest::newRow("plain link") << 0 << "https://www.example.com/about" << "https://www.example.com/about";
        QTest::newRow("map link, Japanese") << 0 << place << place + "&hl=ja";
        QTest::newRow("map link, English") << 1 << place << place + "&hl=en";
        QTest::newRow("map link, English (GB)") << 2 << place << place + "&hl=ja";
        QTest::newRow("map link, German") << 9 << place << place + "&hl=ja";
        QTest::newRow("map link with hl=en") << 0 << place + "&hl=en" << place + "&hl=en";
        QTest::newRow("map link with hl=ja") << 1 << place + "&hl=ja" << place + "&hl=ja";
        QTest::newRow("consumer map site") << 0 << "https://maps.google.com/maps?ll=35.68,139.76&z=15&hl=ja" << "";
        QTest::newRow("mapclient") << 0 << "https://www.google.com/maps/place?mapclient=apiv3&x=1" << "";
        QTest::newRow("redirect step") << 0 << "https://www.google.com/maps?rapsrc=apiv3&y=2" << "";
        QTest::newRow("placeholder host") << 0 << "https://xxxxcc.example/terms" << "";
    }

    void linkRules()
    {
        QFETCH(int, language);
        QFETCH(QString, url);
        QFETCH(QString, opened);
        Configuration::instance()->setLanguage(language);
        m_browser.opened.clear();
        QVERIFY2(openFromPage(url), "the link did not reach the pop-up view");
        if (opened.isEmpty()) {
            QCOMPARE(m_browser.opened, QList<QUrl>());
        } else {
            QCOMPARE(m_browser.opened.size(), 1);
            QCOMPARE(m_browser.opened.first().toString(), opened);
        }
        QVERIFY2(!popup()->isVisible(), "the pop-up view stays hidden");
    }

    // A link goes to the system browser as it is, once; the viewer loads
    // nothing of it, so the server never hears from it.
    void linkLeavesWithoutLoading()
    {
        Configuration::instance()->setLanguage(Configuration::Japanese);
        m_server->clear();
        m_browser.opened.clear();
        const QString url = QStringLiteral("https://127.0.0.1:%1/").arg(m_server->serverPort());
        const QString second = QStringLiteral("https://127.0.0.1:%1/second").arg(m_server->serverPort());
        QVERIFY2(openFromPage(url), "the pop-up view reports the link it was given");
        QVERIFY2(openFromPage(second), "the pop-up view reports the next link");
        QCOMPARE(m_browser.opened, QList<QUrl>({QUrl(url), QUrl(second)}));
        QCOMPARE(m_server->connections(), 0);
        QVERIFY2(popup()->page()->url().isEmpty(), qPrintable(popup()->page()->url().toString()));
    }

    // The same server is reachable for a page that accepts its certificate,
    // so the refusal above is the page's doing.
    void acceptingPageReachesServer()
    {
        class AcceptingPage : public QWebEnginePage
        {
        public:
            using QWebEnginePage::QWebEnginePage;
        protected:
            bool certificateError(const QWebEngineCertificateError &) override { return true; }
        };
        m_server->clear();
        QWebEngineProfile profile; // off the record: no decision is shared
        AcceptingPage page(&profile);
        QSignalSpy finished(&page, &QWebEnginePage::loadFinished);
        page.load(QUrl(QStringLiteral("https://127.0.0.1:%1/").arg(m_server->serverPort())));
        QVERIFY(finished.wait(WaitMs));
        QCOMPARE(finished.last().value(0).toBool(), true);
        QTRY_COMPARE_WITH_TIMEOUT(page.title(), QStringLiteral("served"), WaitMs);
        QVERIFY2(!m_server->requests().isEmpty(), "the accepting page reached the server");
        QCOMPARE(m_server->requests().first().path, QByteArray("/"));
    }

    // Links to anything but web pages reach no handler, whether they come
    // through the pop-up view or the engine's own unknown-scheme handling.
    void onlyWebLinksLeave_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("opened");
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("share") << "smb://x/share" << false;
        QTest::newRow("custom handler") << "trackora-test:run" << false;
        QTest::newRow("ftp") << "ftp://example.com/a" << false;
        QTest::newRow("upper-case https") << "HTTPS://www.example.com/upper" << true;
    }

    void onlyWebLinksLeave()
    {
        QFETCH(QString, url);
        QFETCH(bool, opened);
        m_browser.opened.clear();
        m_otherHandlers.opened.clear();
        QVERIFY(QMetaObject::invokeMethod(m_view, "onUrlChanged", Q_ARG(QUrl, QUrl(url))));
        QCOMPARE(m_browser.opened.size(), opened ? 1 : 0);
        QCOMPARE(m_otherHandlers.opened, QList<QUrl>());

        if (opened)
            return;
        // From the page itself; a web link after it shows the first has had
        // its turn (the engine drops schemes it does not know on its own).
        const QString literal = QString::fromUtf8(QJsonDocument(QJsonArray{url}).toJson(QJsonDocument::Compact));
        m_view->page()->runJavaScript(QStringLiteral("window.open(%1[0]);").arg(literal));
        const QString after = QStringLiteral("https://www.example.com/after");
        QVERIFY2(openFromPage(after), "the pop-up view reports the web link after it");
        QCOMPARE(m_otherHandlers.opened, QList<QUrl>());
        QCOMPARE(m_browser.opened, QList<QUrl>({QUrl(after)}));
    }

    void pageCannotReadLocalFiles()
    {
        const QVariant result = evaluate(m_view->page(), QStringLiteral(
            "(function() { try { var x = new XMLHttpRequest(); x.open('GET', 'file:///etc/hostname', false); x.send();"
            " return 'read ' + x.responseText.length; } catch (e) { return 'blocked'; } })()"));
        QCOMPARE(result.toString(), QStringLiteral("blocked"));
    }

    // A window the page opens on a local file or folder shows the page
    // nothing of it.
    void newWindowCannotReadLocalFiles_data()
    {
        QTest::addColumn<QString>("url");
        QTest::newRow("file") << "file:///etc/hostname";
        QTest::newRow("folder") << "file:///etc/";
        QTest::newRow("file beside the pages") << "file://" + QCoreApplication::applicationDirPath() + "/../CMakeCache.txt";
    }

    void newWindowCannotReadLocalFiles()
    {
        QFETCH(QString, url);
        if (!show(GoogleMap))
            QFAIL("the map page loads");
        const QString literal = QString::fromUtf8(QJsonDocument(QJsonArray{url}).toJson(QJsonDocument::Compact));
        m_view->page()->runJavaScript(QStringLiteral(
            "(function () { var w = window.open(%1[0]); var tries = 0; window.trackoraProbe = 'pending';"
            " (function look() { try { var text = w && w.document && w.document.body ? w.document.body.innerText : '';"
            "   if (text) { window.trackoraProbe = 'read ' + text.length; return; } }"
            " catch (e) { window.trackoraProbe = 'blocked'; return; }"
            " if (++tries >= 40) { window.trackoraProbe = 'nothing'; return; } setTimeout(look, 50); })(); })();").arg(literal));
        QString probe;
        QTRY_VERIFY_WITH_TIMEOUT((probe = evaluate(m_view->page(), QStringLiteral("window.trackoraProbe")).toString())
                                     != QLatin1String("pending") && !probe.isEmpty(), WaitMs);
        QVERIFY2(!probe.startsWith(QLatin1String("read")), qPrintable(probe));
        QCOMPARE(m_otherHandlers.opened, QList<QUrl>());
    }

    // Whatever asks it to, the map view stays on its page with its route;
    // a link the user followed there goes to the browser instead.
    void mapStaysOnItsPage_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("toBrowser");
        QTest::newRow("script to a web page") << "location.href = %1;" << "https://www.example.com/away" << false;
        QTest::newRow("script to a local file") << "location.href = %1;" << "file:///etc/hostname" << false;
        QTest::newRow("followed link") << "var a = document.createElement('a'); a.href = %1; document.body.appendChild(a); a.click();"
                                       << "https://www.example.com/clicked" << true;
        QTest::newRow("from a pop-up, through its opener")
            << "var w = window.open(''); w.opener.location = %1;" << "https://www.example.com/opener" << false;
    }

    void mapStaysOnItsPage()
    {
        QFETCH(QString, script);
        QFETCH(QString, target);
        QFETCH(bool, toBrowser);
        QVERIFY(show(GoogleMap));
        m_view->addPoint(MapPoint{1, 139.76, 35.68});
        const QUrl page = m_view->url();
        m_browser.opened.clear();
        const int mark = logMark();
        const QString literal = QString::fromUtf8(QJsonDocument(QJsonArray{target}).toJson(QJsonDocument::Compact));
        m_view->page()->runJavaScript(script.arg(literal.mid(1, literal.size() - 2)));
        const auto refused = [mark] {
            return !logSince(mark, QStringLiteral("trackora.map"), QStringLiteral("refused navigation")).isEmpty();
        };
        QVERIFY2(QTest::qWaitFor(refused, WaitMs), "the view refuses the navigation");
        QCOMPARE(m_view->url(), page);
        const QVariantMap state = mapState(m_view->page());
        QCOMPARE(state.value(QStringLiteral("route")).toList().size(), 1);
        QCOMPARE(m_browser.opened, toBrowser ? QList<QUrl>({QUrl(target)}) : QList<QUrl>());
    }

    // The "url: " line shows the page and that a key is set, never the key.
    void keyIsMaskedInLog()
    {
        QUrl url = QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/maps/WG_GoogleMapIndex.html"));
        url.setQuery(QStringLiteral("language=ja&lng=139.766909&lat=35.681151&key=SeCrEt-123"));
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->load(url);
        QVERIFY(loaded.wait(WaitMs));
        const int mark = logMark();
        QVERIFY2(openFromPage(QStringLiteral("https://www.example.com/key")),
                 "the pop-up view reports the link it opened");
        const QStringList lines = logSince(mark, QStringLiteral("trackora.map"), QStringLiteral("url: "));
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(QLatin1String("lat=35.681151&key=***")), qPrintable(lines.first()));
        QVERIFY2(!lines.first().contains(QLatin1String("SeCrEt")), qPrintable(lines.first()));
    }
};

int main(int argc, char **argv)
{
    return maptest::runServed<TestMapView>("MapViewTest", argc, argv, [](quint16) {
        return QList<QByteArray>{"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"};
    });
}

#include "tst_mapview.moc"
