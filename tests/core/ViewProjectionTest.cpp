// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ViewProjection.h"
#include "document/VolantorDoc.h"
#include "processing/Geodesy.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "view/ViewCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

// A box 4000 m wide and 1000 m high centred on latitude 0, longitude 0, so
// that one degree of longitude near the centre measures 111137 m.
class Projection : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.m_fMinLat = -0.0045f;
        doc.m_fMaxLat = 0.0045f;
        doc.m_fMinLon = -0.018f;
        doc.m_fMaxLon = 0.018f;
        doc.m_fCenterLat = 0;
        doc.m_fCenterLon = 0;
        doc.m_fWidth = 4000;
        doc.m_fHeight = 1000;
        doc.m_fMinAlt = 0;
    }

    ViewProjection Make(int width = 800, int height = 400) const
    {
        const ViewRect client{0, 0, width, height};
        return ViewProjection(doc, client, ComputeViewScale(ViewBoxOf(doc), width, height, doc.m_fZoom));
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST(ViewScale, WideBoxIsFittedToTheWidthWithTheSameMetresPerPixelOnBothAxes)
{
    // a = 5000, b = 1250, aspect 2: 0.16 pixels per metre.
    const ViewScale scale = ComputeViewScale({0, 0, 0, 0, 4000, 1000}, 800, 400, 1.0f);
    EXPECT_EQ(scale.fViewWidth, 5000.0f);
    EXPECT_EQ(scale.fViewHeight, 2500.0f);
}

TEST(ViewScale, TallBoxIsFittedToTheHeight)
{
    const ViewScale scale = ComputeViewScale({0, 0, 0, 0, 1000, 4000}, 800, 400, 1.0f);
    EXPECT_EQ(scale.fViewWidth, 10000.0f);
    EXPECT_EQ(scale.fViewHeight, 5000.0f);
}

TEST(ViewScale, ZoomDividesBothSides)
{
    const ViewScale scale = ComputeViewScale({0, 0, 0, 0, 4000, 1000}, 800, 400, 2.0f);
    EXPECT_EQ(scale.fViewWidth, 2500.0f);
    EXPECT_EQ(scale.fViewHeight, 1250.0f);
}

TEST_F(Projection, BoxCentreLiesOnTheCentreOfTheMapArea)
{
    EXPECT_EQ(Make().ProjectToView(0, 0), (ViewPoint{0, -(400 / 16)}));
    doc.m_b3DView = true;
    EXPECT_EQ(Make().ProjectToView(0, 0), (ViewPoint{0, -(400 / 4) - (400 / 16)}));
}

TEST_F(Projection, EastIsRightAndNorthIsUpTruncatedTowardZero)
{
    const ViewProjection projection = Make();
    // 0.01 degree = 1111.37 m = 177.8 pixels; 0.005 degree = 555.7 m = 88.9 pixels.
    EXPECT_EQ(projection.ProjectToView(0, 0.01f), (ViewPoint{177, -25}));
    EXPECT_EQ(projection.ProjectToView(0, -0.01f), (ViewPoint{-177, -25}));
    EXPECT_EQ(projection.ProjectToView(0.005f, 0), (ViewPoint{0, -88 - 25}));
    EXPECT_EQ(projection.ProjectToView(-0.005f, 0), (ViewPoint{0, 88 - 25}));
}

TEST_F(Projection, AcrossThe180thMeridianEastStaysRight)
{
    // The same box, moved onto the meridian: 180.01 east is -179.99.
    doc.m_fMinLon = 179.982f;
    doc.m_fMaxLon = 180.018f;
    doc.m_fCenterLon = 180;
    const ViewProjection projection = Make();
    EXPECT_EQ(projection.ProjectToView(0, -179.99f).x, 177);
    EXPECT_EQ(projection.ProjectToView(0, 179.99f).x, -177);
}

TEST_F(Projection, ZoomMagnifiesAroundTheCentre)
{
    doc.m_fZoom = 1.5f;
    // 1111.37 m at 0.24 pixels per metre.
    EXPECT_EQ(Make().ProjectToView(0, 0.01f), (ViewPoint{266, -25}));
}

TEST_F(Projection, DepthScaleKeepsTheFarEdgeAndWidensTheNearEdgeByAQuarter)
{
    doc.m_b3DView = true;
    const ViewProjection projection = Make();
    // The near edge lies at 80 - 125 = -45, the far edge at -80 - 125 = -205.
    EXPECT_EQ(projection.ProjectToView(-0.0045f, -0.018f).y, -45);
    EXPECT_EQ(projection.ProjectToView(0.0045f, 0.018f).y, -205);
    EXPECT_EQ(projection.DepthScale(100, -205), 100);
    EXPECT_EQ(projection.DepthScale(100, -45), 125);
    EXPECT_EQ(projection.DepthScale(-100, -45), -125);
    EXPECT_EQ(projection.DepthScale(100, -125), 112);  // halfway: 1.125, truncated
}

TEST_F(Projection, TransformThreeDSqueezesTheGroundAndRaisesByAltitude)
{
    doc.m_b3DView = true;
    const ViewProjection projection = Make();
    // ySouth = -44; the far corner's ground y is -205 + 161 / 2 = -125, so the depth is 82.
    // Projected (177, -125): x3 = 177 * 1.125 = 199, ground y = -125 + 81 / 2 = -85;
    // 1000 ft raise 1000 * 0.3048 * 82 / 1000 * 4 * 0.5 = 49.99, truncated to 49.
    const Point3D point = projection.Transform3D(0, 0.01f, 1000);
    EXPECT_EQ(point.ground, (ViewPoint{199, -85}));
    EXPECT_EQ(point.raised, (ViewPoint{199, -134}));
    EXPECT_EQ(projection.Transform3D(0, 0.01f, 0).raised, (ViewPoint{199, -85}));
}

TEST_F(Projection, MatchesTheGreatCircleFormulaExactly)
{
    // The projection takes the centre's sine and cosine once; every result
    // must still be the one the great-circle distance itself gives.
    doc.m_fCenterLat = 47.4512f;
    doc.m_fCenterLon = -122.3077f;
    doc.m_fWidth = 23456.7f;
    doc.m_fHeight = 12345.6f;
    const ViewRect client{0, 0, 1600, 1000};
    const ViewScale scale = ComputeViewScale(ViewBoxOf(doc), 1600, 1000, 1.0f);
    const ViewProjection projection(doc, client, scale);
    std::mt19937 random(7);
    std::uniform_real_distribution<float> spread(-0.2f, 0.2f);
    for (int i = 0; i < 20000; ++i) {
        const float lat = doc.m_fCenterLat + spread(random);
        const float lon = doc.m_fCenterLon + spread(random);
        const double dx = GreatCircleDistance(doc.m_fCenterLat, doc.m_fCenterLon, doc.m_fCenterLat, lon);
        const double dy = GreatCircleDistance(doc.m_fCenterLat, doc.m_fCenterLon, lat, doc.m_fCenterLon);
        int x = static_cast<int>(dx * (1600 / scale.fViewWidth));
        int y = static_cast<int>(dy * (1000 / scale.fViewHeight));
        if (doc.m_fCenterLon > lon)
            x = -x;
        if (doc.m_fCenterLat < lat)
            y = -y;
        ASSERT_EQ(projection.ProjectToView(lat, lon), (ViewPoint{x, y - 1000 / 16})) << lat << " " << lon;
    }
}

TEST_F(Projection, CoordinatesSaturateAtAnyZoom)
{
    doc.m_fZoom = 1e30f;
    const ViewProjection deep = Make();
    EXPECT_EQ(deep.ProjectToView(0, 0.01f).x, kCoordinateLimit);
    EXPECT_EQ(deep.ProjectToView(0, -0.01f).x, -kCoordinateLimit);
    EXPECT_EQ(deep.ProjectToView(0.005f, 0).y, -kCoordinateLimit - 25);
    doc.m_b3DView = true;
    const Point3D raised = Make().Transform3D(0.001f, 0.01f, 30000);
    EXPECT_GE(raised.raised.y, -3 * kCoordinateLimit);
    EXPECT_LE(std::abs(raised.ground.x), kCoordinateLimit);

    // Zoomed to infinity, or to nothing, every point still has a position.
    for (const float zoom : {std::numeric_limits<float>::infinity(), 0.0f}) {
        doc.m_fZoom = zoom;
        const ViewPoint p = Make().ProjectToView(0.001f, 0.01f);
        EXPECT_LE(std::abs(p.x), kCoordinateLimit);
        EXPECT_LE(std::abs(p.y), kCoordinateLimit + 200);
    }
}

TEST(SaturatedCoordinate, TruncatesTowardZeroWithinTheLimit)
{
    EXPECT_EQ(SaturatedCoordinate(2.9), 2);
    EXPECT_EQ(SaturatedCoordinate(-2.9), -2);
    EXPECT_EQ(SaturatedCoordinate(1e300), kCoordinateLimit);
    EXPECT_EQ(SaturatedCoordinate(-1e300), -kCoordinateLimit);
    EXPECT_EQ(SaturatedCoordinate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ClampedCoordinate(1LL << 40), kCoordinateLimit);
}

TEST(ViewBox, OnePositionGetsABoxOfOneHundredMetresAroundIt)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    AddPath(doc, {SampleAt(47.5f, 8.5f, 1000), SampleAt(47.5f, 8.5f, 1200)});
    doc.RecalcExtents();
    const ViewBox box = ViewBoxOf(doc);
    EXPECT_EQ(box.fWidth, 100.0f);
    EXPECT_EQ(box.fHeight, 100.0f);
    EXPECT_NEAR(GreatCircleDistance(box.fMinLat, 8.5, box.fMaxLat, 8.5), 100, 0.5);
    EXPECT_NEAR(GreatCircleDistance(box.fMinLat, box.fMinLon, box.fMinLat, box.fMaxLon), 100, 0.5);

    // At 800 x 400 the 125 m box fills the height: 3.2 pixels per metre. The
    // sample sits on the centre, and 200 ft up is raised by a finite amount.
    const ViewRect client{0, 0, 800, 400};
    const ViewScale scale = ComputeViewScale(box, 800, 400, 1.0f);
    EXPECT_EQ(scale.fViewHeight, 125.0f);
    doc.m_b3DView = true;
    const ViewProjection projection(doc, client, scale);
    const Point3D low = projection.Transform3D(47.5f, 8.5f, 1000);
    const Point3D high = projection.Transform3D(47.5f, 8.5f, 1200);
    EXPECT_EQ(low.ground.x, 0);
    EXPECT_EQ(low.raised, low.ground);
    EXPECT_LT(high.raised.y, low.raised.y);
    EXPECT_GT(high.raised.y, -400);
}

