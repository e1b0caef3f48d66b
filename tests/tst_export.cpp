#include "exportjob.h"
#include "exportnames.h"
#include "frameoverlay.h"
#include "gpsrecordwriter.h"
#include "parserobject.h"
#include "videoparser.h"

#include <QCryptographicHash>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <unistd.h>

// Exports of the generated two-recording trip (export/ in the test media):
// what is copied must decode exactly as the sources do, the trip must read
// back through our own parsers, and no failure may leave a file under its
// final name.
class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordRoundTrip_data();
    void recordRoundTrip();
    void names_data();
    void names();
    void copyAcrossSeam();
    void sideBySide();
    void cancelLeavesNothing();
    void unwritableFolder();
    void fullDisk();
    void commandLine_data();
    void commandLine();

private:
    QString media(const QString &name) const { return m_media.filePath(name); }
    ExportRequest tripRequest(const QString &folder) const;
    QByteArray tool(const QString &program, const QStringList &args, int *status = nullptr);
    QStringList frameHashes(const QString &file);
    QImage frameAt(const QString &file, double seconds, const QSize &size);
    static QByteArray fileHash(const QString &path);
    bool mountTmpfs(const QString &dir, const QString &options);
    void unmountAll();

    QDir m_media;
    QStringList m_sources;
    QList<QByteArray> m_sourceHashes;
    QStringList m_mounts;

public:
    ~TestExport() override;
};

TestExport::~TestExport()
{
    unmountAll();
}

void TestExport::unmountAll()
{
    for (const QString &m : qAsConst(m_mounts))
        QProcess::execute(QStringLiteral("umount"), {m});
    m_mounts.clear();
}

void TestExport::initTestCase()
{
    m_media = QDir(qEnvironmentVariable("TRACKORA_TEST_MEDIA") + QStringLiteral("/export"));
    m_sources = QStringList{media(QStringLiteral("20240103_100000_F.mp4")), media(QStringLiteral("20240103_100004_F.mp4")),
                            media(QStringLiteral("20240103_100000_R.mp4")),
                            media(QStringLiteral("20240103_100004_R.mp4"))};
    for (const QString &s : qAsConst(m_sources)) {
        QVERIFY2(QFileInfo::exists(s), qPrintable(s + QStringLiteral(" missing: the media fixture makes it")));
        m_sourceHashes.append(fileHash(s));
    }
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty(), "the ffmpeg tool checks the exports");
}

ExportRequest TestExport::tripRequest(const QString &folder) const
{
    ExportRequest r;
    r.front = {{m_sources[0], 1.5, -1.0}, {m_sources[1], 0.0, 2.5}};
    r.rear = {m_sources[2], m_sources[3]};
    r.folder = folder;
    return r;
}

QByteArray TestExport::tool(const QString &program, const QStringList &args, int *status)
{
    QProcess p;
    p.start(program, args);
    const bool done = p.waitForFinished(60000);
    if (status)
        *status = done && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

QByteArray TestExport::fileHash(const QString &path)
{
    QFile f(path);
    QCryptographicHash h(QCryptographicHash::Sha256);
    if (f.open(QIODevice::ReadOnly))
        h.addData(&f);
    return h.result();
}

// The hash of each decoded picture, in order.
QStringList TestExport::frameHashes(const QString &file)
{
    const QByteArray out = tool(QStringLiteral("ffmpeg"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file,
                                                           QStringLiteral("-map"), QStringLiteral("0:v"), QStringLiteral("-f"),
                                                           QStringLiteral("framemd5"), QStringLiteral("-")});
    QStringList hashes;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        hashes.append(QString::fromLatin1(line.split(',').last().trimmed()));
    }
    return hashes;
}

