#include "aviparser.h"
#include "mp4parser.h"
#include "playlistmodel.h"
#include "tst_mediaexpect.h"
#include "videoparser.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Every generated recording parsed and compared with its expectations; the
// playlist's pairing and sample lookup on the dashboard-camera set.
class TestGeneratedMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();
    void samples_data();
    void samples();
    void playlist_data();
    void playlist();

private:
    void recordingRows();
};

void TestGeneratedMedia::initTestCase()
{
    // Creation times are compared as local time text written for UTC.
    qputenv("TZ", "UTC");
    tzset();
    QVERIFY2(media::available(), "TRACKORA_TEST_MEDIA holds no generated recordings");
}

void TestGeneratedMedia::recordingRows()
{
    QTest::addColumn<QString>("relative");
    const QStringList all = media::recordings();
    QVERIFY2(all.size() >= 40, "all generated recordings are listed");
    for (const QString &r : all)
        QTest::newRow(qPrintable(r)) << r;
}

void TestGeneratedMedia::walk_data()
{
    recordingRows();
}

void TestGeneratedMedia::walk()
{
    QFETCH(QString, relative);
    const QString path = media::folder().filePath(relative);
    const QJsonObject e = media::expected(relative);
    QVERIFY2(!e.isEmpty(), "the recording has its expected facts");

    std::unique_ptr<ParserObject> p;
    if (path.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive))
        p = std::make_unique<AVIParser>(path);
    else
        p = std::make_unique<Mp4Parser>(path);
    QVERIFY2(p->isOpen(), "the parser opens the recording");
    QCOMPARE(p->width, e.value(QStringLiteral("width")).toInt());
    QCOMPARE(p->height, e.value(QStringLiteral("height")).toInt());
    QCOMPARE(p->duration, e.value(QStringLiteral("duration")).toInt());
    QCOMPARE(p->frameRate, float(e.value(QStringLiteral("frameRate")).toDouble()));
    QCOMPARE(int(p->codec), e.value(QStringLiteral("codec")).toInt());
    const QJsonValue created = e.value(QStringLiteral("createTime"));
    if (created.isNull())
        QVERIFY2(!p->createTime.isValid(), "a recording without a creation time gives none");
    else
        QCOMPARE(p->createTime.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")), created.toString());
    QCOMPARE(int(p->gpsKind), e.value(QStringLiteral("gpsKind")).toInt());
    if (p->gpsKind == NoGps)
        return;
    QCOMPARE(p->gpsOffset, qint64(e.value(QStringLiteral("gpsOffset")).toDouble()));
    QCOMPARE(p->freeGpsOffset, e.value(QStringLiteral("freeGpsOffset")).toInt());
    const int count = e.value(QStringLiteral("gpsCount")).toInt();
    if (media::heldRawSamples(path, e).size() == e.value(QStringLiteral("rawSamples")).toArray().size())
        QCOMPARE(p->gpsCount, count);
    else // a source cut off by the end of the file counts what the file holds
        QVERIFY2(p->gpsCount <= count, "a cut-off source counts at most what it declares");
}

void TestGeneratedMedia::samples_data()
{
    recordingRows();
}

void TestGeneratedMedia::samples()
{
    QFETCH(QString, relative);
    const QString path = media::folder().filePath(relative);
    const QJsonObject e = media::expected(relative);
    const QJsonArray raw = e.value(QStringLiteral("rawSamples")).toArray();
    const QJsonArray held = media::heldRawSamples(path, e);
    // Records that lie past the end of a truncated file are not samples.
    const QJsonArray wanted = held.size() == raw.size()
        ? e.value(QStringLiteral("samples")).toArray()
        : media::normalised(held, e.value(QStringLiteral("duration")).toInt());

    VideoParser parser;
    parser.setFile(path, 0);
    QSignalSpy lists(&parser, &VideoParser::allGpsDataParserFinished);
    parser.parse();
    QCOMPARE(lists.count(), 1);
    const QList<GpsData> got = lists.at(0).at(1).value<QList<GpsData>>();
    QCOMPARE(got.size(), wanted.size());
    for (int i = 0; i < got.size(); ++i) {
        const QString bad = media::compareSample(got.at(i), wanted.at(i).toObject());
        QVERIFY2(bad.isEmpty(), qPrintable(QStringLiteral("sample %1: %2").arg(i).arg(bad)));
    }
    // The reader's own count: the samples the file holds, then false.
    std::unique_ptr<ParserObject> p;
    if (path.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive))
        p = std::make_unique<AVIParser>(path);
    else
        p = std::make_unique<Mp4Parser>(path);
    GpsData g;
    int n = 0;
    while (n < 100000 && p->readGpsSample(n, &g))
        ++n;
    QCOMPARE(n, held.size());
    // At most 64 KiB per file plus one record per sample.
    QVERIFY2(parser.bytesRead() <= 65536u + 312u * quint64(n),
             qPrintable(QStringLiteral("%1 bytes for %2 samples").arg(parser.bytesRead()).arg(n)));
}

