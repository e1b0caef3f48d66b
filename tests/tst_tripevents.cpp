#include <QSignalSpy>
#include <QtTest>

#include "playlistmodel.h"
#include "rowdata.h"
#include "tripevents.h"

// The trip around a playing row, from a real playlist of generated
// recordings: the two planted-event recordings continue each other; a
// recording of another day continues neither.
class TestTripEvents : public QObject
{
    Q_OBJECT

private slots:
    void trips_data();
    void trips();
    void waitsForTheNextParse();

private:
    static QString media(const QString &relative)
    {
        return qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QLatin1Char('/') + relative;
    }

    // Lists the files and waits for every parse.
    static bool fill(PlaylistModel *model, const QStringList &files)
    {
        QSignalSpy done(model, &PlaylistModel::parseFinished);
        for (const QString &f : files) {
            bool added = false;
            if (model->addDataByFileInfo(QFileInfo(media(f)), 0, added) < 0)
                return false;
        }
        return QTest::qWaitFor([&] { return done.count() >= files.size(); }, 20000);
    }

    // The playing row's own list, as the window gets it.
    static QList<GpsData> samplesOf(PlaylistModel *model, int row)
    {
        QList<GpsData> list;
        QSignalSpy all(model, &PlaylistModel::allGpsDataParserFinished);
        model->requestAllGpsData(row);
        const bool arrived = QTest::qWaitFor([&] {
            for (const QList<QVariant> &args : all) {
                if (args.at(0).toInt() == row)
                    list = args.at(1).value<QList<GpsData>>();
            }
            return !list.isEmpty();
        }, 10000);
        return arrived ? list : QList<GpsData>();
    }

    static QString describe(const TripEvents &trip)
    {
        QStringList out;
        for (const TripEvent &e : trip.events())
            out << QStringLiteral("%1:%2:%3").arg(e.part).arg(e.event.second).arg(DrivingEvent::kindName(e.event.kind));
        return out.join(QLatin1Char(' '));
    }
};

namespace {
const QString kFirst = QStringLiteral("events/20240301_090000_F.mp4");
const QString kSecond = QStringLiteral("events/20240301_090021_F.mp4");
const QString kOther = QStringLiteral("gps/20240101_120400_F.mp4");
const QString kFirstEvents = QStringLiteral("0:3:braking 0:5:acceleration 0:7:impact 0:10:impact 0:13:impact 0:18:braking");
} // namespace

void TestTripEvents::trips_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("playingPart");
    QTest::addColumn<QString>("events");

    const QString both = kFirstEvents + QStringLiteral(" 1:0:acceleration");
    QTest::newRow("first: the second joins after") << QStringList{kFirst, kSecond} << 0 << 0 << both;
    QTest::newRow("second: the first joins before") << QStringList{kFirst, kSecond} << 1 << 1 << both;
    QTest::newRow("another day between: no trip") << QStringList{kFirst, kOther, kSecond} << 2 << 0 << QString();
    QTest::newRow("another day after: the trip ends") << QStringList{kFirst, kSecond, kOther} << 0 << 0 << both;
}

void TestTripEvents::trips()
{
    QFETCH(QStringList, files);
    QFETCH(int, playing);
    QFETCH(int, playingPart);
    QFETCH(QString, events);

    PlaylistModel model;
    QVERIFY(fill(&model, files));
    const QList<GpsData> samples = samplesOf(&model, playing);
    QVERIFY(!samples.isEmpty());
    TripEvents trip(&model);
    QSignalSpy changed(&trip, &TripEvents::changed);
    trip.start(playing, model.getDataByRow(playing)->fileName, samples, EventThresholds());
    QTRY_VERIFY(changed.count() >= 1);
    QCOMPARE(describe(trip), events);
    QCOMPARE(trip.playingPart(), playingPart);
}

// A next row that is still being parsed when the trip starts joins when its
// parse ends.
void TestTripEvents::waitsForTheNextParse()
{
    PlaylistModel model;
    QVERIFY(fill(&model, {kFirst}));
    const QList<GpsData> samples = samplesOf(&model, 0);
    TripEvents trip(&model);
    QSignalSpy changed(&trip, &TripEvents::changed);
    trip.start(0, model.getDataByRow(0)->fileName, samples, EventThresholds());
    QCOMPARE(describe(trip), kFirstEvents);

    // Started again while the new row's parse has not reported yet (its
    // results cross to this thread as queued signals).
    bool added = false;
    QVERIFY(model.addDataByFileInfo(QFileInfo(media(kSecond)), 0, added) == 1);
    trip.start(0, model.getDataByRow(0)->fileName, samples, EventThresholds());
    QCOMPARE(describe(trip), kFirstEvents);
    QTRY_COMPARE(describe(trip), kFirstEvents + QStringLiteral(" 1:0:acceleration"));

    // Thresholds apply to every recording of the trip.
    EventThresholds high;
    high.accelerationKmh = 15;
    trip.setThresholds(high);
    QVERIFY2(!describe(trip).contains(QLatin1String("acceleration")), qPrintable(describe(trip)));
}

QTEST_GUILESS_MAIN(TestTripEvents)
#include "tst_tripevents.moc"
