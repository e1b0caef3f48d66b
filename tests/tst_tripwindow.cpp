#include <QTableView>

#include "configuration.h"
#include "tripplaylistmodel.h"
#include "triptimeline.h"
#include "tst_mapharness.h"
#include "tst_viewerharness.h"

using namespace viewertest;

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
        QCOMPARE(timeline->recordingCount(), 2);
        auto *seek = child<QSlider>(&window, "hSlider_Seek");
        QVERIFY(seek);
        const QPoint below = seek->mapTo(&window, QPoint(0, 0));
        const QPoint above = timeline->mapTo(&window, QPoint(0, timeline->height()));
        QVERIFY2(above.y() <= below.y() && below.y() - above.y() < 12, "the strip sits right above the slider");

        // A click at 7.5 s of the trip plays the second recording from its 2nd second.
        const int x = timeline->xOfTripTime(7500);
        QTest::mouseClick(timeline, Qt::LeftButton, Qt::NoModifier, QPoint(x, timeline->height() / 2));
        QTRY_COMPARE_WITH_TIMEOUT(playArea(&window)->playingRowId(), 1, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(isPlaying(&window), WaitMs);
        QCOMPARE(selectedId(&window), 1);
        QCOMPARE(playingFile(&window), QStringLiteral("20240301_100005_F.mp4"));
        QTRY_VERIFY_WITH_TIMEOUT(panel(&window)->findChild<QSlider *>(QStringLiteral("hSlider_Seek"))->value() >= 2, WaitMs);

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
};

int main(int argc, char **argv)
{
    TestTripWindow test;
    return maptest::run(&test, "TripWindowTest", argc, argv, {"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"});
}

#include "tst_tripwindow.moc"
