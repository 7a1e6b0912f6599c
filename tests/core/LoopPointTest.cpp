// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LoopPoint.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

static PathSample At(float x, float y = 0, float z = 0)
{
    PathSample s;
    std::tie(s.m_fX, s.m_fY, s.m_fZ) = std::tie(x, y, z);
    return s;
}

TEST(LoopPoint, ClosestPairAtLeast20SamplesApartAndUnder20Km)
{
    // Samples along lines: 11 m apart with sample 45 1.4 m from sample 5, and 1 km apart.
    std::vector<PathSample> near(60), far(40), still(100, At(1, 2, 3));
    for (int i = 0; i < 60; ++i)
        near[i] = i == 45 ? At(50, 26, 11) : At(10.0f * i, 5.0f * i, 2.0f * i);
    for (int i = 0; i < 40; ++i)
        far[i] = At(1000.0f * i);
    EXPECT_EQ(FindLoopPair(near, 0, 59), (LoopPair{5, 45}));     // the closest pair wins
    EXPECT_EQ(FindLoopPair(still, 0, 20), std::nullopt);         // 21 samples are too few
    EXPECT_EQ(FindLoopPair(still, 0, 21), (LoopPair{0, 20}));    // a stays below last - 20
    EXPECT_EQ(FindLoopPair(still, 10, 99), (LoopPair{10, 30}));  // ties go to the smallest indices
    EXPECT_EQ(FindLoopPair(far, 0, 39), std::nullopt);
    EXPECT_EQ(LoopDistance(At(1, 2, 3), At(4, 6, 15)), 13);  // exactly 20 km is too far
}

// The sweep must give exactly the pair the full comparison gives, on coarse
// grids full of equal distances and on wide ones, and with samples that have no position.
TEST(LoopPoint, SweepAgreesWithAllPairs)
{
    std::mt19937 random(7);
    for (int n = 0; n < 300; ++n) {
        const int count = 21 + static_cast<int>(random() % 400), size = n % 2 ? 5 : 5000;
        std::vector<PathSample> samples;
        for (int i = 0; i < count; ++i)
            samples.push_back(At(random() % size, random() % size, random() % 3));
        samples[3].m_fX = std::nanf("");
        samples[13].m_fY = INFINITY;
        ASSERT_EQ(FindLoopPair(samples, n % 5, count - 1), FindLoopPairByAllPairs(samples, n % 5, count - 1))
            << n;
    }
}

// A path along the east axis joined from stretches of {count, start, step}.
static std::vector<PathSample> Along(std::initializer_list<std::array<float, 3>> stretches)
{
    std::vector<PathSample> samples;
    for (const auto& [count, start, step] : stretches)
        for (int i = 0; i < count; ++i)
            samples.push_back(At(start + step * static_cast<float>(i)));
    return samples;
}

TEST(LoopPoint, SamplesSharingPositions)
{
    const struct {
        const char* name;
        std::vector<PathSample> samples;
        LoopPair expected;
    } cases[] = {
        {"three copies meet first 0 m apart", Along({{25, 0, 3}, {25, 0, 3}, {25, 0, 3}}), {0, 25}},
        {"a stand at -0 meets the start", Along({{10, 0, 10}, {15, -0.0f, -0.0f}, {30, 1000, 10}}), {0, 20}},
        {"a stand of 20 samples is no loop", Along({{30, 0, 10}, {20, 5000, 0}}), {0, 20}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindLoopPair(c.samples, 0, static_cast<int>(c.samples.size()) - 1), c.expected) << c.name;
}
