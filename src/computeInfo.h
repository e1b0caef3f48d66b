#pragma once

#include "vadecodequery.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcComputeInfo)

// Rates once per process whether this computer decodes very large H.264 and
// H.265 pictures: the processor name from /proc/cpuinfo, the display
// adapters from sysfs named through the PCI ID database, matched against
// lists of models known to decode in hardware; the VA-API driver may add
// what the lists do not know. Everything is read below a root folder so a
// fake tree can stand in for the system. GUI thread only.
class ComputeInfo : public QObject
{
    Q_OBJECT
public:
    explicit ComputeInfo(const QString &root = QStringLiteral("/"));

    // The process-wide probe of "/", run on first use.
    static ComputeInfo *instance();

    void updateCpuAndCardInfo();

    bool isHDDecodeH265() const { return m_isHDDecodeH265; }
    bool isHDDecodeH264() const { return m_isHDDecodeH264; }
    bool mCpuLevelH() const { return m_mCpuLevelH; }
    QString cpuAndCardInfo() const { return m_cpuAndCardInfo; }

    QString cpuName() const { return m_cpuName; }
    // Each adapter name preceded by "\n", Intel first, then NVIDIA, then AMD.
    QString cardNames() const { return m_cardNames; }
    const VaDecodeQuery &decodeInterface() const { return m_decodeInterface; }

    // codec: 1 H.264, 2 H.265. True when an adapter of the lists, or the
    // decode interface at this picture size, decodes it in hardware.
    bool hardwareDecodes(int codec, int width, int height) const;
    // False for an H.264/H.265 picture over 4,000,000 pixels that this
    // computer is not rated for.
    bool canPlay(int codec, int width, int height) const;

private:
    QString readCpuName() const;
    QString readCardNames(quint16 vendor) const;

    bool m_isHDDecodeH265 = false;
    bool m_isHDDecodeH264 = false;
    bool m_mCpuLevelH = false;
    QString m_cpuAndCardInfo;

    QString m_root;
    QString m_cpuName;
    QString m_cardNames;
    VaDecodeQuery m_decodeInterface;
};
