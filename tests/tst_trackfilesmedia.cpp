#include "foldertracks.h"
#include "tst_logcapture.h"
#include "videoparser.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamWriter>
#include <QtTest>

// Recordings made by tools/gen/trackmedia.py (ffmpeg video, our own muxing of
// an NMEA text track and a GPMF track, plain clips without GPS), read by the
// viewer's parse, trackora-gps and, where installed, ExifTool.
class TestTrackFilesMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void embeddedTrack_data();
    void embeddedTrack();
    void folderWithoutGps();
    void damagedRecordings_data();
    void damagedRecordings();
    void exiftoolAgrees_data();
    void exiftoolAgrees();

private:
    struct Parsed
    {
        GpsSourceKind kind = NoGps;
        QList<GpsData> samples;
    };
    static Parsed parse(const QString &path)
    {
        VideoParser parser;
        parser.setFile(path, 1);
        parser.parse();
        return {parser.gpsKind(), parser.gpsDataList()};
    }
    QByteArray run(const QStringList &args, int *status);
    QJsonObject track(const QString &file) const;

    QTemporaryDir m_dir;
    QJsonObject m_manifest;
    QString m_program;
};

void TestTrackFilesMedia::initTestCase()
{
    LogCapture::install();
    m_program = QDir(qEnvironmentVariable("TRACKORA_BIN_DIR")).filePath(QStringLiteral("trackora-gps"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty())
        QSKIP("ffmpeg is not installed: the recordings cannot be made");
    QVERIFY(m_dir.isValid());
    QProcess gen;
    gen.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    gen.start(QStringLiteral("python3"), {QStringLiteral(TRACKORA_SOURCE_DIR "/tools/gen/trackmedia.py"), m_dir.path()});
    QVERIFY(gen.waitForFinished(120000));
    QCOMPARE(gen.exitCode(), 0);
    QFile manifest(m_dir.filePath(QStringLiteral("trackmedia.json")));
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    m_manifest = QJsonDocument::fromJson(manifest.readAll()).object();
    QVERIFY(!m_manifest.isEmpty());
}

void TestTrackFilesMedia::init()
{
    FolderTracks::instance().clear();
    LogCapture::clear();
}

QJsonObject TestTrackFilesMedia::track(const QString &file) const
{
    for (const QJsonValue &v : m_manifest.value(QStringLiteral("tracks")).toArray()) {
        if (v.toObject().value(QStringLiteral("file")).toString() == file)
            return v.toObject();
    }
    return {};
}

QByteArray TestTrackFilesMedia::run(const QStringList &args, int *status)
{
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(args.first(), args.mid(1));
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(5000);
        *status = -1;
        return QByteArray();
    }
    *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

void TestTrackFilesMedia::embeddedTrack_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("NMEA text track") << "nmea_track_F.mp4";
    QTest::newRow("GPMF") << "gpmf_F.mp4";
}

void TestTrackFilesMedia::embeddedTrack()
{
    QFETCH(QString, file);
    const QJsonObject e = track(file);
    const Parsed got = parse(m_dir.filePath(file));
    QCOMPARE(int(got.kind), e.value(QStringLiteral("gpsKind")).toInt());
    // Seconds 0 to duration; the last second of the video takes the point before it.
    QCOMPARE(got.samples.size(), e.value(QStringLiteral("duration")).toInt() + 1);
    const QJsonArray seconds = e.value(QStringLiteral("seconds")).toArray();
    const bool withG = got.kind == GpmfTrackGps;
    for (int s = 0; s < got.samples.size(); ++s) {
        const GpsData &d = got.samples.at(s);
        const QJsonObject w = seconds.at(qMin(s, seconds.size() - 1)).toObject();
        const QByteArray where = file.toLatin1() + " second " + QByteArray::number(s);
        QCOMPARE(d.index, s);
        QCOMPARE(d.markA, 'A');
        QVERIFY2(QByteArray(d.dateTime) == w.value(QStringLiteral("dateTime")).toString().toLatin1(), where);
        QVERIFY2(qAbs(d.latitude - w.value(QStringLiteral("latitude")).toDouble()) < 2e-6, where);
        QVERIFY2(qAbs(d.longitude - w.value(QStringLiteral("longitude")).toDouble()) < 2e-6, where);
        QVERIFY2(qAbs(d.speed - w.value(QStringLiteral("speed")).toInt()) <= 1, where);
        QVERIFY2(d.heading > 300.0 && d.heading < 330.0, where); // north-west
        if (withG) {
            QVERIFY2(qAbs(d.gsensorX - w.value(QStringLiteral("gX")).toDouble()) < 0.01, where);
            QVERIFY2(qAbs(d.gsensorY - w.value(QStringLiteral("gY")).toDouble()) < 0.01, where);
            QVERIFY2(qAbs(d.gsensorZ - w.value(QStringLiteral("gZ")).toDouble()) < 0.01, where);
        }
    }
}

