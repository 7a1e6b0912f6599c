// SPDX-License-Identifier: GPL-3.0-or-later
// The path view: whole paints as the calls a recording canvas logs, and the
// mouse, which works on where the last paint drew the samples.
#include "view/PathView.h"
#include "document/Preferences.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Writes each call into one line, "; " after each, and the labels alone into
// another; its font is six pixels a character and thirteen high.
class RecordingCanvas : public Canvas {
public:
    std::string log, labels;

    void SelectPen(Rgb c) override { Add("pen " + Name(c)); }
    void SelectBrush(Rgb c) override { Add("brush " + Name(c)); }
    void MoveTo(int x, int y) override { Add("move " + Xy(x, y)); }
    void LineTo(int x, int y) override { Add("line " + Xy(x, y)); }
    void FillRect(const ViewRect& r, Rgb c) override { Add("fill " + Box(r) + " " + Name(c)); }
    void FrameRect(const ViewRect& r, Rgb c) override { Add("frame " + Box(r) + " " + Name(c)); }
    void Ellipse(const ViewRect& r) override { Add("ellipse " + Box(r)); }
    void SetTextColours(Rgb text, Rgb back) override { Add("colours " + Name(text) + " on " + Name(back)); }
    TextExtent GetTextExtent(std::string_view s) override { return {static_cast<int>(s.size()) * 6, 13}; }
    void TextOut(int x, int y, std::string_view s) override
    {
        Add("text " + Xy(x, y) + " " + std::string(s));
        labels += std::string(s) + " ";
    }
    void SelectClipRect(const ViewRect& r) override { Add("clip " + Box(r)); }
    void SelectNoClip() override { Add("noclip"); }
    void SetWindowOrigin(int x, int y) override { Add("origin " + Xy(x, y)); }

private:
    void Add(const std::string& call) { log += call + "; "; }
    static std::string Xy(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string Box(const ViewRect& r) { return Xy(r.left, r.top) + "," + Xy(r.right, r.bottom); }
    static std::string Name(Rgb c)
    {
        const std::string rgb = Xy(c.r, c.g) + "," + std::to_string(c.b) + " ";
        for (const std::string named : {"0,0,240 blue", "128,128,128 gray", "192,192,192 silver",
                                        "0,128,48 dgreen", "0,192,64 green", "240,0,0 red", "0,0,0 black"})
            if (named.starts_with(rgb))
                return named.substr(rgb.size());
        return rgb;
    }
};

// Two paths in a box 4000 m by 1000 m on the equator, painted at 800 x 600: 0.16 pixels a metre,
// 111137 m a degree, lifted 600 / 16 = 37. The samples lie at x -320, -160, 0 | 160, (none), 240,
// 320 and y 43, -37, -117 | -37, -77, -117; the client area adds (400, 300) and the pan.
class PathViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultPreferences();
        AddPath(doc, {SampleAt(-0.0045f, -0.018f, 0), SampleAt(0, -0.009f, 500), SampleAt(0.0045f, 0, 250)});
        AddPath(doc, {SampleAt(0, 0.009f, 100), SampleAt(0.0045f, 0.0135f, std::nanf("")),
                      SampleAt(0.00225f, 0.0135f, 700), SampleAt(0.0045f, 0.018f, 1340)});
        doc.RecalcExtents();
        doc.m_fWidth = 4000;  // rounded from 4001 and 1001 m, for round pixels
        doc.m_fHeight = 1000;
    }
    void TearDown() override { SetDefaultPreferences(); }

    void Segment(int j, int k, int e)
    {
        std::tie(doc.m_samples[j].m_nSegKind, doc.m_samples[j].m_nSegEnd) = std::pair(k, e);
    }
    const std::string& Paint(int width = 800, int height = 600)
    {
        canvas = {};
        view.OnDraw(canvas, width, height);
        return canvas.log;
    }
    // The sample a right click picked and showed marked while its menu was open; -1 when it found none.
    int RightClick(int x, int y)
    {
        int hit = -1;
        view.OnRButtonUp({x, y},
                         [&] { hit = state().IsMarked(state().m_nSelSample) ? state().m_nSelSample : -2; });
        return hit;
    }

    ViewState& state() { return view.State(); }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    PathView view{doc, ui};
    RecordingCanvas canvas;
};

}  // namespace

