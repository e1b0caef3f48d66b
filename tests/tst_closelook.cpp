#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QWheelEvent>
#include <QtCharts/QLineSeries>

QT_CHARTS_USE_NAMESPACE

#include "configuration.h"
#include "tst_viewerharness.h"

using namespace viewertest;

// The close look in the real main window: frame steps by key with the
// readouts and the chart following, zoom by wheel on one view, and the
// screenshot of a zoomed view still the whole picture.
class TestCloseLook : public QObject
{
    Q_OBJECT

    QTemporaryDir root;

    static QString expectedDateTime(const QString &recording, int second)
    {
        QFile f(media(recording + QStringLiteral(".expected.json")));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        const QJsonObject sample =
            QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("samples")).toArray().at(second).toObject();
        return QDateTime::fromString(sample.value(QStringLiteral("dateTime")).toString(), QStringLiteral("yyyyMMddhhmmss"))
            .toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    }

    static qreal chartCursor(QWidget *window)
    {
        const auto all = chart(window)->chart()->series();
        for (QAbstractSeries *s : all) {
            auto *line = qobject_cast<QLineSeries *>(s);
            if (line && s->name() == QLatin1String("C ") && line->count())
                return line->at(0).x();
        }
        return -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QStandardPaths::setTestModeEnabled(true);
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        Configuration::instance()->setVideoFilePath(root.path());
        if (!QFileInfo::exists(media(QStringLiteral("gps/20240101_120000_F.mp4"))))
            QSKIP("generated recordings missing");
    }

    void stepAndZoom_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("image") << int(TrackoraActiveXLib::Render_Image);
        QTest::newRow("opengl") << int(TrackoraActiveXLib::Render_OpenGL);
    }

    void stepAndZoom()
    {
        QFETCH(int, model);
        const QString dir = root.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(stage(dir, {{QStringLiteral("gps/20240101_120000_F.mp4"), QStringLiteral("20240101_120000_F.mp4")},
                            {QStringLiteral("gps/20240101_120000_R.mp4"), QStringLiteral("20240101_120000_R.mp4")}}));
        const QString shots = dir + QStringLiteral("/shots");
        Configuration::instance()->setScreenshotSavePath(shots);

        MainWindows window;
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PlayAreaManager *area = playArea(&window);
        area->frontPlayer()->playerControl()->setRenderModel(TrackoraActiveXLib::FFRenderModel(model));
        area->rearPlayer()->playerControl()->setRenderModel(TrackoraActiveXLib::FFRenderModel(model));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QSignalSpy positions(area, &PlayAreaManager::positionChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty(), WaitMs);

        const QString recording = QStringLiteral("gps/20240101_120000_F.mp4");
        area->onSliderStatusChanged(true, 3);
        area->onSliderStatusChanged(false, 3);
        QTRY_VERIFY_WITH_TIMEOUT(labelText(&window, "lbl_GpsDateTime") == expectedDateTime(recording, 3), WaitMs);

        // One picture back crosses into second 2: readouts and chart go with it.
        QTest::keyClick(&window, Qt::Key_Comma);
        QTRY_VERIFY_WITH_TIMEOUT(positions.last().at(1).toLongLong() == 2966, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(labelText(&window, "lbl_GpsDateTime"), expectedDateTime(recording, 2), WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(chartCursor(&window), qreal(2), WaitMs);
        QTest::keyClick(&window, Qt::Key_Period);
        QTRY_VERIFY_WITH_TIMEOUT(positions.last().at(1).toLongLong() == 3000, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(labelText(&window, "lbl_GpsDateTime"), expectedDateTime(recording, 3), WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(chartCursor(&window), qreal(3), WaitMs);

        // The wheel over the front view zooms that view only.
        QWidget *front = area->frontPlayer()->playerControl()->controlWidget();
        const QPointF at(front->width() * 0.3, front->height() * 0.4);
        QWheelEvent wheel(at, front->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 6 * 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(front, &wheel);
        QVERIFY(area->frontPlayer()->playerControl()->zoom() > 3.5);
        QCOMPARE(area->rearPlayer()->playerControl()->zoom(), 1.0);
        QTest::qWait(500);
        const QRect g = window.frameGeometry();
        const QImage shot = window.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
        const QString file = QDir::current().filePath(QStringLiteral("tst_closelook_zoomed_%1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY(shot.save(file));
        qInfo() << "picture saved as" << file;

        // The screenshot of the zoomed view is the whole picture.
        area->screenshot();
        // Read once written whole: the files appear while they are being written.
        auto sizes = [&] {
            QStringList found;
            for (const QString &name : QDir(shots).entryList({QStringLiteral("*.jpeg")}, QDir::Files)) {
                const QSize size = QImage(QDir(shots).filePath(name)).size();
                found << QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
            }
            return found.join(QLatin1Char(' '));
        };
        QTRY_COMPARE_WITH_TIMEOUT(sizes(), QStringLiteral("640x360 640x360"), WaitMs);
    }
};

QTEST_MAIN(TestCloseLook)
#include "tst_closelook.moc"
