#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTableView>
#include <QSettings>
#include <QScrollBar>
#include <QtCharts/QLineSeries>

QT_CHARTS_USE_NAMESPACE

#include <QMessageBox>
#include <QProcess>

#include "computeInfo.h"
#include "mapwebenginepage.h"
#include "tripplaylistmodel.h"
#include "triptimeline.h"
#include "configuration.h"
#include "tst_mapharness.h"
#include "tst_viewerharness.h"

using namespace viewertest;

// The real main window under a real X server, playing generated recordings.
class TestMainWindows : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_root;
    int m_folders = 0;

    QString folderWith(const QList<QPair<QString, QString>> &files)
    {
        const QString dir = m_root.filePath(QStringLiteral("f%1").arg(m_folders++));
        QDir().mkpath(dir);
        return stage(dir, files) ? dir : QString();
    }

    static QJsonObject expectedSample(const QString &recording, int second)
    {
        QFile f(media(recording + QStringLiteral(".expected.json")));
        if (!f.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("samples")).toArray().at(second).toObject();
    }

    static QLineSeries *cursorOf(GyroChartView *view)
    {
        const auto all = view->chart()->series();
        for (QAbstractSeries *s : all) {
            if (s->name() == QLatin1String("C "))
                return qobject_cast<QLineSeries *>(s);
        }
        return nullptr;
    }

    void resetConfiguration()
    {
        Configuration *config = Configuration::instance();
        config->setMainWindowMaximized(false);
        config->setMainWindowRect(QRect(483, 166, 621, 628));
        config->setVideoFilePath(m_root.path());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
    }

    void init()
    {
        resetConfiguration();
    }

    // Opening a folder: one file plays once listed; with several, the first
    // plays once the second is listed (its partner has had its chance).
    void openFolderPlaysFirstRow_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("rowsWhenChosen");
        QTest::newRow("one") << QStringList{QStringLiteral("20240101_120400_F.mp4")} << 1;
        QTest::newRow("several") << QStringList{QStringLiteral("20240101_120000_F.mp4"), QStringLiteral("20240101_120400_F.mp4"),
                                                QStringLiteral("20240101_120700_000003_F_TL.mov")}
                                 << 2;
    }

    void openFolderPlaysFirstRow()
    {
        QFETCH(QStringList, files);
        QFETCH(int, rowsWhenChosen);
        QList<QPair<QString, QString>> staged;
        for (const QString &f : files)
            staged.append({QStringLiteral("gps/") + f, f});
        const QString dir = folderWith(staged);
        QVERIFY(!dir.isEmpty());

        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Rows listed while nothing had been chosen yet.
        int rowsAtChoice = 0;
        connect(window.playlist(), &QAbstractItemModel::rowsInserted, this, [&] {
            if (playArea(&window)->playingRowId() < 0)
                rowsAtChoice = window.playlist()->rowCount();
        });
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(playingFile(&window), files.first());
        QCOMPARE(rowsAtChoice, rowsWhenChosen);
        QCOMPARE(window.playlist()->rowCount(), files.size());
        QCOMPARE(labelText(&window, "lbl_FileName"), files.first());
        QCOMPARE(QDir::cleanPath(Configuration::instance()->videoFilePath()), QDir::cleanPath(dir));
    }

    void cancelledPickerChangesNothing()
    {
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120400_F.mp4"), QStringLiteral("20240101_120400_F.mp4")}});
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        openFolder(&window, QString());
        QTest::qWait(300);
        QVERIFY(isPlaying(&window));
        QCOMPARE(window.playlist()->rowCount(), 1);
    }

    // A folder of rear recordings only: the rear view alone, front views disabled.
    void rearOnlyFolderPlaysRearView()
    {
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120600_000002_R_TL.mp4"), QStringLiteral("20240101_120600_000002_R_TL.mp4")}});
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(playArea(&window)->playFrontOrRear(), PlayAreaManager::ShowRear);
        QVERIFY(playArea(&window)->rearPlayer()->isVisible());
        QVERIFY(!playArea(&window)->frontPlayer()->isVisible());
        QVERIFY(!button(&window, "btn_Front")->isEnabled());
        QVERIFY(!button(&window, "btn_FrontRear")->isEnabled());
        QVERIFY(button(&window, "btn_Rear")->isEnabled());
    }

    void droppedRearPlaysItsFront_data()
    {
        QTest::addColumn<QString>("front");
        QTest::addColumn<QString>("rear");
        QTest::newRow("upper-case markers") << "20240101_120000_F.mp4" << "20240101_120000_R.mp4";
        QTest::newRow("lower-case markers") << "20240101_120000_f.mp4" << "20240101_120000_r.mp4";
    }

    // Dropping a rear file whose front exists plays the front, paired with it.
    void droppedRearPlaysItsFront()
    {
        QFETCH(QString, front);
        QFETCH(QString, rear);
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120000_F.mp4"), front},
                                        {QStringLiteral("gps/20240101_120000_R.mp4"), rear}});
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PlayAreaManager *area = playArea(&window);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QDir(dir).filePath(rear))});
        const QPoint at = area->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &drop);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(area->playFrontOrRear(), PlayAreaManager::ShowFrontRear);
        QCOMPARE(QUrl(area->frontPlayer()->canonicalUrl()).fileName(), front);
        QCOMPARE(QUrl(area->rearPlayer()->canonicalUrl()).fileName(), rear);
        QCOMPARE(window.playlist()->rowCount(), 1);
    }

    // Keys: Escape keeps the window, Space toggles, Left and Right step the slider.
    // Two clicks on next within 600 ms advance by one row.
    void keysAndNext()
    {
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120000_F.mp4"), QStringLiteral("a_F.mp4")},
                                        {QStringLiteral("gps/20240101_120400_F.mp4"), QStringLiteral("b_F.mp4")},
                                        {QStringLiteral("gps/20240101_120700_000003_F_TL.mov"), QStringLiteral("c_F.mov")}});
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);

        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());

        QTest::keyClick(&window, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(panel(&window)->state(), TrackoraActiveXLib::PausedState, WaitMs);
        auto *seek = child<QSlider>(&window, "hSlider_Seek");
        const int before = seek->value();
        QTest::keyClick(&window, Qt::Key_Right);
        QTRY_COMPARE(seek->value(), before + 1);
        QTest::keyClick(&window, Qt::Key_Right);
        QTRY_COMPARE(seek->value(), before + 2);
        QTest::keyClick(&window, Qt::Key_Left);
        QTRY_COMPARE(seek->value(), before + 1);
        QTest::keyClick(&window, Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);

        QAbstractButton *next = button(&window, "btn_Next");
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::qWait(100);
        QTest::mouseClick(next, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window) && playingFile(&window) == QLatin1String("b_F.mp4"), WaitMs);
        QTest::qWait(800);
        QCOMPARE(playingFile(&window), QStringLiteral("b_F.mp4"));
        QCOMPARE(table(&window)->currentIndex().data(TripPlaylistModel::RecordingIdRole).toInt(), 1);
    }

    // Whole seconds move the chart marker and the readouts, other positions
    // only the time; the readouts show the trip's own values; the map gets
    // the route and the points.
    void positionsFanOutToReadoutsChartAndMap()
    {
        const QString name = QStringLiteral("20240101_120000_F.mp4");
        const QString dir = folderWith({{QStringLiteral("gps/") + name, name},
                                        {QStringLiteral("gps/20240101_120000_R.mp4"), QStringLiteral("20240101_120000_R.mp4")}});
        // The title as a person sees it; the settings file stays the test's.
        QCoreApplication::setApplicationName(QStringLiteral(TRACKORA_APP_NAME));
        MainWindows window;
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The view makes its page once the window is on screen; asking for
        // it earlier would give a stand-in page that is then replaced.
        QTRY_VERIFY_WITH_TIMEOUT(map(&window)->findChild<CMapWebEnginePage *>(), WaitMs);
        // The offline page falls back to its local map; on a busy machine that takes a while.
        QWebEnginePage *page = map(&window)->page();
        auto backend = [page] { return maptest::mapState(page).value(QStringLiteral("backend")).toString(); };
        QTRY_VERIFY_WITH_TIMEOUT(!backend().isEmpty() && backend() != QLatin1String("none"), 3 * WaitMs);
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);

        // Checked at every report, right after the window has handled it.
        PlayAreaManager *area = playArea(&window);
        QLineSeries *cursor = cursorOf(chart(&window));
        QVERIFY(cursor);
        int wholeSeconds = 0;
        int between = 0;
        QStringList wrong;
        qreal lastSecond = -1;
        connect(area, &PlayAreaManager::positionChanged, this, [&](int, qint64 position) {
            const qreal x = cursor->count() ? cursor->at(0).x() : -1;
            if (position % 1000 != 0) {
                ++between;
                if (lastSecond >= 0 && x != lastSecond)
                    wrong << QStringLiteral("%1 ms moved the marker to %2").arg(position).arg(x);
                return;
            }
            ++wholeSeconds;
            const int second = int(position / 1000);
            lastSecond = second;
            if (x != second)
                wrong << QStringLiteral("%1 ms left the marker at %2").arg(position).arg(x);
            const QJsonObject s = expectedSample(QStringLiteral("gps/") + name, second);
            const QString dateTime = QDateTime::fromString(s.value(QStringLiteral("dateTime")).toString(), QStringLiteral("yyyyMMddhhmmss"))
                                         .toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
            const QString speed = QString::asprintf("%03d km/h", s.value(QStringLiteral("speed")).toInt());
            const QString coordinates = QStringLiteral("%1%2,%3%4")
                                            .arg(s.value(QStringLiteral("latitudeRef")).toString())
                                            .arg(qAbs(s.value(QStringLiteral("latitude")).toDouble()), 0, 'f', 6)
                                            .arg(s.value(QStringLiteral("longitudeRef")).toString())
                                            .arg(qAbs(s.value(QStringLiteral("longitude")).toDouble()), 0, 'f', 6);
            const QString shown = labelText(&window, "lbl_GpsDateTime") + QLatin1Char('|') + labelText(&window, "pBtn_SP")
                + QLatin1Char('|') + labelText(&window, "lbl_LongitudeAndLatitude");
            if (shown != dateTime + QLatin1Char('|') + speed + QLatin1Char('|') + coordinates)
                wrong << QStringLiteral("second %1 shows %2").arg(second).arg(shown);
        });
        area->seek(3);
        QTRY_VERIFY_WITH_TIMEOUT(wholeSeconds >= 4 && between >= 30, WaitMs);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
        QVERIFY(labelText(&window, "lbl_GpsDateTime").startsWith(QStringLiteral("2024/01/01 12:00:")));

        // The map: the whole route, then the point of each second played.
        QTRY_VERIFY_WITH_TIMEOUT(maptest::mapState(page).value(QStringLiteral("markerShown")).toBool(), WaitMs);
        const int played = wholeSeconds;
        QTRY_VERIFY_WITH_TIMEOUT(wholeSeconds >= played + 2, WaitMs);
        const int second = QTime::fromString(labelText(&window, "lbl_PlayTime").left(8), QStringLiteral("hh:mm:ss")).msecsSinceStartOfDay() / 1000;
        const QJsonObject now = expectedSample(QStringLiteral("gps/") + name, second);
        const QVariantMap state = maptest::mapState(page);
        QVERIFY2(maptest::near(state.value(QStringLiteral("marker")), now.value(QStringLiteral("longitude")).toDouble(),
                               now.value(QStringLiteral("latitude")).toDouble()),
                 qPrintable(maptest::describe(state)));
        QVERIFY(state.value(QStringLiteral("route")).toList().size() >= 2);

        // The picture of the viewer at work.
        QTest::qWait(1000);
        const QRect g = window.frameGeometry();
        const QImage shot = window.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
        const QString file = QDir::current().filePath(QStringLiteral("tst_mainwindows_playing.png"));
        QVERIFY(shot.save(file));
        qInfo() << "picture saved as" << file;
    }

    // A drive of two recordings with planted events: the list behind
    // btn_Events, the chart's markers, N and Shift+N, a double-click playing
    // from 5 s before, new thresholds from the settings, and the seam.
    void eventsListMarkersAndKeys()
    {
        const QString first = QStringLiteral("20240301_090000_F.mp4");
        const QString second = QStringLiteral("20240301_090021_F.mp4");
        const QString dir = folderWith({{QStringLiteral("events/") + first, first}, {QStringLiteral("events/") + second, second}});
        MainWindows window;
        window.resize(1280, 860);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window) && playingFile(&window) == first, WaitMs);

        auto *list = child<QTableView>(&window, "tbl_EventList");
        QVERIFY2(!list->isVisible(), "the list starts hidden");
        QTest::mouseClick(button(&window, "btn_Events"), Qt::LeftButton);
        QVERIFY2(list->isVisible(), "btn_Events shows the list");
        QAbstractItemModel *events = list->model();
        // The second recording joins the trip once parsed.
        QTRY_COMPARE_WITH_TIMEOUT(events->rowCount(), 7, WaitMs);
        const QStringList header = {events->headerData(0, Qt::Horizontal).toString(), events->headerData(1, Qt::Horizontal).toString(),
                                    events->headerData(2, Qt::Horizontal).toString(), events->headerData(3, Qt::Horizontal).toString()};
        QCOMPARE(header, (QStringList{"Time", "Kind", "Value", "Recording"}));
        auto row = [events](int r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << events->index(r, c).data().toString();
            return cells.join(QLatin1Char('|'));
        };
        QCOMPARE(row(0), QStringLiteral("00:00:03|Harsh braking|14 km/h/s|") + first);
        QCOMPARE(row(1), QStringLiteral("00:00:05|Harsh acceleration|12 km/h/s|") + first);
        QCOMPARE(row(2), QStringLiteral("00:00:07|Impact|1.80 g|") + first);
        QCOMPARE(row(4), QStringLiteral("00:00:13|Impact|3.10 g|") + first);
        QCOMPARE(row(5), QStringLiteral("00:00:18|Harsh braking|16 km/h/s|") + first);
        // An acceleration only with the last second of the first recording before it.
        QCOMPARE(row(6), QStringLiteral("00:00:00|Harsh acceleration|14 km/h/s|") + second);

        // The chart's markers, one series per kind, at the events' seconds.
        auto markers = [&window](const char *kind) {
            QStringList at;
            for (QAbstractSeries *s : chart(&window)->chart()->series()) {
                if (s->objectName() == QLatin1String("events_") + QLatin1String(kind)) {
                    for (const QPointF &p : static_cast<QXYSeries *>(s)->pointsVector())
                        at << QString::number(p.x());
                }
            }
            return at.join(QLatin1Char(' '));
        };
        QCOMPARE(markers("braking"), QStringLiteral("3 18"));
        QCOMPARE(markers("acceleration"), QStringLiteral("5"));
        QCOMPARE(markers("impact"), QStringLiteral("7 10 13"));

        // The list follows the language.
        Configuration::instance()->setLanguage(Configuration::German);
        QCOMPARE(events->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Zeit"));
        QCOMPARE(row(0), QStringLiteral("00:00:03|Starkes Bremsen|14 km/h/s|") + first);
        QCOMPARE(button(&window, "btn_Events")->toolTip(), QStringLiteral("Ereignisse"));
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        QCOMPARE(row(2), QStringLiteral("00:00:07|Impact|1.80 g|") + first);

        // The picture of the list, for a person to look at.
        QTest::qWait(500);
        const QRect g = window.frameGeometry();
        const QString file = QDir::current().filePath(QStringLiteral("tst_mainwindows_events.png"));
        QVERIFY(window.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage().save(file));
        qInfo() << "picture saved as" << file;

        QTest::keyClick(&window, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(panel(&window)->state(), TrackoraActiveXLib::PausedState, WaitMs);
        auto *seek = child<QSlider>(&window, "hSlider_Seek");
        playArea(&window)->seek(0);
        QTRY_COMPARE(seek->value(), 0);
        const QList<QPair<bool, int>> steps = {{false, 3}, {false, 5}, {false, 7}, {true, 5}, {true, 3}, {true, 3}};
        for (const auto &step : steps) {
            QTest::keyClick(&window, Qt::Key_N, step.first ? Qt::ShiftModifier : Qt::NoModifier);
            QTRY_COMPARE(seek->value(), step.second);
            QCOMPARE(events->index(list->currentIndex().row(), 0).data().toString(),
                     QTime(0, 0).addSecs(step.second).toString(QStringLiteral("hh:mm:ss")));
        }
        // The chosen event proposes 30 s on each side for an export, across the seam
        // into the second recording and up to the trip's end; the timeline shows
        // that range beside the trip's events.
        auto *timeline = window.findChild<TripTimeline *>(QStringLiteral("wgt_TripTimeline"));
        QVERIFY(timeline);
        QTRY_COMPARE_WITH_TIMEOUT(timeline->markerKeys().filter(QStringLiteral("event:")).size(), 7, WaitMs);
        QVERIFY2(timeline->markerKeys().contains(QStringLiteral("export")), "the range is on the timeline");
        QCOMPARE(panel(&window)->markedInAt(), (RangeMark{0, 0}));
        QCOMPARE(panel(&window)->markedOutAt(), (RangeMark{1, 10000}));

        // Saved thresholds apply to the trip that plays.
        Configuration *config = Configuration::instance();
        EventThresholds raised;
        raised.brakingKmh = 15;
        config->setEventThresholds(raised);
        emit config->updateState();
        QCOMPARE(events->rowCount(), 6);
        QCOMPARE(row(0), QStringLiteral("00:00:05|Harsh acceleration|12 km/h/s|") + first);
        QCOMPARE(markers("braking"), QStringLiteral("18"));
        config->setEventThresholds(EventThresholds());
        emit config->updateState();
        QCOMPARE(events->rowCount(), 7);

        auto doubleClick = [list, events](int r) {
            list->scrollTo(events->index(r, 1));
            const QPoint at = list->visualRect(events->index(r, 1)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        };
        // The impact at 13: playback from 8.
        doubleClick(4);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QVERIFY2(seek->value() >= 8 && seek->value() < 13, qPrintable(QString::number(seek->value())));

        // The event of the second recording plays that recording; the chart
        // shows the whole drive then, with every event of the trip at its
        // place (the second recording starts 20 s in), and the list stays the trip's.
        doubleClick(6);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window) && playingFile(&window) == second, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(events->rowCount(), 7, WaitMs);
        QCOMPARE(list->currentIndex().row(), 6);
        // Its range reaches back across the seam to the trip's start, and
        // stays while the second one opens.
        QCOMPARE(panel(&window)->markedInAt(), (RangeMark{0, 0}));
        QCOMPARE(panel(&window)->markedOutAt(), (RangeMark{1, 10000}));
        QTRY_COMPARE_WITH_TIMEOUT(markers("acceleration"), QStringLiteral("5 20"), WaitMs);
        QCOMPARE(markers("braking"), QStringLiteral("3 18"));

        // Shift+N from its first second goes back into the first recording.
        QTest::keyClick(&window, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(panel(&window)->state(), TrackoraActiveXLib::PausedState, WaitMs);
        playArea(&window)->seek(0);
        QTRY_COMPARE(seek->value(), 0);
        QTest::keyClick(&window, Qt::Key_N, Qt::ShiftModifier);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window) && playingFile(&window) == first, WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(events->rowCount(), 7, WaitMs);
        QCOMPARE(list->currentIndex().row(), 5);
        // It plays from 18 (the panel shows positions once the player has opened).
        QTRY_VERIFY_WITH_TIMEOUT(seek->value() >= 18, 8000);

        QTest::mouseClick(button(&window, "btn_Events"), Qt::LeftButton);
        QVERIFY2(!list->isVisible(), "btn_Events hides the list again");
    }

    // Double-clicking the frame fills the work area; again returns to where
    // it was, which is also the stored rectangle.
    void doubleClickFillsWorkAreaAndBack()
    {
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(QRect(200, 150, 900, 640));
        QTRY_COMPARE(window.geometry(), QRect(200, 150, 900, 640));
        const QRect normal = window.geometry();

        QWidget *header = child<QWidget>(&window, "wgt_Header");
        QTest::mouseDClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(500, 20));
        const QRect work = window.screen()->availableGeometry();
        QTRY_COMPARE(window.geometry(), QRect(work.topLeft(), QSize(work.width(), work.height() - 1)));
        QVERIFY(!window.isNormalGeometry());
        QVERIFY(button(&window, "pBtn_Maximize")->isChecked());
        QCOMPARE(Configuration::instance()->mainWindowRect(), normal);
        // Filled: no edges.
        QCOMPARE(window.hitTestEdge(window.frameGeometry().topLeft()), MainWindows::EdgeNone);

        QTest::mouseDClick(header, Qt::LeftButton, Qt::NoModifier, QPoint(500, 20));
        QTRY_COMPARE(window.geometry(), normal);
        QVERIFY(window.isNormalGeometry());
        QVERIFY(!button(&window, "pBtn_Maximize")->isChecked());
    }

    // Geometry across starts: the normal rectangle comes back; a filled
    // window comes back filled, and leaving that returns to the designer size.
    void geometryPersistsAcrossStarts()
    {
        {
            MainWindows first;
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            first.setGeometry(QRect(150, 120, 1000, 700));
            QTRY_COMPARE(first.geometry(), QRect(150, 120, 1000, 700));
            first.close();
        }
        QCOMPARE(Configuration::instance()->mainWindowRect(), QRect(150, 120, 1000, 700));
        QVERIFY(!Configuration::instance()->isMainWindowMaximized());
        {
            MainWindows second;
            QCOMPARE(second.geometry(), QRect(150, 120, 1000, 700));
            second.show();
            QVERIFY(QTest::qWaitForWindowExposed(&second));
            second.toggleMaximized();
            second.close();
        }
        QVERIFY(Configuration::instance()->isMainWindowMaximized());
        QCOMPARE(Configuration::instance()->mainWindowRect(), QRect(150, 120, 1000, 700));
        {
            MainWindows third;
            third.show();
            QVERIFY(QTest::qWaitForWindowExposed(&third));
            QVERIFY(!third.isNormalGeometry());
            const QRect work = third.screen()->availableGeometry();
            QTRY_COMPARE(third.geometry().size(), QSize(work.width(), work.height() - 1));
            third.toggleMaximized();
            QTRY_COMPARE(third.geometry().size(), QSize(1006, 737));
        }
        // A rectangle on no screen falls back to a visible one.
        Configuration::instance()->setMainWindowMaximized(false);
        Configuration::instance()->setMainWindowRect(QRect(-9000, -9000, 500, 500));
        MainWindows lost;
        QCOMPARE(lost.geometry(), QRect(483, 166, 921, 628));
    }

    // A rectangle saved on a larger screen, or off an edge, comes back inside
    // the work area, and is saved so at close.
    void geometryFitsTheWorkArea_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("expected"); // on the 1920 x 1080 test screen
        QTest::newRow("larger than the screen") << QRect(0, 0, 3000, 2000) << QRect(0, 0, 1920, 1080);
        QTest::newRow("off the right edge") << QRect(1400, 100, 1000, 700) << QRect(920, 100, 1000, 700);
        QTest::newRow("above the top") << QRect(300, -200, 1000, 700) << QRect(300, 0, 1000, 700);
        QTest::newRow("fits") << QRect(150, 120, 1000, 700) << QRect(150, 120, 1000, 700);
    }

    void geometryFitsTheWorkArea()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, expected);
        QScreen *screen = QGuiApplication::primaryScreen();
        if (screen->availableGeometry() != QRect(0, 0, 1920, 1080))
            QSKIP("needs the 1920 x 1080 test screen");
        Configuration::instance()->setMainWindowRect(stored);
        {
            MainWindows window;
            QCOMPARE(window.geometry(), expected);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.close();
        }
        QVERIFY2(screen->availableGeometry().contains(Configuration::instance()->mainWindowRect()),
                 "what is saved again fits the screen");
    }

    // A first start uses the screen: three quarters of the work area, centred,
    // and the playlist shows every column without a scroll bar.
    void firstStartUsesTheScreen()
    {
        QSettings(Configuration::instance()->fileName(), QSettings::IniFormat).remove(QStringLiteral("mainwindowsRect"));
        QVERIFY(!Configuration::instance()->hasMainWindowRect());
        const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120400_F.mp4"), QStringLiteral("20240101_120400_F.mp4")}});
        MainWindows window;
        QCOMPARE(window.size(), QSize(work.width() * 3 / 4, work.height() * 3 / 4));
        QVERIFY2(qAbs(window.geometry().center().x() - work.center().x()) <= 1
                     && qAbs(window.geometry().center().y() - work.center().y()) <= 1,
                 "the first window is centred");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QTableView *list = table(&window);
        // Row 0 is the trip's header; the recording is below it.
        const int first = 1;
        QTRY_VERIFY(list->model()->data(list->model()->index(first, PlaylistModel::ColumnResolution)).toString()
                    != QLatin1String("0 x 0"));
        QTest::qWait(50);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_WINDOW_SHOT"))
            window.grab().save(qEnvironmentVariable("TRACKORA_WINDOW_SHOT"));
        QVERIFY2(!list->horizontalScrollBar()->isVisible(), "no horizontal scroll bar");
        for (int c = 0; c < PlaylistModel::ColumnCount; ++c) {
            const QString text = list->model()->data(list->model()->index(first, c)).toString();
            const int needed = list->fontMetrics().horizontalAdvance(text) + 8;
            QVERIFY2(list->columnWidth(c) >= needed,
                     qPrintable(QStringLiteral("column %1 is %2 wide for %3").arg(c).arg(list->columnWidth(c)).arg(needed)));
        }
        // Narrower (the old first size, or the least the window takes), the
        // name gives way; the date and the columns after it stay in view.
        const int narrow = qMax(939, window.minimumSizeHint().width());
        window.setGeometry(QRect(100, 100, narrow, 628));
        QTRY_COMPARE(window.width(), narrow);
        QTest::qWait(50);
        const int date = PlaylistModel::ColumnDate;
        QVERIFY2(list->columnWidth(date) >= list->fontMetrics().horizontalAdvance(
                     list->model()->data(list->model()->index(first, date)).toString()),
                 "the date is whole");
        QVERIFY2(list->columnViewportPosition(PlaylistModel::ColumnResolution) + list->columnWidth(PlaylistModel::ColumnResolution)
                     <= list->viewport()->width(),
                 "every column is in view");
    }

    // An empty folder after playback leaves nothing of the last trip shown,
    // and no computer time passes for a GPS time.
    void emptyFolderClearsReadouts()
    {
        const QString dir = folderWith({{QStringLiteral("gps/20240101_120400_F.mp4"), QStringLiteral("20240101_120400_F.mp4")}});
        const QString empty = folderWith({});
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!labelText(&window, "lbl_GpsDateTime").isEmpty(), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(labelText(&window, "lbl_PlayTime") != QLatin1String("00:00:00/00:00:00"), WaitMs);
        openFolder(&window, empty);
        QTRY_COMPARE(window.playlist()->rowCount(), 0);
        QTRY_COMPARE(labelText(&window, "lbl_PlayTime"), QStringLiteral("00:00:00/00:00:00"));
        QCOMPARE(labelText(&window, "lbl_GpsDateTime"), QString());
        QCOMPARE(labelText(&window, "lbl_LongitudeAndLatitude"), QStringLiteral("00.000000,000.000000"));
        QVERIFY(!button(&window, "btn_PlayOrPause")->isEnabled());
    }

    // Edges: the cursor shows the zone and a press-drag on it resizes the
    // window (by the window manager, or by hand where there is none).
    void edgeZonesResize()
    {
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.setGeometry(QRect(300, 200, 1000, 700));
        QTRY_COMPARE(window.geometry(), QRect(300, 200, 1000, 700));
        const QRect f = window.frameGeometry();
        QCOMPARE(window.hitTestEdge(f.topLeft() + QPoint(7, 7)), MainWindows::EdgeTopLeft);
        QCOMPARE(window.hitTestEdge(f.bottomRight()), MainWindows::EdgeBottomRight);
        QCOMPARE(window.hitTestEdge(QPoint(f.left(), f.bottom() - 7)), MainWindows::EdgeBottomLeft);
        QCOMPARE(window.hitTestEdge(QPoint(f.right() - 7, f.top())), MainWindows::EdgeTopRight);
        QCOMPARE(window.hitTestEdge(QPoint(f.left() + 5, f.center().y())), MainWindows::EdgeLeft);
        QCOMPARE(window.hitTestEdge(QPoint(f.left() + 6, f.center().y())), MainWindows::EdgeNone);
        QCOMPARE(window.hitTestEdge(QPoint(f.center().x(), f.top() + 5)), MainWindows::EdgeTop);
        QCOMPARE(window.cursor().shape(), Qt::SizeVerCursor);

        QWindow *handle = window.windowHandle();
        const QPoint edge(window.width() - 2, window.height() / 2);
        QTest::mouseMove(handle, edge);
        QTRY_COMPARE(window.cursor().shape(), Qt::SizeHorCursor);
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, edge);
        QTest::mouseMove(handle, edge + QPoint(60, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, edge + QPoint(60, 0));
        QTRY_COMPARE(window.width(), 1060);
        QTest::mouseMove(handle, QPoint(400, 300));
        QTRY_COMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    // A 4K H.265 file on a computer without an H.265 decoder: its size is only
    // known once parsed, so the check also runs when its samples arrive; the
    // row must not start, and the warning is shown once.
    void largeH265RowIsRefused()
    {
        if (ComputeInfo::instance()->canPlay(VideoCodecH265, 3840, 2160))
            QSKIP("this computer decodes 4K H.265");
        const QString dir = m_root.filePath(QStringLiteral("uhd"));
        QDir().mkpath(dir);
        const QString file = QDir(dir).filePath(QStringLiteral("20240101_130000_F.mp4"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-v", "error", "-f", "lavfi", "-i", "color=c=gray:s=3840x2160:r=5:d=1", "-c:v", "libx265",
                      "-preset", "ultrafast", "-x265-params", "log-level=error", "-tag:v", "hvc1", "-y", file});
        QVERIFY2(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0, ffmpeg.readAllStandardError().constData());

        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int warnings = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++warnings;
                box->accept();
            }
        });
        closer.start(50);
        openFolder(&window, dir);
        QTRY_COMPARE_WITH_TIMEOUT(warnings, 1, WaitMs);
        QTest::qWait(1500);
        QCOMPARE(warnings, 1);
        QVERIFY2(!isPlaying(&window), "a refused row must not start");
    }

    void longFileNameIsElidedInTheMiddle()
    {
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString name = QStringLiteral("20240101_120000_") + QString(200, QLatin1Char('x')) + QStringLiteral("_F.mp4");
        window.showFileName(name);
        const QString shown = labelText(&window, "lbl_FileName");
        QVERIFY(shown.size() < name.size());
        QVERIFY(shown.startsWith(QStringLiteral("2024")));
        QVERIFY(shown.endsWith(QStringLiteral("_F.mp4")));
        QVERIFY(shown.contains(QChar(0x2026)));
    }
};

int main(int argc, char **argv)
{
    TestMainWindows test;
    return maptest::run(&test, "MainWindowsTest", argc, argv, {"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"});
}

#include "tst_mainwindows.moc"
