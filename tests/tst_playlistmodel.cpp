#include "playlistmodel.h"
#include "tst_fixtures.h"
#include "videoparser.h"

#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QtTest>

class TestPlaylistModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pairing_data();
    void pairing();
    void directoryIsRefused();
    void idsRestartAfterClear();
    void unparsedRow();
    void columnsAfterParse();
    void readableSize_data();
    void readableSize();
    void rearUrl_data();
    void rearUrl();
    void pairedRearUrl_data();
    void pairedRearUrl();
    void createDate_data();
    void createDate();
    void tableShape();
    void neighbours();
    void outsideRows();
    void sampleBySecond();
    void staleResultsAfterClear();
    void frontReplacingRearKeepsItsFacts();

private:
    QString file(const QString &name, const QByteArray &bytes = QByteArray())
    {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path) && !fx::writeFile(path, bytes.isEmpty() ? fx::mp4WithTrip(10, 12) : bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Waits, without running the event loop, until the row's parse has ended.
    static bool parsedOnWorker(PlaylistModel &model, int row)
    {
        QDeadlineTimer deadline(30000);
        while (model.getDataByRow(row)->parser->bytesRead() == 0 && !deadline.hasExpired())
            QThread::yieldCurrentThread();
        return !deadline.hasExpired();
    }
    static bool waitParsed(PlaylistModel &model, int count)
    {
        QSignalSpy done(&model, &PlaylistModel::parseFinished);
        while (done.count() < count) {
            if (!done.wait(30000))
                return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
};

void TestPlaylistModel::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestPlaylistModel::pairing_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QList<bool>>("added");
    QTest::addColumn<QStringList>("rows");

    const QString f = QStringLiteral("20250101_100000_F.MP4");
    const QString r = QStringLiteral("20250101_100000_R.MP4");
    QTest::newRow("front then rear") << QStringList{f, r} << QList<int>{0, 0} << QList<bool>{true, false} << QStringList{f};
    QTest::newRow("rear then front") << QStringList{r, f} << QList<int>{0, 0} << QList<bool>{true, true} << QStringList{f};
    QTest::newRow("same name twice") << QStringList{f, f} << QList<int>{0, 0} << QList<bool>{true, false} << QStringList{f};
    QTest::newRow("no marker") << QStringList{f, QStringLiteral("clip.mp4")} << QList<int>{0, 1} << QList<bool>{true, true}
                               << QStringList{f, QStringLiteral("clip.mp4")};
    QTest::newRow("rear only") << QStringList{r} << QList<int>{0} << QList<bool>{true} << QStringList{r};
    const QString tf = QStringLiteral("20250101_100000_F_TL.MP4");
    const QString tr = QStringLiteral("20250101_100000_R_TL.MP4");
    QTest::newRow("time-lapse pair") << QStringList{tr, tf} << QList<int>{0, 0} << QList<bool>{true, true} << QStringList{tf};
    const QString bf = QStringLiteral("20250101_100100_F.MP4");
    const QString br = QStringLiteral("20250101_100100_R.MP4");
    QTest::newRow("two clips") << QStringList{f, r, bf, br} << QList<int>{0, 0, 1, 1}
                               << QList<bool>{true, false, true, false} << QStringList{f, bf};
    QTest::newRow("two rears then fronts") << QStringList{r, br, bf, f} << QList<int>{0, 1, 1, 0}
                                           << QList<bool>{true, true, true, true} << QStringList{f, bf};
    QTest::newRow("lower-case pair") << QStringList{QStringLiteral("c_r.mp4"), QStringLiteral("c_f.mp4")} << QList<int>{0, 0}
                                     << QList<bool>{true, true} << QStringList{QStringLiteral("c_f.mp4")};
    QTest::newRow("mov pair") << QStringList{QStringLiteral("trip_F.MOV"), QStringLiteral("trip_R.MOV")} << QList<int>{0, 0}
                              << QList<bool>{true, false} << QStringList{QStringLiteral("trip_F.MOV")};
    // Only the whole name before the marker pairs two files.
    const QStringList apart[] = {
        {QStringLiteral("a_R.MP4"), QStringLiteral("clip_f.mp4")},
        {QStringLiteral("a_F.MP4"), QStringLiteral("b_r.mp4")},
        {QStringLiteral("big trip 2_F.MP4"), QStringLiteral("trip 2_R.MP4")},
        {QStringLiteral("trip 3_R.MP4"), QStringLiteral("big trip 3_F.MP4")},
        {QStringLiteral("x_R.MP4"), QStringLiteral("F.MP4")},
        {QStringLiteral("t_R.MP4"), QStringLiteral("t_F_TL.MP4")},
        {QStringLiteral("v_F.MP4"), QStringLiteral("v_R.AVI")},
        {QStringLiteral("Case_F.MP4"), QStringLiteral("case_R.MP4")},
    };
    for (const QStringList &names : apart)
        QTest::newRow(qPrintable(names.join(QLatin1String(" + ")))) << names << QList<int>{0, 1} << QList<bool>{true, true}
                                                                   << names;
}

void TestPlaylistModel::pairing()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, ids);
    QFETCH(QList<bool>, added);
    QFETCH(QStringList, rows);

    PlaylistModel model;
    for (int i = 0; i < names.size(); ++i) {
        bool wasAdded = !added.at(i);
        const int id = model.addDataByFileInfo(QFileInfo(file(names.at(i))), 0, wasAdded);
        QCOMPARE(id, ids.at(i));
        QCOMPARE(wasAdded, added.at(i));
    }
    QCOMPARE(model.rowCount(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(model.getDataByRow(i)->fileName, rows.at(i));
        QCOMPARE(model.getDataByRow(i)->id, i);
        QCOMPARE(model.getDataByRow(i)->url, QUrl::fromLocalFile(m_dir.filePath(rows.at(i))));
    }
}

