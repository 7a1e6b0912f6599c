// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/RecordingCanvas.h"
#include "view/PathView.h"
#include "view/ViewProjection.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

std::string P(ViewPoint p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string R(const ViewRect& r)
{
    return "(" + P({r.left, r.top}) + ")-(" + P({r.right, r.bottom}) + ")";
}

const std::string kBlue = "0,0,240";
const std::string kGray = "128,128,128";
const std::string kLightGray = "192,192,192";
const std::string kDarkGreen = "0,128,48";
const std::string kRed = "240,0,0";
const std::string kBlack = "0,0,0";

class PathPainter : public ::testing::Test {
protected:
    static constexpr int W = 800;
    static constexpr int H = 600;

    void SetUp() override { SetDefaultPreferences(); }
    void TearDown() override { SetDefaultPreferences(); }

    // A path of samples a few hundred metres apart around 47.5 N, 8.5 E.
    std::vector<PathSample> Track(int count)
    {
        std::vector<PathSample> samples;
        for (int i = 0; i < count; ++i)
            samples.push_back(SampleAt(47.5f + 0.002f * i, 8.5f + 0.004f * i, 1000 + 10.0f * i));
        return samples;
    }

    void Paint()
    {
        canvas.calls.clear();
        view.OnDraw(canvas, W, H);
    }

    // The projection the paint uses, to say where things must be drawn.
    ViewProjection Projection() const
    {
        const ViewRect client{0, 0, W, H};
        return ViewProjection(doc, client, ComputeViewScale(ViewBoxOf(doc), W, H, doc.m_fZoom));
    }
    ViewPoint At(int j) const
    {
        const PathSample& s = doc.m_samples[j];
        return Projection().ProjectToView(s.m_fLat, s.m_fLon);
    }
    ViewPoint Raised(int j) const
    {
        const PathSample& s = doc.m_samples[j];
        return Projection().Transform3D(s.m_fLat, s.m_fLon, s.m_fAlt).raised;
    }
    ViewPoint Ground(int j) const
    {
        const PathSample& s = doc.m_samples[j];
        return Projection().Transform3D(s.m_fLat, s.m_fLon, s.m_fAlt).ground;
    }

    // The calls between the first one equal to from and the next one equal to to, both left out.
    Calls Between(const std::string& from, const std::string& to, int start = 0) const
    {
        const int begin = canvas.Find(from, start);
        EXPECT_GE(begin, 0) << from;
        const int end = canvas.Find(to, begin + 1);
        EXPECT_GE(end, 0) << to;
        return Calls(canvas.calls.begin() + begin + 1, canvas.calls.begin() + end);
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    PathView view{doc, ui};
    RecordingCanvas canvas;
};

ViewPoint Offset(ViewPoint p, int dx, int dy)
{
    return {p.x + dx, p.y + dy};
}

}  // namespace

TEST_F(PathPainter, DocumentWithoutPathsPaintsNothingAndKeepsTheViewMembers)
{
    Paint();
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(view.m_rcClient.IsEmpty());
}

TEST_F(PathPainter, OverheadOrderHeaderAreasThenEachPathWithItsMarkersThenTheLegend)
{
    AddPath(doc, Track(3));
    AddPath(doc, {SampleAt(47.51f, 8.51f, 900)});
    doc.m_nCurPath = 1;
    doc.RecalcExtents();
    Paint();
    const ViewProjection projection = Projection();

    Calls expected{"origin -400,-300", "clip (0,0)-(800,525)", "pen " + kGray};
    for (const float o : {0.0f, 0.05f, 0.1f}) {
        const auto corner = [&](float lat, float lon, int dx, int dy) {
            return P(Offset(projection.ProjectToView(lat, lon), dx, dy));
        };
        expected.push_back("move " + corner(doc.m_fMinLat - o, doc.m_fMinLon - o, -1, 1));
        expected.push_back("line " + corner(doc.m_fMinLat - o, doc.m_fMaxLon + o, 1, 1));
        expected.push_back("line " + corner(doc.m_fMaxLat + o, doc.m_fMaxLon + o, 1, -1));
        expected.push_back("line " + corner(doc.m_fMaxLat + o, doc.m_fMinLon - o, -1, -1));
        expected.push_back("line " + corner(doc.m_fMinLat - o, doc.m_fMinLon - o, -1, 1));
    }
    // The other path: gray line, light gray squares, the first one hollow.
    expected.push_back("pen " + kGray);
    expected.push_back("move " + P(At(0)));
    expected.push_back("frame " + R(SquareAround(At(0), 3)) + " " + kLightGray);
    expected.push_back("line " + P(At(1)));
    expected.push_back("fill " + R(SquareAround(At(1), 1)) + " " + kLightGray);
    expected.push_back("line " + P(At(2)));
    expected.push_back("fill " + R(SquareAround(At(2), 3)) + " " + kLightGray);
    expected.push_back("brush " + kRed);
    // The current path of one sample: one hollow 6 by 6 square in blue, no line.
    expected.push_back("pen " + kBlue);
    expected.push_back("move " + P(At(3)));
    expected.push_back("frame " + R(SquareAround(At(3), 3)) + " " + kBlue);
    expected.push_back("brush " + kRed);
    expected.push_back("no clip");
    expected.push_back("origin 0,0");
    const Calls head(canvas.calls.begin(), canvas.calls.begin() + static_cast<long>(expected.size()));
    EXPECT_EQ(head, expected);
    EXPECT_EQ(SquareAround(At(3), 3).Width(), 6);
}

TEST_F(PathPainter, EverySampleStoresItsPositionWithoutThePan)
{
    AddPath(doc, Track(4));
    doc.RecalcExtents();
    doc.m_nOffsetX = 17;
    doc.m_nOffsetY = -40;
    Paint();
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ((ViewPoint{doc.m_samples[j].m_nScreenX, doc.m_samples[j].m_nScreenY}), At(j));
    }
    // Drawn moved by the pan.
    EXPECT_GE(canvas.Find("fill " + R(SquareAround(Offset(At(1), 17, -40), 1)) + " " + kBlue), 0);
    EXPECT_EQ(view.m_rcClient, (ViewRect{0, 0, W, H}));
}

