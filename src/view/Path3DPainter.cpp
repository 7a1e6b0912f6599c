// SPDX-License-Identifier: GPL-3.0-or-later
// The map area in the 3D view: the box on the ground, and every path raised
// by its altitude with a drop line from each sample to its foot.

#include "document/ImpossibleValues.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewColours.h"
#include "view/ViewProjection.h"

#include <optional>

void PathView::Draw3D(Canvas& canvas, const ViewProjection& projection)
{
    const ViewBox& box = projection.Box();
    const auto corner = [&](float lat, float lon, int dx, int dy) {
        const ViewPoint p = Panned(projection.GroundPoint(projection.ProjectToView(lat, lon)), m_state);
        return ViewPoint{p.x + dx, p.y + dy};
    };
    const ViewPoint southWest = corner(box.fMinLat, box.fMinLon, -1, +1);
    const ViewPoint southEast = corner(box.fMinLat, box.fMaxLon, +1, +1);
    const ViewPoint northEast = corner(box.fMaxLat, box.fMaxLon, +1, -1);
    const ViewPoint northWest = corner(box.fMaxLat, box.fMinLon, -1, -1);
    canvas.SelectPen(view_colour::kGray);
    canvas.MoveTo(southWest.x, southWest.y);
    canvas.LineTo(southEast.x, southEast.y);
    canvas.LineTo(northEast.x, northEast.y);
    canvas.LineTo(northWest.x, northWest.y);
    canvas.LineTo(southWest.x, southWest.y);

    for (const VehiclePath& path : m_doc.m_paths) {
        std::optional<ViewPoint> previous;
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            const PathSample& sample = m_doc.m_samples[j];
            // A sample that holds impossible numbers has no place in the picture.
            if (HoldsImpossibleNumbers(sample))
                continue;
            const Point3D point =
                projection.Transform3D(m_distances.Project(projection, j, sample), sample.m_fAlt);
            const ViewPoint ground = Panned(point.ground, m_state);
            const ViewPoint raised = Panned(point.raised, m_state);
            canvas.SelectPen(view_colour::kGray);
            canvas.MoveTo(ground.x, ground.y);
            canvas.LineTo(raised.x, raised.y);
            if (previous) {
                canvas.SelectPen(view_colour::kBlack);
                canvas.MoveTo(previous->x, previous->y);
                canvas.LineTo(raised.x, raised.y);
            }
            const bool bEnd = j == path.m_nFirstSample || j == path.m_nLastSample;
            const ViewRect square = SquareAround(raised, bEnd ? 3 : 1);
            // Here the last sample is the hollow one.
            if (j == path.m_nLastSample)
                canvas.FrameRect(square, view_colour::kBlack);
            else
                canvas.FillRect(square, view_colour::kBlack);
            if (m_state.IsMarked(j))
                canvas.FrameRect(SquareAround(raised, 4), view_colour::kDarkGreen);
            m_state.m_screen[j] = point.raised;
            previous = raised;
        }
        DrawSegmentMarkers(canvas, path, [&](int j) {
            const PathSample& sample = m_doc.m_samples[j];
            return projection.Transform3D(sample.m_fLat, sample.m_fLon, sample.m_fAlt).raised;
        });
    }
}