QImage TestExport::frameAt(const QString &file, double seconds, const QSize &size)
{
    const QByteArray rgb = tool(QStringLiteral("ffmpeg"),
                                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), file, QStringLiteral("-ss"),
                                 QString::number(seconds), QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-f"),
                                 QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"), QStringLiteral("-")});
    if (rgb.size() != size.width() * size.height() * 3)
        return QImage();
    return QImage(reinterpret_cast<const uchar *>(rgb.constData()), size.width(), size.height(), size.width() * 3,
                  QImage::Format_RGB888)
        .copy();
}

bool TestExport::mountTmpfs(const QString &dir, const QString &options)
{
    if (::geteuid() != 0)
        return false;
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                                                    QStringLiteral("tmpfs"), dir})
        != 0)
        return false;
    m_mounts.prepend(dir);
    return true;
}

void TestExport::recordRoundTrip_data()
{
    QTest::addColumn<QByteArray>("latRef");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QByteArray>("lonRef");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("readLatitude");
    QTest::addColumn<int>("speed");
    QTest::addColumn<float>("gz");
    QTest::addColumn<float>("gx");
    QTest::newRow("north-east") << QByteArray("N") << 35.0 + 41.2345 / 60 << QByteArray("E") << 139.0 + 41.0 / 60 << 35.0 + 41.2345 / 60 << 60
                                << 1.05f << -0.33f;
    QTest::newRow("south-west") << QByteArray("S") << -(33.0 + 52.1234 / 60) << QByteArray("W") << -(58.0 + 22.9999 / 60)
                                << -(33.0 + 52.1234 / 60) << 220 << -1.05f << 9.99f;
    QTest::newRow("no fix") << QByteArray(" ") << 0.0 << QByteArray(" ") << 0.0 << 0.0 << 0 << 0.0f << 0.0f;
    QTest::newRow("minutes round up") << QByteArray("N") << 10.999999999 << QByteArray("E") << 0.5 << 11.0 << 999 << 0.0f << 0.0f;
}

void TestExport::recordRoundTrip()
{
    QFETCH(QByteArray, latRef);
    QFETCH(double, latitude);
    QFETCH(QByteArray, lonRef);
    QFETCH(double, longitude);
    QFETCH(double, readLatitude);
    QFETCH(int, speed);
    QFETCH(float, gz);
    QFETCH(float, gx);
    GpsData s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.dateTime, "20240103100001", 14);
    std::memcpy(s.extraText, "EXTRA-00000007", 14);
    s.markA = 'A';
    s.markB = 'M';
    s.latitudeRef = latRef[0];
    s.latitude = latitude;
    s.longitudeRef = lonRef[0];
    s.longitude = longitude;
    s.extraNumber = 47;
    s.speed = speed;
    s.gsensorZ = gz;
    s.gsensorX = gx;
    QByteArray record = GpsRecordWriter::record(s);
    QCOMPARE(record.size(), ParserObject::kRecordSize);
    for (int i = 2; i < record.size(); ++i)
        record[i] = char(record[i] ^ 0x3C);
    ParserObject parser(QByteArray(), QStringLiteral("x.mp4"));
    GpsData back;
    std::memset(&back, 0, sizeof back);
    QVERIFY(parser.decodeRecord(1, record.constData(), &back));
    QCOMPARE(QByteArray(back.dateTime), QByteArray(s.dateTime));
    QCOMPARE(QByteArray(back.extraText), QByteArray(s.extraText));
    QCOMPARE(back.latitudeRef, s.latitudeRef);
    QCOMPARE(back.longitudeRef, s.longitudeRef);
    QVERIFY2(std::fabs(back.latitude - readLatitude) < 1e-6, qPrintable(QString::number(back.latitude, 'f', 8)));
    QVERIFY2(std::fabs(back.longitude - longitude) < 1e-6, qPrintable(QString::number(back.longitude, 'f', 8)));
    QCOMPARE(back.speed, speed);
    QCOMPARE(back.extraNumber, 47);
    QCOMPARE(back.gsensorZ, gz);
    QCOMPARE(back.gsensorX, gx);
    QCOMPARE(back.gsensorY, 0.0f);
}

