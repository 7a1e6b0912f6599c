// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the path view into a 1600 x 1000 picture, overhead and 3D, for
// documents of growing size: one repaint is what every pan and zoom costs,
// and what every frame of playback costs with the replay shown.

#include "bench/NullUserInterface.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/qt/PathViewImage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>

namespace {

constexpr int kPathCount = 4;
constexpr int kSegmentLength = 25;

// Circuits flown one after the other, split into four paths, with a move
// segment every 25 samples as Generate Path leaves them.
std::unique_ptr<CVolantorDoc> CircuitDocument(NullUserInterface& ui, int samples)
{
    auto doc = std::make_unique<CVolantorDoc>(ui);
    doc->OnNewDocument();
    doc->m_samples.reserve(static_cast<std::size_t>(samples));
    for (int i = 0; i < samples; ++i) {
        const double angle = (i % 600) * (2 * 3.141592654 / 600);
        PathSample sample;
        sample.m_fLat = static_cast<float>(47.45 + 0.02 * std::sin(angle) + 0.00001 * (i / 600 % 50));
        sample.m_fLon = static_cast<float>(-122.31 + 0.03 * std::cos(angle));
        sample.m_fAlt = static_cast<float>(1500 + 800 * std::sin(angle * 2));
        doc->m_samples.push_back(sample);
    }
    for (int p = 0; p < kPathCount; ++p) {
        VehiclePath path;
        path.m_nFirstSample = samples / kPathCount * p;
        path.m_nLastSample = p == kPathCount - 1 ? samples - 1 : samples / kPathCount * (p + 1) - 1;
        for (int j = path.m_nFirstSample; j + kSegmentLength <= path.m_nLastSample; j += kSegmentLength) {
            doc->m_samples[j].m_nSegKind = 2;
            doc->m_samples[j].m_nSegEnd = j + kSegmentLength;
        }
        doc->m_paths.push_back(path);
    }
    doc->m_nCurPath = kPathCount - 1;
    doc->RecalcExtents();
    return doc;
}

CVolantorDoc& Document(int samples)
{
    static NullUserInterface ui;
    static std::map<int, std::unique_ptr<CVolantorDoc>> documents;
    auto& doc = documents[samples];
    if (!doc)
        doc = CircuitDocument(ui, samples);
    return *doc;
}

// Repeated paints of one view, as panning and zooming make them; with
// bFirstPaint every paint is a new view's first, as after opening a document.
void PaintView(benchmark::State& state, bool b3DView, bool bFirstPaint)
{
    EnsureGuiApplication();
    NullUserInterface ui;
    CVolantorDoc& doc = Document(static_cast<int>(state.range(0)));
    auto view = std::make_unique<PathView>(doc, ui);
    view->State().m_b3DView = b3DView;
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        if (bFirstPaint) {
            view = std::make_unique<PathView>(doc, ui);
            view->State().m_b3DView = b3DView;
        }
        PaintPathView(image, *view);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PaintOverhead(benchmark::State& state)
{
    PaintView(state, false, false);
}
void BM_Paint3D(benchmark::State& state)
{
    PaintView(state, true, false);
}
void BM_FirstPaintOverhead(benchmark::State& state)
{
    PaintView(state, false, true);
}
void BM_FirstPaint3D(benchmark::State& state)
{
    PaintView(state, true, true);
}

// Frames of playback, 60 a second, each with every path's course and
// vehicle; the laps were worked out before, as the first frame does once.
void BM_PlaybackFrame(benchmark::State& state)
{
    EnsureGuiApplication();
    NullUserInterface ui;
    CVolantorDoc& doc = Document(static_cast<int>(state.range(0)));
    PathView view(doc, ui);
    view.OnShowReplay();
    QImage image(1600, 1000, QImage::Format_RGB32);
    PaintPathView(image, view);
    double seconds = 0;
    for (auto _ : state) {
        seconds += 1.0 / 60;
        view.SetPlaybackTime(seconds);
        PaintPathView(image, view);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlaybackFrame)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The first frame after a change of the document: the laps are worked out anew.
void BM_FirstPlaybackFrame(benchmark::State& state)
{
    EnsureGuiApplication();
    NullUserInterface ui;
    CVolantorDoc& doc = Document(static_cast<int>(state.range(0)));
    QImage image(1600, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        PathView view(doc, ui);
        view.OnShowReplay();
        PaintPathView(image, view);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FirstPlaybackFrame)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void PaintSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->RangeMultiplier(10)
        ->Range(10'000, 1'000'000)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
}
BENCHMARK(BM_PaintOverhead)->Apply(PaintSizes);
BENCHMARK(BM_Paint3D)->Apply(PaintSizes);
BENCHMARK(BM_FirstPaintOverhead)->Apply(PaintSizes);
BENCHMARK(BM_FirstPaint3D)->Apply(PaintSizes);

}  // namespace
