#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QChart>

QT_CHARTS_USE_NAMESPACE

#include "configuration.h"
#include "exportdialog.h"
#include "sliderrangeoverlay.h"
#include "videoparser.h"
#include "tripplaylistmodel.h"
#include "triptimeline.h"
#include "tst_mapharness.h"
#include "tst_viewerharness.h"

namespace QTest {
template <>
char *toString(const RangeMark &m)
{
    return qstrdup(QStringLiteral("%1@%2").arg(m.part).arg(m.ms).toLatin1().constData());
}
} // namespace QTest

using namespace viewertest;
using maptest::evaluate;
using maptest::mapState;

// Trips in the real main window: recordings staged under names one after
// the other, grouped by the times in their names (they carry no GPS).
class TestTripWindow : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_root;
    int m_folders = 0;

    // Two 5 s recordings back to back, then one an hour later; each with its rear.
    QString tripFolder()
    {
        const QString dir = m_root.filePath(QStringLiteral("f%1").arg(m_folders++));
        QDir().mkpath(dir);
        const QString f = QStringLiteral("component/pair_F.mp4");
        const QString r = QStringLiteral("component/pair_R.mp4");
        const bool staged = stage(dir, {{f, QStringLiteral("20240301_100000_F.mp4")}, {r, QStringLiteral("20240301_100000_R.mp4")},
                                        {f, QStringLiteral("20240301_100005_F.mp4")}, {r, QStringLiteral("20240301_100005_R.mp4")},
                                        {f, QStringLiteral("20240301_110000_F.mp4")}, {r, QStringLiteral("20240301_110000_R.mp4")}});
        return staged ? dir : QString();
    }

    // Whether the play area reported that position of that row (a seek lands there).
    static bool reported(const QSignalSpy &positions, int id, qint64 ms)
    {
        for (const QList<QVariant> &p : positions) {
            if (p.at(0).toInt() == id && p.at(1).toLongLong() == ms)
                return true;
        }
        return false;
    }

    // Each picture's hash as the ffmpeg tool decodes it.
    static QStringList frameHashes(const QString &file)
    {
        QProcess p;
        p.start(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file, QStringLiteral("-map"),
                                           QStringLiteral("0:v"), QStringLiteral("-f"), QStringLiteral("framemd5"), QStringLiteral("-")});
        p.waitForFinished(30000);
        QStringList hashes;
        for (const QByteArray &line : p.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty() && !line.startsWith('#'))
                hashes.append(QString::fromLatin1(line.split(',').last().trimmed()));
        }
        return hashes;
    }

    static QList<GpsData> samplesOf(const QString &path)
    {
        VideoParser parser;
        parser.setFile(path, 0);
        parser.parse();
        return parser.gpsDataList();
    }

    // Pauses, seeks the playing recording and waits until the panel stands there.
    static bool seekPaused(QWidget *window, int id, int second)
    {
        PlayAreaManager *area = playArea(window);
        if (panel(window)->state() != TrackoraActiveXLib::PausedState) {
            QTest::keyClick(window, Qt::Key_Space);
            if (!QTest::qWaitFor([window] { return panel(window)->state() == TrackoraActiveXLib::PausedState; }, WaitMs))
                return false;
        }
        QSignalSpy positions(area, &PlayAreaManager::positionChanged);
        area->seek(second);
        return QTest::qWaitFor([&] { return reported(positions, id, second * 1000LL); }, WaitMs);
    }

    static int selectedId(QWidget *window)
    {
        const QModelIndexList rows = table(window)->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().data(TripPlaylistModel::RecordingIdRole).toInt() : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        Configuration::instance()->setLanguage(Configuration::EnglishUS);
        Configuration::instance()->setSpeedUnit(0);
    }

    void headersAndTimeline()
    {
        const QString dir = tripFolder();
        QVERIFY(!dir.isEmpty());
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);

        // Header, two recordings, header, one recording; the headers span the row.
        QTableView *list = table(&window);
        QAbstractItemModel *model = list->model();
        QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), 5, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(window.tripPlaylist()->trips().first().durationSeconds() == 10, WaitMs);
        const QList<int> numbers = {1, 0, 0, 2, 0};
        for (int row = 0; row < 5; ++row)
            QCOMPARE(model->index(row, 0).data(TripPlaylistModel::TripNumberRole).toInt(), numbers.at(row));
        QCOMPARE(model->index(2, 0).data(TripPlaylistModel::RecordingIdRole).toInt(), 1);
        QTRY_COMPARE(list->columnSpan(0, 0), int(PlaylistModel::ColumnCount));
        QVERIFY(model->index(0, 0).data().toString().contains(QLatin1String("10:00:00 - 10:00:10")));
        QCOMPARE(selectedId(&window), 0);

        // The timeline, right above the seek slider, holds the first trip.
        auto *timeline = child<TripTimeline>(&window, "wgt_TripTimeline");
        QVERIFY(timeline && timeline->isVisible());
        QTRY_COMPARE(timeline->recordingCount(), 2);
        auto *seek = child<QSlider>(&window, "hSlider_Seek");
        QVERIFY(seek);
        const QPoint below = seek->mapTo(&window, QPoint(0, 0));
        const QPoint above = timeline->mapTo(&window, QPoint(0, timeline->height()));
        QVERIFY2(above.y() <= below.y() && below.y() - above.y() < 12, "the strip sits right above the slider");

        // A click at 7.5 s of the trip plays the second recording from its 2nd second.
        QSignalSpy positions(playArea(&window), &PlayAreaManager::positionChanged);
        const int x = timeline->xOfTripTime(7500);
        QTest::mouseClick(timeline, Qt::LeftButton, Qt::NoModifier, QPoint(x, timeline->height() / 2));
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), 1, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(selectedId(&window), 1);
        QCOMPARE(playingFile(&window), QStringLiteral("20240301_100005_F.mp4"));
        QTRY_VERIFY_WITH_TIMEOUT(reported(positions, 1, 2000), WaitMs);

        // Ctrl+Left goes back to the first recording of the trip; at the
        // trip's start it stays.
        QTest::keyClick(&window, Qt::Key_Left, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), 0, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(selectedId(&window), 0);

        // A click on the first header folds its trip, a second one unfolds it.
        const QRect header = list->visualRect(model->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, header.center());
        QTRY_COMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(1, 0).data(TripPlaylistModel::TripNumberRole).toInt(), 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, header.center());
        QTRY_COMPARE(model->rowCount(), 5);
    }

    // A drive in two files plays straight through: the players go on with
    // the second file themselves, and the window follows without a stop.
    void tripPlaysThrough()
    {
        const QString dir = m_root.filePath(QStringLiteral("f%1").arg(m_folders++));
        QDir().mkpath(dir);
        QVERIFY(stage(dir, {{QStringLiteral("trip/20240105_090000_F.mp4"), QStringLiteral("20240105_090000_F.mp4")},
                            {QStringLiteral("trip/20240105_090006_F.mp4"), QStringLiteral("20240105_090006_F.mp4")}}));
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        PlayAreaManager *area = playArea(&window);
        if (!area->frontPlayer()->canChainMedia())
            QSKIP("this player control plays one file at a time");
        QSignalSpy changed(area->frontPlayer(), &CPlayerWidget::mediaChanged);
        QList<int> states;
        connect(area, &PlayAreaManager::stateChanged, this, [&](TrackoraActiveXLib::FFStates s) { states << int(s); });
        QTRY_COMPARE_WITH_TIMEOUT(area->playingRowId(), 1, WaitMs);
        QCOMPARE(changed.count(), 1);
        QVERIFY2(!states.contains(int(TrackoraActiveXLib::StoppedState)), "no stop between the files of a drive");
        QVERIFY(isPlaying(&window));
        QCOMPARE(selectedId(&window), 1);
        QCOMPARE(labelText(&window, "lbl_FileName"), QStringLiteral("20240105_090006_F.mp4"));
        // The map keeps the whole drive and moves on along it.
        QWebEnginePage *page = map(&window)->page();
        QTRY_VERIFY_WITH_TIMEOUT(mapState(page).value(QStringLiteral("played")).toInt() >= 6, WaitMs);
        QCOMPARE(mapState(page).value(QStringLiteral("trip")).toInt(), 12);
    }

    // A drive in two files with GPS: the map draws it whole and the chart
    // holds its seconds; a click on either plays the right file from the right second.
    void routeAndChartClicks()
    {
        const QString dir = m_root.filePath(QStringLiteral("f%1").arg(m_folders++));
        QDir().mkpath(dir);
        QVERIFY(stage(dir, {{QStringLiteral("trip/20240105_090000_F.mp4"), QStringLiteral("20240105_090000_F.mp4")},
                            {QStringLiteral("trip/20240105_090006_F.mp4"), QStringLiteral("20240105_090006_F.mp4")}}));
        MainWindows window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy positions(playArea(&window), &PlayAreaManager::positionChanged);
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(window.tripPlaylist()->trips().size(), 1, WaitMs);

        QWebEnginePage *page = map(&window)->page();
        QTRY_VERIFY_WITH_TIMEOUT(mapState(page).value(QStringLiteral("trip")).toInt() == 12, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(mapState(page).value(QStringLiteral("bridge")).toBool(), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(mapState(page).value(QStringLiteral("played")).toInt() >= 0, WaitMs);

        // Trip second 10 is the second file's 4th: a point the car passes once.
        QCOMPARE(evaluate(page, QStringLiteral("trackoraClickTrip(10)")).toInt(), 10);
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), 1, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(reported(positions, 1, 4000), WaitMs);
        QCOMPARE(selectedId(&window), 1);

        // The chart: three axes and the speed over the trip's 12 seconds.
        GyroChartView *view = chart(&window);
        QLineSeries *speed = nullptr;
        QLineSeries *axisX = nullptr;
        const auto all = view->chart()->series();
        for (QAbstractSeries *s : all) {
            if (s->name().startsWith(QLatin1String("Speed")))
                speed = qobject_cast<QLineSeries *>(s);
            if (s->name() == QLatin1String("X "))
                axisX = qobject_cast<QLineSeries *>(s);
        }
        QVERIFY(axisX);
        QVERIFY(speed);
        QTRY_COMPARE_WITH_TIMEOUT(speed->count(), 12, WaitMs);
        QVERIFY(speed->isVisible());
        // A click at trip second 3 plays the first file from its 3rd second.
        const QPointF at = view->chart()->mapToPosition(QPointF(3, 0), axisX);
        const QPoint pixel = view->mapFromScene(view->chart()->mapToScene(at));
        QCOMPARE(view->secondAt(pixel), 3);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, pixel);
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), 0, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(reported(positions, 0, 3000), WaitMs);
        QCOMPARE(selectedId(&window), 0);
        if (!qEnvironmentVariableIsEmpty("TRACKORA_WINDOW_SHOT")) {
            QTest::qWait(1500);
            window.grab().save(qEnvironmentVariable("TRACKORA_WINDOW_SHOT"));
        }
    }

    // An in mark in the first file of a paired drive and an out mark in the
    // second, with the drive played on across the seam between them, make one
    // range: on the timeline across the seam, on the slider as the playing
    // file's share, and exported as one copy of each camera through both files.
    void rangeAcrossSeam()
    {
        const QString dir = m_root.filePath(QStringLiteral("f%1").arg(m_folders++));
        QDir().mkpath(dir);
        const QStringList names = {QStringLiteral("20240103_100000_F.mp4"), QStringLiteral("20240103_100000_R.mp4"),
                                   QStringLiteral("20240103_100004_F.mp4"), QStringLiteral("20240103_100004_R.mp4")};
        QList<QPair<QString, QString>> files;
        for (const QString &n : names)
            files.append({QStringLiteral("export/") + n, n});
        QVERIFY(stage(dir, files));
        QTemporaryDir exports;
        MainWindows window;
        window.resize(1280, 860);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openFolder(&window, dir);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(window.tripPlaylist()->trips().size() == 1 && window.tripPlaylist()->trips().first().recordings.size() == 2,
                                 WaitMs);
        ControlPanel *controls = panel(&window);
        auto *timeline = child<TripTimeline>(&window, "wgt_TripTimeline");
        QTRY_COMPARE_WITH_TIMEOUT(timeline->recordingCount(), 2, WaitMs);

        QVERIFY(seekPaused(&window, 0, 1));
        QTest::keyClick(&window, Qt::Key_I);
        QCOMPARE(controls->markedInAt(), (RangeMark{0, 1000}));
        // On into the second file: the players go on by themselves or the window opens it.
        QVERIFY(seekPaused(&window, 0, 3));
        QTest::keyClick(&window, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), window.tripPlaylist()->trips().first().recordings.at(1).id, WaitMs);
        QCOMPARE(controls->markedInAt(), (RangeMark{0, 1000}));
        QVERIFY(seekPaused(&window, playArea(&window)->playingRowId(), 2));
        QTest::keyClick(&window, Qt::Key_O);
        QCOMPARE(controls->markedOutAt(), (RangeMark{1, 2000}));

        auto *overlay = controls->findChild<SliderRangeOverlay *>();
        QVERIFY(overlay && overlay->isVisible());
        QCOMPARE(overlay->in(), 0);
        QCOMPARE(overlay->out(), 2000);
        QVERIFY(timeline->markerKeys().contains(QStringLiteral("export")));
        if (!qEnvironmentVariableIsEmpty("TRACKORA_RANGE_SHOT"))
            window.grab().save(qEnvironmentVariable("TRACKORA_RANGE_SHOT"));

        // The dialog gets both files' pieces, each with its rear.
        QTest::mouseClick(button(&window, "btn_Export"), Qt::LeftButton);
        ExportDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = window.findChild<ExportDialog *>()) != nullptr);
        const QString range = dialog->findChild<QLabel *>(QStringLiteral("lbl_ExportRange"))->text();
        QVERIFY2(range.contains(names[0]) && range.contains(names[2]) && range.contains(QLatin1String("00:00:02")), qPrintable(range));
        const ExportRequest request = dialog->request();
        QCOMPARE(request.front.size(), 2);
        QCOMPARE(QFileInfo(request.front[0].path).fileName(), names[0]);
        QCOMPARE(request.front[0].from, 1.0);
        QCOMPARE(request.front[0].to, -1.0);
        QCOMPARE(QFileInfo(request.front[1].path).fileName(), names[2]);
        QCOMPARE(request.front[1].from, 0.0);
        QCOMPARE(request.front[1].to, 2.0);
        QCOMPARE(request.rear.size(), 2);
        QCOMPARE(QFileInfo(request.rear[1]).fileName(), names[3]);

        auto *kind = dialog->findChild<QComboBox *>(QStringLiteral("cBox_ExportKind"));
        kind->setCurrentIndex(0);
        dialog->findChild<QLineEdit *>(QStringLiteral("lEdit_ExportPath"))->setText(exports.path());
        QSignalSpy finished(dialog, &ExportDialog::exportFinished);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("pBtn_ExportStart")), Qt::LeftButton);
        QVERIFY(finished.wait(60000));
        QVERIFY2(finished.first().at(0).toBool(), qPrintable(finished.first().at(2).toString()));
        const QString base = QDir(exports.path()).filePath(QStringLiteral("20240103_100001-100006"));
        QCOMPARE(finished.first().at(1).toStringList(),
                 (QStringList{base + QStringLiteral("_F.mp4"), base + QStringLiteral("_R.mp4"), base + QStringLiteral(".gpx"),
                              base + QStringLiteral(".csv")}));

        // Seconds 1-4 of the first file and 0-2 of the second, picture for picture, both cameras.
        const QString front = base + QStringLiteral("_F.mp4");
        const QStringList first = frameHashes(dir + QLatin1Char('/') + names[0]);
        QCOMPARE(first.size(), 120);
        QCOMPARE(frameHashes(front), first.mid(30) + frameHashes(dir + QLatin1Char('/') + names[2]).mid(0, 60));
        QCOMPARE(frameHashes(base + QStringLiteral("_R.mp4")),
                 frameHashes(dir + QLatin1Char('/') + names[1]).mid(30) + frameHashes(dir + QLatin1Char('/') + names[3]).mid(0, 60));
        // The trip of those seconds reads back from the copy, the seam included.
        const QList<GpsData> a = samplesOf(dir + QLatin1Char('/') + names[0]);
        const QList<GpsData> b = samplesOf(dir + QLatin1Char('/') + names[2]);
        const QList<GpsData> got = samplesOf(front);
        const QList<GpsData> want = {a.value(1), a.value(2), a.value(3), b.value(0), b.value(1)};
        QVERIFY2(got.size() >= want.size(), qPrintable(QString::number(got.size())));
        for (int i = 0; i < want.size(); ++i) {
            QVERIFY2(QByteArray(got[i].dateTime) == QByteArray(want[i].dateTime), qPrintable(QString::number(i)));
            QVERIFY(std::fabs(got[i].latitude - want[i].latitude) < 1e-9 && std::fabs(got[i].longitude - want[i].longitude) < 1e-9);
            QCOMPARE(got[i].speed, want[i].speed);
        }
        dialog->close();
    }
};

int main(int argc, char **argv)
{
    TestTripWindow test;
    return maptest::run(&test, "TripWindowTest", argc, argv, {"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"});
}

#include "tst_tripwindow.moc"
