// SPDX-License-Identifier: GPL-3.0-or-later
// Reading recorder logs and deriving extents, with the heap held per sample.
// Also the program's benchmark main: before timing anything it checks that the
// reader's line conversion gives exactly the samples a plain sscanf loop gives.

#include "bench/HeapPeak.h"
#include "bench/NullUserInterface.h"
#include "document/RecorderLine.h"
#include "document/VolantorDoc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <istream>
#include <iostream>
#include <random>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLogLines = 1'000'000;

// A log as the recorder writes it: a circuit flown over and over, one line a second.
const std::string& GeneratedLog()
{
    static const std::string log = [] {
        std::string text = "# ORVEX Flight Data Recorder version 6\nrecorded for the benchmark\n"
                           "Time Clock Lat Lon Alt Pitch Bank Hdg IAS TAS GS VS Wind WDir Gear Flaps Eng\n";
        text.reserve(static_cast<std::size_t>(kLogLines) * 120);
        std::mt19937 random(1);
        std::normal_distribution<double> jitter(0, 0.3);
        char line[256];
        for (int i = 0; i < kLogLines; ++i) {
            const double angle = (i % 600) * (2 * 3.141592654 / 600);
            const double alt = 1500 + 800 * std::sin(angle * 2);
            std::snprintf(line, sizeof line,
                          "%d %02d:%02d:%02d %.6f %.6f %.1f %.2f %.2f %.2f %.1f %.1f %.1f %.1f %.1f %.0f %s %s %s\n",
                          i, (i / 3600) % 24, (i / 60) % 60, i % 60, 47.45 + 0.02 * std::sin(angle),
                          -122.31 + 0.03 * std::cos(angle), alt, 2 * std::cos(angle * 2) + jitter(random),
                          -20 + jitter(random), std::fmod(i * 0.6, 360.0), 110 + jitter(random),
                          118 + jitter(random), 115 + jitter(random), 300 * std::cos(angle * 2), 8.0, 270.0,
                          i % 600 < 30 ? "down" : "up", "0", "run");
            text += line;
        }
        return text;
    }();
    return log;
}

// The sample lines of the generated log.
const std::vector<std::string_view>& LogLines()
{
    static const std::vector<std::string_view> lines = [] {
        std::vector<std::string_view> result;
        std::string_view rest = GeneratedLog();
        for (int skipped = 0; skipped < 3; ++skipped)
            rest.remove_prefix(rest.find('\n') + 1);
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            result.push_back(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
        return result;
    }();
    return lines;
}

std::size_t SampleBytes()
{
    std::size_t bytes = 0;
    for (std::string_view line : LogLines())
        bytes += line.size() + 1;
    return bytes;
}

// A read-only stream over text already in memory, so that only the reader is timed.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(const std::string& text)
    {
        char* data = const_cast<char*>(text.data());
        setg(data, data, data + text.size());
    }
};

// Converts every line into one working sample, as the reader does before it
// keeps a copy; the copies cost both ways the same and are timed with the
// whole command below.
template <typename Convert>
float ConvertAllLines(Convert convert)
{
    PathSample working;
    float checksum = 0;
    for (std::string_view line : LogLines()) {
        convert(line, working);
        checksum += working.m_fLat;
    }
    return checksum;
}

std::vector<PathSample> KeepAllLines(void (*convert)(std::string_view, PathSample&))
{
    std::vector<PathSample> samples;
    PathSample working;
    for (std::string_view line : LogLines()) {
        convert(line, working);
        samples.push_back(working);
    }
    return samples;
}

// The plain loop: each line copied into a buffer, as fgets would leave it,
// and converted by one sscanf into the working sample.
void ConvertWithPlainScanf(std::string_view line, PathSample& s)
{
    char text[512], field2[512], field15[512], field16[512], field17[512];
    const std::size_t length = std::min(line.size(), sizeof text - 1);
    std::memcpy(text, line.data(), length);
    text[length] = '\0';
    const int converted = std::sscanf(text, "%f %s %f %f %f %f %f %f %f %f %f %f %f %f %s %s %s", &s.m_fField1,
                                      field2, &s.m_fLat, &s.m_fLon, &s.m_fAlt, &s.m_fPitch, &s.m_fBank,
                                      &s.m_fHeading, &s.m_fField9, &s.m_fField10, &s.m_fField11, &s.m_fField12,
                                      &s.m_fField13, &s.m_fField14, field15, field16, field17);
    if (converted >= 2)
        s.m_strField2.assign(field2, std::min<std::size_t>(std::strlen(field2), 79));
    if (converted >= 15)
        s.m_cGear = field15[0];
    if (converted >= 16)
        s.m_cField16 = field16[0];
    if (converted >= 17)
        s.m_cField17 = field17[0];
}

