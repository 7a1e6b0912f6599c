// SPDX-License-Identifier: GPL-3.0-or-later
// Find Loop Point on paths of up to 1,000,000 samples in the shapes that are
// hard for a search: circuits, copies of one flight, long stands, a lawnmower
// grid. Wherever the full comparison of all pairs is affordable the search is
// checked to pick the same pair.

#include "processing/LoopPoint.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>

namespace {

constexpr int kAffordableAllPairs = 100'000;

PathSample At(double x, double y, double z)
{
    PathSample sample;
    sample.m_fX = static_cast<float>(x);
    sample.m_fY = static_cast<float>(y);
    sample.m_fZ = static_cast<float>(z);
    return sample;
}

// Circuits of about 8 minutes, flown again and again with the drift and
// noise of real flying.
std::vector<PathSample> Circuits(int count)
{
    std::vector<PathSample> samples;
    std::mt19937 random(static_cast<unsigned>(count));
    std::normal_distribution<float> noise(0, 3);
    for (int i = 0; i < count; ++i) {
        const double lap = i / 480.0;
        const double angle = 2 * 3.141592654 * lap;
        PathSample sample;
        sample.m_fX = static_cast<float>(2500 * std::cos(angle) + 40 * std::sin(lap * 0.7)) + noise(random);
        sample.m_fY = static_cast<float>(1200 * std::sin(angle) + 30 * std::cos(lap * 0.3)) + noise(random);
        sample.m_fZ = static_cast<float>(300 + 150 * std::sin(angle * 2)) + noise(random);
        samples.push_back(sample);
    }
    return samples;
}

// One recorded flight loaded again and again: 400 samples standing at the
// ramp, then circuits, 4,000 samples in all. Every position comes back
// exactly, once per copy, and the ramp's 400 times per copy.
std::vector<PathSample> CopiesOfOneFlight(int count)
{
    std::vector<PathSample> flight(400, At(2500, 0, 0));
    for (const PathSample& sample : Circuits(3600))
        flight.push_back(sample);
    std::vector<PathSample> samples;
    for (int i = 0; i < count; ++i)
        samples.push_back(flight[static_cast<std::size_t>(i % 4000)]);
    return samples;
}

// A drive of 1,000 samples along a winding road, then 9,000 samples standing
// exactly still, over and over, never coming back to the same place.
std::vector<PathSample> LongStands(int count)
{
    std::vector<PathSample> samples;
    double x = 0, y = 0;
    for (int i = 0; i < count; ++i) {
        if (i % 10000 < 1000) {
            const double heading = 0.3 * std::sin(i * 0.01);
            x += 15 * std::cos(heading);
            y += 15 * std::sin(heading);
        }
        samples.push_back(At(x, y, 2));
    }
    return samples;
}

// A lawnmower pattern: rows of 1,000 samples 1 m apart, flown to and fro, the
// rows 5 m apart, so whole rows share one north value and whole columns one east value.
std::vector<PathSample> LawnmowerGrid(int count)
{
    std::vector<PathSample> samples;
    for (int i = 0; i < count; ++i) {
        const int row = i / 1000, column = row % 2 ? 999 - i % 1000 : i % 1000;
        samples.push_back(At(column, 5.0 * row, 100));
    }
    return samples;
}

using Shape = std::vector<PathSample> (*)(int);

const std::vector<PathSample>& Samples(Shape shape, int count)
{
    static std::map<std::pair<Shape, int>, std::vector<PathSample>> cache;
    auto& samples = cache[{shape, count}];
    if (samples.empty())
        samples = shape(count);
    return samples;
}

void BM_LoopPointSearch(benchmark::State& state, Shape shape)
{
    const auto& samples = Samples(shape, static_cast<int>(state.range(0)));
    const int last = static_cast<int>(samples.size()) - 1;
    std::optional<LoopPair> pair;
    for (auto _ : state)
        benchmark::DoNotOptimize(pair = FindLoopPair(samples, 0, last));
    // The full comparison once, outside the timing, to check the pair.
    if (state.range(0) <= kAffordableAllPairs && FindLoopPairByAllPairs(samples, 0, last) != pair)
        state.SkipWithError("the search picked another pair than the full comparison");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(BM_LoopPointSearch, circuits, &Circuits)
    ->Arg(3600)
    ->Arg(36000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoopPointSearch, copies_of_one_flight, &CopiesOfOneFlight)
    ->Arg(20000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoopPointSearch, long_stands, &LongStands)
    ->Arg(20000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoopPointSearch, lawnmower_grid, &LawnmowerGrid)
    ->Arg(20000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_LoopPointAllPairs(benchmark::State& state)
{
    const auto& samples = Samples(&Circuits, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindLoopPairByAllPairs(samples, 0, static_cast<int>(samples.size()) - 1));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoopPointAllPairs)
    ->Arg(3600)
    ->Arg(36000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