TEST_F(PathPainter, OverheadSpanOfDrawnXAlwaysContainsZeroAndThreeDLeavesIt)
{
    AddPath(doc, Track(5));
    doc.RecalcExtents();
    Paint();
    EXPECT_EQ(view.m_nMinScreenX, At(0).x);
    EXPECT_EQ(view.m_nMaxScreenX, At(4).x);
    EXPECT_LT(view.m_nMinScreenX, 0);
    EXPECT_GT(view.m_nMaxScreenX, 0);

    doc.m_paths[0].m_nLastSample = 1;  // only samples west of the centre left
    Paint();
    EXPECT_EQ(view.m_nMinScreenX, At(0).x);
    EXPECT_EQ(view.m_nMaxScreenX, 0);

    doc.m_b3DView = true;
    doc.m_paths[0].m_nLastSample = 4;
    Paint();
    EXPECT_EQ(view.m_nMaxScreenX, 0);
}

TEST_F(PathPainter, MarkedSampleIsHollowWithADarkGreenFrameOfEightPixels)
{
    AddPath(doc, Track(3));
    doc.RecalcExtents();
    doc.m_samples[1].m_bMarked = true;
    Paint();
    const std::string line = "line " + P(At(1));
    const int at = canvas.Find(line);
    ASSERT_GE(at, 0);
    EXPECT_EQ(canvas.calls[at + 1], "frame " + R(SquareAround(At(1), 1)) + " " + kBlue);
    EXPECT_EQ(canvas.calls[at + 2], "frame " + R(SquareAround(At(1), 4)) + " " + kDarkGreen);
    EXPECT_EQ(SquareAround(At(1), 4).Width(), 8);
}

