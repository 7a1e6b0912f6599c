// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse on the path view. Everything works on what the last paint drew:
// the positions it stored in the state and the client rectangle and x span
// it cached, so the handlers invert exactly the picture on the screen.

#include "document/FormatText.h"
#include "document/ImpossibleValues.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewProjection.h"

#include <cstdlib>

namespace {

// A click picks a sample drawn within this many pixels on both axes.
constexpr long long kPickTolerance = 3;

}  // namespace

void PathView::OnLButtonUp(ViewPoint point)
{
    if (m_rcClient.IsEmpty())
        return;  // nothing drawn yet, so no spot to bring to the centre
    const int W = m_rcClient.right;
    const int H = m_rcClient.bottom;
    // The clicked spot moves to the centre of the map area.
    ViewState& state = State();
    state.m_nOffsetX = ClampedCoordinate(static_cast<long long>(state.m_nOffsetX) + W / 2 - point.x);
    state.m_nOffsetY =
        ClampedCoordinate(static_cast<long long>(state.m_nOffsetY) + (H / 2 - H / 16) - point.y);
    m_ui.UpdateAllViews();
}

void PathView::OnRButtonUp(ViewPoint point, const std::function<void()>& trackPopupMenu)
{
    int hit = -1;
    ViewState& state = State();
    if (!m_rcClient.IsEmpty() && !m_doc.m_paths.empty()) {
        const ViewPoint p = ClientToSamplePosition(point, m_rcClient, state);
        // Every sample keeps its last drawn position, and the lowest index wins;
        // one that holds impossible numbers is never drawn.
        for (int j = 0; j < static_cast<int>(m_doc.m_samples.size()); ++j) {
            const ViewPoint drawn = state.ScreenOf(j);
            if (!HoldsImpossibleNumbers(m_doc.m_samples[j]) &&
                std::llabs(static_cast<long long>(drawn.x) - p.x) <= kPickTolerance &&
                std::llabs(static_cast<long long>(drawn.y) - p.y) <= kPickTolerance) {
                hit = j;
                break;
            }
        }
    }
    if (hit < 0) {
        m_ui.ShowFailure("No Point Found!");
        return;
    }

    // The picture shows the picked sample framed while the menu is open.
    state.m_nSelSample = hit;
    MarkSamples({hit});
    m_ui.UpdateAllViews();
    trackPopupMenu();
    MarkSamples({});
    m_ui.UpdateAllViews();
}

void PathView::OnMouseMove(ViewPoint point)
{
    const int referenceSample = m_doc.ReferenceSample();
    if (point.x < m_rcClient.left || point.x > m_rcClient.right || m_doc.m_nCurPath < 0 ||
        referenceSample < 0)
        return;
    // Metres per pixel as measured by the last overhead paint; without a span there is no scale.
    const long long span = std::llabs(static_cast<long long>(m_nMaxScreenX) - m_nMinScreenX);
    if (span == 0) {
        m_ui.SetPaneText(1, "");
        return;
    }
    const float scale = m_doc.m_fWidth / static_cast<float>(span);
    // Relative to the sample where the reference point lies; both axes use the x scale.
    const ViewState& state = State();
    const ViewPoint reference = state.ScreenOf(referenceSample);
    const int W = m_rcClient.right;
    const int H = m_rcClient.bottom;
    const long long dx =
        static_cast<long long>(point.x) - W / 2 - ClampedCoordinate(state.m_nOffsetX) - reference.x;
    const long long dy =
        static_cast<long long>(H / 2) + ClampedCoordinate(state.m_nOffsetY) + reference.y - point.y;
    const float x = static_cast<float>(dx) * scale;
    const float y = static_cast<float>(dy) * scale;
    m_ui.SetPaneText(1, FormatText("X: %.1f Y: %.1f", x, y));
}

void PathView::OnPointInfo()
{
    const int selected = State().m_nSelSample;
    if (selected < 0 || selected >= static_cast<int>(m_doc.m_samples.size()) || m_doc.m_nCurPath < 0)
        return;
    const PathSample& sample = m_doc.m_samples[selected];
    // The reference altitude is the current path's lowest, whichever path the sample belongs to.
    const VehiclePath& path = m_doc.m_paths[m_doc.m_nCurPath];
    std::string text = FormatText("Seconds: %d, Altitude: %.0f, Reference Altitude: %.0f", selected,
                                  sample.m_fAlt, path.m_fMinAlt);
    text += FormatText("\nLatitude: %.6f Longitude: %.6f", sample.m_fLat, sample.m_fLon);
    text += FormatText("\nMeters from Reference - X: %.2f Y: %.2f", sample.m_fX, sample.m_fY);
    m_ui.ShowInformation(text);
}
