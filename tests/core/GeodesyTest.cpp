// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(GreatCircleDistance, IdenticalPointsAreExactlyZero)
{
    EXPECT_EQ(GreatCircleDistance(0, 0, 0, 0), 0.0);
    // Points where the cosine sum rounds past 1 in double precision.
    for (double lat : {47.4502, 33.9425, -12.3456789, 89.99, 0.1}) {
        for (double lon : {-122.3088, 151.177, 0.0001}) {
            const float flat = static_cast<float>(lat), flon = static_cast<float>(lon);
            const double d = GreatCircleDistance(flat, flon, flat, flon);
            EXPECT_FALSE(std::isnan(d)) << lat << " " << lon;
            EXPECT_EQ(d, 0.0) << lat << " " << lon;
        }
    }
}

TEST(GreatCircleDistance, OneDegreeOfArcIs111137Metres)
{
    EXPECT_NEAR(GreatCircleDistance(0, 0, 1, 0), 111137.0, 1e-6);
    EXPECT_NEAR(GreatCircleDistance(0, 0, 0, 1), 111137.0, 1e-6);
    EXPECT_NEAR(GreatCircleDistance(10, 20, 10.5, 20), 55568.5, 1e-3);
}

TEST(GreatCircleDistance, UsesPiRoundedToTenDecimals)
{
    EXPECT_EQ(geodesy::kDegToRad, 3.141592654 / 180);
    // A quarter circle with the rounded pi measures 90 x 111137 m; with the
    // full-precision pi it would be 1.3 mm shorter.
    EXPECT_NEAR(GreatCircleDistance(0, 0, 0, 90), 90 * 111137.0, 1e-4);
}

TEST(LocalOffset, PointsOnTheReferenceAxesAreExactlyZero)
{
    const LocalOffset same = LocalOffsetOf(47.5f, -122.25f, 1000, 47.5f, -122.25f, 1000);
    EXPECT_EQ(same.fEast, 0.0f);
    EXPECT_EQ(same.fNorth, 0.0f);
    EXPECT_EQ(same.fUp, 0.0f);
}

TEST(LocalOffset, WestAndSouthAreNegativeAndMirrored)
{
    const LocalOffset east = LocalOffsetOf(47.5f, -122.25f, 0, 47.5f, -122.20f, 0);
    const LocalOffset west = LocalOffsetOf(47.5f, -122.25f, 0, 47.5f, -122.30f, 0);
    EXPECT_GT(east.fEast, 0);
    EXPECT_LT(west.fEast, 0);
    EXPECT_NEAR(east.fEast, -west.fEast, 0.01);

    const LocalOffset south = LocalOffsetOf(47.5f, -122.25f, 0, 47.4f, -122.25f, 0);
    EXPECT_EQ(south.fEast, 0.0f);
    EXPECT_LT(south.fNorth, 0);
    EXPECT_NEAR(south.fNorth, -0.1 * 111137.0, 1.0);
}

TEST(LocalOffset, AcrossThe180thMeridianIsTheShortWay)
{
    // 179.9f is 179.8999939: 0.2000122 degrees of the equator x 111137 m.
    EXPECT_NEAR(LocalOffsetOf(0, 179.9f, 0, 0, -179.9f, 0).fEast, 22228.76, 0.05);
    EXPECT_NEAR(LocalOffsetOf(0, -179.9f, 0, 0, 179.9f, 0).fEast, -22228.76, 0.05);
    EXPECT_EQ(EastwardDegrees(170, -170), 20);
    EXPECT_EQ(EastwardDegrees(-170, 170), -20);
    EXPECT_EQ(EastwardDegrees(10, 30), 20);
}

TEST(LocalOffset, EastIsMeasuredAlongTheReferenceLatitude)
{
    // The position's own latitude plays no part in its east offset.
    const LocalOffset onReference = LocalOffsetOf(60, 10, 0, 60, 11, 0);
    const LocalOffset farNorth = LocalOffsetOf(60, 10, 0, 70, 11, 0);
    EXPECT_EQ(onReference.fEast, farNorth.fEast);
    EXPECT_EQ(onReference.fEast, static_cast<float>(GreatCircleDistance(60, 10, 60, 11)));
}

TEST(LocalOffset, UpIsFeetTimes0Point3048)
{
    EXPECT_FLOAT_EQ(LocalOffsetOf(0, 0, 1000, 0, 0, 1100).fUp, 30.48f);
    EXPECT_FLOAT_EQ(LocalOffsetOf(0, 0, 1000, 0, 0, 900).fUp, -30.48f);
}

TEST(BoxExtents, WidthAlongSouthernEdgeHeightAlongWesternEdge)
{
    const BoxExtents box = BoxExtentsOf(60, 10, 61, 12);
    EXPECT_EQ(box.fWidth, static_cast<float>(GreatCircleDistance(60, 10, 60, 12)));
    EXPECT_NEAR(box.fHeight, 111137.0, 0.01);
    EXPECT_EQ(box.fCenterLat, 60.5f);
    EXPECT_EQ(box.fCenterLon, 11.0f);
}

TEST(BglScale, LatitudeTruncatesTowardZero)
{
    EXPECT_EQ(static_cast<int>(45.5 * geodesy::kBglLatitudeFactor), 5056440);
    EXPECT_EQ(geodesy::kBglLongitudeFactor, 11930464.71168);
    EXPECT_EQ(geodesy::kBglAngleFactor, 182.04);
}