TEST_F(PathPainter, HoldIsARedCircleOutlinedWithThePathPenUntilAMoveTurnsThePenRed)
{
    AddPath(doc, Track(6));
    doc.RecalcExtents();
    doc.m_samples[0].m_nSegKind = 1;
    doc.m_samples[0].m_nSegEnd = 2;
    doc.m_samples[2].m_nSegKind = 2;
    doc.m_samples[2].m_nSegEnd = 4;
    doc.m_samples[4].m_nSegKind = 1;
    doc.m_samples[4].m_nSegEnd = 5;
    Paint();
    const Calls markers = Between("brush " + kRed, "no clip");
    const Calls expected{
        "ellipse " + R(SquareAround(At(0), 4)),
        "frame " + R(SquareAround(At(2), 3)) + " " + kRed,
        "pen " + kRed,
        "move " + P(At(2)),
        "line " + P(At(4)),
        "frame " + R(SquareAround(At(4), 3)) + " " + kRed,
        "ellipse " + R(SquareAround(At(4), 4)),
    };
    EXPECT_EQ(markers, expected);
    // The first hold is outlined with the path's blue pen, still selected from its line.
    std::string penAtFirstHold;
    for (int i = 0; i < canvas.Find(markers.front()); ++i) {
        if (canvas.calls[i].starts_with("pen "))
            penAtFirstHold = canvas.calls[i];
    }
    EXPECT_EQ(penAtFirstHold, "pen " + kBlue);
    EXPECT_EQ(SquareAround(At(0), 4).Width(), 8);
}

TEST_F(PathPainter, EachPathsMarkersComeBeforeTheNextPathsLine)
{
    AddPath(doc, Track(2));
    AddPath(doc, {SampleAt(47.49f, 8.49f), SampleAt(47.488f, 8.486f)});
    doc.RecalcExtents();
    doc.m_samples[0].m_nSegKind = 1;
    Paint();
    const int hold = canvas.Find("ellipse " + R(SquareAround(At(0), 4)));
    const int nextPath = canvas.Find("move " + P(At(2)));
    EXPECT_GE(hold, 0);
    EXPECT_GT(nextPath, hold);
    EXPECT_EQ(canvas.calls[nextPath - 1], "pen " + kBlue);
}

TEST_F(PathPainter, MoveWhoseEndLiesOutsideTheSamplesDrawsOnlyItsStart)
{
    AddPath(doc, Track(3));
    doc.RecalcExtents();
    doc.m_samples[1].m_nSegKind = 2;
    doc.m_samples[1].m_nSegEnd = 12345;
    Paint();
    const Calls expected{"frame " + R(SquareAround(At(1), 3)) + " " + kRed, "pen " + kRed};
    EXPECT_EQ(Between("brush " + kRed, "no clip"), expected);
}

TEST_F(PathPainter, SampleWithImpossibleNumbersIsLeftOutAndTheLineJoinsItsNeighbours)
{
    AddPath(doc, Track(3));
    doc.m_samples[1].m_fLon = 350;
    doc.RecalcExtents();
    Paint();
    const Calls expected{"move " + P(At(0)), "frame " + R(SquareAround(At(0), 3)) + " " + kBlue,
                         "line " + P(At(2)), "fill " + R(SquareAround(At(2), 3)) + " " + kBlue};
    EXPECT_EQ(Between("pen " + kBlue, "brush " + kRed), expected);

    doc.m_b3DView = true;
    Paint();
    const Calls path3D = Between("line " + P(Raised(0)), "brush " + kRed);
    EXPECT_EQ(path3D,
              (Calls{"fill " + R(SquareAround(Raised(0), 3)) + " " + kBlack, "pen " + kGray,
                     "move " + P(Ground(2)), "line " + P(Raised(2)), "pen " + kBlack, "move " + P(Raised(0)),
                     "line " + P(Raised(2)), "frame " + R(SquareAround(Raised(2), 3)) + " " + kBlack}));
}

