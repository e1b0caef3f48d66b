#pragma once

// Direction of travel between two GPS positions.
class CoordinateConv
{
public:
    // Azimuth in degrees (0 to 360, clockwise from north) of the rhumb line
    // from point 1 to point 2; coordinates in decimal degrees.
    static double GetAzimuth(double lon1, double lat1, double lon2, double lat2);
};
