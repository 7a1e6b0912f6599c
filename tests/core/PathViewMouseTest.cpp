// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/RecordingCanvas.h"
#include "view/PathView.h"
#include "view/ViewProjection.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class PathViewMouse : public ::testing::Test {
protected:
    static constexpr int W = 800;
    static constexpr int H = 600;

    void SetUp() override
    {
        AddPath(doc, {SampleAt(47.5f, 8.5f, 1000), SampleAt(47.502f, 8.504f, 1500),
                      SampleAt(47.504f, 8.508f, 1200)});
        AddPath(doc, {SampleAt(47.51f, 8.49f, 900), SampleAt(47.52f, 8.51f, 2000)});
        doc.RecalcExtents();
    }

    void Paint()
    {
        RecordingCanvas canvas;
        view.OnDraw(canvas, W, H);
        ui.redraws = 0;
    }

    // Where sample j appears in the client area.
    ViewPoint Client(int j) const
    {
        const PathSample& s = doc.m_samples[j];
        return {s.m_nScreenX + W / 2 + doc.m_nOffsetX, s.m_nScreenY + H / 2 + doc.m_nOffsetY};
    }

    // A right click; returns whether the point menu opened, recording the mark it showed.
    bool RightClick(ViewPoint point)
    {
        bool bOpened = false;
        view.OnRButtonUp(point, [&] {
            bOpened = true;
            bMarkedWhileOpen = doc.m_samples[doc.m_nSelSample].m_bMarked;
            redrawsBeforeMenu = ui.redraws;
        });
        return bOpened;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    PathView view{doc, ui};
    bool bMarkedWhileOpen = false;
    int redrawsBeforeMenu = 0;
};

ViewPoint Moved(ViewPoint p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

}  // namespace