TEST_F(PathViewTest, OverheadPaintsHeaderAreasPathsMarkersThenTheLegendOfTheCurrentPath)
{
    Segment(0, 2, 12345);  // a move (kind 2) to a sample that does not exist draws only its start,
    Segment(1, 1, 0);      // a hold is outlined with the pen last selected,
    Segment(3, 2, 6);
    Segment(4, 1, 0);  // a sample without a place has no marker,
    Segment(5, 2, 4);  // and a move to it only its start
    view.MarkSamples({5});
    std::tie(g_nTimeGraySpacing, g_nTimeBlueSpacing, g_nAltGraySpacing) = std::tuple(2, 1, 400);
    // Header areas 0, 0.05 and 0.1 degrees around the box, their corners a pixel outside; the
    // first sample hollow, the ends 6 pixels wide, the others 2; the current path blue.
    EXPECT_EQ(Paint(),
              "origin -400,-300; clip 0,0,800,525; pen gray; move -321,44; line 321,44; line 321,-118; "
              "line -321,-118; line -321,44; move -1210,933; line 1210,933; line 1210,-1007; "
              "line -1210,-1007; line -1210,933; move -2099,1822; line 2099,1822; line 2099,-1896; "
              "line -2099,-1896; line -2099,1822; pen gray; move -320,43; frame -323,40,-317,46 silver; "
              "line -160,-37; fill -161,-38,-159,-36 silver; line 0,-117; fill -3,-120,3,-114 silver; "
              "brush red; frame -323,40,-317,46 red; pen red; ellipse -164,-41,-156,-33; pen blue; "
              "move 160,-37; frame 157,-40,163,-34 blue; line 240,-77; frame 239,-78,241,-76 blue; "
              "frame 236,-81,244,-73 dgreen; line 320,-117; fill 317,-120,323,-114 blue; brush red; "
              "frame 157,-40,163,-34 red; pen red; move 160,-37; line 320,-117; "
              "frame 317,-120,323,-114 red; frame 237,-80,243,-74 red; pen red; noclip; "
              // The legend of the current path, samples 3 to 6 and 100 to 1340 ft: "999999ft" is 48 by
              // 13, so the plot spans x 52 to 800, 249.3 pixels a sample, and y 542 to 598, 0.045
              // pixels a foot. The profile leaves out the last sample and the one without altitude.
              "origin 0,0; colours black on silver; fill 0,525,52,600 silver; "
              "fill 52,525,800,542 silver; pen black; move 52,541; line 800,541; move 52,541; "
              "line 52,599; pen gray; move 551,542; line 551,598; pen blue; move 302,542; line 302,598; "
              "text 296,527 4s; move 551,542; line 551,598; text 545,527 5s; pen gray; move 53,598; "
              "line 800,598; move 53,579; line 800,579; move 53,561; line 800,561; move 53,543; "
              "line 800,543; pen blue; move 53,575; line 800,575; text 18,569 500ft; move 53,552; "
              "line 800,552; text 12,546 1000ft; pen green; move 53,598; fill 52,597,54,599 black; "
              "line 551,570; fill 550,569,552,571 black; frame 547,566,555,574 dgreen; ");
    EXPECT_EQ(view.m_fViewWidth, 5000);
    EXPECT_EQ(Paint(0, 600) + Paint(800, 0), "");
    EXPECT_NE(Paint(800, 1), "");  // a single row of pixels is still painted
    doc.m_nCurPath = -1;
    EXPECT_TRUE(Paint().ends_with("noclip; origin 0,0; "));
    doc.OnNewDocument();
    EXPECT_EQ(Paint(), "");
}

