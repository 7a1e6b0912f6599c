// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The conversions every measurement in Volantor shares. The constants are part
// of the program's behaviour (stored scenery and reported figures depend on
// them), so they are used exactly as written, not replaced by more precise ones.
namespace geodesy {

// pi rounded to ten decimals, divided by 180.
inline constexpr double kDegToRad = 3.141592654 / 180.0;
// Chosen so that one degree of great-circle arc measures exactly 111137 m.
inline constexpr double kEarthRadius = 6367681.046913983;
inline constexpr double kFeetToMetres = 0.3048;
inline constexpr float kMetresToKm = 0.001f;

// Factors from degrees and metres to the integer units of the BGL format.
inline constexpr double kBglLatitudeFactor = 111130.55556;
inline constexpr double kBglAreaLatitudeFactor = 55565.27778;
inline constexpr double kBglLongitudeFactor = 11930464.71168;
inline constexpr double kBglAltitudeFactor = 65536.0;
inline constexpr double kBglAngleFactor = 182.04;

}  // namespace geodesy

// Distance in metres between two points given in degrees, by the spherical law
// of cosines. Identical points give exactly 0.
double GreatCircleDistance(double lat1, double lon1, double lat2, double lon2);

// A position with the trigonometry the distance needs, so that a point used in
// several distances is converted once; the distances are the same to the bit.
struct GeoPoint {
    double fCosLat;
    double fSinLat;
    double fLonRadians;
    static GeoPoint At(double lat, double lon);
};
double GreatCircleDistance(const GeoPoint& a, const GeoPoint& b);

// Degrees from one longitude eastward to another the short way round the
// globe, in [-180, 180]: a path that crosses the 180th meridian stays whole.
double EastwardDegrees(double fromLon, double toLon);
// A longitude beyond the meridian (an east edge measured across it) brought
// back into -180..180; one within that range is returned as it is.
double WrappedLongitude(double lon);

// Offsets in metres of a position from a reference point: east along the
// reference latitude (the short way round), north along the reference
// meridian, and up.
struct LocalOffset {
    float fEast;
    float fNorth;
    float fUp;
};
LocalOffset LocalOffsetOf(float refLat, float refLon, float refAlt, float lat, float lon, float alt);
// The same with the reference point and the position already converted.
LocalOffset LocalOffsetOf(float refLat, float refLon, float refAlt, const GeoPoint& reference, float lat,
                          float lon, float alt, const GeoPoint& position);

// The position at offsets in metres east and north of a reference point,
// measured as LocalOffsetOf measures them: the inverse of its east and north.
struct GeoPosition {
    double dLat;
    double dLon;
};
GeoPosition PositionAtOffset(float refLat, float refLon, double east, double north);

// Width (along the southern edge), height (along the western edge) and centre
// of a latitude/longitude box.
struct BoxExtents {
    float fWidth;
    float fHeight;
    float fCenterLat;
    float fCenterLon;
};
BoxExtents BoxExtentsOf(float minLat, float minLon, float maxLat, float maxLon);
