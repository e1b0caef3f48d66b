#include "tst_fixtures.h"
#include "videoparser.h"
#include "videoparserrunnable.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QThreadPool>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Holds a pool's only thread so that jobs queued behind it stay queued.
class Blocker : public QRunnable
{
public:
    explicit Blocker(QSemaphore *release)
        : m_release(release)
    {
    }
    void run() override { m_release->tryAcquire(1, 30000); }

private:
    QSemaphore *m_release;
};
} // namespace

class TestVideoParser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void normalisation_data();
    void normalisation();
    void parserChoice_data();
    void parserChoice();
    void badFiles_data();
    void badFiles();
    void claimedWeekReadsOnlyTheMinute();
    void rowZeroSendsItsList();
    void queuedJobIsTakenBack();
    void requestMeetingAStartedJobIsKept();
    void requestGpsData_data();
    void requestGpsData();
    void signalsReachTheObjectsThread();

private:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!fx::writeFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QTemporaryDir m_dir;
};

void TestVideoParser::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestVideoParser::normalisation_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("lastRead"); // index of the last sample read from the file

    // 59 records make 58 samples, padded to seconds 0 to 60.
    QTest::newRow("short list padded") << fx::mp4WithTrip(60, 59) << 61 << 57;
    QTest::newRow("exact") << fx::mp4WithTrip(60, 62) << 61 << 60;
    QTest::newRow("long list cut") << fx::mp4WithTrip(10, 31) << 11 << 10;
    QTest::newRow("duration 0 keeps one") << fx::mp4WithTrip(0, 5) << 1 << 0;
    QTest::newRow("no samples stay none") << fx::mp4WithTrip(60, 1) << 0 << -1;
    // A broken header must not make the list grow to billions of copies.
    QTest::newRow("huge duration not padded") << fx::mp4WithTrip(0xFFFFFFFFu, 4, 1) << 3 << 2;
}

void TestVideoParser::normalisation()
{
    QFETCH(QByteArray, file);
    QFETCH(int, expected);
    QFETCH(int, lastRead);
    VideoParser parser;
    parser.setFile(write(QStringLiteral("n_F.MP4"), file), 0);
    QSignalSpy lists(&parser, &VideoParser::allGpsDataParserFinished);
    parser.parse();
    QCOMPARE(lists.count(), 1);
    const QList<GpsData> list = lists.at(0).at(1).value<QList<GpsData>>();
    QCOMPARE(list.size(), expected);
    QCOMPARE(parser.gpsDataList().size(), expected);
    for (int i = 0; i < list.size(); ++i) {
        const int index = qMin(i, lastRead);
        QCOMPARE(list.at(i).index, index);
        QCOMPARE(list.at(i).latitude, list.at(index).latitude);
    }
}

void TestVideoParser::parserChoice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("samples");

    const QByteArray avi = fx::withGps(fx::plainAvi(), 4096, 61, 61);
    QTest::newRow("AVI") << "a_F.AVI" << avi << 1280 << 61;
    QTest::newRow("lower-case avi") << "b_F.avi" << avi << 1280 << 61;
    QTest::newRow("avi.mp4 is MP4") << "c_F.avi.mp4" << avi << 0 << 0;
    QTest::newRow("mp4") << "d_F.MP4" << fx::mp4WithTrip(60, 61) << 1920 << 61;
    QTest::newRow("MP4 content named .avi") << "e_F.avi" << fx::mp4WithTrip(60, 61) << 0 << 0;
}

void TestVideoParser::parserChoice()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(int, width);
    QFETCH(int, samples);
    VideoParser parser;
    parser.setFile(write(name, file), 3);
    QSignalSpy infos(&parser, &VideoParser::videoInfoChanged);
    parser.parse();
    QCOMPARE(infos.count(), 1);
    QCOMPARE(infos.at(0).at(0).toInt(), 3);
    QCOMPARE(infos.at(0).at(1).value<VideoInfo>().width, width);
    QCOMPARE(parser.gpsDataList().size(), samples);
}

