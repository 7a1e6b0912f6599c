// SPDX-License-Identifier: GPL-3.0-or-later
// Find Loop Point on circuits of 3,600, 36,000 and 100,000 samples: the full
// comparison of all pairs against the sweep, each checked to pick the same pair.

#include "processing/LoopPoint.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <random>

namespace {

// Circuits of about 8 minutes, flown again and again with the drift and
// noise of real flying.
const std::vector<PathSample>& Circuits(int count)
{
    static std::map<int, std::vector<PathSample>> cache;
    auto& samples = cache[count];
    if (samples.empty()) {
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
    }
    return samples;
}

void BM_LoopPointSweep(benchmark::State& state)
{
    const auto& samples = Circuits(static_cast<int>(state.range(0)));
    const int last = static_cast<int>(samples.size()) - 1;
    std::optional<LoopPair> pair;
    for (auto _ : state)
        benchmark::DoNotOptimize(pair = FindLoopPair(samples, 0, last));
    // The full comparison once, outside the timing, to check the pair.
    if (FindLoopPairByAllPairs(samples, 0, last) != pair)
        state.SkipWithError("the sweep picked another pair than the full comparison");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoopPointSweep)->Arg(3600)->Arg(36000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoopPointAllPairs(benchmark::State& state)
{
    const auto& samples = Circuits(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FindLoopPairByAllPairs(samples, 0, static_cast<int>(samples.size()) - 1));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoopPointAllPairs)->Arg(3600)->Arg(36000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