TEST(ViewBox, OneLatitudeKeepsItsWidthAndGetsOneHundredMetresOfHeight)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    AddPath(doc, {SampleAt(47.5f, 8.5f), SampleAt(47.5f, 8.6f)});
    doc.RecalcExtents();
    const ViewBox box = ViewBoxOf(doc);
    EXPECT_EQ(box.fWidth, doc.m_fWidth);
    EXPECT_EQ(box.fMinLon, doc.m_fMinLon);
    EXPECT_EQ(box.fMaxLon, doc.m_fMaxLon);
    EXPECT_EQ(box.fHeight, 100.0f);
    EXPECT_LT(box.fMinLat, 47.5f);
    EXPECT_GT(box.fMaxLat, 47.5f);
}

TEST_F(Projection, OnlyASideOfNoLengthFallsBackToOneHundredMetres)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // The scale at 800 x 400 (aspect 2) of the box with its margin of 1.25.
    const struct {
        const char* name;
        float width, height;          // the document's box, metres
        float boxWidth, boxHeight;    // the box the view fits
        float viewWidth, viewHeight;  // metres across the window
    } rows[] = {
        // a = 50, b = 37.5: fitted to the height, 10.67 pixels per metre.
        {"apron path of 40 m by 30 m keeps its size", 40, 30, 40, 30, 75, 37.5f},
        // a = 125, b = 37.5: fitted to the width.
        {"zero width becomes 100 m", 0, 30, 100, 30, 125, 62.5f},
        {"no number becomes 100 m", nan, nan, 100, 100, 250, 125},
        {"one latitude keeps its width", 4000, 0, 4000, 100, 5000, 2500},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        doc.m_fWidth = row.width;
        doc.m_fHeight = row.height;
        const ViewBox box = ViewBoxOf(doc);
        EXPECT_EQ(box.fWidth, row.boxWidth);
        EXPECT_EQ(box.fHeight, row.boxHeight);
        const ViewScale scale = ComputeViewScale(box, 800, 400, 1.0f);
        EXPECT_EQ(scale.fViewWidth, row.viewWidth);
        EXPECT_EQ(scale.fViewHeight, row.viewHeight);
    }
}