void TestVideoParser::badFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("opened");

    QTest::newRow("empty") << write(QStringLiteral("empty_F.MP4"), QByteArray()) << true;
    QTest::newRow("text") << write(QStringLiteral("text_F.MP4"), QByteArray("hello\n")) << true;
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("missing_F.MP4")) << false;
    QTest::newRow("directory") << m_dir.path() << false;
    QTest::newRow("empty path") << QString() << false;
    const QString fifo = m_dir.filePath(QStringLiteral("fifo_F.MP4"));
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0)
        QTest::newRow("fifo would block") << fifo << false;
    if (::geteuid() != 0) {
        const QString locked = write(QStringLiteral("locked_F.MP4"), fx::mp4WithTrip(10, 11));
        ::chmod(QFile::encodeName(locked).constData(), 0);
        QTest::newRow("unreadable") << locked << false;
    }
}

void TestVideoParser::badFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, opened);
    VideoParser parser;
    parser.setFile(path, 0);
    QSignalSpy infos(&parser, &VideoParser::videoInfoChanged);
    QSignalSpy lists(&parser, &VideoParser::allGpsDataParserFinished);
    parser.parse();
    QCOMPARE(parser.fileOpened(), opened);
    QCOMPARE(infos.count(), 1);
    const VideoInfo info = infos.at(0).at(1).value<VideoInfo>();
    QCOMPARE(info.width, 0);
    QCOMPARE(info.duration, 0);
    QVERIFY2(!info.createTime.isValid(), "no creation time for this file");
    // Row 0 still gets its (empty) list.
    QCOMPARE(lists.count(), 1);
    QVERIFY2(lists.at(0).at(1).value<QList<GpsData>>().isEmpty(), "the row's GPS list is empty");
}

// A one-minute recording whose 'gps ' index claims a week of samples (all
// pointing at real records): only what the list keeps is read.
void TestVideoParser::claimedWeekReadsOnlyTheMinute()
{
    const quint32 claimed = 604800;
    const int records = 62;
    QList<QByteArray> chunks;
    for (const QByteArray &r : fx::trip(records))
        chunks.append(QByteArray(18, 'L') + r);
    const fx::Layout data = fx::mdatWithChunks(chunks);
    QByteArray entries = fx::be32(0) + fx::be32(claimed);
    entries.reserve(int(8 * claimed + 8));
    for (quint32 i = 0; i < claimed; ++i)
        entries += fx::be32(data.chunks.at(int(i % records))) + fx::be32(330);
    fx::Track v;
    v.width = 1920;
    v.height = 1080;
    v.samples = 1800;
    const QByteArray file = data.head + fx::box("moov", fx::mvhd(1000, 60000) + fx::trak(v) + fx::box("gps ", entries));

    VideoParser parser;
    parser.setFile(write(QStringLiteral("week_F.MP4"), file), 0);
    QElapsedTimer clock;
    clock.start();
    parser.parse();
    const qint64 ms = clock.elapsed();
    QCOMPARE(parser.gpsDataList().size(), 61);
    QVERIFY2(parser.samplesRead() <= 61, qPrintable(QString::number(parser.samplesRead())));
    const quint64 budget = 65536u + 312u * quint64(parser.samplesRead());
    QVERIFY2(parser.bytesRead() <= budget,
             qPrintable(QStringLiteral("%1 bytes read, budget %2").arg(parser.bytesRead()).arg(budget)));
    // The figure to watch is the bench's; this only catches a return to
    // reading the whole table.
    qInfo("parse of the claimed week: %lld ms, %llu bytes for %d samples", ms,
          static_cast<unsigned long long>(parser.bytesRead()), parser.samplesRead());
    QVERIFY2(ms < 1000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
}

void TestVideoParser::rowZeroSendsItsList()
{
    const QString path = write(QStringLiteral("z_F.MP4"), fx::mp4WithTrip(5, 7));
    QThreadPool pool;
    VideoParser row0;
    VideoParser row1;
    QSignalSpy list0(&row0, &VideoParser::allGpsDataParserFinished);
    QSignalSpy list1(&row1, &VideoParser::allGpsDataParserFinished);
    QSignalSpy done1(&row1, &VideoParser::parseFinished);
    for (auto pair : {qMakePair(&row0, 0), qMakePair(&row1, 1)}) {
        auto *job = new CVideoParserRunnable(pair.first);
        pair.first->setFile(path, pair.second);
        pair.first->setThreadPool(&pool, job);
        pool.start(job);
    }
    QVERIFY2(pool.waitForDone(30000), "every parse ends");
    // The spies record on the worker; the pool has finished with them.
    QCOMPARE(list0.count(), 1);
    QCOMPARE(done1.count(), 1);
    QCOMPARE(list0.at(0).at(1).value<QList<GpsData>>().size(), 6);
    QCOMPARE(list1.count(), 0);
    // Row 1 sends when asked.
    row1.requestAllGpsData();
    QCOMPARE(list1.count(), 1);
    QCOMPARE(list1.at(0).at(0).toInt(), 1);
    QCOMPARE(list1.at(0).at(1).value<QList<GpsData>>().size(), 6);
}

void TestVideoParser::queuedJobIsTakenBack()
{
    const QString path = write(QStringLiteral("q_F.MP4"), fx::mp4WithTrip(5, 7));
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore release;
    pool.start(new Blocker(&release));

    VideoParser parser;
    auto *job = new CVideoParserRunnable(&parser);
    parser.setFile(path, 0);
    parser.setThreadPool(&pool, job);
    pool.start(job);
    QSignalSpy lists(&parser, &VideoParser::allGpsDataParserFinished);
    QSignalSpy done(&parser, &VideoParser::parseFinished);

    parser.requestAllGpsData();
    // Parsed here and now; row 0 sends once from the parse and once for the request.
    QCOMPARE(done.count(), 1);
    QCOMPARE(lists.count(), 2);
    QCOMPARE(lists.at(1).at(1).value<QList<GpsData>>().size(), 6);

    release.release();
    QVERIFY2(pool.waitForDone(30000), "every parse ends");
    QCoreApplication::processEvents();
    QCOMPARE(done.count(), 1); // the job did not run as well
}

void TestVideoParser::requestMeetingAStartedJobIsKept()
{
    // The job has left the queue but its parse has not begun: the request
    // must not be lost.
    const QString path = write(QStringLiteral("s_F.MP4"), fx::mp4WithTrip(5, 7));
    QThreadPool pool;
    VideoParser parser;
    parser.setFile(path, 4);
    parser.setThreadPool(&pool, nullptr);
    QSignalSpy lists(&parser, &VideoParser::allGpsDataParserFinished);
    parser.requestAllGpsData();
    QCOMPARE(lists.count(), 0);
    parser.parse();
    QCOMPARE(lists.count(), 1);
    QCOMPARE(lists.at(0).at(0).toInt(), 4);
    parser.parse();
    QCOMPARE(lists.count(), 1); // only the one request was owed
}

void TestVideoParser::requestGpsData_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("sent");
    QTest::newRow("first") << 7 << 0 << true;
    QTest::newRow("last") << 7 << 5 << true;
    QTest::newRow("equal to size") << 7 << 6 << false;
    QTest::newRow("negative") << 7 << -1 << false;
    QTest::newRow("empty list") << 0 << 0 << false;
}