void TestPlaylistModel::directoryIsRefused()
{
    PlaylistModel model;
    bool added = true;
    QCOMPARE(model.addDataByFileInfo(QFileInfo(m_dir.path()), 0, added), -1);
    QCOMPARE(model.rowCount(), 0);
}

void TestPlaylistModel::idsRestartAfterClear()
{
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("a_F.MP4"))), 0, added);
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("b_F.MP4"))), 0, added);
    QCOMPARE(model.rowCount(), 2);
    model.clearAll();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.addDataByFileInfo(QFileInfo(file(QStringLiteral("c_F.MP4"))), 0, added), 0);
    QCOMPARE(model.getDataByRow(0)->id, 0);
}

void TestPlaylistModel::unparsedRow()
{
    PlaylistModel model;
    bool added = false;
    file(QStringLiteral("u_F.MP4"));
    // Relative paths still give the parser a full local path.
    const QString old = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const int id = model.addDataByFileInfo(QFileInfo(QStringLiteral("u_F.MP4")), 0, added);
    QDir::setCurrent(old);
    // The parse may have ended on its worker, but nothing reaches the row
    // before the event loop runs.
    RowData copy;
    QCOMPARE(model.getDataByRow(id, &copy), &copy);
    QCOMPARE(copy.duration, 0);
    QCOMPARE(copy.resolution, QSize(0, 0));
    QCOMPARE(copy.frameRate, 0.0f);
    QVERIFY2(!copy.parser, "a copy shares no parser");
    QVERIFY2(!copy.runnable, "a copy shares no worker");
    QVERIFY2(model.getDataByRow(id)->parser, "the row keeps its parser");
    QCOMPARE(copy.url.toLocalFile(), QDir(m_dir.path()).absoluteFilePath(QStringLiteral("u_F.MP4")));
    QVERIFY2(waitParsed(model, 1), "the row is parsed");
    QCOMPARE(model.getDurationByRow(id), 10);
}

