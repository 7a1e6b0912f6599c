// SPDX-License-Identifier: GPL-3.0-or-later
// The paint of the path view: header areas, paths with their samples and
// segment markers in the map area, the replay over them, then the legend panel below it.

#include "document/ImpossibleValues.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewColours.h"
#include "view/ViewProjection.h"

#include <algorithm>

namespace {

// The legend panel takes the lower eighth of the client area.
ViewRect MapAreaOf(const ViewRect& client)
{
    return {0, 0, client.right, client.bottom - client.bottom / 8};
}

}  // namespace

void PathView::OnDraw(Canvas& canvas, int clientWidth, int clientHeight)
{
    ViewState& state = State();
    const bool compiledAlone = m_doc.m_paths.empty() && !m_compiled.empty();
    // Without a path, or without a pixel to show, the view keeps its erased background.
    if ((m_doc.m_paths.empty() && !compiledAlone) || clientWidth <= 0 || clientHeight <= 0)
        return;

    m_rcClient = {0, 0, clientWidth, clientHeight};
    const ViewExtents extents = compiledAlone ? ExtentsOf(m_compiled) : ViewExtentsOf(m_doc);
    const ViewScale scale = ComputeViewScale(ViewBoxOf(extents), clientWidth, clientHeight, state.m_fZoom);
    m_fViewWidth = scale.fViewWidth;
    m_fViewHeight = scale.fViewHeight;
    const ViewProjection projection(extents, state.m_b3DView, m_rcClient, scale);
    m_distances.Prepare(m_doc.m_samples.size(), m_doc.m_fCenterLat, m_doc.m_fCenterLon);
    for (const VehiclePath& path : m_doc.m_paths)
        m_distances.Measure(projection, m_doc.m_samples, path.m_nFirstSample, path.m_nLastSample);
    state.m_screen.resize(m_doc.m_samples.size());
    m_replay.Follow(m_doc);
    const std::vector<ReplayedCourse>* replay = compiledAlone         ? &m_compiled
                                                : state.m_bShowReplay ? &m_replay.Courses(m_doc)
                                                                      : nullptr;

    const ViewPoint origin = WindowOriginOf(m_rcClient);
    canvas.SetWindowOrigin(origin.x, origin.y);
    canvas.SelectClipRect(MapAreaOf(m_rcClient));
    if (state.m_b3DView) {
        Draw3D(canvas, projection);
    } else {
        DrawHeaderAreas(canvas, projection);
        DrawOverheadPaths(canvas, projection);
    }
    if (replay)
        DrawReplay(canvas, projection, *replay);
    canvas.SelectNoClip();
    canvas.SetWindowOrigin(0, 0);
    if (replay && !compiledAlone && !m_replay.Refusal().empty())
        DrawReplayRefusal(canvas);

    DrawLegend(canvas, replay);
}

void PathView::DrawHeaderAreas(Canvas& canvas, const ViewProjection& projection)
{
    canvas.SelectPen(view_colour::kGray);
    for (const float o : {g_fArea1Offset, g_fArea2Offset, g_fHeaderOffset}) {
        // Each corner is pushed one pixel outward.
        const auto corner = [&](float lat, float lon, int dx, int dy) {
            const ViewPoint p = Panned(projection.ProjectToView(lat, lon), m_state);
            return ViewPoint{p.x + dx, p.y + dy};
        };
        const ViewPoint southWest = corner(m_doc.m_fMinLat - o, m_doc.m_fMinLon - o, -1, +1);
        const ViewPoint southEast = corner(m_doc.m_fMinLat - o, m_doc.m_fMaxLon + o, +1, +1);
        const ViewPoint northEast = corner(m_doc.m_fMaxLat + o, m_doc.m_fMaxLon + o, +1, -1);
        const ViewPoint northWest = corner(m_doc.m_fMaxLat + o, m_doc.m_fMinLon - o, -1, -1);
        canvas.MoveTo(southWest.x, southWest.y);
        canvas.LineTo(southEast.x, southEast.y);
        canvas.LineTo(northEast.x, northEast.y);
        canvas.LineTo(northWest.x, northWest.y);
        canvas.LineTo(southWest.x, southWest.y);
    }
}

