#include "tst_mediaexpect.h"

#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

// trackora-gps run on the generated recordings: what it prints must be what
// the expectations say a correct parse reports.
class TestTrackoraGpsMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void info();
    void samples_data();
    void samples();
    void exportGpx();
    void events_data();
    void events();

private:
    QByteArray run(const QStringList &args, int *status, QByteArray *err = nullptr)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(media::folder().path());
        p.start(m_program, args);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished(5000);
            *status = -1;
            return QByteArray();
        }
        *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        if (err)
            *err = p.readAllStandardError();
        return p.readAllStandardOutput();
    }

    QString m_program;
};

void TestTrackoraGpsMedia::initTestCase()
{
    m_program = QDir(qEnvironmentVariable("TRACKORA_BIN_DIR")).filePath(QStringLiteral("trackora-gps"));
    QVERIFY2(QFileInfo(m_program).isExecutable(), qPrintable(m_program));
    QVERIFY2(media::available(), "TRACKORA_TEST_MEDIA holds no generated recordings");
}

void TestTrackoraGpsMedia::info()
{
    const QStringList files = media::recordings();
    int status = 0;
    QByteArray err;
    const QByteArray out = run(QStringList{QStringLiteral("info")} + files, &status, &err);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    QCOMPARE(lines.size(), files.size());
    int withoutGps = 0;
    const QStringList keys = {"file", "width", "height", "duration", "frameRate", "codec", "createTime", "gpsKind", "samples"};
    for (int i = 0; i < files.size(); ++i) {
        const QJsonObject got = QJsonDocument::fromJson(lines.at(i)).object();
        const QJsonObject e = media::expected(files.at(i));
        const QString where = files.at(i);
        QCOMPARE(got.value(QStringLiteral("file")).toString(), where);
        for (const QString &k : keys.mid(1, 7))
            QVERIFY2(got.value(k) == e.value(k), qPrintable(QStringLiteral("%1: %2").arg(where, k)));
        // Key order is part of the format.
        int at = 0;
        for (const QString &k : keys) {
            const int next = lines.at(i).indexOf("\"" + k.toLatin1() + "\":");
            QVERIFY2(next > at || (k == keys.first() && next == 1), qPrintable(where + QStringLiteral(" key ") + k));
            at = next;
        }
        QVERIFY2(lines.at(i).contains(",\"frameRate\":" + QByteArray::number(e.value(QStringLiteral("frameRate")).toDouble(), 'f', 1) + ","),
                 "the frame rate has one decimal");
        const QJsonArray wanted = media::normalised(media::heldRawSamples(media::folder().filePath(where), e),
                                                    e.value(QStringLiteral("duration")).toInt());
        QCOMPARE(got.value(QStringLiteral("samples")).toInt(), wanted.size());
        if (wanted.isEmpty())
            ++withoutGps;
    }
    // One reason per file without a trip, and status 1 because there are some.
    QVERIFY2(withoutGps > 0, "some files have no trip");
    QCOMPARE(err.trimmed().split('\n').size(), withoutGps);
    QCOMPARE(status, 1);
}

void TestTrackoraGpsMedia::samples_data()
{
    QTest::addColumn<QString>("relative");
    for (const QString &r : media::recordings()) {
        if (r.startsWith(QLatin1String("gps/")) || r.contains(QLatin1String("truncated")))
            QTest::newRow(qPrintable(r)) << r;
    }
}

void TestTrackoraGpsMedia::samples()
{
    QFETCH(QString, relative);
    const QJsonObject e = media::expected(relative);
    const QJsonArray wanted = media::normalised(media::heldRawSamples(media::folder().filePath(relative), e),
                                                e.value(QStringLiteral("duration")).toInt());
    int status = 0;
    const QByteArray out = run({QStringLiteral("samples"), relative}, &status);
    QCOMPARE(status, wanted.isEmpty() ? 1 : 0);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    QCOMPARE(lines.size(), 1 + wanted.size());
    for (int i = 0; i < wanted.size(); ++i) {
        const QJsonObject s = wanted.at(i).toObject();
        const QList<QByteArray> f = lines.at(i + 1).split(',');
        QCOMPARE(f.size(), 11);
        auto fixed = [&s](const char *key, int decimals) {
            return QByteArray::number(s.value(QLatin1String(key)).toDouble(), 'f', decimals);
        };
        const QList<QByteArray> want = {
            QByteArray::number(s.value(QStringLiteral("index")).toInt()),
            s.value(QStringLiteral("dateTime")).toString().toLatin1(),
            s.value(QStringLiteral("latitudeRef")).toString().toLatin1(),
            fixed("latitude", 6),
            s.value(QStringLiteral("longitudeRef")).toString().toLatin1(),
            fixed("longitude", 6),
            QByteArray::number(s.value(QStringLiteral("speed")).toInt()),
            fixed("heading", 2),
            fixed("gsensorX", 2),
            fixed("gsensorY", 2),
            fixed("gsensorZ", 2),
        };
        QCOMPARE(f, want);
    }
}