void TestPlaylistModel::columnsAfterParse()
{
    PlaylistModel model;
    bool added = false;
    const QString path = file(QStringLiteral("long_F.MP4"), fx::mp4WithTrip(3725, 20));
    model.addDataByFileInfo(QFileInfo(path), 0, added);
    QVERIFY2(waitParsed(model, 1), "the row is parsed");
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("long_F.MP4"));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("01:02:05"));
    QCOMPARE(model.data(model.index(0, 2)).toString(),
             QFileInfo(path).metadataChangeTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")));
    QCOMPARE(model.data(model.index(0, 3)).toString(), PlaylistModel::readableSize(QFileInfo(path).size(), 0));
    QCOMPARE(model.data(model.index(0, 4)).toString(), QStringLiteral("1920 x 1080"));
    QCOMPARE(model.data(model.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QVERIFY2(!model.data(model.index(0, 0), Qt::ToolTipRole).isValid(), "the file name has no tooltip");
    QCOMPARE(model.getFrameRateByRow(0), 30.0f);
    QCOMPARE(model.getCodecByRow(0), 1);
    QCOMPARE(model.getResolutionByRow(0), QSize(1920, 1080));
}

void TestPlaylistModel::readableSize_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0 bytes";
    QTest::newRow("1023") << qint64(1023) << "1023 bytes";
    QTest::newRow("1024") << qint64(1024) << "1 KB";
    QTest::newRow("1536 rounds up") << qint64(1536) << "2 KB";
    QTest::newRow("one minute of video") << qint64(75 * 1024 * 1024) << "75 MB";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "8 EB";
}

void TestPlaylistModel::readableSize()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(PlaylistModel::readableSize(bytes, 0), text);
}

void TestPlaylistModel::rearUrl_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("rear"); // file to create beside it, or empty
    QTest::addColumn<QString>("expected");

    QTest::newRow("front with rear") << "20250102_080000_F.MP4" << "20250102_080000_R.MP4" << "20250102_080000_R.MP4";
    QTest::newRow("front without rear") << "20250102_090000_F.MP4" << QString() << QString();
    QTest::newRow("rear alone is its own") << "20250102_100000_R.MP4" << QString() << "20250102_100000_R.MP4";
    QTest::newRow("time-lapse") << "20250102_110000_F_TL.MP4" << "20250102_110000_R_TL.MP4" << "20250102_110000_R_TL.MP4";
    QTest::newRow("long time-lapse name") << "2025_0102_120000_000123_F_TL.MP4" << "2025_0102_120000_000123_R_TL.MP4"
                                          << "2025_0102_120000_000123_R_TL.MP4";
    QTest::newRow("avi pair") << "trip2_F.AVI" << "trip2_R.AVI" << "trip2_R.AVI";
    QTest::newRow("four-letter extension") << "trip3_F.mpeg" << "trip3_R.mpeg" << "trip3_R.mpeg";
    QTest::newRow("lower-case markers") << "trip4_f.mp4" << "trip4_r.mp4" << "trip4_r.mp4";
    QTest::newRow("no marker has no rear") << "plain.mp4" << "plaiR.mp4" << QString();
}

void TestPlaylistModel::rearUrl()
{
    QFETCH(QString, row);
    QFETCH(QString, rear);
    QFETCH(QString, expected);
    if (!rear.isEmpty())
        file(rear);
    PlaylistModel model;
    bool added = false;
    const int id = model.addDataByFileInfo(QFileInfo(file(row)), 0, added);
    const QUrl url = model.getRelateUrlByMainData(model.getDataByRow(id), true);
    if (expected.isEmpty()) {
        QVERIFY2(url.isEmpty(), qPrintable(url.toString()));
    } else {
        QCOMPARE(url, QUrl::fromLocalFile(m_dir.filePath(expected)));
        // Local paths keep their leading slash.
        QVERIFY2(url.toLocalFile().startsWith(QLatin1Char('/')), "local paths keep their leading slash");
    }
    QVERIFY2(model.getRelateUrlByMainData(nullptr, true).isEmpty(), "no main row, no related URL");
}

void TestPlaylistModel::pairedRearUrl_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("rear");
    QTest::newRow("front, then rear in another case") << QStringList{"p1_F.MP4", "p1_r.MP4"} << "p1_r.MP4";
    QTest::newRow("rear in another case, then front") << QStringList{"p2_r.MP4", "p2_F.MP4"} << "p2_r.MP4";
}