TEST_F(PathViewTest, ThreeDPaintsTheGroundBoxAndRaisedBlackPathsWithGrayDropLines)
{
    state().m_b3DView = true;
    state().m_nOffsetX = 30;  // drawn moved by the pan, stored without it
    state().m_nOffsetY = -12;
    Segment(1, 2, 6);              // a move to a sample of the other path, projected afresh
    doc.m_samples[2].m_fLat = 95;  // off the globe
    view.MarkSamples({6});
    // Lifted 150 more: the box's near edge at y -107, its far edge -267, the ground squeezed to half that
    // depth (82) and widened by a quarter at the near edge; 500 ft raises 500 * 0.3048 * 82 / 1000 * 2.
    EXPECT_TRUE(Paint().starts_with(
        "origin -400,-300; clip 0,0,800,525; pen gray; move -371,-118; line 431,-118; line 351,-200; "
        "line -291,-200; line -371,-118; pen gray; move -370,-119; line -370,-119; "
        "fill -373,-122,-367,-116 black; pen gray; move -150,-159; line -150,-183; pen black; "
        "move -370,-119; line -150,-183; fill -151,-184,-149,-182 black; brush red; "
        "frame -153,-186,-147,-180 red; pen red; move -150,-183; line 350,-265; "
        "frame 347,-268,353,-262 red; pen gray; move 210,-159; line 210,-163; "
        "fill 207,-166,213,-160 black; pen gray; move 285,-179; line 285,-213; pen black; move 210,-163; "
        "line 285,-213; fill 284,-214,286,-212 black; pen gray; move 350,-199; line 350,-265; pen black; "
        "move 285,-213; line 350,-265; frame 347,-268,353,-262 black; frame 346,-269,354,-261 dgreen; "
        "brush red; noclip; "));
    EXPECT_EQ(state().m_screen[1], (ViewPoint{-180, -171}));
}

TEST_F(PathViewTest, LabelsThatWouldCoverTheOneBeforeAreLeftOut)
{
    // The labels of a current path from sample first on, with every spacing set.
    const auto labels = [&](int first, int count, float minAlt, float maxAlt, int spacing) {
        doc.m_paths.clear();
        doc.m_samples.assign(first, SampleAt(0, 0));
        AddPath(doc, std::vector<PathSample>(count, SampleAt(0, 0)));
        doc.m_paths[0].m_fMinAlt = minAlt;
        doc.m_paths[0].m_fMaxAlt = maxAlt;
        g_nTimeGraySpacing = g_nTimeBlueSpacing = g_nAltGraySpacing = g_nAltBlueSpacing = spacing;
        Paint();
        return canvas.labels;
    };
    EXPECT_EQ(labels(1000, 31, 1000, 1000, 1),  // 30 wide, 24.9 pixels apart
              "1001s 1003s 1005s 1007s 1009s 1011s 1013s 1015s 1017s 1019s 1021s 1023s 1025s 1027s 1029s ");
    // Altitude labels 13 high on lines at y 588, 579, 570, 561, 552 and 543.
    EXPECT_EQ(labels(0, 2, 0, 3100, 500), "500ft 1500ft 2500ft ");
    // An altitude range of no number has no altitude marks; a spacing of 0 no marks.
    EXPECT_EQ(labels(0, 100, std::nanf(""), 1000, 60), "60s ");
    EXPECT_EQ(labels(0, 100, 0, 3100, 0), "");
}

