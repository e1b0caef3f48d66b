#include "exportjob.h"
#include "mapwebenginepage.h"
#include "tst_mapharness.h"
#include "tst_viewerharness.h"

#include <QScreen>
#include <QWebEnginePage>

using namespace viewertest;

// An exported pair opens in the viewer as a pair, and plays with its trip:
// the readouts show the exported seconds and the map gets the route.
class TestExportPlayback : public QObject
{
    Q_OBJECT

private slots:
    void exportedPairPlaysWithItsTrip()
    {
        QTemporaryDir dir;
        ExportRequest request;
        request.front = {{media(QStringLiteral("export/20240103_100000_F.mp4")), 1.5, -1.0},
                         {media(QStringLiteral("export/20240103_100004_F.mp4")), 0.0, 2.5}};
        request.rear = {media(QStringLiteral("export/20240103_100000_R.mp4")), media(QStringLiteral("export/20240103_100004_R.mp4"))};
        request.folder = dir.path();
        ExportJob job(request);
        job.run();
        QVERIFY2(job.succeeded(), qPrintable(job.message()));

        MainWindows window;
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The view makes its page once the window is on screen; asking for
        // it earlier would give a stand-in page that is then replaced.
        QTRY_VERIFY_WITH_TIMEOUT(map(&window)->findChild<CMapWebEnginePage *>(), WaitMs);
        QWebEnginePage *page = map(&window)->page();
        auto backend = [page] { return maptest::mapState(page).value(QStringLiteral("backend")).toString(); };
        QTRY_VERIFY_WITH_TIMEOUT(!backend().isEmpty() && backend() != QLatin1String("none"), 3 * WaitMs);
        openFolder(&window, dir.path());
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(playingFile(&window), QStringLiteral("20240103_100001-100006_F.mp4"));
        QCOMPARE(QUrl(playArea(&window)->rearPlayer()->canonicalUrl()).fileName(), QStringLiteral("20240103_100001-100006_R.mp4"));
        // The key frame at 1 s starts the export, so its trip starts at 10:00:01.
        QTRY_VERIFY_WITH_TIMEOUT(labelText(&window, "lbl_GpsDateTime").startsWith(QStringLiteral("2024/01/03 10:00:0")), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(maptest::mapState(page).value(QStringLiteral("route")).toList().size() >= 2, WaitMs);

        QTest::qWait(1000);
        const QRect g = window.frameGeometry();
        const QImage shot = window.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
        const QString file = QDir::current().filePath(QStringLiteral("tst_exportplayback.png"));
        QVERIFY(shot.save(file));
        qInfo() << "picture saved as" << file;
    }
};

int main(int argc, char **argv)
{
    TestExportPlayback test;
    return maptest::run(&test, "ExportPlaybackTest", argc, argv, {"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"});
}

#include "tst_exportplayback.moc"
