#include "computeInfo.h"

#include <QDebug>
#include <QDir>
#include <QFile>

Q_LOGGING_CATEGORY(lcComputeInfo, "trackora.computeinfo")

namespace {

// Pictures above this many pixels need a rated computer.
constexpr qint64 kLargePicturePixels = 4000000;

constexpr quint16 kIntel = 0x8086;
constexpr quint16 kNvidia = 0x10de;
constexpr quint16 kAmd = 0x1002;

// Graphics models known to decode in hardware, as fragments of adapter names.
QStringList intelH264()
{
    return {
        QStringLiteral("Media Accelerator 3600 Series"), QStringLiteral("Graphics 4000"),
        QStringLiteral("Graphics 4400"), QStringLiteral("Graphics 4600"), QStringLiteral("Graphics 5300"),
        QStringLiteral("Graphics 5500"), QStringLiteral("Graphics Family (Haswell)"),
        QStringLiteral("Graphics (Ivy Bridge)"), QStringLiteral("Graphics (Haswell)"),
        QStringLiteral("Graphics (Cherry Trail)"), QStringLiteral(" Graphics (Apollo Lake)"),
        QStringLiteral("Graphics 500"), QStringLiteral("Graphics 515"), QStringLiteral("Graphics 520"),
        QStringLiteral("Graphics 530"), QStringLiteral("Graphics 610"), QStringLiteral("Graphics 615"),
        QStringLiteral("Graphics 620"), QStringLiteral("Graphics 630"), QStringLiteral("Iris Graphics"),
        QStringLiteral("Iris Plus Graphics"), QStringLiteral("Pro Graphics 580"), QStringLiteral("UHD Graphics"),
        QStringLiteral("UHD Graphics 605"), QStringLiteral("UHD Graphics 610"),
        QStringLiteral("UHD Graphics 617"), QStringLiteral("UHD Graphics 620"),
        QStringLiteral("UHD Graphics 630"), QStringLiteral("Embedded Media and Graphics Controller"),
        QStringLiteral("UHD Graphics")
    };
}

QStringList intelH265()
{
    return {
        QStringLiteral("Graphics 4400"), QStringLiteral("Graphics 4600"), QStringLiteral("Graphics 5500"),
        QStringLiteral("Graphics Family (Haswell)"), QStringLiteral("Graphics (Cherry Trail)"),
        QStringLiteral(" Graphics (Apollo Lake)"), QStringLiteral("Graphics 500"),
        QStringLiteral("Graphics 515"), QStringLiteral("Graphics 520"), QStringLiteral("Graphics 530"),
        QStringLiteral("Graphics 610"), QStringLiteral("Graphics 615"), QStringLiteral("Graphics 620"),
        QStringLiteral("Graphics 630"), QStringLiteral("Iris Graphics"), QStringLiteral("Iris Plus Graphics"),
        QStringLiteral("Pro Graphics 580"), QStringLiteral("UHD Graphics 605"),
        QStringLiteral("UHD Graphics 610"), QStringLiteral("UHD Graphics 617"),
        QStringLiteral("UHD Graphics 620"), QStringLiteral("UHD Graphics 630"), QStringLiteral("UHD Graphics")
    };
}

QStringList amdH264()
{
    return {
        QStringLiteral("HD 3200 Graphics"), QStringLiteral("HD 3300 Graphics"), QStringLiteral("HD 4200"),
        QStringLiteral("HD 4200 Series"), QStringLiteral("HD 4300 Series"), QStringLiteral("HD 4500 Series"),
        QStringLiteral("HD 4550"), QStringLiteral("HD 4600 Series"), QStringLiteral(" HD 4650"),
        QStringLiteral("HD 4800 Series"), QStringLiteral("HD 7610M"), QStringLiteral("Pro WX 4100"),
        QStringLiteral("R5 Graphics (Bristol Ridge)"), QStringLiteral("R7 Graphics (Bristol Ridge)"),
        QStringLiteral("R9 380 Series"), QStringLiteral("RX 460 Graphics"), QStringLiteral("RX 470 Graphics"),
        QStringLiteral("RX 480 Graphics"), QStringLiteral("550 Series"), QStringLiteral("RX 560 Series"),
        QStringLiteral("RX 570 Series"), QStringLiteral("RX 580 Series"), QStringLiteral("RX 590 Series"),
        QStringLiteral("RX Vega (Vega10)"), QStringLiteral("RX Vega 11 Graphics"),
        QStringLiteral("RX Vega M GL Graphics"), QStringLiteral("Vega 3 Graphics"),
        QStringLiteral("Vega 8 Graphics"), QStringLiteral("Vega 11 Graphics"), QStringLiteral("VII"),
        QStringLiteral("RX 5700"), QStringLiteral("RX 5700"), QStringLiteral("RX 5700 XT"),
        QStringLiteral("RX 5600"), QStringLiteral("RX 5500"), QStringLiteral("RX 5300")
    };
}

QStringList amdH265()
{
    return {
        QStringLiteral("Pro WX 4100"), QStringLiteral("R5 Graphics (Bristol Ridge)"),
        QStringLiteral("R7 Graphics (Bristol Ridge)"), QStringLiteral("RX 460 Graphics"),
        QStringLiteral("RX 470 Graphics"), QStringLiteral("RX 480 Graphics"), QStringLiteral("550 Series"),
        QStringLiteral("RX 560 Series"), QStringLiteral("RX 570 Series"), QStringLiteral("RX 580 Series"),
        QStringLiteral("RX 590 Series"), QStringLiteral("RX Vega (Vega10)"),
        QStringLiteral("RX Vega 11 Graphics"), QStringLiteral("RX Vega M GL Graphics"),
        QStringLiteral("Vega 3 Graphics"), QStringLiteral("Vega 8 Graphics"), QStringLiteral("Vega 11 Graphics"),
        QStringLiteral("VII"), QStringLiteral("RX 5700"), QStringLiteral("RX 5700 XT"),
        QStringLiteral("RX 5600"), QStringLiteral("RX 5500"), QStringLiteral("RX 5300")
    };
}

QStringList nvidiaH264()
{
    return {
        QStringLiteral("MX150"), QStringLiteral("MX230"), QStringLiteral("MX250"), QStringLiteral("GT 520"),
        QStringLiteral("610M"), QStringLiteral("GT 610"), QStringLiteral("GT 640"), QStringLiteral("GT 645M"),
        QStringLiteral("GTX 645"), QStringLiteral("GT 650M"), QStringLiteral("GTX 650"),
        QStringLiteral("GTX 660"), QStringLiteral("GTX 670"), QStringLiteral("GTX 675"),
        QStringLiteral("GTX 680"), QStringLiteral("GT 710"), QStringLiteral("GT 720"), QStringLiteral("GT 730"),
        QStringLiteral("GT 740"), QStringLiteral("GT 740M"), QStringLiteral("GTX 745"),
        QStringLiteral("GT 750M"), QStringLiteral("GTX 750"), QStringLiteral("GT 755M"),
        QStringLiteral("GTX 760"), QStringLiteral("GTX 770"), QStringLiteral("GTX 780"),
        QStringLiteral("GTX 850"), QStringLiteral("GTX 860"), QStringLiteral("GTX 950"),
        QStringLiteral("GTX 960"), QStringLiteral("GTX 965M"), QStringLiteral("GTX 970"),
        QStringLiteral("GTX 980"), QStringLiteral("GT 1030"), QStringLiteral("GTX 1030"),
        QStringLiteral("GTX 1050"), QStringLiteral("GTX 1060"), QStringLiteral("GTX 1070"),
        QStringLiteral("GTX 1080"), QStringLiteral("GTX 1650"), QStringLiteral("GTX 1660"),
        QStringLiteral("RTX 2060"), QStringLiteral("RTX 2070"), QStringLiteral("RTX 2080"),
        QStringLiteral("GTX TITAN X"), QStringLiteral("NVS 310"), QStringLiteral("NVS 510"),
        QStringLiteral("RTX 5000"), QStringLiteral("Quadro K2000M"), QStringLiteral("Quadro K600"),
        QStringLiteral("Quadro M1000M"), QStringLiteral("Quadro M4000"), QStringLiteral("Quadro P400"),
        QStringLiteral("Quadro P2000"), QStringLiteral("Quadro P4000"), QStringLiteral("Quadro GP100"),
        QStringLiteral("Quadro GV100"), QStringLiteral("Quadro P5000"), QStringLiteral("Quadro RTX8000"),
        QStringLiteral("Quadro RTX6000"), QStringLiteral("Quadro RTX4000"), QStringLiteral("Tesia P4"),
        QStringLiteral("Tesia P6"), QStringLiteral("Tesia P40"), QStringLiteral("Tesia P100"),
        QStringLiteral("Tesia V100"), QStringLiteral("Tesia T4")
    };
}

QStringList nvidiaH265()
{
    return {
        QStringLiteral("MX150"), QStringLiteral("MX230"), QStringLiteral("MX250"), QStringLiteral("GTX 645"),
        QStringLiteral("GTX 660"), QStringLiteral("GTX 670"), QStringLiteral("GTX 675"),
        QStringLiteral("GTX 680"), QStringLiteral("GTX 745"), QStringLiteral("GTX 750"),
        QStringLiteral("GTX 760"), QStringLiteral("GTX 770"), QStringLiteral("GTX 780"),
        QStringLiteral("GTX 850"), QStringLiteral("GTX 860"), QStringLiteral("GTX 950"),
        QStringLiteral("GTX 960"), QStringLiteral("GTX 965M"), QStringLiteral("GTX 970"),
        QStringLiteral("GTX 980"), QStringLiteral("GT 1030"), QStringLiteral("GTX 1030"),
        QStringLiteral("GTX 1050"), QStringLiteral("GTX 1060"), QStringLiteral("GTX 1070"),
        QStringLiteral("GTX 1080"), QStringLiteral("GTX 1650"), QStringLiteral("GTX 1660"),
        QStringLiteral("RTX 2060"), QStringLiteral("RTX 2070"), QStringLiteral("RTX 2080"),
        QStringLiteral("GTX TITAN X"), QStringLiteral("RTX 5000"), QStringLiteral("Quadro M1000M"),
        QStringLiteral("Quadro M4000"), QStringLiteral("Quadro P400"), QStringLiteral("Quadro P2000"),
        QStringLiteral("Quadro P4000"), QStringLiteral("Quadro GP100"), QStringLiteral("Quadro GV100"),
        QStringLiteral("Quadro P5000"), QStringLiteral("Quadro RTX8000"), QStringLiteral("Quadro RTX6000"),
        QStringLiteral("Quadro RTX4000"), QStringLiteral("Tesia P4"), QStringLiteral("Tesia P6"),
        QStringLiteral("Tesia P40"), QStringLiteral("Tesia P100"), QStringLiteral("Tesia V100"),
        QStringLiteral("Tesia T4")
    };
}

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(256).trimmed();
}

