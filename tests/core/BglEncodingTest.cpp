// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/BglEncoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace bgl;

TEST(BglEncoding, Lat32IsTruncatedMetresNorth)
{
    EXPECT_EQ(Lat32(45.5), 5056440);   // 5056440.27798
    EXPECT_EQ(Lat32(47.25), 5250918);  // 5250918.75
    EXPECT_EQ(Lat32(-47.25), -5250918);
    EXPECT_EQ(Lat32(0), 0);
}

TEST(BglEncoding, Lon32UsesTheConstantAsWrittenAndWrapsAtHalfATurn)
{
    // 122.25 x 11930464.71168 = 1458499311.00288; 2^32/360 would give ...310.2
    EXPECT_EQ(Lon32(-122.25), -1458499311);
    EXPECT_EQ(Lon32(-122.5), -1461481927);
    EXPECT_EQ(Lon32(90), 1073741824);
    // 180 degrees is 2^31 (and a little), the same as -180.
    EXPECT_EQ(Lon32(180), std::numeric_limits<std::int32_t>::min());
}

TEST(BglEncoding, Lat512ShiftsArithmeticallyIntoUnitsOf512Metres)
{
    EXPECT_EQ(Lat512(47.5), 10309);  // 2639350 >> 8
    EXPECT_EQ(Lat512(-1), 0xFF26);   // -55565 >> 8 = -218
    EXPECT_EQ(Lat512(0.001), 0);
}

TEST(BglEncoding, Lon16IsTheUpperHalfOfLon32)
{
    EXPECT_EQ(Lon16(-122.5), 0xA8E3);
    EXPECT_EQ(Lon16(-122.25), 0xA911);
    EXPECT_EQ(Lon16(90), 0x4000);
}

TEST(BglEncoding, Angle16UsesTheConstantAsWrittenAndWrapsAFullTurn)
{
    EXPECT_EQ(Angle16(90), 0x3FFF);  // 16383.6
    EXPECT_EQ(Angle16(45), 0x1FFF);  // 8191.8
    EXPECT_EQ(Angle16(-90), 0xC001);
    EXPECT_EQ(Angle16(370), 1818);  // 67354 in 16 bits
    EXPECT_EQ(Angle16(0), 0);
}

TEST(BglEncoding, RatesOf180EncodeAsTheFastestAndFasterOnesAreRefused)
{
    EXPECT_EQ(Rate16(180), 0x7FFF);
    EXPECT_EQ(Rate16(-180), 0x8001);
    EXPECT_EQ(Rate16(2), 364);
    EXPECT_EQ(Rate16(-3), 0xFDDE);
    // 200 degrees a second would wrap into a fast turn the other way.
    EXPECT_THROW(Rate16(200), ValueDoesNotFit);
    EXPECT_THROW(Rate16(-361), ValueDoesNotFit);
}

TEST(BglEncoding, AltitudeIsSixteenSixteenFixedPoint)
{
    EXPECT_EQ(Altitude32(30.48f), 0x1E7AE1);
    EXPECT_EQ(Altitude32(335.28f), 0x014F47AE);
    EXPECT_EQ(Altitude32(-1.5f), -98304);
    EXPECT_THROW(Altitude32(40000), ValueDoesNotFit);
    EXPECT_THROW(Altitude32(-40000), ValueDoesNotFit);
}

TEST(BglEncoding, NearestRoundsHalvesUpward)
{
    EXPECT_EQ(Nearest(-0.5), 0);
    EXPECT_EQ(Nearest(-0.6), -1);
    EXPECT_EQ(Nearest(0.5), 1);
    EXPECT_EQ(Nearest(2.5), 3);
    EXPECT_EQ(Nearest(304.8), 305);
}

TEST(BglEncoding, ValuesThatAreNotNumbersAreRefused)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(Lat32(nan), ValueDoesNotFit);
    EXPECT_THROW(Lat32(1e6), ValueDoesNotFit);
    EXPECT_THROW(Lon32(inf), ValueDoesNotFit);
    EXPECT_THROW(Lat512(nan), ValueDoesNotFit);
    EXPECT_THROW(Angle16(-inf), ValueDoesNotFit);
    EXPECT_THROW(Rate16(nan), ValueDoesNotFit);
    EXPECT_THROW(Altitude32(std::numeric_limits<float>::quiet_NaN()), ValueDoesNotFit);
}