void TestExport::names_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("name");
    QTest::newRow("a minute") << QStringLiteral("2025-03-14T09:26:53") << 60.0 << QStringLiteral("20250314_092653-092753");
    QTest::newRow("part of a second") << QStringLiteral("2025-03-14T09:26:53") << 5.5 << QStringLiteral("20250314_092653-092659");
    QTest::newRow("past midnight") << QStringLiteral("2024-02-29T23:59:57") << 4.0 << QStringLiteral("20240229_235957-000001");
}

void TestExport::names()
{
    QFETCH(QString, start);
    QFETCH(double, seconds);
    QFETCH(QString, name);
    QDateTime t = QDateTime::fromString(start, Qt::ISODate);
    t.setTimeSpec(Qt::UTC);
    QCOMPARE(ExportNames::rangeName(t, seconds), name);

    QTemporaryDir dir;
    const QStringList suffixes = {QStringLiteral("_F.mp4"), QStringLiteral("_R.mp4")};
    QCOMPARE(ExportNames::freeNumber(dir.path(), name, suffixes), 1);
    QFile(dir.filePath(name + QStringLiteral("_R.mp4"))).open(QIODevice::WriteOnly);
    QCOMPARE(ExportNames::freeNumber(dir.path(), name, suffixes), 2);
    QCOMPARE(ExportNames::numbered(name, 2, QStringLiteral("_F.mp4")), name + QStringLiteral("-2_F.mp4"));
}

