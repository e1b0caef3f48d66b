#include "playlistmodel.h"
#include "tripgrouper.h"
#include "tripplaylistmodel.h"
#include "triprange.h"
#include "tst_fixtures.h"

#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

struct Clip
{
    QString name;
    QString gpsStart; // "yyyyMMddhhmmss"; empty: no GPS
    int seconds;
};
Q_DECLARE_METATYPE(Clip)
Q_DECLARE_METATYPE(QList<Clip>)
Q_DECLARE_METATYPE(QList<int>)

// Trips grouped from folders of small recordings written here: each a movie
// header of the given length with one GPS record a second from its start.
class TestTrips : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void grouping_data();
    void grouping();
    void summary();
    void headersAndFolding();
    void rangePieces_data();
    void rangePieces();
    void rangeMarkAt_data();
    void rangeMarkAt();

private:
    static QByteArray clip(const Clip &c);
    void fill(QTemporaryDir &dir, PlaylistModel &model, TripPlaylistModel &trips, const QList<Clip> &clips);
};

QByteArray TestTrips::clip(const Clip &c)
{
    fx::Track v;
    v.width = 640;
    v.height = 360;
    v.samples = quint32(c.seconds) * 30;
    QByteArray movie = fx::ftyp() + fx::box("moov", fx::mvhd(1000, quint32(c.seconds) * 1000) + fx::trak(v));
    if (c.gpsStart.isEmpty())
        return movie;
    const QDateTime start = QDateTime::fromString(c.gpsStart, QStringLiteral("yyyyMMddhhmmss"));
    QByteArray gps;
    // The first record of a 'gps0' box is the layout's own, not a sample.
    for (int j = -1; j <= c.seconds; ++j) {
        const int k = qMax(0, j);
        fx::Record r;
        r.dateTime = start.addSecs(k).toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1();
        // North-east by 0.001 degree a second (about 144 m), speed k km/h.
        r.lat = "35" + QByteArray::number(100000 + 600 * k).rightJustified(6, '0');
        r.lon = "139" + QByteArray::number(200000 + 600 * k).rightJustified(6, '0');
        r.speed = QByteArray::number(k).rightJustified(3, '0');
        gps += fx::record(r).left(311);
    }
    return movie + fx::box("gps0", gps);
}

void TestTrips::fill(QTemporaryDir &dir, PlaylistModel &model, TripPlaylistModel &trips, const QList<Clip> &clips)
{
    QSignalSpy parsed(&model, &PlaylistModel::parseFinished);
    int added = 0;
    for (const Clip &c : clips) {
        const QString path = dir.filePath(c.name);
        QVERIFY(fx::writeFile(path, clip(c)));
        bool isNew = false;
        QVERIFY(model.addDataByFileInfo(QFileInfo(path), 0, isNew) >= 0);
        added += isNew ? 1 : 0;
    }
    while (parsed.count() < added)
        QVERIFY(parsed.wait(10000));
    trips.regroupNow();
}

void TestTrips::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestTrips::grouping_data()
{
    QTest::addColumn<QList<Clip>>("clips");
    QTest::addColumn<QList<int>>("sizes"); // recordings per trip, in order

    // Each first clip runs 10 s from 12:00:00 and ends at 12:00:10.
    const Clip first{QStringLiteral("20240101_120000_F.mp4"), QStringLiteral("20240101120000"), 10};
    QTest::newRow("gap of 9 s") << QList<Clip>{first, {QStringLiteral("20240101_120019_F.mp4"), QStringLiteral("20240101120019"), 10}}
                                << QList<int>{2};
    QTest::newRow("gap of 11 s") << QList<Clip>{first, {QStringLiteral("20240101_120021_F.mp4"), QStringLiteral("20240101120021"), 10}}
                                 << QList<int>{1, 1};
    QTest::newRow("overlap of 1 s") << QList<Clip>{first, {QStringLiteral("20240101_120009_F.mp4"), QStringLiteral("20240101120009"), 10}}
                                    << QList<int>{2};
    QTest::newRow("no GPS: the name's time")
        << QList<Clip>{first, {QStringLiteral("20240101_120012_F.mp4"), QString(), 10},
                       {QStringLiteral("20240101_120023_F.mp4"), QStringLiteral("20240101120023"), 10}}
        << QList<int>{3};
    QTest::newRow("no GPS, no time in the name")
        << QList<Clip>{first, {QStringLiteral("clip_F.mp4"), QString(), 10}} << QList<int>{1, 1};
    QTest::newRow("rear without front")
        << QList<Clip>{first, {QStringLiteral("20240101_120010_R.mp4"), QStringLiteral("20240101120010"), 10},
                       {QStringLiteral("20240101_120020_F.mp4"), QStringLiteral("20240101120020"), 10}}
        << QList<int>{1, 1, 1};
    QTest::newRow("rear beside its front")
        << QList<Clip>{first, {QStringLiteral("20240101_120000_R.mp4"), QStringLiteral("20240101120000"), 10},
                       {QStringLiteral("20240101_120010_F.mp4"), QStringLiteral("20240101120010"), 10}}
        << QList<int>{2};
    // The samples' clock is believed over the name.
    QTest::newRow("camera clock jumps back")
        << QList<Clip>{first, {QStringLiteral("20240101_120010_F.mp4"), QStringLiteral("20240101110010"), 10}}
        << QList<int>{1, 1};
    QTest::newRow("across midnight")
        << QList<Clip>{{QStringLiteral("20240101_235955_F.mp4"), QStringLiteral("20240101235955"), 10},
                       {QStringLiteral("20240102_000005_F.mp4"), QStringLiteral("20240102000005"), 10}}
        << QList<int>{2};
    QTest::newRow("across midnight, long pause")
        << QList<Clip>{{QStringLiteral("20240101_235955_F.mp4"), QStringLiteral("20240101235955"), 10},
                       {QStringLiteral("20240102_000030_F.mp4"), QStringLiteral("20240102000030"), 10}}
        << QList<int>{1, 1};
}

