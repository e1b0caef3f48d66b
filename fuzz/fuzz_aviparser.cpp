// The AVI header walk and the appended GPS block, then every sample in it.
#include "aviparser.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    AVIParser parser(fuzz::view(data, size));
    fuzz::checkLocation(parser, size);
    fuzz::check(parser.width >= 0 && parser.height >= 0, "video facts not negative");
    fuzz::readAllSamples(parser);
    return 0;
}
