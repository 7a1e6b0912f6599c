// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "processing/DirectionVector.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/TrackBuilder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A recorded segment: start index, kind, end index.
using Segment = std::tuple<int, int, int>;
constexpr int kHold = 1;
constexpr int kMove = 2;

class Segmentation : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultPreferences(); }

    void AddTrack(const std::vector<TrackPoint>& points)
    {
        std::vector<PathSample> samples;
        for (const TrackPoint& p : points)
            samples.push_back(TrackSample(p));
        AddPath(doc, samples);
    }

    // A straight eastward run, 10 m a second, at constant height and attitude.
    static std::vector<TrackPoint> StraightRun(int count, float fromX = 0)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < count; ++i)
            points.push_back({fromX + 10.0f * i});
        return points;
    }

    // Runs Generate Path; returns the segments recorded.
    std::vector<Segment> Generate()
    {
        doc.OnGeneratePath();
        std::vector<Segment> segments;
        for (int i = 0; i < static_cast<int>(doc.m_samples.size()); ++i) {
            const PathSample& s = doc.m_samples[i];
            if (s.m_nSegKind != 0)
                segments.emplace_back(i, s.m_nSegKind, s.m_nSegEnd);
        }
        return segments;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST(DirectionVectorTest, UnitComponentsDivideByTheLength)
{
    const DirectionVector v(3, 0, 4);
    EXPECT_FLOAT_EQ(v.ux, 0.6f);
    EXPECT_EQ(v.uy, 0.0f);
    EXPECT_FLOAT_EQ(v.uz, 0.8f);
    EXPECT_FALSE(v.IsZero());
}

TEST(DirectionVectorTest, ZeroLengthHasZeroDirection)
{
    const DirectionVector zero(0, 0, 0);
    EXPECT_TRUE(zero.IsZero());
    EXPECT_EQ(zero.ux, 0.0f);
    EXPECT_EQ(zero.uy, 0.0f);
    EXPECT_EQ(zero.uz, 0.0f);
    EXPECT_TRUE(DirectionVector().IsZero());
    EXPECT_FALSE(DirectionVector(0, -0.001f, 0).IsZero());
}

TEST_F(Segmentation, WithoutPathsSaysNothingLoadedAndChangesNothing)
{
    PathSample stray;
    stray.m_nSegKind = 2;
    stray.m_nSegEnd = 7;
    doc.m_samples.push_back(stray);
    doc.OnGeneratePath();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.LastText(), "Nothing loaded!");
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_EQ(doc.m_samples[0].m_nSegKind, 2);
    EXPECT_EQ(doc.m_samples[0].m_nSegEnd, 7);
    EXPECT_EQ(ui.redraws, 0);
}

TEST_F(Segmentation, OneSampleOpensOneSegmentButRecordsNone)
{
    AddTrack({{0}});
    EXPECT_TRUE(Generate().empty());
    EXPECT_EQ(ui.LastText(), "Generated 1 Path Segments");
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Information);
    EXPECT_EQ(ui.redraws, 1);
}

TEST_F(Segmentation, TwoMovingSamplesOnlySwitchToMoving)
{
    AddTrack(StraightRun(2));
    EXPECT_TRUE(Generate().empty());
    EXPECT_EQ(ui.LastText(), "Generated 1 Path Segments");
}

TEST_F(Segmentation, StraightLevelRunIsOneMoveToTheLastSample)
{
    AddTrack(StraightRun(6));
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 5}}));
    EXPECT_EQ(ui.LastText(), "Generated 1 Path Segments");
}

TEST_F(Segmentation, StandingToTheEndClosesAHoldAndOpensOneNeverClosed)
{
    AddTrack({{5}, {5}, {5}, {5}, {5}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kHold, 3}}));
    EXPECT_EQ(ui.LastText(), "Generated 2 Path Segments");
}

