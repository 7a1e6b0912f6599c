// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ViewProjection.h"

#include "document/VolantorDoc.h"
#include "processing/Geodesy.h"
#include "view/ViewState.h"

#include <algorithm>
#include <cmath>

namespace {

// One degree of great-circle arc in metres.
constexpr double kMetresPerDegree = geodesy::kEarthRadius * geodesy::kDegToRad;

// The half-size in degrees of a side widened to the fallback, given the metres one degree spans there.
float HalfSpanDegrees(double metresPerDegree)
{
    const double half = kFallbackBoxSide * 0.5 / std::max(metresPerDegree, 1e-6);
    return static_cast<float>(std::min(half, 180.0));
}

}  // namespace

int SaturatedCoordinate(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, double{-kCoordinateLimit}, double{kCoordinateLimit}));
}

int ClampedCoordinate(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, -kCoordinateLimit, kCoordinateLimit));
}

ViewExtents ViewExtentsOf(const CVolantorDoc& doc)
{
    return {doc.m_fMinLat,    doc.m_fMinLon, doc.m_fMaxLat, doc.m_fMaxLon, doc.m_fCenterLat,
            doc.m_fCenterLon, doc.m_fWidth,  doc.m_fHeight, doc.m_fMinAlt};
}

ViewBox ViewBoxOf(const ViewExtents& extents)
{
    ViewBox box{extents.fMinLat, extents.fMinLon, extents.fMaxLat,
                extents.fMaxLon, extents.fWidth,  extents.fHeight};
    if (!(box.fWidth > 0)) {
        const double metresPerDegree = kMetresPerDegree * std::cos(extents.fMinLat * geodesy::kDegToRad);
        const float half = HalfSpanDegrees(std::abs(metresPerDegree));
        box.fMinLon = extents.fCenterLon - half;
        box.fMaxLon = extents.fCenterLon + half;
        box.fWidth = kFallbackBoxSide;
    }
    if (!(box.fHeight > 0)) {
        const float half = HalfSpanDegrees(kMetresPerDegree);
        box.fMinLat = extents.fCenterLat - half;
        box.fMaxLat = extents.fCenterLat + half;
        box.fHeight = kFallbackBoxSide;
    }
    return box;
}

ViewBox ViewBoxOf(const CVolantorDoc& doc)
{
    return ViewBoxOf(ViewExtentsOf(doc));
}

ViewScale ComputeViewScale(const ViewBox& box, int clientWidth, int clientHeight, float zoom)
{
    // The box with a margin of an eighth of its size on every side, fitted
    // into the tighter dimension of the window.
    const float a = box.fWidth * 1.25f;
    const float b = box.fHeight * 1.25f;
    const float aspect = static_cast<float>(clientWidth) / static_cast<float>(clientHeight);
    ViewScale scale;
    if (a / b < aspect) {
        scale.fViewWidth = aspect * b;
        scale.fViewHeight = b;
    } else {
        scale.fViewWidth = a;
        scale.fViewHeight = a / aspect;
    }
    scale.fViewWidth /= zoom;
    scale.fViewHeight /= zoom;
    return scale;
}

ViewProjection::ViewProjection(const ViewExtents& extents, bool b3DView, const ViewRect& client,
                               const ViewScale& scale)
    : m_box(ViewBoxOf(extents)), m_b3DView(b3DView), m_fCenterLat(extents.fCenterLat),
      m_fCenterLon(extents.fCenterLon), m_fMinAlt(extents.fMinAlt),
      m_fPixelsPerMetreX(static_cast<float>(client.right) / scale.fViewWidth),
      m_fPixelsPerMetreY(static_cast<float>(client.bottom) / scale.fViewHeight),
      m_nLift(LiftOf(client, b3DView)), m_lambdaCentre(m_fCenterLon * geodesy::kDegToRad),
      m_cosPhiCentre(std::cos(m_fCenterLat * geodesy::kDegToRad)),
      m_sinPhiCentre(std::sin(m_fCenterLat * geodesy::kDegToRad))
{
    if (!m_b3DView)
        return;
    m_nNearY = ProjectToView(m_box.fMinLat, m_box.fMinLon).y;
    m_nFarY = ProjectToView(m_box.fMaxLat, m_box.fMaxLon).y;
    m_nSouthY = m_nNearY + 1;
    const int northY = GroundPoint(ProjectToView(m_box.fMaxLat, m_box.fMaxLon)).y;
    m_nDepth = m_nSouthY - (northY - 1);
}