TEST_F(PathViewMouse, RightClickThreePixelsAwayPicksTheSampleAndMarksItWhileTheMenuIsOpen)
{
    doc.m_nOffsetX = 30;
    doc.m_nOffsetY = -12;
    Paint();
    EXPECT_TRUE(RightClick(Moved(Client(1), 3, -3)));
    EXPECT_EQ(doc.m_nSelSample, 1);
    EXPECT_TRUE(bMarkedWhileOpen);
    EXPECT_EQ(redrawsBeforeMenu, 1);
    EXPECT_FALSE(doc.m_samples[1].m_bMarked);
    EXPECT_EQ(ui.redraws, 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PathViewMouse, RightClickFourPixelsAwayOnEitherAxisFindsNothing)
{
    Paint();
    for (const ViewPoint miss : {Moved(Client(1), 4, 0), Moved(Client(1), 0, -4), Moved(Client(1), -4, 3)}) {
        ui.messages.clear();
        EXPECT_FALSE(RightClick(miss));
        ASSERT_EQ(ui.Texts(), std::vector<std::string>{"No Point Found!"});
        EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    }
    EXPECT_EQ(doc.m_nSelSample, 0);
    EXPECT_EQ(ui.redraws, 0);
}

TEST_F(PathViewMouse, OfTwoSamplesUnderTheCursorTheLowerIndexWins)
{
    doc.m_samples[4] = doc.m_samples[3] = doc.m_samples[1];
    doc.RecalcExtents();
    Paint();
    ASSERT_EQ(Client(4), Client(1));
    EXPECT_TRUE(RightClick(Client(4)));
    EXPECT_EQ(doc.m_nSelSample, 1);
}

TEST_F(PathViewMouse, SampleOfNoPathKeepsItsLastPositionAndCanStillBePicked)
{
    Paint();
    const ViewPoint whereItWas = Client(0);
    doc.m_paths[0].m_nFirstSample = 1;  // as Delete to Start leaves it
    doc.RecalcExtents();
    Paint();
    EXPECT_TRUE(RightClick(whereItWas));
    EXPECT_EQ(doc.m_nSelSample, 0);
}

TEST_F(PathViewMouse, SampleWithImpossibleNumbersIsNeitherPickedNorTheReadoutsOrigin)
{
    Paint();
    const ViewPoint whereItWas = Client(0);
    doc.m_samples[0].m_fLon = 350;
    doc.RecalcExtents();
    Paint();
    EXPECT_FALSE(RightClick(whereItWas));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No Point Found!"});
    // The reference point lies on the first sample that holds only possible numbers.
    view.OnMouseMove(Client(1));
    EXPECT_EQ(ui.panes[1], "X: 0.0 Y: 0.0");
}

TEST_F(PathViewMouse, ThreeDPicksTheRaisedMarkerNotTheGroundPoint)
{
    doc.m_b3DView = true;
    Paint();
    // Sample 4 flies 1100 ft above the lowest one, well above its foot.
    const PathSample& high = doc.m_samples[4];
    const ViewRect client{0, 0, W, H};
    const ViewProjection projection(doc, client, ComputeViewScale(ViewBoxOf(doc), W, H, doc.m_fZoom));
    const Point3D point = projection.Transform3D(high.m_fLat, high.m_fLon, high.m_fAlt);
    ASSERT_GT(point.ground.y - point.raised.y, 20);
    EXPECT_FALSE(RightClick({point.ground.x + W / 2, point.ground.y + H / 2}));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No Point Found!"});
    EXPECT_TRUE(RightClick({point.raised.x + W / 2, point.raised.y + H / 2}));
    EXPECT_EQ(doc.m_nSelSample, 4);
}

TEST_F(PathViewMouse, BeforeTheFirstPaintNothingIsPickedAndNothingMoves)
{
    EXPECT_FALSE(RightClick({W / 2, H / 2}));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No Point Found!"});
    view.OnLButtonUp({10, 10});
    EXPECT_EQ(doc.m_nOffsetX, 0);
    EXPECT_EQ(doc.m_nOffsetY, 0);
    view.OnMouseMove({0, 0});
    EXPECT_EQ(ui.panes.count(1), 1u);
    EXPECT_EQ(ui.panes[1], "");
}

TEST_F(PathViewMouse, RightClickWithoutPathsFindsNothing)
{
    Paint();
    doc.OnNewDocument();
    ui.messages.clear();
    EXPECT_FALSE(RightClick({W / 2, H / 2}));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No Point Found!"});
}

TEST_F(PathViewMouse, LeftClickBringsTheClickedSpotToTheCentreOfTheMapArea)
{
    Paint();
    const ViewPoint centre{W / 2, H / 2 - H / 16};
    view.OnLButtonUp(centre);
    EXPECT_EQ(doc.m_nOffsetX, 0);
    EXPECT_EQ(doc.m_nOffsetY, 0);
    view.OnLButtonUp({centre.x + 10, centre.y - 7});
    EXPECT_EQ(doc.m_nOffsetX, -10);
    EXPECT_EQ(doc.m_nOffsetY, 7);
    EXPECT_EQ(ui.redraws, 2);

    // After repainting, what was clicked lies on the centre.
    const ViewPoint before = Client(2);
    view.OnLButtonUp(before);
    Paint();
    EXPECT_EQ(Client(2), centre);
}

TEST_F(PathViewMouse, ReadoutIsZeroOverTheFirstSampleAndCountsMetresWithTheXScale)
{
    Paint();
    view.OnMouseMove(Client(0));
    EXPECT_EQ(ui.panes[1], "X: 0.0 Y: 0.0");

    // scale = width / span of drawn x, in metres per pixel; up is north.
    const float scale = doc.m_fWidth / static_cast<float>(view.m_nMaxScreenX - view.m_nMinScreenX);
    view.OnMouseMove(Moved(Client(0), 100, -50));
    char expected[64];
    std::snprintf(expected, sizeof expected, "X: %.1f Y: %.1f", 100 * scale, 50 * scale);
    EXPECT_EQ(ui.panes[1], expected);
}

TEST_F(PathViewMouse, ReadoutStaysOutsideTheClientWidthAndWithoutACurrentPath)
{
    Paint();
    ui.panes[1] = "before";
    view.OnMouseMove({W + 1, 10});
    view.OnMouseMove({-1, 10});
    EXPECT_EQ(ui.panes[1], "before");
    view.OnMouseMove({W, 10000});  // no test on y
    EXPECT_NE(ui.panes[1], "before");
    ui.panes[1] = "before";
    doc.m_nCurPath = -1;
    view.OnMouseMove({10, 10});
    EXPECT_EQ(ui.panes[1], "before");
}

TEST_F(PathViewMouse, PointInfoOfTheFirstSampleShowsSecondsZeroAndTheReference)
{
    Paint();
    doc.m_nCurPath = 0;
    ASSERT_TRUE(RightClick(Client(0)));
    view.OnPointInfo();
    EXPECT_EQ(ui.LastText(), "Seconds: 0, Altitude: 1000, Reference Altitude: 1000\n"
                             "Latitude: 47.500000 Longitude: 8.500000\n"
                             "Meters from Reference - X: 0.00 Y: 0.00");
    EXPECT_EQ(ui.messages.back().kind, UserInterface::MessageKind::Information);
}

TEST_F(PathViewMouse, PointInfoTakesTheReferenceAltitudeFromTheCurrentPath)
{
    Paint();
    doc.m_nSelSample = 2;
    doc.m_nCurPath = 1;  // lowest altitude 900 ft
    view.OnPointInfo();
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Seconds: 2, Altitude: 1200, Reference Altitude: 900\n"
                  "Latitude: %.6f Longitude: %.6f\nMeters from Reference - X: %.2f Y: %.2f",
                  doc.m_samples[2].m_fLat, doc.m_samples[2].m_fLon, doc.m_samples[2].m_fX,
                  doc.m_samples[2].m_fY);
    EXPECT_EQ(ui.LastText(), expected);
}
