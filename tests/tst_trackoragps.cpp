#include "tst_fixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// A trip whose record 2 has no position and whose record 3 is in the south-west
// with an unset longitude letter.
QByteArray mixedTrip()
{
    QList<QByteArray> records = fx::trip(6);
    fx::Record none;
    none.lat = "00000000";
    none.lon = "000000000";
    none.dateTime = "20250101100002";
    records[2] = fx::record(none);
    fx::Record sw;
    sw.latRef = 'S';
    sw.lonRef = '\0';
    sw.lat = "33520000";
    sw.lon = "151120000";
    sw.dateTime = "20250101100003";
    sw.gsensor = "-105 050+001";
    records[3] = fx::record(sw);
    QByteArray gps;
    for (const QByteArray &r : records)
        gps += r.left(311);
    fx::Track v;
    v.width = 1280;
    v.height = 720;
    v.samples = 150;
    return fx::ftyp() + fx::box("moov", fx::mvhd(1000, 5000) + fx::trak(v)) + fx::box("gps0", gps);
}
} // namespace

class TestTrackoraGps : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void infoLine();
    void infoSeveralFiles();
    void usage_data();
    void usage();
    void samplesCsv();
    void exportFormats_data();
    void exportFormats();
    void exportToFile();
    void nothingReadWritesNothing_data();
    void nothingReadWritesNothing();
    void logsStayOffStandardOutput();

private:
    Run run(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        p.setProcessEnvironment(env);
        p.start(m_program, args);
        Run r;
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished(5000);
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    QString m_program;
    QTemporaryDir m_dir;
    QString m_trip;  // 10 s, 12 records
    QString m_mixed; // 5 s, 6 records
    QString m_noGps;
};

void TestTrackoraGps::initTestCase()
{
    m_program = QDir(qEnvironmentVariable("TRACKORA_BIN_DIR")).filePath(QStringLiteral("trackora-gps"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    m_trip = m_dir.filePath(QStringLiteral("trip_F.MP4"));
    m_mixed = m_dir.filePath(QStringLiteral("mixed, \"odd\"_F.MP4"));
    m_noGps = m_dir.filePath(QStringLiteral("nogps_F.MP4"));
    QVERIFY(fx::writeFile(m_trip, fx::mp4WithTrip(10, 12)));
    QVERIFY(fx::writeFile(m_mixed, mixedTrip()));
    QVERIFY(fx::writeFile(m_noGps, fx::ftyp() + fx::box("moov", fx::mvhd(1000, 5000))));
}

void TestTrackoraGps::infoLine()
{
    const Run r = run({QStringLiteral("info"), m_trip});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    const QByteArray expected = "{\"file\":" + QJsonDocument(QJsonArray{m_trip}).toJson(QJsonDocument::Compact).mid(1).chopped(1)
        + ",\"width\":1920,\"height\":1080,\"duration\":10,\"frameRate\":30.0,\"codec\":1,"
          "\"createTime\":\"1904-01-01T00:00:00\",\"gpsKind\":4,\"samples\":11}\n";
    QCOMPARE(r.out, expected);
}

void TestTrackoraGps::infoSeveralFiles()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.mp4"));
    const Run r = run({QStringLiteral("info"), m_trip, missing, m_noGps, m_dir.path(), m_mixed});
    QCOMPARE(r.status, 1);
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 3); // the missing file and the folder give no line
    const QStringList files = {m_trip, m_noGps, m_mixed};
    for (int i = 0; i < lines.size(); ++i) {
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(lines.at(i), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(o.value(QStringLiteral("file")).toString(), files.at(i));
        QCOMPARE(o.keys().size(), 9);
    }
    QCOMPARE(QJsonDocument::fromJson(lines.at(1)).object().value(QStringLiteral("gpsKind")).toInt(), 0);
    QVERIFY2(QJsonDocument::fromJson(lines.at(1)).object().value(QStringLiteral("createTime")).isNull(),
             "a file without a creation time gives null");
    // One line per unread file, naming it.
    const QList<QByteArray> errors = r.err.trimmed().split('\n');
    QCOMPARE(errors.size(), 3);
    QVERIFY2(errors.at(0).contains(QFile::encodeName(missing)), "the first error names the missing file");
    QVERIFY2(errors.at(1).contains(QFile::encodeName(m_noGps)), "the second error names the file without GPS");
    QVERIFY2(errors.at(2).contains(QFile::encodeName(m_dir.path())), "the third error names the folder");
}

void TestTrackoraGps::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{"play", "x.mp4"};
    QTest::newRow("info without files") << QStringList{"info"};
    QTest::newRow("samples with two files") << QStringList{"samples", "a.mp4", "b.mp4"};
    QTest::newRow("export without format") << QStringList{"export", "a.mp4"};
    QTest::newRow("unknown format") << QStringList{"export", "--format", "shp", "a.mp4"};
    QTest::newRow("unknown option") << QStringList{"info", "--fast", "a.mp4"};
}

