#pragma once

#include "gpsdata.h"
#include "parserobject.h"

#include <QByteArray>
#include <QtGlobal>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>

// Shared by the fuzz targets: quiet logging and the checks every parse must pass.
namespace fuzz {

// The parsers log one reason per bad file; at a million inputs a second that
// output would drown the fuzzer's own. TRACKORA_FUZZ_LOG=1 keeps it.
inline void quietLog()
{
    static const bool once = [] {
        if (!qEnvironmentVariableIsSet("TRACKORA_FUZZ_LOG"))
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return true;
    }();
    Q_UNUSED(once);
}

// Bytes the fuzzer owns, without a copy: a read past them is an ASan report.
inline QByteArray view(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void check(bool ok, const char *what)
{
    if (!ok)
        fail(what);
}

// What any decoded sample must look like, whatever bytes it came from.
inline void checkSample(const GpsData &s)
{
    check(s.dateTime[14] == '\0' && s.extraText[14] == '\0', "text fields end in NUL");
    check(std::isfinite(s.latitude) && std::isfinite(s.longitude), "position is finite");
    check(std::isfinite(s.heading) && s.heading >= 0.0 && s.heading <= 360.0, "heading within 0..360");
    check(std::isfinite(s.gsensorX) && std::isfinite(s.gsensorY) && std::isfinite(s.gsensorZ), "g-sensor finite");
}

// The facts a walk leaves behind stay within what the input can hold.
inline void checkLocation(const ParserObject &p, size_t size)
{
    check(p.gpsCount >= 0, "record count not negative");
    check(p.duration >= 0, "duration not negative");
    if (p.gpsKind == NoGps)
        return;
    check(p.gpsOffset >= 0 && p.gpsOffset <= qint64(size), "GPS table inside the input");
    check(quint64(p.gpsCount) <= size, "no more records than input bytes");
}

// Reads every sample the walk located, as the background parse would.
inline int readAllSamples(ParserObject &p)
{
    GpsData sample;
    int n = 0;
    for (int i = 0; i < p.gpsCount; ++i) {
        if (!p.readGpsSample(i, &sample))
            break;
        checkSample(sample);
        ++n;
    }
    return n;
}

} // namespace fuzz
