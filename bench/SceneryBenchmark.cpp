// SPDX-License-Identifier: GPL-3.0-or-later
// Generate Path and the scenery outputs over a document of 50 one-hour
// flights (3600 samples each): take-off roll, climb with the gear coming up,
// cruise at about 100 knots with rate-one turns (3 degrees a second at 22
// degrees of bank) every ten minutes, descent and landing roll. Their
// compiled scenery fits the 64 KB a BGL dynamic block can hold. The same
// flights with their turns banked at 28 degrees, past the default bank
// threshold, are cut into one-second moves through every turn and do not fit.

#include "bench/NullUserInterface.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/SceneryFit.h"
#include "output/SceneryReplay.h"
#include "processing/ReplayDeviation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kPaths = 50;
constexpr int kSamplesPerPath = 3600;
constexpr double kMetresPerDegree = 111137;
constexpr double kDegToRad = 3.141592654 / 180;

// One recorded flight; the paths differ in start point, heading and timing.
std::vector<PathSample> Flight(int index, double turnBank)
{
    std::vector<PathSample> samples;
    double lat = 47.40 + 0.004 * index, lon = -122.30 + 0.003 * index;
    double heading = std::fmod(37.0 * index, 360.0);
    double alt = 400;  // feet
    const int turnPeriod = 600 + 10 * (index % 7);
    for (int t = 0; t < kSamplesPerPath; ++t) {
        const bool rolling = t < 40 || t > kSamplesPerPath - 60;
        const double speed = rolling ? (t < 40 ? t * 1.25 : 20) : 50;  // metres a second
        double climb = 0, pitch = 0, bank = 0;
        if (t >= 40 && t < 400) {
            climb = 10;  // feet a second
            pitch = 6;
        } else if (t >= kSamplesPerPath - 400 && t <= kSamplesPerPath - 60) {
            climb = -10;
            pitch = -3;
        }
        // Half a minute of turning, now and then.
        const int inPeriod = t % turnPeriod;
        if (!rolling && t >= 400 && inPeriod < 30) {
            heading = std::fmod(heading + (index % 2 ? 3 : -3) + 360, 360);
            bank = index % 2 ? turnBank : -turnBank;
        }
        // The recorder's own unsteadiness.
        heading = std::fmod(heading + 0.15 * std::sin(t * 0.7 + index) + 360, 360);
        pitch += 0.3 * std::sin(t * 1.3);
        bank += 0.5 * std::sin(t * 0.9);
        alt = std::max(400.0, alt + climb);
        lat += speed * std::cos(heading * kDegToRad) / kMetresPerDegree;
        lon += speed * std::sin(heading * kDegToRad) / (kMetresPerDegree * std::cos(lat * kDegToRad));

        PathSample sample;
        sample.m_fLat = static_cast<float>(lat);
        sample.m_fLon = static_cast<float>(lon);
        sample.m_fAlt = static_cast<float>(alt);
        sample.m_fPitch = static_cast<float>(pitch);
        sample.m_fBank = static_cast<float>(bank);
        sample.m_fHeading = static_cast<float>(heading);
        sample.m_cGear = t > 70 && t < kSamplesPerPath - 120 ? 'u' : 'd';
        samples.push_back(sample);
    }
    return samples;
}

NullUserInterface g_ui;

CVolantorDoc FlightsWithTurnsBanked(double turnBank)
{
    SetDefaultPreferences();
    CVolantorDoc flights(g_ui);
    flights.OnNewDocument();
    for (int i = 0; i < kPaths; ++i) {
        const std::vector<PathSample> samples = Flight(i, turnBank);
        VehiclePath path;
        path.m_nFirstSample = static_cast<int>(flights.m_samples.size());
        flights.m_samples.insert(flights.m_samples.end(), samples.begin(), samples.end());
        path.m_nLastSample = static_cast<int>(flights.m_samples.size()) - 1;
        flights.m_paths.push_back(path);
    }
    flights.m_nCurPath = kPaths - 1;
    flights.RecalcExtents();
    flights.OnGeneratePath();
    return flights;
}

CVolantorDoc& FlightsDocument()
{
    static CVolantorDoc doc = FlightsWithTurnsBanked(22);
    return doc;
}

void BM_GeneratePath(benchmark::State& state)
{
    CVolantorDoc& doc = FlightsDocument();
    for (auto _ : state) {
        doc.OnGeneratePath();
        benchmark::DoNotOptimize(doc.m_samples.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.m_samples.size()));
}
BENCHMARK(BM_GeneratePath)->Unit(benchmark::kMillisecond);

void BM_CompileBgl(benchmark::State& state)
{
    const CVolantorDoc& doc = FlightsDocument();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string refusal;
        const auto compiled = CompileBgl(doc, refusal);
        if (!compiled) {
            state.SkipWithError(refusal.c_str());
            return;
        }
        bytes = compiled->size();
        benchmark::DoNotOptimize(compiled->data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.m_samples.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CompileBgl)->Unit(benchmark::kMillisecond);

void BM_WriteScasmSource(benchmark::State& state)
{
    const CVolantorDoc& doc = FlightsDocument();
    for (auto _ : state) {
        std::string text;
        doc.WriteScasmSource(text);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.m_samples.size()));
}
BENCHMARK(BM_WriteScasmSource)->Unit(benchmark::kMillisecond);

// What the report does for each pattern once the file is compiled.
void BM_ReplayAndDeviation(benchmark::State& state)
{
    const CVolantorDoc& doc = FlightsDocument();
    std::string refusal;
    const BglLayout layout = *LayOutBgl(doc, refusal);
    double largest = 0;
    for (auto _ : state) {
        for (const ReplayedPattern& replay : ReplayLayout(layout, doc)) {
            const PathDeviation deviation =
                MeasureDeviation(replay.lap, doc.m_samples, doc.m_paths[replay.nPattern]);
            largest = std::max(largest, deviation.dMaxHorizontal);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.m_samples.size()));
    state.counters["largest_deviation_m"] = largest;
}
BENCHMARK(BM_ReplayAndDeviation)->Unit(benchmark::kMillisecond);

// Fit to Size of the flights that do not fit with the default thresholds;
// the search leaves the document as it found it, so each run starts alike.
void BM_FitToSize(benchmark::State& state)
{
    static CVolantorDoc doc = FlightsWithTurnsBanked(28);
    std::string refusal;
    state.counters["default_file_bytes"] = static_cast<double>(LayOutBgl(doc, refusal)->bytes.size());
    for (auto _ : state) {
        const std::optional<SceneryFit> fit = FindSceneryFit(doc, kDefaultFitBytes, refusal);
        if (!fit) {
            state.SkipWithError(refusal.c_str());
            return;
        }
        state.counters["file_bytes"] = static_cast<double>(fit->nFileBytes);
        state.counters["scale"] = fit->dScale;
        state.counters["largest_deviation_m"] = fit->dLargestDeviation;
        state.counters["trials"] = fit->nTrials;
    }
}
BENCHMARK(BM_FitToSize)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