void TestTrackoraGps::usage()
{
    QFETCH(QStringList, args);
    const Run r = run(args);
    QCOMPARE(r.status, 2);
    QVERIFY2(r.out.isEmpty(), "a usage error writes nothing to the output");
    QVERIFY2(!r.err.isEmpty(), "a usage error is explained");
}

void TestTrackoraGps::samplesCsv()
{
    const Run r = run({QStringLiteral("samples"), m_mixed});
    QCOMPARE(r.status, 0);
    const QList<QByteArray> lines = r.out.split('\n');
    QCOMPARE(lines.first(),
             QByteArray("index,dateTime,latitudeRef,latitude,longitudeRef,longitude,speed,heading,gsensorX,gsensorY,gsensorZ"));
    QCOMPARE(lines.size(), 1 + 6 + 1); // header, seconds 0 to 5, final newline
    QVERIFY2(lines.last().isEmpty(), "the output ends with a newline");
    QCOMPARE(lines.at(1), QByteArray("0,20250101100001,N,") + QByteArray::number(fx::latitudeOf(1), 'f', 6) + ",E,"
                              + QByteArray::number(139 + (200000 + 600) / 10000.0 / 60.0, 'f', 6) + ",1,"
                              + lines.at(1).split(',').at(7) + ",0.01,-0.50,1.05");
    QVERIFY2(lines.at(2).startsWith("1,20250101100002,N,0.000000,E,0.000000,"),
             "a sample without a fix is written as zeros");
    // South with no longitude letter: negative latitude, empty letter field.
    QCOMPARE(lines.at(3).left(44), QByteArray("2,20250101100003,S,-33.866667,,151.200000,60"));
    QVERIFY2(lines.at(3).endsWith(",0.01,0.00,-1.05"), lines.at(3).constData());
    // Seconds past the last record repeat it.
    QCOMPARE(lines.at(6).left(2), QByteArray("4,"));
}

void TestTrackoraGps::exportFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("gpx") << "gpx";
    QTest::newRow("kml") << "kml";
    QTest::newRow("csv") << "csv";
    QTest::newRow("geojson") << "geojson";
}

void TestTrackoraGps::exportFormats()
{
    QFETCH(QString, format);
    const Run r = run({QStringLiteral("export"), QStringLiteral("--format"), format, m_trip, m_mixed});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    // The trip has 11 positions; the mixed one 6 samples of which one has none.
    const int tripPoints = 11;
    const int mixedPoints = 5;
    if (format == QLatin1String("gpx") || format == QLatin1String("kml")) {
        QXmlStreamReader xml(r.out);
        QList<int> points;
        QStringList names;
        int times = 0;
        const QString point = format == QLatin1String("gpx") ? QStringLiteral("trkpt") : QStringLiteral("Point");
        const QString track = format == QLatin1String("gpx") ? QStringLiteral("trk") : QStringLiteral("Folder");
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == track)
                points.append(0);
            else if (xml.name() == point)
                ++points.last();
            else if (xml.name() == QLatin1String("time") || xml.name() == QLatin1String("when"))
                ++times;
            else if (xml.name() == QLatin1String("name") && names.size() < points.size())
                names.append(xml.readElementText());
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(points, (QList<int>{tripPoints, mixedPoints}));
        QCOMPARE(names, (QStringList{QFileInfo(m_trip).fileName(), QFileInfo(m_mixed).fileName()}));
        QCOMPARE(times, tripPoints + mixedPoints);
        QVERIFY2(r.out.contains("2025-01-01T10:00:01"), "the times are ISO 8601");
    } else if (format == QLatin1String("geojson")) {
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray features = o.value(QStringLiteral("features")).toArray();
        QCOMPARE(features.size(), 2);
        const QJsonObject geometry = features.at(1).toObject().value(QStringLiteral("geometry")).toObject();
        QCOMPARE(geometry.value(QStringLiteral("type")).toString(), QStringLiteral("LineString"));
        const QJsonArray coordinates = geometry.value(QStringLiteral("coordinates")).toArray();
        QCOMPARE(coordinates.size(), mixedPoints);
        // GeoJSON positions are longitude first.
        QCOMPARE(coordinates.at(1).toArray().at(1).toDouble(), -(33 + 52.0 / 60));
        QCOMPARE(features.at(1).toObject().value(QStringLiteral("properties")).toObject().value(QStringLiteral("times"))
                     .toArray().size(), mixedPoints);
    } else {
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray("file,time,latitude,longitude,speed,heading"));
        QCOMPARE(lines.size(), 1 + tripPoints + mixedPoints);
        // The comma and quotes of the name are quoted.
        QVERIFY2(lines.last().startsWith("\"mixed, \"\"odd\"\"_F.MP4\",2025-01-01T10:00:0"),
                 "the comma and quotes of the name are quoted");
    }
}

