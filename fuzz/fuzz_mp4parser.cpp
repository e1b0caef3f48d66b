// The MP4/MOV box walk and GPS location, then every sample it located.
#include "fuzzsupport.h"
#include "mp4parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    Mp4Parser parser(fuzz::view(data, size));
    fuzz::checkLocation(parser, size);
    fuzz::check(parser.width >= 0 && parser.height >= 0 && parser.frameRate >= 0.0f, "video facts not negative");
    fuzz::readAllSamples(parser);
    // Reading a sample twice, out of order, gives the same record back.
    GpsData again;
    if (parser.gpsCount > 1)
        parser.readGpsSample(0, &again);
    return 0;
}
