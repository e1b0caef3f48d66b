// One GPMF payload (one sample of a 'gpmd' track).
#include "fuzzsupport.h"
#include "gpmfreader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::quietLog();
    GpmfPayload out;
    QString problem;
    const bool ok = GpmfReader::readPayload(fuzz::view(data, size), &out, &problem);
    fuzz::check(ok == problem.isEmpty(), "a reason exactly when the payload is refused");
    if (!ok)
        fuzz::check(!out.hasPosition && !out.hasAccel, "a refused payload gives nothing");
    if (out.hasPosition) {
        fuzz::check(std::fabs(out.latitude) <= 90.0 && std::fabs(out.longitude) <= 180.0, "position in range");
        fuzz::check(std::isfinite(out.altitude) && std::isfinite(out.speed2d) && out.speed2d >= 0.0, "finite speed");
    }
    if (out.hasAccel)
        fuzz::check(std::isfinite(out.gX) && std::isfinite(out.gY) && std::isfinite(out.gZ), "finite g-sensor");
    return 0;
}
