// SPDX-License-Identifier: GPL-3.0-or-later
// A hundred trims of a document of 1,000,000 samples, each kept for Undo:
// the memory the history holds afterwards, the time of a trim, of undoing all
// hundred and of redoing them.

#include "bench/HeapPeak.h"
#include "bench/NullUserInterface.h"
#include "document/DocumentEdits.h"
#include "document/VolantorDoc.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int kSamples = 1000000;
constexpr int kTrims = 100;

void LoadLongFlight(CVolantorDoc& doc)
{
    std::vector<PathSample> samples(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        samples[i].m_fLat = 47 + i * 1e-6f;
        samples[i].m_fLon = -122 + (i % 1000) * 1e-5f;
        samples[i].m_fAlt = static_cast<float>(500 + i % 300);
    }
    doc.Perform(std::make_unique<AppendPathEdit>("Open ORVEX Flight Path", std::move(samples)));
}

// Trims alternately from the start and from the end, a hundred samples at a time.
void TrimAHundredTimes(CVolantorDoc& doc)
{
    for (int trim = 0; trim < kTrims; ++trim) {
        const VehiclePath& path = doc.m_paths.front();
        if (trim % 2 == 0)
            doc.OnDeleteToStart(path.m_nFirstSample + 100);
        else
            doc.OnDeleteToEnd(path.m_nLastSample - 100);
    }
}

void BM_HundredTrimsKeptForUndo(benchmark::State& state)
{
    NullUserInterface ui;
    std::size_t heldBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CVolantorDoc doc(ui);
        LoadLongFlight(doc);
        state.ResumeTiming();
        const HeapPeak heap;
        TrimAHundredTimes(doc);
        heldBytes = heap.HeldBytes();
    }
    state.counters["history_bytes_after_100_trims"] = static_cast<double>(heldBytes);
    state.counters["sizeof_PathSample"] = sizeof(PathSample);
    state.SetItemsProcessed(state.iterations() * kTrims);
}
BENCHMARK(BM_HundredTrimsKeptForUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoAndRedoAHundredTrims(benchmark::State& state)
{
    NullUserInterface ui;
    CVolantorDoc doc(ui);
    LoadLongFlight(doc);
    TrimAHundredTimes(doc);
    for (auto _ : state) {
        for (int step = 0; step < kTrims; ++step)
            doc.OnUndo();
        for (int step = 0; step < kTrims; ++step)
            doc.OnRedo();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kTrims);
}
BENCHMARK(BM_UndoAndRedoAHundredTrims)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