TEST_F(PathPainter, ThreeDDrawsTheGroundBoxThenBlackPathsWithGrayDropLines)
{
    AddPath(doc, Track(3));
    doc.RecalcExtents();
    doc.m_b3DView = true;
    doc.m_samples[2].m_nSegKind = 1;
    Paint();
    const ViewProjection projection = Projection();
    const auto corner = [&](float lat, float lon, int dx, int dy) {
        return P(Offset(projection.GroundPoint(projection.ProjectToView(lat, lon)), dx, dy));
    };
    Calls expected{
        "origin -400,-300",
        "clip (0,0)-(800,525)",
        "pen " + kGray,
        "move " + corner(doc.m_fMinLat, doc.m_fMinLon, -1, 1),
        "line " + corner(doc.m_fMinLat, doc.m_fMaxLon, 1, 1),
        "line " + corner(doc.m_fMaxLat, doc.m_fMaxLon, 1, -1),
        "line " + corner(doc.m_fMaxLat, doc.m_fMinLon, -1, -1),
        "line " + corner(doc.m_fMinLat, doc.m_fMinLon, -1, 1),
        // The first sample: its drop line and a filled square.
        "pen " + kGray,
        "move " + P(Ground(0)),
        "line " + P(Raised(0)),
        "fill " + R(SquareAround(Raised(0), 3)) + " " + kBlack,
        "pen " + kGray,
        "move " + P(Ground(1)),
        "line " + P(Raised(1)),
        "pen " + kBlack,
        "move " + P(Raised(0)),
        "line " + P(Raised(1)),
        "fill " + R(SquareAround(Raised(1), 1)) + " " + kBlack,
        "pen " + kGray,
        "move " + P(Ground(2)),
        "line " + P(Raised(2)),
        "pen " + kBlack,
        "move " + P(Raised(1)),
        "line " + P(Raised(2)),
        // Here the last sample is the hollow one.
        "frame " + R(SquareAround(Raised(2), 3)) + " " + kBlack,
        "brush " + kRed,
        "ellipse " + R(SquareAround(Raised(2), 4)),
        "no clip",
        "origin 0,0",
    };
    const Calls head(canvas.calls.begin(), canvas.calls.begin() + static_cast<long>(expected.size()));
    EXPECT_EQ(head, expected);
    EXPECT_NE(Raised(2), Ground(2));
    for (int j = 0; j < 3; ++j)
        EXPECT_EQ((ViewPoint{doc.m_samples[j].m_nScreenX, doc.m_samples[j].m_nScreenY}), Raised(j));
}

TEST_F(PathPainter, LegendLabelsTimeBySampleIndexAndAltitudeAboveTheLowestSample)
{
    AddPath(doc, Track(300));
    std::vector<PathSample> current = Track(200);
    current[0].m_fAlt = 34.5f;
    current[199].m_fAlt = 900;
    for (int i = 1; i < 199; ++i)
        current[i].m_fAlt = 400;
    AddPath(doc, current);
    doc.RecalcExtents();
    Paint();

    // "999999ft" is 48 by 13: x0 = 52, top = 525, yl = 542, the plot 56 high.
    const Calls panel{"text colours " + kBlack + " on " + kLightGray,
                      "fill (0,525)-(52,600) " + kLightGray,
                      "fill (52,525)-(800,542) " + kLightGray,
                      "pen " + kBlack,
                      "move 52,541",
                      "line 800,541",
                      "move 52,541",
                      "line 52,599",
                      "pen " + kGray};
    const int legend = canvas.Find("origin 0,0");
    EXPECT_EQ(Calls(canvas.calls.begin() + legend + 1, canvas.calls.begin() + legend + 10), panel);

    // tx(k) = 748 / 199 * (k - 300) + 52, truncated, plus 1.
    EXPECT_EQ(canvas.Starting("text "),
              (Calls{"text colours " + kBlack + " on " + kLightGray, "text 266,527 360s", "text 492,527 420s",
                     "text 717,527 480s", "text 18,559 500ft"}));
    const int blueTicks = canvas.Find("pen " + kBlue, legend);
    EXPECT_EQ(canvas.calls[blueTicks + 1], "move 278,542");
    EXPECT_EQ(canvas.calls[blueTicks + 2], "line 278,598");
    // Gray ticks every 10 samples up to the last: 310 to 490.
    const Calls grayTicks = Between("pen " + kGray, "pen " + kBlue, legend);
    EXPECT_EQ(grayTicks.size(), 2u * 19);
    EXPECT_EQ(grayTicks.front(), "move 90,542");

    // The first blue altitude line is at 534 ft: 599 - 499.5 * 56 / 865.5, truncated, minus 1.
    const int altitudeBlue = canvas.Find("pen " + kBlue, blueTicks + 1);
    EXPECT_EQ(canvas.calls[altitudeBlue + 1], "move 53,565");
    EXPECT_EQ(canvas.calls[altitudeBlue + 2], "line 800,565");
    // Gray altitude lines at 34, 134, ... 834 ft, the lowest at 598.
    const Calls grayAltitudes = Between("pen " + kGray, "pen " + kBlue, blueTicks + 1);
    EXPECT_EQ(grayAltitudes.size(), 2u * 9);
    EXPECT_EQ(grayAltitudes.front(), "move 53,598");
}