TEST(ViewCommands, ZoomInThenOutLeavesNinetyNineHundredthsAndDriftsThePan)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.m_nOffsetX = 100;
    doc.m_nOffsetY = -3;
    OnZoomIn(doc, ui);
    EXPECT_EQ(doc.m_fZoom, 1.5f);
    EXPECT_EQ(doc.m_nOffsetX, 125);
    EXPECT_EQ(doc.m_nOffsetY, -3);  // -3 integer-quarter is 0
    OnZoomOut(doc, ui);
    EXPECT_EQ(doc.m_fZoom, 1.5f * 0.66f);
    EXPECT_NEAR(doc.m_fZoom, 0.99, 1e-6);
    EXPECT_EQ(doc.m_nOffsetX, 94);  // 125 - 31
    EXPECT_EQ(doc.m_nOffsetY, -3);
    EXPECT_EQ(ui.redraws, 2);
}

TEST(ViewCommands, ResetViewRestoresZoomAndPanExactly)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.m_nOffsetX = -977;
    doc.m_nOffsetY = 4242;
    for (int i = 0; i < 7; ++i)
        OnZoomOut(doc, ui);
    OnZoomIn(doc, ui);
    doc.OnResetView();
    EXPECT_EQ(doc.m_fZoom, 1.0f);
    EXPECT_EQ(doc.m_nOffsetX, 0);
    EXPECT_EQ(doc.m_nOffsetY, 0);
    EXPECT_EQ(ui.redraws, 9);
}

TEST(ViewCommands, ThreeDViewTwiceReturnsToTheOverheadViewWithZoomAndPanKept)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.m_fZoom = 2.25f;
    doc.m_nOffsetX = 12;
    On3DView(doc, ui);
    EXPECT_TRUE(doc.m_b3DView);
    On3DView(doc, ui);
    EXPECT_FALSE(doc.m_b3DView);
    EXPECT_EQ(doc.m_fZoom, 2.25f);
    EXPECT_EQ(doc.m_nOffsetX, 12);
    EXPECT_EQ(ui.redraws, 2);
}

TEST(ViewCommands, EndlessZoomingInKeepsThePanWithinTheLimit)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.m_nOffsetX = 1000;
    doc.m_nOffsetY = -1000;
    for (int i = 0; i < 300; ++i)
        OnZoomIn(doc, ui);
    EXPECT_EQ(doc.m_nOffsetX, kCoordinateLimit);
    EXPECT_EQ(doc.m_nOffsetY, -kCoordinateLimit);
    EXPECT_TRUE(std::isinf(doc.m_fZoom));
}