void TestTrips::grouping()
{
    QFETCH(QList<Clip>, clips);
    QFETCH(QList<int>, sizes);
    QTemporaryDir dir;
    PlaylistModel model;
    TripPlaylistModel trips(&model);
    fill(dir, model, trips, clips);
    QList<int> got;
    for (const Trip &t : trips.trips())
        got.append(t.recordings.size());
    QCOMPARE(got, sizes);
    // Every playlist row is listed once, under its trip's header.
    QCOMPARE(trips.rowCount(), model.rowCount() + sizes.size());
}

void TestTrips::summary()
{
    QTemporaryDir dir;
    PlaylistModel model;
    TripPlaylistModel trips(&model);
    fill(dir, model, trips,
         {{QStringLiteral("20240101_235950_F.mp4"), QStringLiteral("20240101235950"), 20},
          {QStringLiteral("20240102_000010_F.mp4"), QStringLiteral("20240102000010"), 30}});
    QCOMPARE(trips.trips().size(), 1);
    const Trip &t = trips.trips().first();
    QCOMPARE(t.start, QDateTime(QDate(2024, 1, 1), QTime(23, 59, 50), Qt::UTC));
    QCOMPARE(t.end, QDateTime(QDate(2024, 1, 2), QTime(0, 0, 40), Qt::UTC));
    QCOMPARE(t.durationSeconds(), 50);
    QCOMPARE(t.offsetOf(1), 20);
    QCOMPARE(t.topSpeedKmh, 30);
    // 20 and 30 steps of about 144 m; the second clip starts back at the
    // first's start point, a jump that is no part of the drive.
    const double step = TripRecording::metersBetween(35 + 10.0 / 60, 139 + 20.0 / 60, 35 + 10.06 / 60, 139 + 20.06 / 60);
    QVERIFY2(step > 140 && step < 150, qPrintable(QString::number(step)));
    QVERIFY2(qAbs(t.distanceMeters - 50 * step) < 1.0, qPrintable(QString::number(t.distanceMeters)));
    const QString header = trips.index(0, 0).data().toString();
    QVERIFY2(header.contains(QLatin1String("2024/01/01")) && header.contains(QLatin1String("23:59:50 - 00:00:40"))
                 && header.contains(QLatin1String("00:00:50")) && header.contains(QLatin1String("7.2 km"))
                 && header.contains(QLatin1String("30 km/h")),
             qPrintable(header));
}