TEST_F(PathPainter, ProfileLeavesOutTheLastSampleAndPlotsSmallRangesOnOneHundredFeet)
{
    std::vector<PathSample> samples = Track(3);
    samples[0].m_fAlt = 1000;
    samples[1].m_fAlt = 1040;
    samples[2].m_fAlt = 1020;
    AddPath(doc, samples);
    doc.RecalcExtents();
    doc.m_samples[1].m_bMarked = true;
    Paint();
    // tx: 748 / 2 per sample; ay(1040) = 599 - 40 * 56 / 100 = 576.6, truncated, minus 1.
    const Calls expected{"move 53,598", "fill (52,597)-(54,599) " + kBlack, "line 427,575",
                         "fill (426,574)-(428,576) " + kBlack, "frame (423,571)-(431,579) " + kDarkGreen};
    EXPECT_EQ(Calls(canvas.calls.begin() + canvas.Find("pen 0,192,64") + 1, canvas.calls.end()), expected);
}

TEST_F(PathPainter, PathOfOneSampleHasNoTimeIndicatorsAndNoProfile)
{
    AddPath(doc, {SampleAt(47.5f, 8.5f, 1000)});
    doc.RecalcExtents();
    Paint();
    const int legend = canvas.Find("origin 0,0");
    const Calls tail(canvas.calls.begin() + legend + 9, canvas.calls.end());
    // Gray and blue time pens without ticks, one gray altitude line at 1000 ft, the blue pen, the green pen.
    EXPECT_EQ(tail, (Calls{"pen " + kGray, "pen " + kBlue, "pen " + kGray, "move 53,598", "line 800,598",
                           "pen " + kBlue, "pen 0,192,64"}));
}

TEST_F(PathPainter, ZeroSpacingsDrawNoIndicatorsOfThatKind)
{
    AddPath(doc, Track(100));
    doc.RecalcExtents();
    g_nTimeGraySpacing = 0;
    g_nTimeBlueSpacing = 0;
    g_nAltGraySpacing = 0;
    g_nAltBlueSpacing = -5;
    Paint();
    const int legend = canvas.Find("origin 0,0");
    const Calls tail(canvas.calls.begin() + legend + 9, canvas.calls.begin() + legend + 13);
    EXPECT_EQ(tail, (Calls{"pen " + kGray, "pen " + kBlue, "pen " + kGray, "pen " + kBlue}));
    EXPECT_EQ(canvas.Starting("text ").size(), 1u);  // only the text colours
}

