// SPDX-License-Identifier: GPL-3.0-or-later
// What the paints do not show: other boxes and centres, the fallback box, and
// the view commands (zoom out is in the path view's). One degree is 111137 m.
#include "view/ViewProjection.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/TempDir.h"
#include "view/PathView.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ViewProjection, ProjectsDistancesFromTheBoxCentreAtTheScaleThatFitsTheBox)
{
    const struct {
        const char* name;
        float centreLat, centreLon, width, height;  // a box of these metres, painted at 800 x 400
        bool b3D;
        float lat, lon;
        ViewPoint expected;  // lifted by 400 / 16, in 3D by 400 / 4 more
    } rows[] = {
        // Fitted to the width: 0.16 pixels a metre; 750.8 m east along the parallel, 1111.2 m north.
        {"north-east at 47.5 N", 47.5f, 8.5f, 4000, 1000, false, 47.51f, 8.51f, {120, -177 - 25}},
        // Fitted to the height: 0.08 pixels a metre, 1111.4 m.
        {"tall box", 0, 0, 1000, 4000, false, -0.01f, 0.01f, {88, 88 - 25}},
        {"east across the 180th meridian is still right", 0, 180, 1000, 4000, false, 0, -179.99f, {88, -25}},
        // 100 m high at 0.0064 pixels a metre: no depth to widen by, so x stays 11114 m * 0.0064.
        {"3D box without pixel depth", 0, 0, 100000, 0, true, 0, 0.1f, {71, -100 - 25}},
    };
    FakeUserInterface ui;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CVolantorDoc doc(ui);
        doc.m_fCenterLat = doc.m_fMinLat = doc.m_fMaxLat = row.centreLat;
        doc.m_fCenterLon = doc.m_fMinLon = doc.m_fMaxLon = row.centreLon;
        doc.m_fWidth = row.width;
        doc.m_fHeight = row.height;
        const ViewProjection projection(doc, row.b3D, {0, 0, 800, 400},
                                        ComputeViewScale(ViewBoxOf(doc), 800, 400, 1));
        const ViewPoint p = projection.ProjectToView(row.lat, row.lon);
        EXPECT_EQ(row.b3D ? projection.Transform3D(p, 0).raised : p, row.expected);
    }
}

TEST(ViewProjection, BoxWithASideOfNoLengthOrNoNumberGetsOneHundredMetresThere)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);  // one position at 60 N, 0 E
    doc.m_fMinLat = doc.m_fCenterLat = 60;
    doc.m_fWidth = std::nanf("");
    const ViewBox box = ViewBoxOf(doc);
    EXPECT_EQ(box.fWidth + box.fHeight, 200);
    EXPECT_NEAR(box.fMaxLat - 60, 0.00044990, 1e-6);  // 50 m of 111137 m a degree
    EXPECT_NEAR(box.fMinLon, -0.00089979, 1e-6);      // and of half that at 60 N
}

TEST(ViewCommands, ZoomInGrowsTheScaleByHalfAndThePanByAQuarterAnd3DViewToggles)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    PathView view(doc, ui);
    ViewState& state = view.State();
    state.m_nOffsetX = 100;
    state.m_nOffsetY = -3;  // whose quarter is 0
    view.OnZoomIn();
    view.On3DView();
    EXPECT_EQ((ViewPoint{state.m_nOffsetX, state.m_nOffsetY}), (ViewPoint{125, -3}));
    EXPECT_EQ(state.m_fZoom, 1.5f);
    EXPECT_TRUE(state.m_b3DView);
    EXPECT_EQ(ui.redraws, 2);
    doc.OnNewDocument();  // a fresh document is shown whole, still in 3D
    EXPECT_TRUE(view.State().m_fZoom == 1 && view.State().m_nOffsetX == 0 && view.State().m_b3DView);
    TempDir dir;
    AddPath(doc, {SampleAt(47, 8)});
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.vol")));
    view.OnZoomIn();
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("a.vol")));  // and so is one opened
    EXPECT_EQ(view.State().m_fZoom, 1);
}
