// SPDX-License-Identifier: GPL-3.0-or-later
// The view's own state and the commands that change it: zoom, pan, the 3D
// and replay switches, playback time and the marks. None of them touches the document.

#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewProjection.h"

#include <cmath>

namespace {

constexpr float kZoomInStep = 1.5f;
constexpr float kZoomOutStep = 0.66f;

}  // namespace

PathView::PathView(const CVolantorDoc& doc, UserInterface& ui)
    : m_doc(doc), m_ui(ui), m_nSeenGeneration(doc.m_nGeneration)
{
}

ViewState& PathView::State()
{
    if (m_nSeenGeneration != m_doc.m_nGeneration) {
        // A fresh document is shown whole and unpicked, the way the person last chose to look at paths.
        m_nSeenGeneration = m_doc.m_nGeneration;
        const ViewState before = std::move(m_state);
        m_state = ViewState();
        m_state.m_b3DView = before.m_b3DView;
        m_state.m_bShowReplay = before.m_bShowReplay;
        m_compiled.clear();
    }
    return m_state;
}

bool PathView::ShowsCompiledScenery() const
{
    return !m_compiled.empty() && m_doc.m_paths.empty() && m_nSeenGeneration == m_doc.m_nGeneration;
}

void PathView::ShowCompiledScenery(std::vector<ReplayedPattern> patterns)
{
    State().m_bShowReplay = true;
    m_compiled = CoursesOf(std::move(patterns));
    m_ui.UpdateAllViews();
}

void PathView::MarkSamples(std::vector<int> samples)
{
    State().m_marked = std::move(samples);
}

void PathView::On3DView()
{
    State().m_b3DView = !State().m_b3DView;
    m_ui.UpdateAllViews();
}

// The pan grows by a quarter while the zoom grows by half, so a panned
// picture drifts as it zooms; the pan saturates rather than overflow.
void PathView::OnZoomIn()
{
    ViewState& state = State();
    state.m_nOffsetX = ClampedCoordinate(static_cast<long long>(state.m_nOffsetX) + state.m_nOffsetX / 4);
    state.m_fZoom = state.m_fZoom * kZoomInStep;
    state.m_nOffsetY = ClampedCoordinate(static_cast<long long>(state.m_nOffsetY) + state.m_nOffsetY / 4);
    m_ui.UpdateAllViews();
}

void PathView::OnZoomOut()
{
    ViewState& state = State();
    state.m_nOffsetX = ClampedCoordinate(static_cast<long long>(state.m_nOffsetX) - state.m_nOffsetX / 4);
    state.m_fZoom = state.m_fZoom * kZoomOutStep;
    state.m_nOffsetY = ClampedCoordinate(static_cast<long long>(state.m_nOffsetY) - state.m_nOffsetY / 4);
    m_ui.UpdateAllViews();
}

void PathView::OnResetView()
{
    ViewState& state = State();
    state.m_fZoom = 1.0f;
    state.m_nOffsetX = 0;
    state.m_nOffsetY = 0;
    m_ui.UpdateAllViews();
}

void PathView::ZoomAbout(ViewPoint point, bool bIn)
{
    ViewState& state = State();
    const double before = state.m_fZoom;
    state.m_fZoom = state.m_fZoom * (bIn ? kZoomInStep : kZoomOutStep);
    // Without a paint there is no spot under the point to keep.
    if (!m_rcClient.IsEmpty()) {
        // Every position, measured from the lifted centre, grows by the zoom's
        // ratio; the pan takes back what the spot under the point would move.
        const double ratio = state.m_fZoom / before;
        const ViewPoint origin = WindowOriginOf(m_rcClient);
        const double x = point.x + origin.x;
        const double y = point.y + origin.y + LiftOf(m_rcClient, state.m_b3DView);
        state.m_nOffsetX = SaturatedCoordinate(std::round(x - ratio * (x - state.m_nOffsetX)));
        state.m_nOffsetY = SaturatedCoordinate(std::round(y - ratio * (y - state.m_nOffsetY)));
    }
    m_ui.UpdateAllViews();
}

void PathView::PanBy(int dx, int dy)
{
    ViewState& state = State();
    state.m_nOffsetX = ClampedCoordinate(static_cast<long long>(state.m_nOffsetX) + dx);
    state.m_nOffsetY = ClampedCoordinate(static_cast<long long>(state.m_nOffsetY) + dy);
    m_ui.UpdateAllViews();
}

void PathView::OnShowReplay()
{
    State().m_bShowReplay = !State().m_bShowReplay;
    m_ui.UpdateAllViews();
}

void PathView::OnRewind()
{
    SetPlaybackTime(0);
    m_ui.UpdateAllViews();
}

void PathView::SetPlaybackTime(double seconds)
{
    State().m_dPlaybackSeconds = seconds;
}