void TestVideoParser::requestGpsData()
{
    QFETCH(int, records);
    QFETCH(int, index);
    QFETCH(bool, sent);
    VideoParser parser;
    parser.setFile(write(QStringLiteral("r_F.MP4"), fx::mp4WithTrip(5, records)), 2);
    parser.parse();
    QSignalSpy one(&parser, &VideoParser::gpsDataChanged);
    parser.requestGpsData(index);
    QCOMPARE(one.count(), sent ? 1 : 0);
    if (sent) {
        QCOMPARE(one.at(0).at(0).toInt(), 2);
        QCOMPARE(one.at(0).at(1).value<GpsData>().index, index);
    }
}

void TestVideoParser::signalsReachTheObjectsThread()
{
    const QString path = write(QStringLiteral("t_F.MP4"), fx::mp4WithTrip(5, 7));
    QThreadPool pool;
    VideoParser parser;
    QThread *seen = nullptr;
    QList<GpsData> received;
    connect(&parser, &VideoParser::allGpsDataParserFinished, this, [&](int, const QList<GpsData> &l) {
        seen = QThread::currentThread();
        received = l;
    });
    auto *job = new CVideoParserRunnable(&parser);
    parser.setFile(path, 0);
    parser.setThreadPool(&pool, job);
    pool.start(job);
    QTRY_VERIFY_WITH_TIMEOUT(seen != nullptr, 30000);
    QCOMPARE(seen, QThread::currentThread());
    QCOMPARE(received.size(), 6);
}

QTEST_GUILESS_MAIN(TestVideoParser)
#include "tst_videoparser.moc"