void TestExport::copyAcrossSeam()
{
    QTemporaryDir dir;
    ExportJob job(tripRequest(dir.path()));
    job.run();
    QVERIFY2(job.succeeded(), qPrintable(job.message()));
    // 1.5 s into the first recording the cut begins at the key frame of 1 s.
    QCOMPARE(job.leadIn(), 0.5);
    const QString base = dir.filePath(QStringLiteral("20240103_100001-100006"));
    const QStringList want = {base + QStringLiteral("_F.mp4"), base + QStringLiteral("_R.mp4"), base + QStringLiteral(".gpx"),
                              base + QStringLiteral(".csv")};
    QCOMPARE(job.files(), want);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);

    // Every picture as the sources decode it: seconds 1-4 of the first, 0-2.5 of the second.
    const QStringList first = frameHashes(m_sources[0]);
    const QStringList second = frameHashes(m_sources[1]);
    QCOMPARE(first.size(), 120);
    QCOMPARE(frameHashes(want[0]), first.mid(30) + second.mid(0, 75));
    QCOMPARE(frameHashes(want[1]), frameHashes(m_sources[2]).mid(30) + frameHashes(m_sources[3]).mid(0, 75));

    // One picture every thirtieth of a second, across the seam too; the sound kept.
    const QByteArray probe = tool(QStringLiteral("ffprobe"),
                                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"), QStringLiteral("v"),
                                   QStringLiteral("-show_entries"), QStringLiteral("packet=pts_time"), QStringLiteral("-of"),
                                   QStringLiteral("csv=p=0"), want[0]});
    const QList<QByteArray> times = probe.trimmed().split('\n');
    QCOMPARE(times.size(), 165);
    for (int i = 0; i < times.size(); ++i)
        QVERIFY2(std::fabs(times[i].toDouble() - i / 30.0) < 1e-4, qPrintable(QStringLiteral("picture %1 at %2").arg(i).arg(QString::fromLatin1(times[i]))));
    const QByteArray streams = tool(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
                                                                 QStringLiteral("stream=codec_type"), QStringLiteral("-of"), QStringLiteral("csv=p=0"), want[0]});
    QCOMPARE(streams.trimmed().split('\n'), QList<QByteArray>({"video", "audio"}));
    // 'moov' first, so the file plays while it downloads.
    QFile f(want[0]);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    QVERIFY2(whole.indexOf("moov") > 0 && whole.indexOf("moov") < whole.indexOf("mdat"), "moov comes before mdat");

    // The trip reads back through the viewer's parser as the sources' samples of those seconds.
    auto samplesOf = [](const QString &path) {
        VideoParser p;
        p.setFile(path, 0);
        p.parse();
        return p.gpsDataList();
    };
    const QList<GpsData> a = samplesOf(m_sources[0]);
    const QList<GpsData> b = samplesOf(m_sources[1]);
    const QList<GpsData> got = samplesOf(want[0]);
    const QList<GpsData> expected = {a[1], a[2], a[3], b[0], b[1], b[2]};
    QCOMPARE(got.size(), expected.size());
    for (int i = 0; i < got.size(); ++i) {
        const GpsData &g = got[i];
        const GpsData &e = expected[i];
        const QString where = QStringLiteral("second %1").arg(i);
        QCOMPARE(g.index, i);
        QVERIFY2(QByteArray(g.dateTime) == QByteArray(e.dateTime), qPrintable(where));
        QVERIFY2(QByteArray(g.extraText) == QByteArray(e.extraText) && g.markA == e.markA && g.markB == e.markB, qPrintable(where));
        QVERIFY2(g.latitudeRef == e.latitudeRef && g.longitudeRef == e.longitudeRef, qPrintable(where));
        QVERIFY2(std::fabs(g.latitude - e.latitude) < 1e-9 && std::fabs(g.longitude - e.longitude) < 1e-9, qPrintable(where));
        QVERIFY2(g.speed == e.speed && g.extraNumber == e.extraNumber, qPrintable(where));
        QVERIFY2(g.gsensorX == e.gsensorX && g.gsensorY == e.gsensorY && g.gsensorZ == e.gsensorZ, qPrintable(where));
        // A heading comes from the point before, which the export and each source see differently at their starts.
        if (i != 0 && i != 3)
            QVERIFY2(std::fabs(g.heading - e.heading) < 1e-9, qPrintable(where));
    }

    // GPX 1.1: one point per second with pictures, UTC times in order.
    if (!QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) {
        int status = -1;
        tool(QStringLiteral("xmllint"), {QStringLiteral("--noout"), want[2]}, &status);
        QCOMPARE(status, 0);
    }
    QFile gpx(want[2]);
    QVERIFY(gpx.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&gpx);
    QStringList pointTimes;
    QStringList speeds;
    bool inPoint = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("gpx")) {
            QCOMPARE(xml.namespaceUri().toString(), QStringLiteral("http://www.topografix.com/GPX/1/1"));
            QCOMPARE(xml.attributes().value(QLatin1String("version")).toString(), QStringLiteral("1.1"));
        } else if (xml.isStartElement() && xml.name() == QLatin1String("trkpt")) {
            inPoint = true;
        } else if (xml.isStartElement() && inPoint && xml.name() == QLatin1String("time")) {
            pointTimes.append(xml.readElementText());
        } else if (xml.isStartElement() && xml.name() == QLatin1String("speed")) {
            speeds.append(xml.readElementText());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("trkpt")) {
            inPoint = false;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(pointTimes, QStringList({"2024-01-03T10:00:01Z", "2024-01-03T10:00:02Z", "2024-01-03T10:00:03Z",
                                      "2024-01-03T10:00:04Z", "2024-01-03T10:00:05Z", "2024-01-03T10:00:06Z"}));
    QCOMPARE(speeds.size(), 6);
    QCOMPARE(speeds[0], QString::number(a[1].speed / 3.6, 'f', 2));

    QFile csv(want[3]);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = csv.readAll().trimmed().split('\n');
    QCOMPARE(rows.first(), QByteArray("file,time,latitude,longitude,speed,heading"));
    QCOMPARE(rows.size(), 7);
    QVERIFY2(rows[1].contains(",2024-01-03T10:00:01,"), rows[1].constData());

    for (int i = 0; i < m_sources.size(); ++i)
        QVERIFY2(fileHash(m_sources[i]) == m_sourceHashes[i], qPrintable(m_sources[i] + QStringLiteral(" changed")));
}

