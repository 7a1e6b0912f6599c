// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Geodesy.h"

#include <algorithm>
#include <cmath>

GeoPoint GeoPoint::At(double lat, double lon)
{
    const double phi = lat * geodesy::kDegToRad;
    return {std::cos(phi), std::sin(phi), lon * geodesy::kDegToRad};
}

double GreatCircleDistance(const GeoPoint& a, const GeoPoint& b)
{
    const double s = std::cos(a.fLonRadians - b.fLonRadians) * a.fCosLat * b.fCosLat + a.fSinLat * b.fSinLat;
    // Rounding can push the sum just past 1 for (nearly) identical points.
    return geodesy::kEarthRadius * std::acos(std::clamp(s, -1.0, 1.0));
}

double GreatCircleDistance(double lat1, double lon1, double lat2, double lon2)
{
    return GreatCircleDistance(GeoPoint::At(lat1, lon1), GeoPoint::At(lat2, lon2));
}

double EastwardDegrees(double fromLon, double toLon)
{
    return std::remainder(toLon - fromLon, 360.0);
}

double WrappedLongitude(double lon)
{
    return std::remainder(lon, 360.0);
}

LocalOffset LocalOffsetOf(float refLat, float refLon, float refAlt, const GeoPoint& reference, float lat,
                          float lon, float alt, const GeoPoint& position)
{
    LocalOffset offset{};
    if (lon != refLon) {
        // Along the reference latitude, to the position's meridian.
        double east =
            GreatCircleDistance(reference, {reference.fCosLat, reference.fSinLat, position.fLonRadians});
        // The distance is the short way round; west of the reference is negative.
        if (EastwardDegrees(refLon, lon) < 0)
            east = -east;
        offset.fEast = static_cast<float>(east);
    }
    if (lat != refLat) {
        // Along the reference meridian, to the position's latitude.
        double north =
            GreatCircleDistance(reference, {position.fCosLat, position.fSinLat, reference.fLonRadians});
        if ((north > 0 && lat < refLat) || (north < 0 && lat > refLat))
            north = -north;
        offset.fNorth = static_cast<float>(north);
    }
    offset.fUp = static_cast<float>((alt - refAlt) * geodesy::kFeetToMetres);
    return offset;
}

LocalOffset LocalOffsetOf(float refLat, float refLon, float refAlt, float lat, float lon, float alt)
{
    return LocalOffsetOf(refLat, refLon, refAlt, GeoPoint::At(refLat, refLon), lat, lon, alt,
                         GeoPoint::At(lat, lon));
}

GeoPosition PositionAtOffset(float refLat, float refLon, double east, double north)
{
    // North runs along the reference meridian, where arc and latitude are proportional.
    const double lat = refLat + north / (geodesy::kEarthRadius * geodesy::kDegToRad);
    // East is the great-circle distance to a point on the reference latitude;
    // in haversine form, sin(d / 2R) = cos(lat) sin(dLon / 2), which keeps
    // short distances exact where the cosine form would lose them.
    const double halfChord =
        std::sin(std::abs(east) / (2 * geodesy::kEarthRadius)) / std::cos(refLat * geodesy::kDegToRad);
    const double dLon = 2 * std::asin(std::min(halfChord, 1.0)) / geodesy::kDegToRad;
    return {lat, WrappedLongitude(refLon + std::copysign(dLon, east))};
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