void TestTrips::headersAndFolding()
{
    QTemporaryDir dir;
    PlaylistModel model;
    TripPlaylistModel trips(&model);
    fill(dir, model, trips,
         {{QStringLiteral("20240101_120000_F.mp4"), QStringLiteral("20240101120000"), 10},
          {QStringLiteral("20240101_120010_F.mp4"), QStringLiteral("20240101120010"), 10},
          {QStringLiteral("20240101_130000_F.mp4"), QStringLiteral("20240101130000"), 10}});
    // header 1, id 0, id 1, header 2, id 2
    QCOMPARE(trips.rowCount(), 5);
    const QList<int> tripNumbers = {1, 0, 0, 2, 0};
    const QList<int> ids = {-1, 0, 1, -1, 2};
    for (int row = 0; row < 5; ++row) {
        QCOMPARE(trips.index(row, 0).data(TripPlaylistModel::TripNumberRole).toInt(), tripNumbers.at(row));
        QCOMPARE(trips.index(row, 0).data(TripPlaylistModel::RecordingIdRole).isValid(), ids.at(row) >= 0);
        if (ids.at(row) >= 0) {
            QCOMPARE(trips.index(row, 0).data(TripPlaylistModel::RecordingIdRole).toInt(), ids.at(row));
            QCOMPARE(trips.index(row, PlaylistModel::ColumnFileName).data().toString(),
                     model.getDataByRow(ids.at(row))->fileName);
        } else {
            QVERIFY(!trips.index(row, 0).data().toString().endsWith(QLatin1String(".mp4")));
            QVERIFY(!(trips.flags(trips.index(row, 0)) & Qt::ItemIsSelectable));
        }
    }
    QCOMPARE(trips.neighbourInTrip(0, 1), 1);
    QCOMPARE(trips.neighbourInTrip(1, 1), -1);
    QCOMPARE(trips.neighbourInTrip(2, -1), -1);

    // The selected recording keeps its selection while the trip above folds.
    QItemSelectionModel selection(&trips);
    selection.select(trips.index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    trips.toggleFolded(0);
    QVERIFY(trips.isFolded(1));
    QCOMPARE(trips.rowCount(), 3);
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(selection.selectedRows().first().data(TripPlaylistModel::RecordingIdRole).toInt(), 2);
    // Asking for a folded recording's row unfolds its trip.
    QCOMPARE(trips.rowOfId(1), 2);
    QVERIFY(!trips.isFolded(1));
    QCOMPARE(trips.rowCount(), 5);
    QCOMPARE(trips.mapToSource(trips.index(4, 1)), model.index(2, 1));
    QCOMPARE(trips.mapFromSource(model.index(1, 3)), trips.index(2, 3));
}

void TestTrips::rangePieces_data()
{
    QTest::addColumn<RangeMark>("in");
    QTest::addColumn<RangeMark>("out");
    // "part:from-to" for each piece.
    QTest::addColumn<QString>("pieces");
    QTest::newRow("one recording") << RangeMark{1, 2000} << RangeMark{1, 9000} << "1:2000-9000";
    QTest::newRow("first to third") << RangeMark{0, 55000} << RangeMark{2, 4000} << "0:55000--1 1:0--1 2:0-4000";
    QTest::newRow("to the end of the second") << RangeMark{0, 100} << RangeMark{1, -1} << "0:100--1 1:0--1";
    QTest::newRow("to the end, before in") << RangeMark{2, 100} << RangeMark{1, -1} << "";
    QTest::newRow("out at a seam") << RangeMark{0, 1000} << RangeMark{1, 0} << "0:1000--1";
    QTest::newRow("out before in") << RangeMark{2, 0} << RangeMark{1, 30000} << "";
    QTest::newRow("same moment") << RangeMark{1, 5000} << RangeMark{1, 5000} << "";
    QTest::newRow("past the trip") << RangeMark{1, 0} << RangeMark{3, 1000} << "";
}

void TestTrips::rangePieces()
{
    QFETCH(RangeMark, in);
    QFETCH(RangeMark, out);
    QFETCH(QString, pieces);
    QStringList got;
    for (const RangePiece &p : TripRange::pieces({60000, 60000, 30000}, in, out))
        got << QStringLiteral("%1:%2-%3").arg(p.part).arg(p.fromMs).arg(p.toMs);
    QCOMPARE(got.join(QLatin1Char(' ')), pieces);
}

void TestTrips::rangeMarkAt_data()
{
    QTest::addColumn<qint64>("tripMs");
    QTest::addColumn<RangeMark>("mark");
    QTest::newRow("before the start") << qint64(-5000) << RangeMark{0, 0};
    QTest::newRow("inside the first") << qint64(12000) << RangeMark{0, 12000};
    QTest::newRow("a seam starts the next") << qint64(60000) << RangeMark{1, 0};
    QTest::newRow("inside the third") << qint64(125000) << RangeMark{2, 5000};
    QTest::newRow("the end") << qint64(150000) << RangeMark{2, 30000};
    QTest::newRow("past the end") << qint64(200000) << RangeMark{2, 30000};
}

void TestTrips::rangeMarkAt()
{
    QFETCH(qint64, tripMs);
    QFETCH(RangeMark, mark);
    const QVector<qint64> lengths{60000, 60000, 30000};
    const RangeMark got = TripRange::markAt(lengths, tripMs);
    QCOMPARE(got.part, mark.part);
    QCOMPARE(got.ms, mark.ms);
    // Back to trip time, bounded to the trip.
    QCOMPARE(TripRange::tripTimeOf(lengths, got), qBound<qint64>(0, tripMs, 150000));
}

QTEST_GUILESS_MAIN(TestTrips)
#include "tst_trips.moc"