void TestTrackFilesMedia::folderWithoutGps()
{
    // Four recordings without GPS, 10:00, 10:01, 10:02 and 12:00 on 5 March
    // 2024 (the first two dated by their creation time, the others by name).
    const QDir plain(m_dir.filePath(QStringLiteral("plain")));
    const QDateTime start(QDate(2024, 3, 5), QTime(10, 0, 0), Qt::UTC);
    auto trackpoint = [&](QXmlStreamWriter &w, int second) {
        w.writeStartElement(QStringLiteral("trkpt"));
        w.writeAttribute(QStringLiteral("lat"), QString::number(48.0 + second * 0.0001, 'f', 6));
        w.writeAttribute(QStringLiteral("lon"), QStringLiteral("11.5"));
        w.writeTextElement(QStringLiteral("time"), start.addSecs(second).toString(Qt::ISODate));
        w.writeEndElement();
    };
    auto writeGpx = [&](const QString &path, int from, int to) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QXmlStreamWriter w(&f);
        w.writeStartDocument();
        w.writeStartElement(QStringLiteral("gpx"));
        w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        w.writeStartElement(QStringLiteral("trk"));
        w.writeStartElement(QStringLiteral("trkseg"));
        for (int s = from; s <= to; ++s)
            trackpoint(w, s);
        w.writeEndDocument();
    };
    // A GPX sidecar for the first, an NMEA one for the third, and the
    // folder's track for all of the morning.
    writeGpx(plain.filePath(QStringLiteral("20240305_100000_F.gpx")), 0, 4);
    QFile nmea(plain.filePath(QStringLiteral("20240305_100200_F.NMEA")));
    QVERIFY(nmea.open(QIODevice::WriteOnly));
    for (const QByteArray &body : {QByteArray("GPRMC,100201.00,A,4800.0000,N,01130.0000,E,20.0,0.0,050324,,,A"),
                                   QByteArray("GPRMC,100202.00,A,4800.0100,N,01130.0000,E,20.0,0.0,050324,,,A")}) {
        quint8 sum = 0;
        for (char c : body)
            sum ^= quint8(c);
        nmea.write('$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + "\r\n");
    }
    nmea.close();
    const QString day = m_dir.filePath(QStringLiteral("day.gpx"));
    writeGpx(day, 0, 200);

    int status = 0;
    const QByteArray out = run({m_program, QStringLiteral("info"), QStringLiteral("--track"), day,
                                plain.filePath(QStringLiteral("20240305_100000_F.mp4")),
                                plain.filePath(QStringLiteral("20240305_100100_F.mp4")),
                                plain.filePath(QStringLiteral("20240305_100200_F.mp4")),
                                plain.filePath(QStringLiteral("20240305_120000_F.mp4"))},
                               &status);
    QCOMPARE(status, 1); // the noon recording has no trip
    QList<int> kinds;
    QList<int> counts;
    for (const QByteArray &line : out.trimmed().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        kinds << o.value(QStringLiteral("gpsKind")).toInt();
        counts << o.value(QStringLiteral("samples")).toInt();
    }
    QCOMPARE(kinds, (QList<int>{GpxSidecarGps, FolderTrackGps, NmeaSidecarGps, NoGps}));
    QCOMPARE(counts, (QList<int>{5, 5, 5, 0}));

    // The viewer's parse sees the same; the folder track's second 30 of the
    // 10:01 recording is 90 s into the morning.
    FolderTracks::instance().set(plain.path(), day, {}, 0);
    QCOMPARE(parse(plain.filePath(QStringLiteral("20240305_100100_F.mp4"))).kind, NoGps);
    int samplesStatus = 0;
    const QList<QByteArray> rows = run({m_program, QStringLiteral("samples"), QStringLiteral("--track"), day,
                                        QStringLiteral("--offset"), QStringLiteral("-60"),
                                        plain.filePath(QStringLiteral("20240305_100100_F.mp4"))},
                                       &samplesStatus)
                                       .split('\n');
    QCOMPARE(samplesStatus, 0);
    // With the camera's clock a minute behind, second 2 is 10:00:02.
    QVERIFY2(rows.at(3).startsWith("2,20240305100002,N,48.000200,E,11.500000,"), rows.at(3));
    const Parsed nmeaSide = parse(plain.filePath(QStringLiteral("20240305_100200_F.mp4")));
    QCOMPARE(nmeaSide.kind, NmeaSidecarGps);
    QCOMPARE(nmeaSide.samples.at(0).speed, 37); // 20 knots
    QCOMPARE(nmeaSide.samples.at(4).markA, 'V');
}