void TestGeneratedMedia::playlist_data()
{
    QTest::addColumn<bool>("rearFirst");
    QTest::newRow("in name order") << false;
    QTest::newRow("rear files first") << true;
}

void TestGeneratedMedia::playlist()
{
    QFETCH(bool, rearFirst);
    const QDir dir(media::folder().filePath(QStringLiteral("gps")));
    QStringList names = dir.entryList({QStringLiteral("*.mp4"), QStringLiteral("*.mov"), QStringLiteral("*.AVI")}, QDir::Files,
                                      QDir::Name);
    QVERIFY2(names.size() >= 13, "the GPS folder holds its recordings");
    if (rearFirst)
        std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return a.contains(QLatin1String("_R")) && !b.contains(QLatin1String("_R"));
        });

    // Rows: the front files, the rear files without a front, files without a marker.
    QStringList rows;
    QHash<QString, QString> partner;
    for (const QString &n : qAsConst(names)) {
        const QJsonObject e = media::expected(QStringLiteral("gps/") + n);
        const QString camera = e.value(QStringLiteral("camera")).toString();
        const QString other = QFileInfo(e.value(QStringLiteral("partner")).toString()).fileName();
        partner.insert(n, other);
        if (camera != QLatin1String("rear") || other.isEmpty())
            rows.append(n);
    }

    PlaylistModel model;
    QSignalSpy done(&model, &PlaylistModel::parseFinished);
    for (const QString &n : qAsConst(names)) {
        bool added = false;
        QVERIFY2(model.addDataByFileInfo(QFileInfo(dir.filePath(n)), 0, added) >= 0,
                 "the list takes every recording");
    }
    QCOMPARE(model.rowCount(), rows.size());
    QStringList shown;
    for (int i = 0; i < model.rowCount(); ++i)
        shown.append(model.getDataByRow(i)->fileName);
    shown.sort();
    rows.sort();
    QCOMPARE(shown, rows);
    // Rows replaced by their front file parse at once; the rest on the pool.
    auto parsedRows = [&done] {
        QSet<int> ids;
        for (const QList<QVariant> &args : done)
            ids.insert(args.at(0).toInt());
        return ids.size();
    };
    QTRY_COMPARE_WITH_TIMEOUT(parsedRows(), model.rowCount(), 30000);

    for (int row = 0; row < model.rowCount(); ++row) {
        const RowData *data = model.getDataByRow(row);
        const QString relative = QStringLiteral("gps/") + data->fileName;
        const QJsonObject e = media::expected(relative);
        QCOMPARE(data->duration, e.value(QStringLiteral("duration")).toInt());
        QCOMPARE(data->resolution, QSize(e.value(QStringLiteral("width")).toInt(), e.value(QStringLiteral("height")).toInt()));
        QCOMPARE(model.getCodecByRow(row), e.value(QStringLiteral("codec")).toInt());

        const QUrl rear = model.getRelateUrlByMainData(data, true);
        const QString other = partner.value(data->fileName);
        if (e.value(QStringLiteral("camera")).toString() == QLatin1String("front") && !other.isEmpty())
            QCOMPARE(rear, QUrl::fromLocalFile(dir.filePath(other)));
        else if (e.value(QStringLiteral("camera")).toString() == QLatin1String("rear"))
            QCOMPARE(rear, data->url); // a rear file alone pairs with itself
        else
            QVERIFY2(rear.isEmpty(), qPrintable(rear.toString()));

        // The sample of each second, by row.
        const QJsonArray wanted = e.value(QStringLiteral("samples")).toArray();
        QSignalSpy one(&model, &PlaylistModel::gpsDataChanged);
        for (int second = 0; second <= wanted.size(); ++second)
            model.requestGpsData(row, second);
        QCOMPARE(one.count(), wanted.size());
        for (int second = 0; second < wanted.size(); ++second) {
            QCOMPARE(one.at(second).at(0).toInt(), row);
            const QString bad = media::compareSample(one.at(second).at(1).value<GpsData>(), wanted.at(second).toObject());
            QVERIFY2(bad.isEmpty(), qPrintable(QStringLiteral("%1 second %2: %3").arg(relative).arg(second).arg(bad)));
        }
    }
}

QTEST_GUILESS_MAIN(TestGeneratedMedia)
#include "tst_generatedmedia.moc"
