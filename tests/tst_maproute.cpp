#include <QtTest>

#include "configuration.h"
#include "mapwebview.h"
#include "tst_mapharness.h"
#include "videoparser.h"

using maptest::describe;
using maptest::mapState;
using maptest::near;
using maptest::WaitMs;

// A generated recording's route on all three map pages, read through the
// viewer's own parser, with no network: nothing but the route, the marker and
// the scale on the page's background. Each grab is kept beside the test.
class TestMapRoute : public QObject
{
    Q_OBJECT
private:
    MapWebView *m_view = nullptr;
    QList<GpsData> m_samples;

    void grabRoute()
    {
        QTRY_VERIFY_WITH_TIMEOUT(mapState(m_view->page()).value(QStringLiteral("markerShown")).toBool(), WaitMs);
        QImage image;
        QTRY_VERIFY_WITH_TIMEOUT(maptest::routePixels(image = m_view->grab().toImage()) > 500, WaitMs);
        const QString name = QDir::current().filePath(
            QStringLiteral("tst_maproute_%1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(image.save(name));
        qInfo() << "grab saved as" << name;
    }

private slots:
    void initTestCase()
    {
        const QString path = qEnvironmentVariable("TRACKORA_TEST_MEDIA")
            + QStringLiteral("/gps/20240101_120000_F.mp4");
        VideoParser parser;
        parser.setFile(path, 1);
        parser.parse();
        m_samples = parser.gpsDataList();
        QVERIFY2(m_samples.size() > 20, qPrintable(path));

        Configuration::instance()->setLanguage(Configuration::Japanese);
        m_view = new MapWebView;
        m_view->setAttribute(Qt::WA_DeleteOnClose, false);
        m_view->resize(800, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
    }

    void cleanupTestCase()
    {
        delete m_view;
    }

    void routeOfRecording_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("Google") << int(GoogleMap);
        QTest::newRow("Baidu") << int(BaiduMap);
        QTest::newRow("OpenStreetMap") << int(OpenStreetMap);
    }

    void routeOfRecording()
    {
        QFETCH(int, type);
        Configuration::instance()->setMaps(type);
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->setMapType(static_cast<MapTypes>(type));
        QVERIFY2(loaded.wait(WaitMs), "the map page loaded");
        QVERIFY2(maptest::pageReady(m_view->page()), "the map page is ready for scripts");

        // What the main window hands over: the whole track, then the samples
        // one by one as the recording plays.
        QVector<QVector<double>> track;
        for (const GpsData &s : m_samples)
            track.append({s.longitude, s.latitude});
        m_view->loadAllGpsData(track);
        // The first quarter minute is a drive in Tokyo; that is the picture.
        const int tokyo = 15;
        for (int i = 0; i < m_samples.size(); ++i) {
            const GpsData &s = m_samples.at(i);
            m_view->addPoint(MapPoint{s.index, s.longitude, s.latitude});
            if (i + 1 == tokyo) {
                grabRoute();
                if (QTest::currentTestFailed())
                    return;
            }
        }

        // The camera's samples without a fix are at 0,0 and never drawn.
        int placed = 0;
        for (const GpsData &s : m_samples)
            placed += (s.longitude != 0.0 || s.latitude != 0.0) ? 1 : 0;
        QVERIFY2(placed < m_samples.size(), "some samples have no fix");
        const QVariantMap state = mapState(m_view->page());
        const QVariantList route = state.value(QStringLiteral("route")).toList();
        QCOMPARE(route.size(), placed);
        const GpsData &last = m_samples.last();
        QVERIFY2(near(route.last(), last.longitude, last.latitude), qPrintable(describe(route.last())));
        QVERIFY2(near(state.value(QStringLiteral("marker")), last.longitude, last.latitude),
                 "the marker stands at the last point");
        QVERIFY2(near(state.value(QStringLiteral("center")), last.longitude, last.latitude, 1e-5),
                 qPrintable(describe(state.value(QStringLiteral("center")))));
        QVERIFY2(state.value(QStringLiteral("scale")).toBool(), "the page shows its scale control");
        QCOMPARE(state.value(QStringLiteral("track")).toList().size(), type == OpenStreetMap ? placed : 0);
    }

    void pointsSentWhileThePageLoadsArrive()
    {
        // A folder opened right after start-up hands its first points to a
        // page that is still loading; they were lost to undefined functions.
        Configuration::instance()->setMaps(OpenStreetMap);
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->setMapType(OpenStreetMap);
        QList<GpsData> fixed;
        for (const GpsData &s : m_samples)
            if (s.longitude != 0.0 || s.latitude != 0.0)
                fixed << s;
        QVERIFY2(fixed.size() >= 3, "the recording has fixes");
        for (int i = 0; i < 3; ++i)
            m_view->addPoint(MapPoint{fixed.at(i).index, fixed.at(i).longitude, fixed.at(i).latitude});
        QVERIFY2(loaded.isEmpty(), "the points must be sent before the page has loaded");
        QVERIFY2(loaded.wait(WaitMs), "the map page loaded");
        QTRY_COMPARE_WITH_TIMEOUT(mapState(m_view->page()).value(QStringLiteral("route")).toList().size(), 3, WaitMs);
        QVERIFY2(near(mapState(m_view->page()).value(QStringLiteral("route")).toList().last(), fixed.at(2).longitude,
                      fixed.at(2).latitude),
                 "the last point sent during the load is the route's end");
    }
};

int main(int argc, char **argv)
{
    TestMapRoute test;
    return maptest::run(&test, "MapRouteTest", argc, argv,
                        {"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"});
}

#include "tst_maproute.moc"