// GreatCircleDistance(centre latitude, centre longitude, centre latitude, lon),
// term by term the same operations, with the centre's sine and cosine taken once.
double ViewProjection::EastDistance(double lon) const
{
    const double lambda = lon * geodesy::kDegToRad;
    const double s =
        std::cos(m_lambdaCentre - lambda) * m_cosPhiCentre * m_cosPhiCentre + m_sinPhiCentre * m_sinPhiCentre;
    return geodesy::kEarthRadius * std::acos(std::clamp(s, -1.0, 1.0));
}

// GreatCircleDistance(centre latitude, centre longitude, lat, centre longitude):
// the longitudes cancel exactly, so the cosine of their difference is 1.
double ViewProjection::NorthDistance(double lat) const
{
    const double phi = lat * geodesy::kDegToRad;
    const double s = m_cosPhiCentre * std::cos(phi) + m_sinPhiCentre * std::sin(phi);
    return geodesy::kEarthRadius * std::acos(std::clamp(s, -1.0, 1.0));
}

CentreDistances ViewProjection::DistancesOf(double lat, double lon) const
{
    const double east = EastDistance(lon);
    const double north = NorthDistance(lat);
    // West of the centre is left, the short way round the globe; north of the centre is up.
    return {EastwardDegrees(m_fCenterLon, lon) < 0 ? -east : east, m_fCenterLat < lat ? -north : north};
}

ViewPoint ViewProjection::ProjectToView(double lat, double lon) const
{
    return ProjectDistances(DistancesOf(lat, lon));
}

// The scaled distance is truncated toward zero and saturated alike on both
// sides, so the sign may come before the scale.
ViewPoint ViewProjection::ProjectDistances(const CentreDistances& distances) const
{
    return {SaturatedCoordinate(distances.east * m_fPixelsPerMetreX),
            SaturatedCoordinate(distances.south * m_fPixelsPerMetreY) - m_nLift};
}

int ViewProjection::DepthScale(int v, int y) const
{
    // A box without pixel depth (zoomed far out) has nothing to scale by.
    if (m_nFarY == m_nNearY)
        return v;
    const double ratio = static_cast<double>(m_nFarY - y) / (m_nFarY - m_nNearY);
    return SaturatedCoordinate(v * (1.0 - ratio * -0.25));
}

ViewPoint ViewProjection::GroundPoint(ViewPoint projected) const
{
    // The ground plane is squeezed to half its depth toward its southern edge.
    return {DepthScale(projected.x, projected.y), projected.y + (m_nSouthY - projected.y) / 2};
}

Point3D ViewProjection::Transform3D(double lat, double lon, float altitude) const
{
    return Transform3D(ProjectToView(lat, lon), altitude);
}

Point3D ViewProjection::Transform3D(ViewPoint projected, float altitude) const
{
    const ViewPoint ground = GroundPoint(projected);
    const int raise = SaturatedCoordinate((altitude - m_fMinAlt) * geodesy::kFeetToMetres * m_nDepth /
                                          m_box.fHeight * 4.0f * 0.5);
    return {ground, {ground.x, ground.y - raise}};
}

int LiftOf(const ViewRect& client, bool b3DView)
{
    return (b3DView ? client.Height() / 4 : 0) + client.bottom / 16;
}

ViewPoint WindowOriginOf(const ViewRect& client)
{
    return {-(client.Width() / 2), -(client.Height() / 2)};
}

ViewPoint Panned(ViewPoint position, const ViewState& state)
{
    return {position.x + ClampedCoordinate(state.m_nOffsetX),
            position.y + ClampedCoordinate(state.m_nOffsetY)};
}

ViewPoint ClientToSamplePosition(ViewPoint client, const ViewRect& rcClient, const ViewState& state)
{
    const ViewPoint origin = WindowOriginOf(rcClient);
    return {client.x + origin.x - ClampedCoordinate(state.m_nOffsetX),
            client.y + origin.y - ClampedCoordinate(state.m_nOffsetY)};
}
