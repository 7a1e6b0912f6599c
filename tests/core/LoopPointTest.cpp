// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LoopPoint.h"
#include "support/TrackBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

std::vector<PathSample> Circuit(int count, double radius, double laps, float noise, unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<float> jitter(0, noise);
    std::vector<PathSample> samples;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * 3.141592654 * laps * i / count;
        samples.push_back(TrackSample({static_cast<float>(radius * std::cos(angle)) + jitter(random),
                                       static_cast<float>(radius * std::sin(angle)) + jitter(random),
                                       static_cast<float>(100 + 30 * std::sin(angle * 3)) + jitter(random)}));
    }
    return samples;
}

void ExpectSameAsAllPairs(const std::vector<PathSample>& samples, int first, int last)
{
    EXPECT_EQ(FindLoopPair(samples, first, last), FindLoopPairByAllPairs(samples, first, last))
        << "first " << first << " last " << last;
}

}  // namespace

TEST(LoopPoint, ClosedCircuitFindsWhereItPassesItself)
{
    // One lap of 300 samples that overshoots: sample 290 passes 3 m from sample 5.
    std::vector<PathSample> samples;
    for (int i = 0; i < 300; ++i) {
        const double angle = 2 * 3.141592654 * (i - 5) / 285.0;
        const float lift = i == 290 ? 3.0f : 50.0f + i;
        samples.push_back(TrackSample({static_cast<float>(1000 * std::cos(angle)),
                                       static_cast<float>(1000 * std::sin(angle)), i == 5 ? 0.0f : lift}));
    }
    samples[5].m_fZ = 0;
    samples[290].m_fZ = 3;
    const auto pair = FindLoopPair(samples, 0, 299);
    ASSERT_TRUE(pair);
    EXPECT_EQ(*pair, (LoopPair{5, 290}));
    ExpectSameAsAllPairs(samples, 0, 299);
}

TEST(LoopPoint, NeedsPairsTwentySamplesApartAndCloserThan20Km)
{
    const std::vector<PathSample> still(22, TrackSample({5, 5, 5}));
    // 21 samples: a would have to be below last - 20 = first.
    EXPECT_FALSE(FindLoopPair(still, 0, 20));
    EXPECT_FALSE(FindLoopPairByAllPairs(still, 0, 20));
    // 22 samples: exactly the pair (0, 20); (1, 21) has a = last - 20 and is not visited.
    EXPECT_EQ(FindLoopPair(still, 0, 21), (LoopPair{0, 20}));
    ExpectSameAsAllPairs(still, 0, 21);

    std::vector<PathSample> far;
    for (int i = 0; i < 40; ++i)
        far.push_back(TrackSample({i * 20000.0f}));
    EXPECT_FALSE(FindLoopPair(far, 0, 39));
    ExpectSameAsAllPairs(far, 0, 39);
}

TEST(LoopPoint, EqualDistancesGoToTheSmallestIndices)
{
    // A parked aircraft: every admissible pair is 0 m apart.
    const std::vector<PathSample> parked(100, TrackSample({1, 2, 3}));
    EXPECT_EQ(FindLoopPair(parked, 10, 99), (LoopPair{10, 30}));
    // A straight line at constant speed: every pair 20 apart is as close.
    std::vector<PathSample> line;
    for (int i = 0; i < 200; ++i)
        line.push_back(TrackSample({0, i * 0.5f}));
    ExpectSameAsAllPairs(line, 0, 199);
    EXPECT_EQ(FindLoopPair(line, 0, 199), (LoopPair{0, 20}));
}

TEST(LoopPoint, AgreesWithAllPairsOnRandomFlights)
{
    std::mt19937 random(7);
    for (int n = 0; n < 300; ++n) {
        const int count = 21 + static_cast<int>(random() % 400);
        std::vector<PathSample> samples =
            n % 3 == 0 ? Circuit(count, 500 + random() % 5000, 1 + random() % 4, 2, random())
                       : std::vector<PathSample>();
        if (samples.empty()) {
            // Coarse grids make many exactly equal distances.
            for (int i = 0; i < count; ++i)
                samples.push_back(TrackSample({static_cast<float>(random() % 7), static_cast<float>(random() % 5),
                                               static_cast<float>(random() % 3)}));
        }
        const int first = static_cast<int>(random() % 5);
        ExpectSameAsAllPairs(samples, first, count - 1);
        if (HasFailure())
            return;
    }
}

TEST(LoopPoint, SamplesWithoutPositionsAreNeverChosen)
{
    std::vector<PathSample> samples = Circuit(120, 300, 2, 0, 1);
    samples[3].m_fX = std::nanf("");
    samples[63].m_fY = INFINITY;
    ExpectSameAsAllPairs(samples, 0, 119);
}
