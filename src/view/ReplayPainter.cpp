// SPDX-License-Identifier: GPL-3.0-or-later
// The replay over the recording: each path's replayed course in its own
// colour, overhead or raised by its altitude, and its vehicle where playback
// has got to; or, when the document has no replay, why not.

#include "processing/Geodesy.h"
#include "view/PathView.h"
#include "view/ViewColours.h"
#include "view/ViewProjection.h"

#include <cmath>

namespace {

constexpr int kVehicleRadius = 5;
constexpr double kNoseLength = 14;  // pixels from the vehicle's centre to the tip of its heading line

ViewPoint Projected(const ViewProjection& projection, bool b3DView, const ReplayPlace& place)
{
    if (!b3DView)
        return projection.ProjectToView(place.dLat, place.dLon);
    const auto feet = static_cast<float>(place.dAltMetres / geodesy::kFeetToMetres);
    return projection.Transform3D(place.dLat, place.dLon, feet).raised;
}

}  // namespace

void PathView::DrawReplay(Canvas& canvas, const ViewProjection& projection,
                          const std::vector<ReplayedCourse>& courses)
{
    for (const ReplayedCourse& course : courses) {
        canvas.SelectPen(view_colour::ReplayColour(course.nPattern));
        bool bLineStarted = false;
        for (const ReplayPlace& corner : course.corners) {
            const ViewPoint drawn = Panned(Projected(projection, m_state.m_b3DView, corner), m_state);
            if (bLineStarted)
                canvas.LineTo(drawn.x, drawn.y);
            else
                canvas.MoveTo(drawn.x, drawn.y);
            bLineStarted = true;
        }
    }
    // Over every course, so that no course hides a vehicle.
    for (const ReplayedCourse& course : courses)
        DrawVehicle(canvas, projection, course);
}

// A disc in the path's colour with a line from its centre along the heading;
// the 3D view's ground is squeezed to half its depth, and so is the line.
void PathView::DrawVehicle(Canvas& canvas, const ViewProjection& projection, const ReplayedCourse& course)
{
    const ReplayedState vehicle = VehicleAt(course.lap, m_state.m_dPlaybackSeconds);
    const ViewPoint centre = Panned(Projected(projection, m_state.m_b3DView, vehicle.place), m_state);
    canvas.SelectPen(view_colour::kBlack);
    canvas.SelectBrush(view_colour::ReplayColour(course.nPattern));
    canvas.Ellipse(SquareAround(centre, kVehicleRadius));
    const double heading = vehicle.dHeading * geodesy::kDegToRad;
    const double depth = m_state.m_b3DView ? 0.5 : 1.0;
    canvas.MoveTo(centre.x, centre.y);
    canvas.LineTo(centre.x + static_cast<int>(std::lround(kNoseLength * std::sin(heading))),
                  centre.y - static_cast<int>(std::lround(kNoseLength * depth * std::cos(heading))));
}

void PathView::DrawReplayRefusal(Canvas& canvas)
{
    canvas.SetTextColours(view_colour::kRed, view_colour::kWindowBackground);
    canvas.TextOut(4, 4, "No replay: " + m_replay.Refusal());
}
