#include "computeInfo.h"
#include "tst_logcapture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// One PCI function as sysfs shows it.
struct Device
{
    QString slot;
    QString cls = QStringLiteral("0x030000");
    QString vendor;
    QString device;
    QString subVendor = QStringLiteral("0x0000");
    QString subDevice = QStringLiteral("0x0000");
};
Q_DECLARE_METATYPE(Device)

namespace {

// A few entries of the PCI ID database, in its own layout.
const char kPciIds[] =
    "# fake database\n"
    "8086  Intel Corporation\n"
    "\t0d57  Host bridge\n"
    "\t3ea0  WhiskeyLake-U GT2 [UHD Graphics 620]\n"
    "\t\t1028 089e  Inspiron 5482\n"
    "\t5917  UHD Graphics 620\n"
    "10de  NVIDIA Corporation\n"
    "\t128b  GK208B [GeForce GT 710]\n"
    "\t1c82  GP107 [GeForce GTX 1050 Ti]\n"
    "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
    "\t67ef  Baffin [Radeon RX 460/560D / Pro 450/455/460/555/555X/560/560X]\n"
    "C 03  Display controller\n"
    "\t00  VGA compatible controller\n";

// A fake root with /proc/cpuinfo, sysfs PCI devices and the database.
class FakeTree
{
public:
    bool write(const QString &relative, const QByteArray &content)
    {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
    void cpu(const QString &name)
    {
        write(QStringLiteral("proc/cpuinfo"), "processor\t: 0\nvendor_id\t: x\nmodel name\t: " + name.toUtf8()
                                                  + "\nflags\t\t: fpu\n\nprocessor\t: 1\nmodel name\t: second\n");
    }
    void add(const Device &d)
    {
        const QString base = QStringLiteral("sys/bus/pci/devices/") + d.slot + QLatin1Char('/');
        write(base + QStringLiteral("class"), d.cls.toLatin1() + '\n');
        write(base + QStringLiteral("vendor"), d.vendor.toLatin1() + '\n');
        write(base + QStringLiteral("device"), d.device.toLatin1() + '\n');
        write(base + QStringLiteral("subsystem_vendor"), d.subVendor.toLatin1() + '\n');
        write(base + QStringLiteral("subsystem_device"), d.subDevice.toLatin1() + '\n');
    }
    void database() { write(QStringLiteral("usr/share/misc/pci.ids"), kPciIds); }
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

const Device kUhd620{QStringLiteral("0000:00:02.0"), QStringLiteral("0x030000"), QStringLiteral("0x8086"),
                     QStringLiteral("0x3ea0"), QStringLiteral("0x1028"), QStringLiteral("0x089e")};
const Device kGt710{QStringLiteral("0000:00:01.0"), QStringLiteral("0x030200"), QStringLiteral("0x10de"),
                    QStringLiteral("0x128b")};

} // namespace

class TestComputeInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LogCapture::install(); }
    void init() { LogCapture::clear(); }

    void adaptersIntelFirstOncePerName();
    void processorRating_data();
    void processorRating();
    void listMatches_data();
    void listMatches();
    void largePictureRefusal();
    void emptyTreeRatesNothing();
    void renderNodeThatIsNoDevice();
    void probeCommandPrintsJson();
};