void TestExport::sideBySide()
{
    QTemporaryDir dir;
    ExportRequest r = tripRequest(dir.path());
    r.front = {{m_sources[0], 0.5, -1.0}, {m_sources[1], 0.0, 1.0}};
    r.copyFront = r.copyRear = r.trackFiles = false;
    r.sideBySide = true;
    ExportJob job(r);
    job.run();
    QVERIFY2(job.succeeded(), qPrintable(job.message()));
    QCOMPARE(job.files().size(), 1);
    const QString out = job.files().first();
    QVERIFY(out.endsWith(QLatin1String("20240103_100000-100005_SBS.mp4")));

    const QByteArray probe = tool(QStringLiteral("ffprobe"),
                                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"), QStringLiteral("-select_streams"),
                                   QStringLiteral("v"), QStringLiteral("-show_entries"),
                                   QStringLiteral("stream=codec_name,width,height,avg_frame_rate,nb_read_frames"), QStringLiteral("-of"),
                                   QStringLiteral("csv=p=0"), out});
    QCOMPARE(probe.trimmed(), QByteArray("h264,320,180,30/1,135"));
    const QByteArray audio = tool(QStringLiteral("ffprobe"), {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                                                               QStringLiteral("a"), QStringLiteral("-show_entries"), QStringLiteral("stream=codec_name"),
                                                               QStringLiteral("-of"), QStringLiteral("csv=p=0"), out});
    QCOMPARE(audio.trimmed(), QByteArray("aac"));

    // Export second 2.6 is 3.1 s into the first recording: its sample 3.
    const QSize size(320, 180);
    const QImage frame = frameAt(out, 2.6, size);
    QVERIFY(!frame.isNull());
    frame.save(dir.filePath(QStringLiteral("frame.png")));
    if (!qEnvironmentVariableIsEmpty("TRACKORA_EXPORT_KEEP"))
        frame.save(qEnvironmentVariable("TRACKORA_EXPORT_KEEP"));
    // Front bars on the left half (75 % grey, yellow, ... blue), the blue rear on the right.
    const QList<QColor> bars = {QColor(191, 191, 191), QColor(191, 191, 0), QColor(0, 191, 191), QColor(0, 191, 0),
                                QColor(191, 0, 191), QColor(191, 0, 0), QColor(0, 0, 191)};
    auto near = [](const QColor &a, const QColor &b, int tolerance) {
        return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
            && std::abs(a.blue() - b.blue()) <= tolerance;
    };
    for (int i = 0; i < bars.size(); ++i) {
        const QColor got = frame.pixelColor((2 * i + 1) * 160 / 14, 70);
        QVERIFY2(near(got, bars[i], 24), qPrintable(QStringLiteral("bar %1: %2").arg(i).arg(got.name())));
    }
    QVERIFY2(near(frame.pixelColor(240, 90), QColor(0, 0, 255), 12), qPrintable(frame.pixelColor(240, 90).name()));

    // The band over the black below the pictures holds the texts of that second, not of the next.
    VideoParser parser;
    parser.setFile(m_sources[0], 0);
    parser.parse();
    const QList<GpsData> trip = parser.gpsDataList();
    auto reference = [&](const GpsData &sample) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        FrameOverlay().paint(&painter, size, sample, trip, 3.1);
        painter.end();
        return image;
    };
    auto difference = [&](const QImage &want) {
        const QRect band = FrameOverlay::bandRect(size);
        double sum = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                const QColor a = frame.pixelColor(x, y);
                const QColor b = want.pixelColor(x, y);
                sum += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            }
        }
        return sum / (3.0 * band.width() * band.height());
    };
    QVERIFY(trip[3].speed != trip[4].speed);
    const double right = difference(reference(trip[3]));
    const double wrong = difference(reference(trip[4]));
    QVERIFY2(right < 6.0 && wrong > right * 1.5, qPrintable(QStringLiteral("right %1, wrong %2").arg(right).arg(wrong)));
}

