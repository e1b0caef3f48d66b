#include <QImage>
#include <QProcess>

#include "configuration.h"
#include "openglcheck.h"
#include "tst_mapharness.h"
#include "tst_viewerharness.h"

using namespace viewertest;

// The whole viewer on a platform that gives no OpenGL context: the map
// pane says why it is empty, pictures are painted as images, and a
// folder still opens and plays.
class TestWithoutOpenGL : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_root;

    static int paintedPixels(QWidget *w)
    {
        const QImage image = w->grab().toImage();
        int painted = 0;
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                painted += qGray(image.pixel(x, y)) > 40;
        return painted;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY2(!OpenGLCheck::contextAvailable(), "this platform was meant to have no OpenGL");
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        Configuration::instance()->setVideoFilePath(m_root.path());
    }

    void opensFolderAndPlaysRow()
    {
        const QString name = QStringLiteral("20240101_120000_F.mp4");
        QVERIFY(stage(m_root.path(), {{QStringLiteral("gps/") + name, name},
                                      {QStringLiteral("gps/20240101_120000_R.mp4"), QStringLiteral("20240101_120000_R.mp4")}}));
        MainWindows window;
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        MapWebView *mapView = map(&window);
        QVERIFY(!mapView->showsMap());
        auto *notice = mapView->findChild<QLabel *>(QStringLiteral("lbl_MapNotice"));
        QVERIFY(notice);
        QVERIFY(notice->isVisible());
        const QString english = notice->text();
        QVERIFY(english.contains(QStringLiteral("OpenGL")));
        // The notice follows the language like every other text.
        Configuration::instance()->setLanguage(Configuration::German);
        QTRY_VERIFY(notice->text() != english);
        QVERIFY(notice->text().startsWith(QStringLiteral("Die Karte")));
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        QTRY_COMPARE(notice->text(), english);

        openFolder(&window, m_root.path());
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(playingFile(&window), name);
        PlayAreaManager *area = playArea(&window);
        for (CPlayerWidget *player : {area->frontPlayer(), area->rearPlayer()})
            QCOMPARE(player->playerControl()->renderModel(), TrackoraActiveXLib::Render_Image);

        // Playing on: the readouts follow the trip, the picture is painted.
        qint64 last = -1;
        connect(area, &PlayAreaManager::positionChanged, this, [&last](int, qint64 position) { last = position; });
        QTRY_VERIFY_WITH_TIMEOUT(last >= 2000, WaitMs);
        QVERIFY(labelText(&window, "lbl_GpsDateTime").startsWith(QStringLiteral("2024/01/01 12:00:")));
        QTRY_VERIFY_WITH_TIMEOUT(paintedPixels(area->frontPlayer()->playerControl()) > 100, WaitMs);
        // The map slots run and do nothing.
        mapView->clearAll();
        mapView->addPoint(MapPoint{1, 139.7, 35.6});
        mapView->setMapType(OpenStreetMap);
        QVERIFY(!mapView->showsMap());

        window.close();
        QVERIFY(!window.isVisible());
    }

    // The program itself, started as a person would on such a display, comes
    // up, says why the map is missing, and stays up.
    void programStartsAndEnds()
    {
        const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Trackora"));
        QVERIFY(QFileInfo::exists(program));
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("run")));
        QFile::setPermissions(home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("trackora.*.debug=true"));

        QProcess viewer;
        viewer.setProcessEnvironment(env);
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        QByteArray log;
        connect(&viewer, &QProcess::readyRead, this, [&] { log += viewer.readAll(); });
        viewer.start(program, QStringList());
        QVERIFY(viewer.waitForStarted());
        QTRY_VERIFY2_WITH_TIMEOUT(log.contains("window shown") || viewer.state() != QProcess::Running, log.constData(), WaitMs);
        QVERIFY2(log.contains("no OpenGL context"), log.constData());
        // The map would have started here, after the window was first exposed.
        QTest::qWait(1500);
        QVERIFY2(viewer.state() == QProcess::Running, log.constData());
        viewer.kill();
        QVERIFY(viewer.waitForFinished(WaitMs));
        QVERIFY2(!log.contains("Failed to create OpenGL context"), log.constData());
    }
};

int main(int argc, char **argv)
{
    // No display to borrow a context from: Qt's offscreen platform alone.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_OFFSCREEN_NO_GLX", "1");
    TestWithoutOpenGL test;
    return maptest::run(&test, "WithoutOpenGLTest", argc, argv, {});
}

#include "tst_withoutopengl.moc"