TEST_F(Segmentation, HoldThenMoveShareTheirBoundarySample)
{
    AddTrack({{0}, {0}, {0}, {10}, {20}, {30}, {40}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kHold, 2}, {2, kMove, 6}}));
    EXPECT_EQ(ui.LastText(), "Generated 2 Path Segments");
}

TEST_F(Segmentation, StandingAllowsDriftInsideTenCentimetres)
{
    // 5 cm is inside the 10 cm cell of the first sample; 12 cm is not.
    AddTrack({{0}, {0}, {0.05f}, {0.05f}, {0.12f}, {10}, {20}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kHold, 3}, {3, kMove, 6}}));
}

TEST_F(Segmentation, SlowHeadingChangeClosesWhenItExceedsTheYawThreshold)
{
    std::vector<TrackPoint> points = StraightRun(12);
    for (int i = 0; i < 12; ++i)
        points[i].heading = 2.0f * i;
    AddTrack(points);
    // The heading is taken at sample 2 (4 degrees); sample 8 is 12 degrees off.
    // The next move takes its heading at sample 8 (16) and reaches the end.
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 7}, {7, kMove, 11}}));
    EXPECT_EQ(ui.LastText(), "Generated 2 Path Segments");
}

TEST_F(Segmentation, HeadingsAreComparedWithoutWrapAround)
{
    std::vector<TrackPoint> points = StraightRun(8);
    for (int i = 0; i < 8; ++i)
        points[i].heading = i < 4 ? 359.0f : 1.0f;
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}, {3, kMove, 7}}));
}

TEST_F(Segmentation, TurningStepClosesTheMove)
{
    // East for three steps, then north: the new step's direction differs.
    AddTrack({{0}, {10}, {20}, {30}, {30, 10}, {30, 20}, {30, 30}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}, {3, kMove, 6}}));
}

TEST_F(Segmentation, ClimbChangeAboveFivePercentClosesTheMove)
{
    // A climb of 1 m in 10 m changes the up component by 0.0995.
    AddTrack({{0}, {10}, {20}, {30}, {40, 0, 1}, {50, 0, 2}, {60, 0, 3}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}, {3, kMove, 6}}));
    // With a 20 percent climb threshold it is one move.
    g_fClimbThreshold = 0.2f;
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 6}}));
}

TEST_F(Segmentation, PitchChangeAboveThresholdClosesTheMove)
{
    std::vector<TrackPoint> points = StraightRun(8);
    points[5].pitch = 10.5f;
    points[6].pitch = 10.5f;
    points[7].pitch = 10.5f;
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 4}, {4, kMove, 7}}));
}

TEST_F(Segmentation, SteepBankCutsOneSecondSegments)
{
    std::vector<TrackPoint> points = StraightRun(7);
    for (TrackPoint& p : points)
        p.bank = -30;
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 2}, {2, kMove, 3}, {3, kMove, 4}, {4, kMove, 6}}));
    EXPECT_EQ(ui.LastText(), "Generated 4 Path Segments");

    g_fBankThreshold = 45;
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 6}}));
    EXPECT_EQ(ui.LastText(), "Generated 1 Path Segments");
}

TEST_F(Segmentation, TakeOffClosesTheMoveAtTheFirstSampleHalfAFootUp)
{
    std::vector<TrackPoint> points = StraightRun(9);
    for (int i = 0; i < 9; ++i)
        points[i].alt = i < 5 ? 100.0f : 100.6f;
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 4}, {4, kMove, 8}}));
}

TEST_F(Segmentation, HalfAFootExactlyIsNoTakeOff)
{
    std::vector<TrackPoint> points = StraightRun(9);
    for (int i = 0; i < 9; ++i)
        points[i].alt = i < 5 ? 100.0f : 100.5f;
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 8}}));
}