TEST_F(PathViewTest, TheMouseWorksOnWhereTheLastPaintDrewTheSamples)
{
    state().m_nOffsetX = 30;  // sample 0 appears at (110, 331), sample 1 at (270, 251)
    state().m_nOffsetY = -12;
    view.OnLButtonUp({10, 10});  // nothing drawn yet: no spot to centre, no scale
    view.OnMouseMove({0, 0});    // within the empty client area
    EXPECT_EQ(ui.panes.at(1), "");
    Paint();
    // A right click picks the first sample drawn within three pixels and marks it while its menu is open.
    EXPECT_EQ(RightClick(273, 248), 1);
    EXPECT_EQ(RightClick(267, 254), 1);
    EXPECT_EQ(RightClick(274, 251), -1);
    EXPECT_EQ(RightClick(270, 247), -1);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>(2, "No Point Found!"));
    EXPECT_EQ(ui.redraws, 4);  // with the mark and without; a miss draws nothing
    EXPECT_TRUE(state().m_marked.empty());
    // The readout counts metres from sample 0; outside, or without a current path, it stays.
    view.OnMouseMove({110, 331});
    view.OnMouseMove({801, 0});
    doc.m_nCurPath = -1;
    view.OnMouseMove({120, 331});
    EXPECT_EQ(ui.panes[1], "X: 0.0 Y: 0.0");
    view.OnLButtonUp({410, 256});  // 10 right of and 7 above the centre of the map area
    EXPECT_EQ((ViewPoint{state().m_nOffsetX, state().m_nOffsetY}), (ViewPoint{20, -5}));
    EXPECT_EQ(ui.redraws, 5);
    // Zoomed out, the pan drifts to (15, -4) and the samples span -211 to 211, 4000 m: sample 0
    // is at (204, 311), and each pixel 9.48 m.
    view.OnZoomOut();
    doc.m_nCurPath = 1;
    Paint();
    view.OnMouseMove({304, 261});
    EXPECT_EQ(ui.panes[1], "X: 947.9 Y: 473.9");
    doc.m_samples[5] = doc.m_samples[3] = doc.m_samples[0];
    Paint();
    EXPECT_EQ(RightClick(204, 311), 0);  // of samples drawn on one spot the lowest index
    doc.m_samples[0].m_fLon = 350;       // still where it was drawn, but without a place
    EXPECT_EQ(RightClick(204, 311), 3);
    doc.OnNewDocument();
    EXPECT_EQ(RightClick(204, 311), -1);
}

TEST_F(PathViewTest, PointInfoDescribesTheSelectedSampleAgainstTheCurrentPathsLowestAltitude)
{
    doc.m_samples[1].m_fX = 12.5f;
    doc.m_samples[1].m_fY = -3.25f;
    state().m_nSelSample = 1;
    view.OnPointInfo();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Seconds: 1, Altitude: 500, Reference Altitude: 100\n"
                                                   "Latitude: 0.000000 Longitude: -0.009000\n"
                                                   "Meters from Reference - X: 12.50 Y: -3.25"});
    // The first sample is one too; there is none past the last.
    for (const int selected : {0, static_cast<int>(doc.m_samples.size())}) {
        state().m_nSelSample = selected;
        view.OnPointInfo();
    }
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.LastText().starts_with("Seconds: 0, "));
}

TEST_F(PathViewTest, ABoxNarrowedOnlyEastWestIsMeasuredFromItsNewCentre)
{
    Paint();
    doc.m_paths.pop_back();
    doc.m_nCurPath = 0;
    doc.RecalcExtents();  // the centre moves west onto sample 1, its latitude stays
    Paint();
    EXPECT_EQ(state().m_screen[1], (ViewPoint{0, -37}));
}

// The key beside the legend names each replayed path: in one column of 81
// pixels (a 9-pixel swatch, 4, "PATTERN000" 60, 8) while the rows hold them,
// side by side when the panel has room for one row only. Three paths here.
TEST_F(PathViewTest, ReplayKeyNamesEachPath)
{
    doc.m_samples[4].m_fAlt = 100;  // a replay needs numbers a flight can have
    AddPath(doc, {SampleAt(0, 0, 100)});
    view.OnShowReplay();
    EXPECT_NE(Paint().find("fill 719,525,800,600 silver"), std::string::npos) << canvas.log;
    Paint(800, 120);
    EXPECT_NE(canvas.labels.find("PATTERN0 PATTERN1 "), std::string::npos) << canvas.labels;
    // Two rows of one column: the second place counts the two left out.
    Paint(300, 272);
    EXPECT_NE(canvas.labels.find("PATTERN0 +2 more "), std::string::npos) << canvas.labels;
}