uint readHex(const QString &path)
{
    bool ok = false;
    const uint value = QString::fromLatin1(readSmallFile(path)).toUInt(&ok, 0);
    return ok ? value : 0;
}

QString hex4(uint value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

// One pass over the PCI ID database: "VVVV  vendor", "\tDDDD  device",
// "\t\tSSSS TTTT  subsystem". The device name, with the subsystem's in
// brackets where the database lists it; the ids when it names neither.
QString pciName(const QString &database, uint vendor, uint device, uint subVendor, uint subDevice)
{
    const QString ids = hex4(vendor) + QLatin1Char(':') + hex4(device);
    QFile file(database);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return ids;
    const QByteArray vendorKey = hex4(vendor).toLatin1() + "  ";
    const QByteArray deviceKey = "\t" + hex4(device).toLatin1() + "  ";
    const QByteArray subsystemKey = "\t\t" + hex4(subVendor).toLatin1() + ' ' + hex4(subDevice).toLatin1() + "  ";
    bool inVendor = false;
    QString deviceName;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.at(0) != '\t') {
            if (inVendor)
                break;
            inVendor = line.startsWith(vendorKey);
            continue;
        }
        if (!inVendor)
            continue;
        if (line.size() > 1 && line.at(1) != '\t') {
            if (!deviceName.isEmpty())
                break;
            if (line.startsWith(deviceKey))
                deviceName = QString::fromUtf8(line.mid(deviceKey.size())).trimmed();
        } else if (!deviceName.isEmpty() && line.startsWith(subsystemKey)) {
            return QStringLiteral("%1 (%2)").arg(deviceName, QString::fromUtf8(line.mid(subsystemKey.size())).trimmed());
        }
    }
    return deviceName.isEmpty() ? ids : deviceName;
}