TEST_F(PathPainter, LegendLabelsThatWouldCoverTheOneBeforeAreLeftOut)
{
    // The plot is 56 pixels high and 748 wide; labels are 6 pixels a character and 13 high.
    const struct {
        const char* name;
        int samplesBefore;  // of the document, before the current path
        int samples;
        float lowest, highest;  // feet
        int timeBlueSpacing;
        const char* labels;
    } rows[] = {
        // ay = 588, 579, 570, 561, 552, 543: each label is 9 pixels above the one before.
        {"altitude labels 9 pixels apart", 0, 2, 0, 3100, 60, "500ft 1500ft 2500ft"},
        // The line at 500 ft is 500.31 ft above the lowest sample.
        {"below sea level the label is the line's own height", 0, 2, -0.31f, 900, 60, "500ft"},
        // Ticks 24.9 pixels apart under labels 30 wide.
        {"time labels 25 pixels apart", 1000, 31, 1000, 1000, 1,
         "1001s 1003s 1005s 1007s 1009s 1011s 1013s 1015s 1017s 1019s 1021s 1023s 1025s 1027s 1029s"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        doc.m_paths.clear();
        doc.m_samples.assign(row.samplesBefore, SampleAt(47.5f, 8.5f));
        std::vector<PathSample> current = Track(row.samples);
        for (PathSample& sample : current)
            sample.m_fAlt = row.lowest;
        current[1].m_fAlt = row.highest;
        AddPath(doc, current);
        doc.RecalcExtents();
        g_nTimeBlueSpacing = row.timeBlueSpacing;
        Paint();
        std::string labels;
        for (const std::string& call : canvas.Starting("text "))
            if (!call.starts_with("text colours"))
                labels += (labels.empty() ? "" : " ") + call.substr(call.rfind(' ') + 1);
        EXPECT_EQ(labels, row.labels);
    }
}

TEST_F(PathPainter, ProfileLeavesOutSamplesWithImpossibleNumbers)
{
    std::vector<PathSample> samples = Track(5);
    samples[0].m_fAlt = 1000;
    samples[1].m_fAlt = std::numeric_limits<float>::quiet_NaN();
    samples[2].m_fLat = 95;
    samples[2].m_fAlt = 1020;
    samples[3].m_fAlt = 1040;
    samples[4].m_fAlt = 1020;
    AddPath(doc, samples);
    doc.RecalcExtents();
    Paint();
    // tx: 748 / 4 per sample; ay(1040) = 599 - 40 * 56 / 100 = 576.6, truncated, minus 1.
    const Calls expected{"move 53,598", "fill (52,597)-(54,599) " + kBlack, "line 614,575",
                         "fill (613,574)-(615,576) " + kBlack};
    EXPECT_EQ(Calls(canvas.calls.begin() + canvas.Find("pen 0,192,64") + 1, canvas.calls.end()), expected);
}

TEST_F(PathPainter, AltitudeRangeThatIsNoNumberOrInfiniteDrawsNoAltitudeMarks)
{
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        const char* name;
        float lowest, highest;
    } rows[] = {
        {"not a number", std::numeric_limits<float>::quiet_NaN(), 1000},
        {"infinite", -inf, inf},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        doc.m_paths.clear();
        doc.m_samples.clear();
        AddPath(doc, Track(100));
        doc.RecalcExtents();
        doc.m_paths[0].m_fMinAlt = row.lowest;
        doc.m_paths[0].m_fMaxAlt = row.highest;
        Paint();
        // The time marks end the paint with the label of the blue tick at 60: tx = 748 / 99 * 60 + 52,
        // plus 1.
        EXPECT_EQ(canvas.calls.back(), "text 497,527 60s");
    }
}

TEST_F(PathPainter, RepaintAfterASampleMovesOrTheBoxChangesDrawsWhereAFreshPaintWould)
{
    AddPath(doc, Track(5));
    doc.RecalcExtents();
    Paint();
    const auto expectDrawnAsComputed = [&] {
        for (int j = 0; j < static_cast<int>(doc.m_samples.size()); ++j) {
            const ViewPoint expected = doc.m_b3DView ? Raised(j) : At(j);
            EXPECT_EQ(P({doc.m_samples[j].m_nScreenX, doc.m_samples[j].m_nScreenY}), P(expected)) << j;
        }
    };
    // A sample moved in place, the centre unchanged (sample 0 would mirror it about the centre).
    doc.m_samples[4].m_fLat = doc.m_samples[3].m_fLat;
    doc.m_samples[4].m_fLon = doc.m_samples[1].m_fLon;
    Paint();
    expectDrawnAsComputed();
    // A further path moves the box and its centre.
    AddPath(doc, Track(3));
    doc.m_samples[7].m_fLon += 0.05f;
    doc.RecalcExtents();
    Paint();
    expectDrawnAsComputed();
    // Zoomed and panned, then in 3D.
    doc.m_fZoom = 2.5f;
    doc.m_nOffsetX = 40;
    Paint();
    expectDrawnAsComputed();
    doc.m_b3DView = true;
    Paint();
    expectDrawnAsComputed();
}
