#include "aviparser.h"
#include "coordinateconv.h"
#include "gpmfreader.h"
#include "tst_logcapture.h"
#include "mp4parser.h"
#include "videoparser.h"

#include <QDirIterator>
#include <QtTest>

#include <cmath>
#include <cstring>

// Every input the fuzzers ever found a fault with, kept under
// tests/fuzz-fixtures/TARGET/NAME in that target's input format, goes through
// the same path again: each must now end with a clear result.
class TestFuzzFixtures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LogCapture::install(); }
    void everyFixture_data();
    void everyFixture();

private:
    static void checkSample(const GpsData &s);
    static void checkLocation(const ParserObject &parser, int size);
    static int readAll(ParserObject &parser);
};

void TestFuzzFixtures::checkSample(const GpsData &s)
{
    QVERIFY2(std::isfinite(s.latitude) && std::isfinite(s.longitude), "a finite position");
    QVERIFY2(std::isfinite(s.heading) && s.heading >= 0.0 && s.heading <= 360.0,
             qPrintable(QStringLiteral("heading %1 within 0..360").arg(s.heading)));
    QVERIFY2(s.dateTime[14] == '\0' && s.extraText[14] == '\0', "text fields end in NUL");
}

// Where the records are said to be lies inside the file.
void TestFuzzFixtures::checkLocation(const ParserObject &parser, int size)
{
    QVERIFY(parser.gpsCount >= 0 && parser.gpsCount <= size);
    if (parser.gpsKind != NoGps)
        QVERIFY2(parser.gpsOffset >= 0 && parser.gpsOffset <= size,
                 qPrintable(QStringLiteral("GPS table at %1 in %2 bytes").arg(parser.gpsOffset).arg(size)));
}

int TestFuzzFixtures::readAll(ParserObject &parser)
{
    GpsData sample;
    int n = 0;
    while (n < parser.gpsCount && parser.readGpsSample(n, &sample)) {
        checkSample(sample);
        ++n;
    }
    return n;
}

void TestFuzzFixtures::everyFixture_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    const QDir root(QStringLiteral(TRACKORA_FUZZ_FIXTURES));
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    int rows = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QFileInfo(path).dir().dirName();
        QTest::newRow(qPrintable(root.relativeFilePath(path))) << target << path;
        ++rows;
    }
    if (rows == 0)
        QSKIP("no fixtures yet");
}

void TestFuzzFixtures::everyFixture()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    LogCapture::clear();

    if (target == QLatin1String("mp4parser")) {
        Mp4Parser parser(bytes);
        checkLocation(parser, bytes.size());
        readAll(parser);
    } else if (target == QLatin1String("aviparser")) {
        AVIParser parser(bytes);
        checkLocation(parser, bytes.size());
        readAll(parser);
    } else if (target == QLatin1String("gpsrecord")) {
        // Four doubles for one heading, then step-and-record groups.
        QByteArray rest = bytes;
        if (rest.size() >= 32) {
            double v[4];
            std::memcpy(v, rest.constData(), sizeof v);
            const double a = CoordinateConv::GetAzimuth(v[0], v[1], v[2], v[3]);
            QVERIFY2(std::isfinite(a) && a >= 0.0 && a <= 360.0, qPrintable(QString::number(a)));
            rest = rest.mid(32);
        }
        ParserObject parser{QByteArray(), QString()};
        int k = 0;
        for (int at = 0; at < rest.size(); at += 1 + ParserObject::kRecordSize) {
            k += uchar(rest.at(at));
            QByteArray record = rest.mid(at + 1, ParserObject::kRecordSize);
            record.append(QByteArray(ParserObject::kRecordSize - record.size(), '\0'));
            GpsData sample;
            std::memset(&sample, 0, sizeof sample);
            QVERIFY(parser.decodeRecord(k, record.constData(), &sample));
            checkSample(sample);
        }
        return;
    } else if (target == QLatin1String("videoparser")) {
        // The first byte picks the file name, and with it the parser.
        QVERIFY(!bytes.isEmpty());
        static const char *const names[] = {"20240101_120000_F.mp4", "20240101_120300_F.AVI",
                                            "20240101_120200_R.mov", "clip.avi.mp4"};
        VideoParser parser;
        parser.setFile(QString::fromLatin1(names[uchar(bytes.at(0)) % 4]), 1);
        parser.setFileData(bytes.mid(1));
        parser.parse();
        const QList<GpsData> list = parser.gpsDataList();
        QVERIFY2(list.size() <= qMax(parser.samplesRead(), bytes.size() - 1),
                 qPrintable(QStringLiteral("%1 samples from %2 read and %3 bytes")
                                .arg(list.size()).arg(parser.samplesRead()).arg(bytes.size() - 1)));
        for (const GpsData &s : list)
            checkSample(s);
    } else if (target == QLatin1String("gpmf")) {
        // One payload; a refused one says why, and gives nothing.
        GpmfPayload payload;
        QString problem;
        if (GpmfReader::readPayload(bytes, &payload, &problem)) {
            QVERIFY(!payload.hasPosition || (std::fabs(payload.latitude) <= 90.0 && std::fabs(payload.longitude) <= 180.0));
        } else {
            QVERIFY(!problem.isEmpty());
            QVERIFY(!payload.hasPosition && !payload.hasAccel);
        }
        return;
    } else {
        QFAIL(qPrintable(QStringLiteral("no such fuzz target: %1").arg(target)));
    }
    QVERIFY2(!LogCapture::lines().isEmpty(), "a damaged file gets a logged reason");
}

QTEST_GUILESS_MAIN(TestFuzzFixtures)
#include "tst_fuzzfixtures.moc"