// The first fragment of the list found in the names, or an empty text.
QString firstMatch(const QStringList &fragments, const QString &names)
{
    for (const QString &fragment : fragments) {
        if (names.contains(fragment, Qt::CaseSensitive))
            return fragment;
    }
    return QString();
}

QString describe(const char *name, const VaDecodeQuery::Codec &codec)
{
    QString text = QStringLiteral("%1 = %2").arg(QLatin1String(name), codec.decode ? QStringLiteral("true") : QStringLiteral("false"));
    if (codec.decode && codec.maxWidth > 0)
        text += QStringLiteral(" up to %1x%2").arg(codec.maxWidth).arg(codec.maxHeight);
    return text;
}

} // namespace

ComputeInfo::ComputeInfo(const QString &root)
    : QObject(nullptr)
    , m_root(root)
{
}

ComputeInfo *ComputeInfo::instance()
{
    static ComputeInfo *info = [] {
        auto *created = new ComputeInfo;
        created->updateCpuAndCardInfo();
        return created;
    }();
    return info;
}

QString ComputeInfo::readCpuName() const
{
    QFile file(QDir(m_root).filePath(QStringLiteral("proc/cpuinfo")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    // /proc files report size 0, so atEnd() cannot end the loop.
    for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
        if (!line.startsWith("model name"))
            continue;
        const int colon = line.indexOf(':');
        return colon < 0 ? QString() : QString::fromUtf8(line.mid(colon + 1)).trimmed();
    }
    return QString();
}

QString ComputeInfo::readCardNames(quint16 vendor) const
{
    const QDir devices(QDir(m_root).filePath(QStringLiteral("sys/bus/pci/devices")));
    const QString database = QDir(m_root).filePath(QStringLiteral("usr/share/misc/pci.ids"));
    QString text;
    const QStringList entries = devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        const QDir device(devices.filePath(entry));
        // Display controllers: VGA, XGA, 3D and other display classes.
        if ((readHex(device.filePath(QStringLiteral("class"))) >> 16) != 0x03)
            continue;
        if (readHex(device.filePath(QStringLiteral("vendor"))) != vendor)
            continue;
        const QString name = pciName(database, vendor, readHex(device.filePath(QStringLiteral("device"))),
                                     readHex(device.filePath(QStringLiteral("subsystem_vendor"))),
                                     readHex(device.filePath(QStringLiteral("subsystem_device"))));
        if (!name.isEmpty() && !text.contains(name, Qt::CaseSensitive))
            text += QLatin1Char('\n') + name;
    }
    return text;
}