void SetLineCounters(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(LogLines().size()));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SampleBytes()));
}

void BM_ConvertLinesWithScanf(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertAllLines(ConvertWithPlainScanf));
    SetLineCounters(state);
}
BENCHMARK(BM_ConvertLinesWithScanf)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_ConvertLinesWithReader(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ConvertAllLines(recorder::ParseSampleLine));
    SetLineCounters(state);
}
BENCHMARK(BM_ConvertLinesWithReader)->Unit(benchmark::kMillisecond)->MinTime(2);

// The whole command: line splitting, conversion, the new path, RecalcExtents.
void BM_ReadRecorderLog(benchmark::State& state)
{
    NullUserInterface ui;
    std::size_t peakBytes = 0;
    for (auto _ : state) {
        CVolantorDoc doc(ui);
        MemoryBuffer buffer(GeneratedLog());
        std::istream log(&buffer);
        const HeapPeak heap;
        doc.ReadFlightPath(log, "benchmark.dat");
        peakBytes = heap.Bytes();
        benchmark::DoNotOptimize(doc.m_samples.data());
    }
    SetLineCounters(state);
    state.counters["peak_heap_bytes_per_sample"] = static_cast<double>(peakBytes) / kLogLines;
    state.counters["sizeof_PathSample"] = sizeof(PathSample);
}
BENCHMARK(BM_ReadRecorderLog)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_RecalcExtents(benchmark::State& state)
{
    NullUserInterface ui;
    CVolantorDoc doc(ui);
    MemoryBuffer buffer(GeneratedLog());
    std::istream log(&buffer);
    doc.ReadFlightPath(log, "benchmark.dat");
    for (auto _ : state) {
        doc.RecalcExtents();
        benchmark::DoNotOptimize(doc.m_fTotalLength);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(doc.m_samples.size()));
}
BENCHMARK(BM_RecalcExtents)->Unit(benchmark::kMillisecond)->MinTime(2);

bool SameSamples(const std::vector<PathSample>& a, const std::vector<PathSample>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const PathSample &x = a[i], &y = b[i];
        const auto sameBits = [](float p, float q) { return std::memcmp(&p, &q, sizeof p) == 0; };
        if (!(sameBits(x.m_fField1, y.m_fField1) && sameBits(x.m_fLat, y.m_fLat) && sameBits(x.m_fLon, y.m_fLon) &&
              sameBits(x.m_fAlt, y.m_fAlt) && sameBits(x.m_fPitch, y.m_fPitch) && sameBits(x.m_fBank, y.m_fBank) &&
              sameBits(x.m_fHeading, y.m_fHeading) && sameBits(x.m_fField9, y.m_fField9) &&
              sameBits(x.m_fField10, y.m_fField10) && sameBits(x.m_fField11, y.m_fField11) &&
              sameBits(x.m_fField12, y.m_fField12) && sameBits(x.m_fField13, y.m_fField13) &&
              sameBits(x.m_fField14, y.m_fField14) && x.m_strField2 == y.m_strField2 && x.m_cGear == y.m_cGear &&
              x.m_cField16 == y.m_cField16 && x.m_cField17 == y.m_cField17)) {
            std::cerr << "sample " << i << " differs: " << LogLines()[i] << "\n";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!SameSamples(KeepAllLines(recorder::ParseSampleLine), KeepAllLines(ConvertWithPlainScanf)) ||
        !SameSamples(KeepAllLines(recorder::ParseSampleLine), KeepAllLines(recorder::ParseSampleLineWithScanf))) {
        std::cerr << "The reader's samples differ from sscanf's.\n";
        return 1;
    }
    std::cout << "Reader and sscanf agree on all " << LogLines().size() << " lines.\n";
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
