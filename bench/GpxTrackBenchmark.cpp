// SPDX-License-Identifier: GPL-3.0-or-later
// A one-hour flight logged once a second, read as a GPX track (about 400 KB)
// and imported, against the same flight read as a recorder log.

#include "bench/NullUserInterface.h"
#include "document/VolantorDoc.h"
#include "xml/GpxReader.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

constexpr int kSeconds = 3600;

struct Fix {
    double lat, lon, altMetres;
};

// Rate-one turns around a field, climbing and descending in turn.
Fix FixAt(int second)
{
    const double angle = second * (2 * 3.141592654 / 120);
    return {47.5 + 0.01 * std::sin(angle), 8.5 + 0.015 * std::cos(angle) + 1e-5 * second,
            500 + 200 * std::sin(second / 300.0)};
}

const std::string& GeneratedGpx()
{
    static const std::string gpx = [] {
        std::string text =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
            "<trk><name>Hour</name><trkseg>\n";
        char line[160];
        for (int s = 0; s < kSeconds; ++s) {
            const Fix fix = FixAt(s);
            std::snprintf(line, sizeof line,
                          "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele>"
                          "<time>2024-05-01T%02d:%02d:%02dZ</time></trkpt>\n",
                          fix.lat, fix.lon, fix.altMetres, 10 + s / 3600, s / 60 % 60, s % 60);
            text += line;
        }
        return text + "</trkseg></trk></gpx>\n";
    }();
    return gpx;
}

const std::string& GeneratedLog()
{
    static const std::string log = [] {
        std::string text = "# ORVEX Flight Data Recorder version 6\nbench\ncolumns\n";
        char line[160];
        for (int s = 0; s < kSeconds; ++s) {
            const Fix fix = FixAt(s);
            std::snprintf(line, sizeof line,
                          "%d 10:%02d:%02d %.6f %.6f %.1f 2.0 15.0 90.0 0 0 0 0 0 0 u x y\n", s, s / 60 % 60,
                          s % 60, fix.lat, fix.lon, fix.altMetres / 0.3048);
            text += line;
        }
        return text;
    }();
    return log;
}

void BM_ReadAndImportGpxHour(benchmark::State& state)
{
    NullUserInterface ui;
    for (auto _ : state) {
        CVolantorDoc doc(ui);
        doc.ImportTrack(ReadGpx(GeneratedGpx(), "hour.gpx"), "hour.gpx");
        benchmark::DoNotOptimize(doc.m_samples.data());
    }
    state.counters["file_bytes"] = static_cast<double>(GeneratedGpx().size());
    state.SetItemsProcessed(state.iterations() * kSeconds);
}
BENCHMARK(BM_ReadAndImportGpxHour)->Unit(benchmark::kMillisecond);

void BM_ReadSameHourAsRecorderLog(benchmark::State& state)
{
    NullUserInterface ui;
    for (auto _ : state) {
        CVolantorDoc doc(ui);
        std::istringstream log(GeneratedLog());
        doc.ReadFlightPath(log, "hour.dat");
        benchmark::DoNotOptimize(doc.m_samples.data());
    }
    state.counters["file_bytes"] = static_cast<double>(GeneratedLog().size());
    state.SetItemsProcessed(state.iterations() * kSeconds);
}
BENCHMARK(BM_ReadSameHourAsRecorderLog)->Unit(benchmark::kMillisecond);

}  // namespace