void TestComputeInfo::adaptersIntelFirstOncePerName()
{
    FakeTree tree;
    tree.cpu(QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    tree.database();
    // The NVIDIA card sits at the lower address; Intel still comes first.
    tree.add(kGt710);
    tree.add(kUhd620);
    Device twin = kGt710;
    twin.slot = QStringLiteral("0000:03:00.0");
    tree.add(twin);
    // Not display controllers, or not of the three vendors.
    tree.add({QStringLiteral("0000:00:00.0"), QStringLiteral("0x060000"), QStringLiteral("0x8086"), QStringLiteral("0x0d57")});
    tree.add({QStringLiteral("0000:00:05.0"), QStringLiteral("0x030000"), QStringLiteral("0x1af4"), QStringLiteral("0x1050")});
    // Missing from the database: named by its ids.
    tree.add({QStringLiteral("0000:04:00.0"), QStringLiteral("0x038000"), QStringLiteral("0x1002"), QStringLiteral("0x7480")});

    ComputeInfo info(tree.root());
    info.updateCpuAndCardInfo();
    const QString cards = QStringLiteral("\nWhiskeyLake-U GT2 [UHD Graphics 620] (Inspiron 5482)"
                                         "\nGK208B [GeForce GT 710]"
                                         "\n1002:7480");
    QCOMPARE(info.cardNames(), cards);
    QCOMPARE(info.cpuName(), QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    QCOMPARE(info.cpuAndCardInfo(), QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\r\n") + cards);
    QCOMPARE(LogCapture::count(QStringLiteral("Card Info: ") + cards), 1);
}

void TestComputeInfo::processorRating_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rated");
    QTest::addColumn<QString>("logLine");
    QTest::newRow("i3") << "Intel(R) Core(TM) i3-7100U CPU @ 2.40GHz" << true << "CPU: >= intel Core(M) i3";
    QTest::newRow("i5") << "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz" << true << "CPU: >= intel Core(M) i3";
    QTest::newRow("i7") << "12th Gen Intel(R) Core(TM) i7-1255U" << true << "CPU: >= intel Core(M) i3";
    QTest::newRow("i9") << "Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz" << true << "CPU: >= intel Core(M) i3";
    QTest::newRow("digit below 3") << "Intel(R) Core(TM) i2-100" << false << " CPU: < intel Core(M) i3";
    QTest::newRow("non-digit reads 0") << "Intel(R) Core(TM) iX" << false << " CPU: < intel Core(M) i3";
    QTest::newRow("fragment at the end") << "Intel(R) Core(TM) i" << false << " CPU: < intel Core(M) i3";
    QTest::newRow("Pentium") << "Intel(R) Pentium(R) CPU G4560 @ 3.50GHz" << false << " CPU: not interl Core(M)";
    QTest::newRow("Celeron") << "Intel(R) Celeron(R) N4000 CPU @ 1.10GHz" << false << " CPU: not interl Core(M)";
    QTest::newRow("AMD") << "AMD Ryzen 5 3500U with Radeon Vega Mobile Gfx" << true << "CPU AMD";
    QTest::newRow("neither") << "ARMv8 Processor rev 4 (v8l)" << false << QString();
    QTest::newRow("case matters") << "intel(R) Core(TM) i7" << false << QString();
}

void TestComputeInfo::processorRating()
{
    QFETCH(QString, name);
    QFETCH(bool, rated);
    QFETCH(QString, logLine);
    FakeTree tree;
    tree.cpu(name);
    ComputeInfo info(tree.root());
    info.updateCpuAndCardInfo();
    QCOMPARE(info.cpuName(), name);
    QCOMPARE(info.mCpuLevelH(), rated);
    const QStringList ratingLines =
        LogCapture::matching(QStringLiteral("CPU")).filter(QRegularExpression(QStringLiteral("^ ?CPU(:| AMD$)(?! Info:)")));
    QCOMPARE(ratingLines, logLine.isEmpty() ? QStringList() : QStringList{logLine});
    QCOMPARE(LogCapture::count(QStringLiteral("mCpuLevelH = ") + (rated ? "true" : "false")), 1);
}

void TestComputeInfo::listMatches_data()
{
    QTest::addColumn<Device>("device");
    QTest::addColumn<bool>("h265");
    QTest::addColumn<bool>("h264");
    QTest::addColumn<QStringList>("logLines");
    // "Graphics 620" precedes "UHD Graphics 620" in both Intel lists.
    QTest::newRow("UHD Graphics 620") << kUhd620 << true << true
                                      << QStringList{"Intel dCard H265: Graphics 620", "Intel dCard H264: Graphics 620"};
    QTest::newRow("GT 710") << kGt710 << false << true << QStringList{"NVIDIA dCard H264: GT 710"};
    QTest::newRow("GTX 1050 Ti")
        << Device{QStringLiteral("0000:01:00.0"), QStringLiteral("0x030000"), QStringLiteral("0x10de"), QStringLiteral("0x1c82")}
        << true << true << QStringList{"NVIDIA dCard H265: GTX 1050", "NVIDIA dCard H264: GTX 1050"};
    // The database names AMD boards by chip and number range, which the
    // lists' marketing names do not match.
    QTest::newRow("RX 460 as the database names it")
        << Device{QStringLiteral("0000:01:00.0"), QStringLiteral("0x030000"), QStringLiteral("0x1002"), QStringLiteral("0x67ef")}
        << false << false << QStringList();
}

void TestComputeInfo::listMatches()
{
    QFETCH(Device, device);
    QFETCH(bool, h265);
    QFETCH(bool, h264);
    QFETCH(QStringList, logLines);
    FakeTree tree;
    tree.database();
    tree.add(device);
    ComputeInfo info(tree.root());
    info.updateCpuAndCardInfo();
    QCOMPARE(info.isHDDecodeH265(), h265);
    QCOMPARE(info.isHDDecodeH264(), h264);
    QCOMPARE(LogCapture::matching(QStringLiteral(" dCard H26")), logLines);
}

void TestComputeInfo::largePictureRefusal()
{
    FakeTree tree;
    tree.cpu(QStringLiteral("Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz"));
    tree.database();
    tree.add(kGt710);
    ComputeInfo info(tree.root());
    info.updateCpuAndCardInfo();
    QVERIFY2(!info.canPlay(2, 3840, 2160), "4K H.265 without an H.265 adapter is refused");
    QVERIFY2(info.canPlay(1, 3840, 2160), "the GT 710 decodes 4K H.264");
    QVERIFY2(info.canPlay(2, 2560, 1440), "3,686,400 pixels are never refused");
    QVERIFY2(info.canPlay(2, 2000, 2000), "exactly 4,000,000 pixels are not more than the limit");
    QVERIFY2(!info.canPlay(2, 2001, 2000), "one row more is");
    QVERIFY2(info.canPlay(3, 7680, 4320), "other codecs are not checked");

    // A listed adapter does not help a processor that is not rated.
    FakeTree celeron;
    celeron.cpu(QStringLiteral("Intel(R) Celeron(R) N4000 CPU @ 1.10GHz"));
    celeron.database();
    celeron.add(kUhd620);
    ComputeInfo weak(celeron.root());
    weak.updateCpuAndCardInfo();
    QVERIFY2(weak.isHDDecodeH265(), "a weak processor still decodes H.265 in HD");
    QVERIFY2(!weak.canPlay(2, 3840, 2160), "an unrated processor refuses 4K H.265");
    QVERIFY2(!weak.canPlay(1, 3840, 2160), "an unrated processor refuses 4K H.264");
}

void TestComputeInfo::emptyTreeRatesNothing()
{
    QTemporaryDir empty;
    ComputeInfo info(empty.path());
    info.updateCpuAndCardInfo();
    QVERIFY2(!info.isHDDecodeH265(), "no information means no HD H.265");
    QVERIFY2(!info.isHDDecodeH264(), "no information means no HD H.264");
    QVERIFY2(!info.mCpuLevelH(), "no information means no high CPU level");
    QCOMPARE(info.cpuAndCardInfo(), QStringLiteral("\r\n"));
    QVERIFY2(!info.decodeInterface().answered, "no information means no decode interface answer");
    QCOMPARE(info.decodeInterface().status, QStringLiteral("no render node"));
    QVERIFY2(info.canPlay(2, 2560, 1440), "small pictures play on any computer");
    QVERIFY2(!info.canPlay(1, 3840, 2160), "an unknown computer refuses 4K H.264");

    // Devices without a database: named by their ids, which match no list.
    FakeTree bare;
    bare.add(kUhd620);
    ComputeInfo unnamed(bare.root());
    unnamed.updateCpuAndCardInfo();
    QCOMPARE(unnamed.cardNames(), QStringLiteral("\n8086:3ea0"));
    QVERIFY2(!unnamed.isHDDecodeH264(), "an unnamed card decodes no HD H.264");
}

void TestComputeInfo::renderNodeThatIsNoDevice()
{
    FakeTree tree;
    tree.write(QStringLiteral("dev/dri/renderD128"), "not a device");
    ComputeInfo info(tree.root());
    info.updateCpuAndCardInfo();
    const VaDecodeQuery &va = info.decodeInterface();
    QVERIFY2(!va.answered, "the decode interface did not answer");
    QCOMPARE(va.renderNode, QDir(tree.root()).filePath(QStringLiteral("dev/dri/renderD128")));
    QVERIFY2(va.status != QLatin1String("no render node") && !va.status.isEmpty(), qPrintable(va.status));
    QVERIFY2(!info.hardwareDecodes(2, 1920, 1080), "an unanswered query adds nothing");
    QCOMPARE(LogCapture::count(QStringLiteral("VA-API: ") + va.status), 1);
}

void TestComputeInfo::probeCommandPrintsJson()
{
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("trackora-gps"));
    FakeTree tree;
    tree.cpu(QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
    tree.database();
    tree.add(kUhd620);
    tree.add(kGt710);

    for (const QStringList &args : {QStringList{QStringLiteral("probe")},
                                    QStringList{QStringLiteral("probe"), QStringLiteral("--root"), tree.root()}}) {
        QProcess p;
        p.start(program, args);
        QVERIFY2(p.waitForFinished(30000), qPrintable(args.join(QLatin1Char(' '))));
        QCOMPARE(p.exitCode(), 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &error);
        QVERIFY2(doc.isObject(), qPrintable(error.errorString()));
        const QJsonObject o = doc.object();
        for (const char *key : {"cpu", "adapters", "isHDDecodeH264", "isHDDecodeH265", "mCpuLevelH", "decodeInterface"})
            QVERIFY2(o.contains(QLatin1String(key)), key);
        if (args.size() == 1)
            continue;
        QCOMPARE(o.value(QStringLiteral("cpu")).toString(), QStringLiteral("Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz"));
        QCOMPARE(o.value(QStringLiteral("adapters")).toArray(),
                 (QJsonArray{QStringLiteral("WhiskeyLake-U GT2 [UHD Graphics 620] (Inspiron 5482)"),
                             QStringLiteral("GK208B [GeForce GT 710]")}));
        QCOMPARE(o.value(QStringLiteral("isHDDecodeH265")).toBool(), true);
        QCOMPARE(o.value(QStringLiteral("mCpuLevelH")).toBool(), true);
        QCOMPARE(o.value(QStringLiteral("decodeInterface")).toObject().value(QStringLiteral("status")).toString(),
                 QStringLiteral("no render node"));
    }
}

QTEST_GUILESS_MAIN(TestComputeInfo)
#include "tst_computeinfo.moc"
