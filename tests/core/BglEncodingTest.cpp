// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/BglEncoding.h"

#include <gtest/gtest.h>

#include <limits>

using namespace bgl;

// What the worked example's bytes do not show.
TEST(BglEncoding, NumbersWrapOrAreRefusedAsTheirFieldsRequire)
{
    const struct {
        const char* name;
        long long actual;
        long long expected;
    } rows[] = {
        // clang-format off
        {"Lat32 of the south is negative", Lat32(-47.25), -5250918},
        {"Lon32 of 180 wraps to -180", Lon32(180), std::numeric_limits<std::int32_t>::min()},
        {"Lat512 shifts arithmetically", Lat512(-1), 0xFF26},  // -55565 >> 8 = -218
        {"Lat512 of less than a unit", Lat512(0.001), 0},
        {"Angle16 of a negative angle", Angle16(-90), 0xC001},
        {"Angle16 wraps a full turn", Angle16(370), 1818},  // 67354 in 16 bits
        {"Rate16 of the fastest the other way", Rate16(-180), 0x8001},
        {"Altitude32 below the sea", Altitude32(-1.5f), -98304},
        {"Nearest rounds -0.5 up", static_cast<long long>(Nearest(-0.5)), 0},
        {"Nearest rounds -0.6 down", static_cast<long long>(Nearest(-0.6)), -1},
        // clang-format on
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.actual, row.expected) << row.name;
    EXPECT_THROW(Lat32(std::numeric_limits<double>::quiet_NaN()), ValueDoesNotFit);
    EXPECT_THROW(Lat32(1e6), ValueDoesNotFit);
    EXPECT_THROW(Rate16(200), ValueDoesNotFit);  // it would wrap into a fast turn the other way
    EXPECT_THROW(Rate16(-361), ValueDoesNotFit);
    EXPECT_THROW(Altitude32(-40000), ValueDoesNotFit);
}