void TestTrackFilesMedia::damagedRecordings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("cutAt");         // keep this many bytes (-1: all)
    QTest::addColumn<QByteArray>("find");   // overwrite the first match...
    QTest::addColumn<QByteArray>("with");   // ...with this
    QTest::addColumn<QString>("logged");

    QTest::newRow("GPMF length past its payload") << "gpmf_F.mp4" << -1 << QByteArray("DEVC\0\1", 6)
                                                  << QByteArray("DEVC\0\1\xff\xff", 8) << "damaged";
    QTest::newRow("NMEA without a fix") << "nmea_track_F.mp4" << -1 << QByteArray(",A,35") << QByteArray(",V,35")
                                        << "";
    QTest::newRow("cut before the tracks' table") << "gpmf_F.mp4" << 200000 << QByteArray() << QByteArray() << "";
}

void TestTrackFilesMedia::damagedRecordings()
{
    QFETCH(QString, file);
    QFETCH(int, cutAt);
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, with);
    QFETCH(QString, logged);
    QFile in(m_dir.filePath(file));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray data = in.readAll();
    if (cutAt >= 0)
        data.truncate(cutAt);
    if (!find.isEmpty()) {
        const int at = data.indexOf(find);
        QVERIFY(at > 0);
        data.replace(at, with.size(), with);
    }
    const QString path = m_dir.filePath(QStringLiteral("damaged_") + file);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(data);
    out.close();

    const Parsed got = parse(path);
    if (!logged.isEmpty()) {
        const QStringList lines = LogCapture::lines();
        QVERIFY2(!lines.filter(logged).isEmpty(), qPrintable(lines.join(QLatin1Char('\n'))));
    }
    // One payload or sentence lost: its second takes a neighbour's point;
    // the rest of the trip is still there.
    if (cutAt < 0) {
        QCOMPARE(got.samples.size(), 7);
        for (const GpsData &s : got.samples)
            QCOMPARE(s.markA, 'A');
    } else {
        QVERIFY(got.samples.isEmpty());
    }
}

void TestTrackFilesMedia::exiftoolAgrees_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("speedFactor");     // ExifTool's speed unit to km/h
    QTest::addColumn<double>("positionSpread");  // fixes within the second
    QTest::newRow("NMEA text track") << "nmea_track_F.mp4" << 1.0 << 1e-6;
    QTest::newRow("GPMF") << "gpmf_F.mp4" << 3.6 << 3e-5;
}

void TestTrackFilesMedia::exiftoolAgrees()
{
    QFETCH(QString, file);
    QFETCH(double, speedFactor);
    QFETCH(double, positionSpread);
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    if (exiftool.isEmpty())
        QSKIP("exiftool is not installed (libimage-exiftool-perl): nothing to compare with");
    int status = 0;
    const QByteArray json = run({exiftool, QStringLiteral("-ee"), QStringLiteral("-n"), QStringLiteral("-j"),
                                 QStringLiteral("-G3"), file},
                                &status);
    QCOMPARE(status, 0);
    const QJsonObject tags = QJsonDocument::fromJson(json).array().first().toObject();
    const QList<QByteArray> rows = run({m_program, QStringLiteral("samples"), file}, &status).trimmed().split('\n');
    QCOMPARE(status, 0);
    int compared = 0;
    for (int doc = 1; tags.contains(QStringLiteral("Doc%1:SampleTime").arg(doc)); ++doc) {
        auto tag = [&](const char *name) { return tags.value(QStringLiteral("Doc%1:%2").arg(doc).arg(QLatin1String(name))); };
        if (!tag("GPSLatitude").isDouble())
            continue;
        const int second = qRound(tag("SampleTime").toDouble());
        QVERIFY(second + 1 < rows.size());
        const QList<QByteArray> f = rows.at(second + 1).split(',');
        const QByteArray where = file.toLatin1() + " second " + QByteArray::number(second);
        QString dateTime = tag("GPSDateTime").toString();
        dateTime.remove(QRegularExpression(QStringLiteral("[^0-9.]"))).truncate(14);
        QVERIFY2(f.at(1) == dateTime.toLatin1(), where + ": " + f.at(1) + " / " + dateTime.toLatin1());
        QVERIFY2(qAbs(f.at(3).toDouble() - tag("GPSLatitude").toDouble()) <= positionSpread + 1e-6, where);
        QVERIFY2(qAbs(f.at(5).toDouble() - tag("GPSLongitude").toDouble()) <= positionSpread + 1e-6, where);
        QVERIFY2(qAbs(f.at(6).toDouble() - tag("GPSSpeed").toDouble() * speedFactor) <= 1.0, where);
        ++compared;
    }
    QCOMPARE(compared, track(file).value(QStringLiteral("seconds")).toArray().size());
}

QTEST_GUILESS_MAIN(TestTrackFilesMedia)
#include "tst_trackfilesmedia.moc"