void ComputeInfo::updateCpuAndCardInfo()
{
    const QStringList intel265 = intelH265();
    const QStringList amd265 = amdH265();
    const QStringList nvidia265 = nvidiaH265();
    const QStringList intel264 = intelH264();
    const QStringList amd264 = amdH264();
    const QStringList nvidia264 = nvidiaH264();

    m_cpuName = readCpuName();
    qCDebug(lcComputeInfo).noquote() << "CPU Info:" << m_cpuName;
    m_cardNames = readCardNames(kIntel) + readCardNames(kNvidia) + readCardNames(kAmd);
    qCDebug(lcComputeInfo).noquote() << "Card Info:" << m_cardNames;

    const QString core = QStringLiteral("Core(TM) i");
    if (m_cpuName.contains(QLatin1String("Intel"))) {
        const int at = m_cpuName.indexOf(core);
        if (at >= 0) {
            // One character after the fragment; a non-digit or nothing reads as 0.
            const QChar generation = at + 10 < m_cpuName.size() ? m_cpuName.at(at + 10) : QChar();
            const int level = qMax(generation.digitValue(), 0);
            if (level < 3) {
                qCDebug(lcComputeInfo).noquote() << " CPU: < intel Core(M) i3";
            } else {
                qCDebug(lcComputeInfo).noquote() << "CPU: >= intel Core(M) i3";
                m_mCpuLevelH = true;
            }
        } else {
            qCDebug(lcComputeInfo).noquote() << " CPU: not interl Core(M)";
        }
    } else if (m_cpuName.contains(QLatin1String("AMD"))) {
        qCDebug(lcComputeInfo).noquote() << "CPU AMD";
        m_mCpuLevelH = true;
    }

    const struct
    {
        const QStringList &fragments;
        bool *flag;
        const char *label;
    } lists[] = {
        {intel265, &m_isHDDecodeH265, "Intel dCard H265:"},
        {amd265, &m_isHDDecodeH265, "AMD dCard H265:"},
        {nvidia265, &m_isHDDecodeH265, "NVIDIA dCard H265:"},
        {intel264, &m_isHDDecodeH264, "Intel dCard H264:"},
        {amd264, &m_isHDDecodeH264, "AMD dCard H264:"},
        {nvidia264, &m_isHDDecodeH264, "NVIDIA dCard H264:"},
    };
    for (const auto &list : lists) {
        const QString found = firstMatch(list.fragments, m_cardNames);
        if (found.isEmpty())
            continue;
        *list.flag = true;
        qCDebug(lcComputeInfo).noquote() << list.label << found;
    }

    m_cpuAndCardInfo = m_cpuName + QStringLiteral("\r\n") + m_cardNames;
    qCDebug(lcComputeInfo).nospace() << "isHDDecodeH265 = " << m_isHDDecodeH265;
    qCDebug(lcComputeInfo).nospace() << "isHDDecodeH264 = " << m_isHDDecodeH264;
    qCDebug(lcComputeInfo).nospace() << "mCpuLevelH = " << m_mCpuLevelH;

    // Newer adapters than the lists know: ask the driver, where there is one.
    m_decodeInterface = VaDecodeQuery::query(m_root);
    if (m_decodeInterface.answered) {
        qCDebug(lcComputeInfo).noquote() << "VA-API" << m_decodeInterface.renderNode << m_decodeInterface.driver << ":"
                                         << describe("H265", m_decodeInterface.h265)
                                         << describe("H264", m_decodeInterface.h264);
    } else {
        qCDebug(lcComputeInfo).noquote() << "VA-API:" << m_decodeInterface.status;
    }
}

bool ComputeInfo::hardwareDecodes(int codec, int width, int height) const
{
    const bool listed = codec == 2 ? m_isHDDecodeH265 : codec == 1 ? m_isHDDecodeH264 : false;
    return listed || m_decodeInterface.decodes(codec, width, height);
}

bool ComputeInfo::canPlay(int codec, int width, int height) const
{
    if (codec != 1 && codec != 2)
        return true;
    if (qint64(width) * qint64(height) <= kLargePicturePixels)
        return true;
    return hardwareDecodes(codec, width, height) && m_mCpuLevelH;
}
