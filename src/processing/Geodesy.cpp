#include "processing/Geodesy.h"

#include <algorithm>
#include <cmath>

double GreatCircleDistance(double lat1, double lon1, double lat2, double lon2)
{
    const double phi1 = lat1 * geodesy::kDegToRad;
    const double lambda1 = lon1 * geodesy::kDegToRad;
    const double phi2 = lat2 * geodesy::kDegToRad;
    const double lambda2 = lon2 * geodesy::kDegToRad;
    const double s = std::cos(lambda1 - lambda2) * std::cos(phi1) * std::cos(phi2) +
                     std::sin(phi1) * std::sin(phi2);
    // Rounding can push the sum just past 1 for (nearly) identical points.
    return geodesy::kEarthRadius * std::acos(std::clamp(s, -1.0, 1.0));
}

LocalOffset LocalOffsetOf(float refLat, float refLon, float refAlt, float lat, float lon, float alt)
{
    LocalOffset offset{};
    if (lon != refLon) {
        double east = GreatCircleDistance(refLat, refLon, refLat, lon);
        if ((east > 0 && lon < refLon) || (east < 0 && lon > refLon))
            east = -east;
        offset.fEast = static_cast<float>(east);
    }
    if (lat != refLat) {
        double north = GreatCircleDistance(refLat, refLon, lat, refLon);
        if ((north > 0 && lat < refLat) || (north < 0 && lat > refLat))
            north = -north;
        offset.fNorth = static_cast<float>(north);
    }
    offset.fUp = static_cast<float>((alt - refAlt) * geodesy::kFeetToMetres);
    return offset;
}

BoxExtents BoxExtentsOf(float minLat, float minLon, float maxLat, float maxLon)
{
    BoxExtents extents{};
    extents.fCenterLat = static_cast<float>(minLat + (maxLat - minLat) * 0.5);
    extents.fCenterLon = static_cast<float>(minLon + (maxLon - minLon) * 0.5);
    extents.fWidth = static_cast<float>(GreatCircleDistance(minLat, minLon, minLat, maxLon));
    extents.fHeight = static_cast<float>(GreatCircleDistance(maxLat, minLon, minLat, minLon));
    return extents;
}
