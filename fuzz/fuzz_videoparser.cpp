// The whole background parse of one file to its normalised sample list.
// The first input byte picks the file name, and with it the parser.
#include "fuzzsupport.h"
#include "videoparser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    if (size < 1)
        return 0;
    static const char *const names[] = {"20240101_120000_F.mp4", "20240101_120300_F.AVI",
                                        "20240101_120200_R.mov", "clip.avi.mp4"};
    const char *name = names[data[0] % 4];
    VideoParser parser;
    parser.setFile(QString::fromLatin1(name), 1);
    parser.setFileData(fuzz::view(data + 1, size - 1));
    parser.parse();
    const QList<GpsData> list = parser.gpsDataList();
    fuzz::check(list.isEmpty() == (parser.samplesRead() == 0), "normalising keeps an empty list empty");
    // Padding to the duration may add samples, but never more than the
    // input has bytes: no real recording holds a second in under a byte.
    fuzz::check(list.size() <= qMax(parser.samplesRead(), int(size)), "padding bounded by the input");
    for (const GpsData &s : list)
        fuzz::checkSample(s);
    return 0;
}