// The rear file that was paired is the one played, whatever its letter case.
void TestPlaylistModel::pairedRearUrl()
{
    QFETCH(QStringList, names);
    QFETCH(QString, rear);
    PlaylistModel model;
    bool added = false;
    for (const QString &name : qAsConst(names))
        model.addDataByFileInfo(QFileInfo(file(name)), 0, added);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.getRelateUrlByMainData(model.getDataByRow(0), true), QUrl::fromLocalFile(m_dir.filePath(rear)));
    RowData copy;
    QCOMPARE(model.getRelateUrlByMainData(model.getDataByRow(0, &copy), true), QUrl::fromLocalFile(m_dir.filePath(rear)));
}

void TestPlaylistModel::tableShape()
{
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("s_F.MP4"))), 0, added);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    QCOMPARE(model.columnCount(model.index(0, 0)), 0);
    QVERIFY2(model.index(0, 4).isValid(), "the last column has an index");
    QVERIFY2(!model.index(0, 5).isValid(), "no column past the last");
    QVERIFY2(!model.index(1, 0).isValid(), "no row past the last");
    QVERIFY2(!model.index(-1, 0).isValid(), "no negative row");
    QVERIFY2(!model.index(0, 0, model.index(0, 0)).isValid(), "rows have no children");
    QVERIFY2(!model.parent(model.index(0, 0)).isValid(), "a row has no parent");
    const QStringList headers = {"File Name", "Duration", "Create Date", "Size", "Resolution"};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), headers.at(c));
    QVERIFY2(!model.headerData(5, Qt::Horizontal).isValid(), "no header past the last column");
    QVERIFY2(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid(), "headers have no tooltip");
    QCOMPARE(model.headerData(0, Qt::Vertical).toInt(), 0);
    QVERIFY2(!model.headerData(1, Qt::Vertical).isValid(), "one vertical header per row");
    QVERIFY2(!model.data(QModelIndex()).isValid(), "an invalid index has no data");
}

void TestPlaylistModel::neighbours()
{
    PlaylistModel model;
    bool added = false;
    for (const char *n : {"n1_F.MP4", "n2_F.MP4", "n3_F.MP4"})
        model.addDataByFileInfo(QFileInfo(file(QString::fromLatin1(n))), 0, added);
    const QUrl first = model.getDataByRow(0)->url;
    const QUrl last = model.getDataByRow(2)->url;
    QCOMPARE(model.getNextData(first), model.getDataByRow(1));
    QCOMPARE(model.getPreviousData(last), model.getDataByRow(1));
    QVERIFY2(!model.getNextData(last), "nothing after the last row");
    QVERIFY2(!model.getPreviousData(first), "nothing before the first row");
    QVERIFY2(!model.getNextData(QUrl::fromLocalFile(QStringLiteral("/nowhere.mp4"))),
             "nothing after an unknown file");
}

void TestPlaylistModel::outsideRows()
{
    PlaylistModel model;
    QVERIFY2(!model.getDataByRow(0), "an empty list has no row 0");
    QVERIFY2(!model.getDataByRow(-1), "an empty list has no row -1");
    QCOMPARE(model.getDurationByRow(3), 0);
    QCOMPARE(model.getFrameRateByRow(3), 0.0f);
    QCOMPARE(model.getResolutionByRow(3), QSize(1920, 1080));
    QCOMPARE(model.getCodecByRow(3), 1);
    QSignalSpy one(&model, &PlaylistModel::gpsDataChanged);
    QSignalSpy all(&model, &PlaylistModel::allGpsDataParserFinished);
    model.requestGpsData(5, 0);
    model.requestAllGpsData(-1);
    model.onVideoInfoChanged(7, VideoInfo());
    QCOMPARE(one.count() + all.count(), 0);
}

