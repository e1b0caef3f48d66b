// The 312-byte record decoder and the heading between successive records.
// Input: the first 32 bytes are four doubles for a direct heading call, then
// groups of one step byte (how far the record number moves; 0 repeats it)
// and one unmasked record, the last one zero-padded.
#include "coordinateconv.h"
#include "fuzzsupport.h"

#include <algorithm>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    if (size >= 4 * sizeof(double)) {
        double v[4];
        std::memcpy(v, data, sizeof v);
        const double a = CoordinateConv::GetAzimuth(v[0], v[1], v[2], v[3]);
        fuzz::check(std::isfinite(a) && a >= 0.0 && a <= 360.0, "heading within 0..360 for any two points");
        data += sizeof v;
        size -= sizeof v;
    }

    ParserObject parser{QByteArray(), QString()};
    const size_t group = 1 + ParserObject::kRecordSize;
    int k = 0;
    for (size_t at = 0; at < size; at += group) {
        k += data[at];
        const size_t have = std::min<size_t>(group - 1, size - at - 1);
        // Exactly one record's worth of heap, so a read past it is reported.
        std::unique_ptr<char[]> record(new char[ParserObject::kRecordSize]());
        std::memcpy(record.get(), data + at + 1, have);
        GpsData sample;
        std::memset(&sample, 0, sizeof sample);
        fuzz::check(parser.decodeRecord(k, record.get(), &sample), "a whole record always decodes");
        fuzz::checkSample(sample);
    }
    return 0;
}
