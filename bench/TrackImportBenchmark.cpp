// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a long glider flight's IGC file and importing it as one-second samples.

#include "bench/NullUserInterface.h"
#include "document/IgcReader.h"
#include "document/VolantorDoc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

// Ten hours of thermalling and gliding, a fix every two seconds as many recorders log.
constexpr int kFixes = 18'000;
constexpr int kFixSeconds = 2;

const std::string& GeneratedIgc()
{
    static const std::string igc = [] {
        std::string text = "AXXX001\r\nHFDTEDATE:150623,01\r\n";
        char line[64];
        for (int i = 0; i < kFixes; ++i) {
            const int seconds = 8 * 3600 + i * kFixSeconds;
            // Circles of 40 s drifting east, climbing and sinking in turn.
            const double angle = i * kFixSeconds * (2 * 3.141592654 / 40);
            const double lat = 47.5 + 0.002 * std::sin(angle);
            const double lon = 8 + 0.00001 * i + 0.003 * std::cos(angle);
            const int alt = 1500 + static_cast<int>(500 * std::sin(i / 500.0));
            std::snprintf(line, sizeof line, "B%02d%02d%02d%02d%05dN%03d%05dEA%05d%05d\r\n", seconds / 3600,
                          seconds / 60 % 60, seconds % 60, static_cast<int>(lat),
                          static_cast<int>(std::fmod(lat, 1.0) * 60000), static_cast<int>(lon),
                          static_cast<int>(std::fmod(lon, 1.0) * 60000), alt - 20, alt);
            text += line;
        }
        return text;
    }();
    return igc;
}

void BM_ReadIgc(benchmark::State& state)
{
    for (auto _ : state) {
        std::istringstream in(GeneratedIgc());
        benchmark::DoNotOptimize(ReadIgc(in, "flight.igc"));
    }
    state.SetItemsProcessed(state.iterations() * kFixes);
}
BENCHMARK(BM_ReadIgc)->Unit(benchmark::kMillisecond);

void BM_ImportIgcTrack(benchmark::State& state)
{
    std::istringstream in(GeneratedIgc());
    const TrackFile file = ReadIgc(in, "flight.igc");
    NullUserInterface ui;
    for (auto _ : state) {
        CVolantorDoc doc(ui);
        doc.ImportTrack(file, "flight.igc");
        benchmark::DoNotOptimize(doc.m_samples.data());
    }
    state.SetItemsProcessed(state.iterations() * kFixes * kFixSeconds);
}
BENCHMARK(BM_ImportIgcTrack)->Unit(benchmark::kMillisecond);

}  // namespace
