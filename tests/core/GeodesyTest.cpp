// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Geodesy.h"

#include <gtest/gtest.h>

// A degree of arc is 111137 m; other distances by the haversine formula.
TEST(Geodesy, OffsetsAndBoxes)
{
    EXPECT_NEAR(GreatCircleDistance(0, 0, 0, 90), 90 * 111137.0, 1e-4);  // with pi as 3.141592654
    const struct {
        const char* name;
        float refLat, refLon, lat, lon;
        double east, north;
    } rows[] = {
        {"under a metre north", 0, 0, 0.000008f, 0, 0, 0.889},
        {"south", 0, 0, -1, 0, 0, -111137},
        {"east along the reference latitude, north along its meridian", 60, 10, 61, 12, 111132.77, 111137},
        {"east across the 180th meridian", 0, 179.9f, 0, -179.9f, 22228.75, 0},  // 179.9f is 179.8999939
        {"west across the 180th meridian", 0, -179.9f, 0, 179.9f, -22228.75, 0},
    };
    for (const auto& r : rows) {
        const LocalOffset offset = LocalOffsetOf(r.refLat, r.refLon, 1000, r.lat, r.lon, 900);
        EXPECT_NEAR(offset.fEast, r.east, 0.01) << r.name;
        EXPECT_NEAR(offset.fNorth, r.north, 0.01) << r.name;
        EXPECT_NEAR(offset.fUp, -30.48, 1e-5) << r.name;
        const GeoPosition back = PositionAtOffset(r.refLat, r.refLon, r.east, r.north);
        EXPECT_NEAR(back.dLat, r.lat, 1e-6) << r.name;
        EXPECT_NEAR(WrappedLongitude(back.dLon - r.lon), 0, 1e-6) << r.name;
    }
    EXPECT_EQ(WrappedLongitude(190), -170);
    const BoxExtents box = BoxExtentsOf(60, 10, 61, 12);
    EXPECT_NEAR(box.fWidth, 111132.77, 0.01);  // along the southern edge
    EXPECT_NEAR(box.fHeight, 111137, 0.01);
    EXPECT_EQ(std::tie(box.fCenterLat, box.fCenterLon), std::make_tuple(60.5f, 11.0f));
    // The cosine sum of this point with itself rounds to just over 1.
    const BoxExtents point = BoxExtentsOf(0.615f, 10, 0.615f, 10);
    EXPECT_EQ(std::tie(point.fWidth, point.fHeight), std::make_tuple(0.0f, 0.0f));
}