void TestTrackoraGps::exportToFile()
{
    const QString target = m_dir.filePath(QStringLiteral("out.gpx"));
    Run r = run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("gpx"), QStringLiteral("-o"), target,
                 m_trip, m_noGps});
    QCOMPARE(r.status, 1); // one file had no GPS, the other was written
    QVERIFY2(r.out.isEmpty(), "with -o nothing goes to the output");
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll().count("<trkpt"), 11);

    // Never over a recording.
    QFile trip(m_trip);
    QVERIFY(trip.open(QIODevice::ReadOnly));
    const QByteArray before = trip.readAll();
    trip.close();
    r = run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("kml"), QStringLiteral("-o"), m_trip, m_trip});
    QCOMPARE(r.status, 2);
    QVERIFY(trip.open(QIODevice::ReadOnly));
    QCOMPARE(trip.readAll(), before);
}

void TestTrackoraGps::nothingReadWritesNothing_data()
{
    QTest::addColumn<bool>("toFile");
    QTest::newRow("to a file") << true;
    QTest::newRow("to standard output") << false;
}

// When no input gives a track, an earlier export stays as it was.
void TestTrackoraGps::nothingReadWritesNothing()
{
    QFETCH(bool, toFile);
    const QString target = m_dir.filePath(QStringLiteral("kept.gpx"));
    const QByteArray good = "<gpx>an earlier export</gpx>\n";
    QVERIFY(fx::writeFile(target, good));
    QStringList args = {QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("gpx")};
    if (toFile)
        args << QStringLiteral("-o") << target;
    args << m_noGps << m_dir.filePath(QStringLiteral("missing.mp4"));
    const Run r = run(args);
    QCOMPARE(r.status, 1);
    QVERIFY2(r.out.isEmpty(), r.out.constData());
    QVERIFY2(r.err.contains("no track was read; nothing written"), r.err.constData());
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), good);
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("kept.gpx*")}, QDir::Files), QStringList{QStringLiteral("kept.gpx")});
}

void TestTrackoraGps::logsStayOffStandardOutput()
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=true"));
    p.setProcessEnvironment(env);
    p.start(m_program, {QStringLiteral("info"), QStringLiteral("-v"), m_dir.filePath(QStringLiteral("missing.mp4")), m_trip});
    QVERIFY2(p.waitForFinished(30000), "the program ends");
    const QByteArray out = p.readAllStandardOutput();
    QCOMPARE(out.count('\n'), 1);
    QVERIFY2(QJsonDocument::fromJson(out).isObject(), "the verbose output is one JSON object");
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(err.contains("Mp4Parser open file error, file: " + m_dir.filePath(QStringLiteral("missing.mp4")).toLocal8Bit()
                          + " - Mp4Parser No such file or directory"),
             err.constData());
}

QTEST_GUILESS_MAIN(TestTrackoraGps)
#include "tst_trackoragps.moc"