void TestExport::cancelLeavesNothing()
{
    QTemporaryDir dir;
    ExportRequest r = tripRequest(dir.path());
    r.sideBySide = true;
    ExportJob job(r);
    // Halfway through, as a person pressing Cancel would.
    connect(&job, &ExportJob::progress, &job, [&job](double fraction) {
        if (fraction > 0.4)
            job.cancel();
    });
    QSignalSpy finished(&job, &ExportJob::finished);
    job.run();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().at(0).toBool(), false);
    QVERIFY(job.files().isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
}

void TestExport::unwritableFolder()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(target));
    if (::geteuid() == 0) {
        // Permissions do not stop root; a read-only file system does.
        if (!mountTmpfs(target, QStringLiteral("ro,size=1m")))
            QSKIP("cannot mount a read-only tmpfs");
    } else {
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    ExportJob job(tripRequest(target));
    job.run();
    QVERIFY(!job.succeeded());
    QVERIFY2(job.message().contains(QLatin1String("cannot be written to")) && job.message().contains(target),
             qPrintable(job.message()));
    QVERIFY(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
    unmountAll();
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestExport::fullDisk()
{
    if (::geteuid() != 0)
        QSKIP("a full disk needs a small tmpfs, which only root can mount");
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("small"));
    QVERIFY(QDir().mkpath(target));
    // Room for the first part of the front copy, not for all of it.
    if (!mountTmpfs(target, QStringLiteral("size=48k")))
        QSKIP("cannot mount a tmpfs");
    ExportJob job(tripRequest(target));
    job.run();
    QVERIFY(!job.succeeded());
    QVERIFY2(job.message().contains(QLatin1String("disk is full")), qPrintable(job.message()));
    QVERIFY(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());
    unmountAll();
}

void TestExport::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("files");
    QTest::newRow("copy of the trip") << QStringList{"--from", "%M/20240103_100000_F.mp4@2", "--to", "%M/20240103_100004_F.mp4@1",
                                                     "--rear", "%M/20240103_100000_R.mp4", "%M/20240103_100004_R.mp4", "-o", "%O"}
                                      << 0 << 4;
    QTest::newRow("side by side") << QStringList{"--from", "%M/20240103_100000_F.mp4@3", "--to", "%M/20240103_100000_F.mp4@4",
                                                 "--mode", "side-by-side", "--pip", "--mirror", "--rear", "%M/20240103_100000_R.mp4", "-o", "%O"}
                                  << 0 << 1;
    QTest::newRow("no output folder") << QStringList{"--from", "%M/20240103_100000_F.mp4", "--to", "%M/20240103_100000_F.mp4"} << 2 << 0;
    QTest::newRow("unknown mode") << QStringList{"--from", "%M/20240103_100000_F.mp4", "--to", "%M/20240103_100000_F.mp4",
                                                 "--mode", "gif", "-o", "%O"}
                                  << 2 << 0;
    QTest::newRow("rear count") << QStringList{"--from", "%M/20240103_100000_F.mp4", "--to", "%M/20240103_100004_F.mp4",
                                               "--rear", "%M/20240103_100000_R.mp4", "-o", "%O"}
                                << 2 << 0;
    QTest::newRow("missing recording") << QStringList{"--from", "%M/nothing_F.mp4", "--to", "%M/nothing_F.mp4", "-o", "%O"} << 1 << 0;
}

void TestExport::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, files);
    QTemporaryDir dir;
    for (QString &a : args)
        a.replace(QLatin1String("%M"), m_media.path()).replace(QLatin1String("%O"), dir.path());
    QProcess p;
    p.start(QDir(qEnvironmentVariable("TRACKORA_BIN_DIR")).filePath(QStringLiteral("trackora-export")), args);
    QVERIFY(p.waitForFinished(60000));
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(p.exitCode() == status, err.constData());
    const QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    QCOMPARE(lines.size() - 1, files);
    for (int i = 0; i < files; ++i)
        QVERIFY2(QFileInfo(QString::fromLocal8Bit(lines[i])).isFile(), lines[i].constData());
    QVERIFY2(status == 0 || !err.isEmpty(), "a failure says why");
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
