// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

class CVolantorDoc;
struct ViewState;

// Projected coordinates are kept within this many pixels of the centre, so
// that any zoom or pan leaves room for the sums the drawing makes with them.
inline constexpr int kCoordinateLimit = 1 << 28;

// A floating value truncated toward zero to an int, saturated at the
// coordinate limit; NaN becomes 0.
int SaturatedCoordinate(double value);
// An int pan offset or sum kept within the coordinate limit.
int ClampedCoordinate(long long value);

// The box the view fits into the window: the document's bounding box, with
// a side of no length (or not a number) widened to 100 m around its centre, so
// that a document of one position (or of one latitude) still has a scale and
// a depth. A small box keeps its size, however small.
struct ViewBox {
    float fMinLat = 0;
    float fMinLon = 0;
    float fMaxLat = 0;
    float fMaxLon = 0;
    float fWidth = 0;   // metres
    float fHeight = 0;  // metres
};
inline constexpr float kFallbackBoxSide = 100.0f;

// What the view fits into the window and measures from: a bounding box, its
// centre and its lowest altitude, those of the document or of what else it shows.
struct ViewExtents {
    float fMinLat = 0;
    float fMinLon = 0;
    float fMaxLat = 0;
    float fMaxLon = 0;
    float fCenterLat = 0;
    float fCenterLon = 0;
    float fWidth = 0;   // metres
    float fHeight = 0;  // metres
    float fMinAlt = 0;  // feet
};
ViewExtents ViewExtentsOf(const CVolantorDoc& doc);
ViewBox ViewBoxOf(const ViewExtents& extents);
ViewBox ViewBoxOf(const CVolantorDoc& doc);

// Metres of ground shown across the whole client width and height.
struct ViewScale {
    float fViewWidth = 0;
    float fViewHeight = 0;
};
ViewScale ComputeViewScale(const ViewBox& box, int clientWidth, int clientHeight, float zoom);

// A position's great-circle distances from the box centre, in metres: along
// the centre's latitude to its longitude, negative to the west (the short way
// round), and along the centre's meridian to its latitude, negative to the north.
struct CentreDistances {
    double east = 0;
    double south = 0;
};

// A sample of the 3D view: its foot on the ground plane and the point raised by its altitude.
struct Point3D {
    ViewPoint ground;
    ViewPoint raised;
};

// The overhead and 3D projections of one paint: latitude and longitude to
// logical, pan-free view coordinates with (0, 0) at the client centre, x east
// and y south.
class ViewProjection {
public:
    ViewProjection(const ViewExtents& extents, bool b3DView, const ViewRect& client, const ViewScale& scale);
    ViewProjection(const CVolantorDoc& doc, bool b3DView, const ViewRect& client, const ViewScale& scale)
        : ViewProjection(ViewExtentsOf(doc), b3DView, client, scale)
    {
    }

    ViewPoint ProjectToView(double lat, double lon) const;
    // The same in two halves: the distances, which depend on the centre only,
    // then their scale for this paint.
    CentreDistances DistancesOf(double lat, double lon) const;
    ViewPoint ProjectDistances(const CentreDistances& distances) const;
    // v scaled by the depth of y: kept on the far (northern) edge of the box,
    // 1.25 times on the near (southern) edge.
    int DepthScale(int v, int y) const;
    // Only in the 3D view.
    Point3D Transform3D(double lat, double lon, float altitude) const;
    Point3D Transform3D(ViewPoint projected, float altitude) const;
    ViewPoint GroundPoint(ViewPoint projected) const;

    const ViewBox& Box() const { return m_box; }

private:
    double EastDistance(double lon) const;
    double NorthDistance(double lat) const;

    ViewBox m_box;
    bool m_b3DView;
    float m_fCenterLat;
    float m_fCenterLon;
    float m_fMinAlt;
    float m_fPixelsPerMetreX;
    float m_fPixelsPerMetreY;
    int m_nLift;  // pixels the whole picture is raised
    double m_lambdaCentre;
    double m_cosPhiCentre;
    double m_sinPhiCentre;
    // The 3D frame: the y of the near and far edges, the ground's southern edge and its depth.
    int m_nNearY = 0;
    int m_nFarY = 0;
    int m_nSouthY = 0;
    int m_nDepth = 0;
};

// Pixels the whole picture is raised in a client area: the zoom scales every
// projected position about the point this far below the client centre.
int LiftOf(const ViewRect& client, bool b3DView);

// The logical coordinates the view paints in: the window origin puts (0, 0)
// at the client centre and every sample is drawn moved by the pan. The mouse
// inverts exactly this to find the stored, pan-free sample positions.
ViewPoint WindowOriginOf(const ViewRect& client);
ViewPoint Panned(ViewPoint position, const ViewState& state);
ViewPoint ClientToSamplePosition(ViewPoint client, const ViewRect& rcClient, const ViewState& state);
