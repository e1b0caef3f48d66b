#include "coordinateconv.h"

#include <cmath>

namespace {
const double kDegToRad = 0.017453292519943295;
const double kRadToDeg = 57.29577951308232;
// Minutes of arc per unit of log10(tan) in the meridional-parts formula.
const double kMeridionalParts = 7915.70447;
const double kMinutesPerDegree = 60.0;

double meridionalPart(double lat)
{
    return std::log10(std::tan((lat * 0.5 + 45.0) * kDegToRad));
}
} // namespace

double CoordinateConv::GetAzimuth(double lon1, double lat1, double lon2, double lat2)
{
    const double dMP = (meridionalPart(lat2) - meridionalPart(lat1)) * kMeridionalParts;
    const double dLon = (lon2 - lon1) * kMinutesPerDegree;
    // No move, or latitudes outside the Mercator range: there is no direction.
    if ((dMP == 0.0 && dLon == 0.0) || std::isnan(dMP) || std::isnan(dLon))
        return 0.0;
    const double a = std::fabs(std::atan(dLon / dMP)) * kRadToDeg;
    if (lon2 >= lon1)
        return lat2 >= lat1 ? a : 180.0 - a;
    return lat2 >= lat1 ? 360.0 - a : 180.0 + a;
}