void TestTrackoraGpsMedia::exportGpx()
{
    QStringList files;
    int positions = 0;
    const QDir gps(media::folder().filePath(QStringLiteral("gps")));
    for (const QString &n : gps.entryList({QStringLiteral("*.mp4"), QStringLiteral("*.mov"), QStringLiteral("*.AVI")})) {
        const QJsonObject e = media::expected(QStringLiteral("gps/") + n);
        const QJsonArray samples = e.value(QStringLiteral("samples")).toArray();
        if (samples.isEmpty())
            continue;
        files.append(QStringLiteral("gps/") + n);
        for (const QJsonValue &s : samples) {
            const QJsonObject o = s.toObject();
            if (o.value(QStringLiteral("latitude")).toDouble() != 0 || o.value(QStringLiteral("longitude")).toDouble() != 0)
                ++positions;
        }
    }
    QVERIFY2(files.size() >= 12, "the folder holds its recordings");
    int status = 0;
    const QByteArray out = run(QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("gpx")} + files,
                               &status);
    QCOMPARE(status, 0);
    QXmlStreamReader xml(out);
    int tracks = 0;
    int points = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        tracks += xml.name() == QLatin1String("trk");
        points += xml.name() == QLatin1String("trkpt");
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(tracks, files.size());
    QCOMPARE(points, positions);
}

void TestTrackoraGpsMedia::events_data()
{
    const QString first = QStringLiteral("events/20240301_090000_F.mp4");
    const QString second = QStringLiteral("events/20240301_090021_F.mp4");
    auto line = [](const QString &file, int at, const char *kind, const char *value) {
        const char *unit = qstrcmp(kind, "impact") == 0 ? "g" : "km/h/s";
        return QStringLiteral("{\"file\":\"%1\",\"second\":%2,\"kind\":\"%3\",\"value\":%4,\"unit\":\"%5\"}")
            .arg(file).arg(at).arg(QLatin1String(kind), QLatin1String(value), QLatin1String(unit));
    };
    const QStringList planted = {
        line(first, 3, "braking", "14"),  line(first, 5, "acceleration", "12"), line(first, 7, "impact", "1.80"),
        line(first, 10, "impact", "1.60"), line(first, 13, "impact", "3.10"),    line(first, 18, "braking", "16"),
    };

    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one recording") << QStringList{first} << 0 << planted;
    QTest::newRow("a trip of two: the seam counts")
        << QStringList{first, second} << 0 << (planted + QStringList{line(second, 0, "acceleration", "14")});
    QTest::newRow("the second alone has no seam") << QStringList{second} << 0 << QStringList();
    QTest::newRow("not in trip order: no seam") << QStringList{second, first} << 0 << planted;
    QTest::newRow("higher braking threshold")
        << QStringList{QStringLiteral("--braking"), QStringLiteral("15"), first} << 0 << QStringList(planted.mid(1));
    // Gravity on Z then reads as an impact every second: one run, at its strongest.
    QTest::newRow("lower impact reading")
        << QStringList{QStringLiteral("--impact"), QStringLiteral("1.0"), first} << 0
        << QStringList{planted.at(0), planted.at(1), planted.at(4), planted.at(5)};
    QTest::newRow("a missing file is reported, the rest printed")
        << QStringList{QStringLiteral("events/missing_F.mp4"), first} << 1 << planted;
    QTest::newRow("a threshold out of range") << QStringList{QStringLiteral("--impact"), QStringLiteral("0"), first}
                                              << 2 << QStringList();
}

void TestTrackoraGpsMedia::events()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QStringList, expected);
    int got = 0;
    const QByteArray out = run(QStringList{QStringLiteral("events")} + args, &got);
    QCOMPARE(got, status);
    const QString text = QString::fromUtf8(out).trimmed();
    QCOMPARE(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')), expected);
}

QTEST_GUILESS_MAIN(TestTrackoraGpsMedia)
#include "tst_trackoragpsmedia.moc"