TEST_F(Segmentation, LandingClosesTheMoveAndAllowsTheNextTakeOff)
{
    std::vector<TrackPoint> points = StraightRun(16);
    const float alts[16] = {100, 100, 100, 110, 110, 110, 110, 100.2f, 100, 100, 100, 100, 120, 120, 120, 120};
    for (int i = 0; i < 16; ++i)
        points[i].alt = alts[i];
    AddTrack(points);
    // Take-off at 3, landing at 7, second take-off at 12.
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 2}, {2, kMove, 6}, {6, kMove, 11}, {11, kMove, 15}}));
}

TEST_F(Segmentation, GearChangeClosesTheMoveAndTheStepAfterIt)
{
    // The segment opened one sample back still remembers the old gear, so the
    // change closes it again one second later.
    std::vector<TrackPoint> points = StraightRun(10);
    for (int i = 5; i < 10; ++i)
        points[i].gear = 'u';
    AddTrack(points);
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 4}, {4, kMove, 5}, {5, kMove, 9}}));
}

TEST_F(Segmentation, ExactStopGrowsOneSegmentOverTheWholeStop)
{
    AddTrack({{0}, {10}, {20}, {30}, {30}, {30}, {30}, {40}, {50}, {60}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}, {3, kMove, 9}}));
}

TEST_F(Segmentation, CreepingInsideOneCentimetreGivesOneSecondSegments)
{
    AddTrack({{0}, {10}, {20}, {30}, {30.002f}, {30.004f}, {30.006f}, {40}, {50}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}, {3, kMove, 4}, {4, kMove, 5}, {5, kMove, 8}}));
}

TEST_F(Segmentation, CellsAreCountedFromFloorSoAStepAcrossZeroMoves)
{
    // -4 mm and +4 mm are less than a centimetre apart, but in different cells.
    AddTrack({{-0.004f}, {0.004f}, {0.004f}, {0.004f}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 3}}));
    EXPECT_EQ(ui.LastText(), "Generated 1 Path Segments");
}

TEST_F(Segmentation, CountsOverAllPathsAndSkipsEmptyRanges)
{
    AddTrack(StraightRun(6));
    VehiclePath empty;
    empty.m_nFirstSample = 6;
    empty.m_nLastSample = 5;
    doc.m_paths.push_back(empty);
    AddTrack({{5}, {5}, {5}, {5}, {5}});
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 5}, {6, kHold, 9}}));
    EXPECT_EQ(ui.LastText(), "Generated 3 Path Segments");
}

TEST_F(Segmentation, RunningTwiceGivesTheSameResult)
{
    AddTrack({{0}, {0}, {0}, {10}, {20}, {30}, {30, 10}, {30, 20}});
    const std::vector<Segment> first = Generate();
    const std::string firstMessage = ui.LastText();
    EXPECT_EQ(Generate(), first);
    EXPECT_EQ(ui.LastText(), firstMessage);
}

TEST_F(Segmentation, GenerateClearsEarlierSegmentsEverywhere)
{
    AddTrack(StraightRun(6));
    PathSample stray;
    stray.m_nSegKind = 1;
    stray.m_nSegEnd = 3;
    doc.m_samples.push_back(stray);
    doc.m_samples[2].m_nSegKind = 1;
    doc.m_samples[2].m_nSegEnd = 4;
    EXPECT_EQ(Generate(), (std::vector<Segment>{{0, kMove, 5}}));
}

TEST_F(Segmentation, ClearPathRemovesEverySegmentSilently)
{
    AddTrack({{0}, {0}, {0}, {10}, {20}, {30}, {40}});
    AddTrack(StraightRun(6, 100));
    ASSERT_FALSE(Generate().empty());
    const std::size_t messages = ui.messages.size();
    const int redraws = ui.redraws;
    doc.OnClearPath();
    for (const PathSample& s : doc.m_samples) {
        EXPECT_EQ(s.m_nSegKind, 0);
        EXPECT_EQ(s.m_nSegEnd, 0);
    }
    EXPECT_EQ(ui.messages.size(), messages);
    EXPECT_EQ(ui.redraws, redraws + 1);
}