void PathView::DrawOverheadPaths(Canvas& canvas, const ViewProjection& projection)
{
    m_nMinScreenX = 0;
    m_nMaxScreenX = 0;
    for (int i = 0; i < static_cast<int>(m_doc.m_paths.size()); ++i) {
        const VehiclePath& path = m_doc.m_paths[i];
        const bool bCurrent = i == m_doc.m_nCurPath;
        canvas.SelectPen(bCurrent ? view_colour::kBlue : view_colour::kGray);
        const Rgb squareBrush = bCurrent ? view_colour::kBlue : view_colour::kLightGray;
        bool bLineStarted = false;
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            const PathSample& sample = m_doc.m_samples[j];
            // A sample that holds impossible numbers has no place in the picture.
            if (HoldsImpossibleNumbers(sample))
                continue;
            const ViewPoint position = m_distances.Project(projection, j, sample);
            const ViewPoint drawn = Panned(position, m_state);
            const bool bMarked = m_state.IsMarked(j);
            const bool bEnd = j == path.m_nFirstSample || j == path.m_nLastSample;
            if (bLineStarted)
                canvas.LineTo(drawn.x, drawn.y);
            else
                canvas.MoveTo(drawn.x, drawn.y);
            bLineStarted = true;
            const ViewRect square = SquareAround(drawn, bEnd ? 3 : 1);
            // The first sample is hollow, so the direction of travel shows.
            if (j == path.m_nFirstSample || bMarked)
                canvas.FrameRect(square, squareBrush);
            else
                canvas.FillRect(square, squareBrush);
            if (bMarked)
                canvas.FrameRect(SquareAround(drawn, 4), view_colour::kDarkGreen);
            m_state.m_screen[j] = position;
            m_nMinScreenX = std::min(m_nMinScreenX, position.x);
            m_nMaxScreenX = std::max(m_nMaxScreenX, position.x);
        }
        DrawSegmentMarkers(canvas, path, [&](int j) {
            const PathSample& sample = m_doc.m_samples[j];
            return projection.ProjectToView(sample.m_fLat, sample.m_fLon);
        });
    }
}

void PathView::DrawSegmentMarkers(Canvas& canvas, const VehiclePath& path,
                                  const std::function<ViewPoint(int sample)>& projectedPositionOf)
{
    canvas.SelectBrush(view_colour::kRed);
    const int sampleCount = static_cast<int>(m_doc.m_samples.size());
    // The path's own samples were just drawn and hold their positions of this
    // paint; an end beyond the path is projected afresh.
    const auto positionOf = [&](int j) {
        if (j < path.m_nFirstSample || j > path.m_nLastSample)
            return projectedPositionOf(j);
        return m_state.m_screen[j];
    };
    const auto drawable = [&](int j) {
        return j >= 0 && j < sampleCount && !HoldsImpossibleNumbers(m_doc.m_samples[j]);
    };
    for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
        const PathSample& sample = m_doc.m_samples[j];
        // Most samples open no segment: they are passed over first.
        if ((sample.m_nSegKind != 1 && sample.m_nSegKind != 2) || !drawable(j))
            continue;
        if (sample.m_nSegKind == 1) {
            // Outlined with whatever pen is selected: the path's, or red after a move.
            canvas.Ellipse(SquareAround(Panned(positionOf(j), m_state), 4));
        } else if (sample.m_nSegKind == 2) {
            const ViewPoint start = Panned(positionOf(j), m_state);
            canvas.FrameRect(SquareAround(start, 3), view_colour::kRed);
            canvas.SelectPen(view_colour::kRed);
            // An end outside the samples, or without a place, gives the move nothing to draw to.
            if (!drawable(sample.m_nSegEnd))
                continue;
            const ViewPoint end = Panned(positionOf(sample.m_nSegEnd), m_state);
            canvas.MoveTo(start.x, start.y);
            canvas.LineTo(end.x, end.y);
            canvas.FrameRect(SquareAround(end, 3), view_colour::kRed);
        }
    }
}