void TestPlaylistModel::sampleBySecond()
{
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("k0_F.MP4"))), 0, added);
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("k1_F.MP4"), fx::mp4WithTrip(20, 8))), 0, added);
    QSignalSpy all(&model, &PlaylistModel::allGpsDataParserFinished);
    QVERIFY2(waitParsed(model, 2), "both rows are parsed");
    // Only row 0 sent its list unasked.
    QCOMPARE(all.count(), 1);
    QCOMPARE(all.at(0).at(0).toInt(), 0);
    model.requestAllGpsData(1);
    QCOMPARE(all.count(), 2);
    QCOMPARE(all.at(1).at(1).value<QList<GpsData>>().size(), 21);

    QSignalSpy one(&model, &PlaylistModel::gpsDataChanged);
    model.requestGpsData(1, 3);
    model.requestGpsData(1, 20); // padded with the last sample read (index 6)
    model.requestGpsData(1, 21);
    QCOMPARE(one.count(), 2);
    QCOMPARE(one.at(0).at(0).toInt(), 1);
    QCOMPARE(one.at(0).at(1).value<GpsData>().index, 3);
    QCOMPARE(one.at(1).at(1).value<GpsData>().index, 6);
}

void TestPlaylistModel::staleResultsAfterClear()
{
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("old_F.MP4"), fx::mp4WithTrip(40, 42))), 0, added);
    QVERIFY2(parsedOnWorker(model, 0), "the row is parsed on a worker thread");
    // The old row's results are queued for the model now.
    model.clearAll();
    QSignalSpy all(&model, &PlaylistModel::allGpsDataParserFinished);
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("new_F.MP4"), fx::mp4WithTrip(5, 7))), 0, added);
    QVERIFY2(waitParsed(model, 1), "the replacement row is parsed");
    QCOMPARE(model.getDurationByRow(0), 5);
    QCOMPARE(all.count(), 1);
    QCOMPARE(all.at(0).at(1).value<QList<GpsData>>().size(), 6);
}

void TestPlaylistModel::frontReplacingRearKeepsItsFacts()
{
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(file(QStringLiteral("20250103_100000_R.MP4"), fx::mp4WithTrip(30, 31))), 0, added);
    QVERIFY2(parsedOnWorker(model, 0), "the row is parsed on a worker thread");
    QSignalSpy all(&model, &PlaylistModel::allGpsDataParserFinished);
    const int id = model.addDataByFileInfo(QFileInfo(file(QStringLiteral("20250103_100000_F.MP4"), fx::mp4WithTrip(60, 61))),
                                           0, added);
    QCOMPARE(id, 0);
    QVERIFY2(added, "the front file takes the rear file's row");
    QCOMPARE(model.getDataByRow(0)->fileName, QStringLiteral("20250103_100000_F.MP4"));
    QCOMPARE(model.getDurationByRow(0), 60);
    // Whatever the rear file's parse had queued must not win afterwards.
    QCoreApplication::processEvents();
    QCOMPARE(model.getDurationByRow(0), 60);
    QVERIFY2(!all.isEmpty(), "the whole list reported its GPS data");
    QCOMPARE(all.last().at(1).value<QList<GpsData>>().size(), 61);
}

void TestPlaylistModel::createDate_data()
{
    QTest::addColumn<quint32>("created"); // seconds since 1904, as the track header has them
    QTest::addColumn<QString>("shown");   // empty: the file's own time
    QTest::newRow("recorded") << quint32(3786912000u + 3600 * 10 + 60 * 5 + 7) << "2024/01/01 10:05:07";
    QTest::newRow("clock never set") << quint32(0) << QString();
}

// The date column shows when the clip was recorded once its parse says so.
void TestPlaylistModel::createDate()
{
    QFETCH(quint32, created);
    QFETCH(QString, shown);
    fx::Track video;
    video.width = 1280;
    video.height = 720;
    video.samples = 90;
    video.created = created;
    const QString path = file(QStringLiteral("date_%1_F.MP4").arg(created),
                              fx::ftyp() + fx::box("moov", fx::mvhd(1000, 3000) + fx::trak(video)));
    const QString fileTime = QFileInfo(path).metadataChangeTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
    PlaylistModel model;
    bool added = false;
    model.addDataByFileInfo(QFileInfo(path), 0, added);
    QCOMPARE(model.data(model.index(0, PlaylistModel::ColumnDate)).toString(), fileTime);
    QVERIFY2(waitParsed(model, 1), "the row is parsed");
    QCOMPARE(model.data(model.index(0, PlaylistModel::ColumnDate)).toString(), shown.isEmpty() ? fileTime : shown);
}

QTEST_GUILESS_MAIN(TestPlaylistModel)
#include "tst_playlistmodel.moc"
