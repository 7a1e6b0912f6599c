// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PatternReplay.h"
#include "document/Preferences.h"
#include "output/SceneryReplay.h"
#include "processing/ReplayDeviation.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

using namespace pattern;

// At the equator a degree is 111137 m both ways, so metres and degrees are easy to tell apart.
constexpr double kMetresPerDegree = 111137;
const Command kStart = SetPos{0, 0, 100};

}  // namespace

TEST(PatternReplay, HandMadeSequencesFlyAsWorkedOut)
{
    const struct {
        const char* name;
        std::vector<Command> commands;
        double at;
        double east, north, alt, heading, pitch, bank;
        bool gearUp;
        int lapSeconds;
    } rows[] = {
        // clang-format off
        {"a hold stands", {kStart, Hold{10}, Jump{0}}, 5, 0, 0, 100, 0, 0, 0, false, 10},
        {"a move goes straight at constant speed", {kStart, MoveXY{10, 100, 200}, Jump{0}}, 3, 30, 60, 100, 0, 0, 0, false, 10},
        {"a climb is east, up, north", {kStart, Move3D{20, 40, 100, -20}, Jump{0}}, 5, 10, -5, 125, 0, 0, 0, false, 20},
        {"moves follow each other", {kStart, MoveXY{2, 10, 0}, Hold{3}, MoveXY{4, 0, -40}}, 8, 10, -30, 100, 0, 0, 0, false, 9},
        {"the lap's end holds, a turn where it got to", {kStart, MoveXY{2, 10, 0}, YawTo{90, 10}, Hold{3}}, 7, 10, 0, 100, 30, 0, 0, false, 5},
        {"a right turn at 3 a second over north", {kStart, Heading{350}, YawTo{20, 3}, Hold{20}}, 4, 0, 0, 100, 2, 0, 0, false, 20},
        {"the turn stops at its target", {kStart, Heading{350}, YawTo{20, 3}, Hold{20}}, 15, 0, 0, 100, 20, 0, 0, false, 20},
        {"a left turn to where it points stays", {kStart, Heading{90}, YawTo{90, -5}, Hold{10}}, 5, 0, 0, 100, 90, 0, 0, false, 10},
        {"a left turn goes the long way when told", {kStart, Heading{10}, YawTo{20, -2}, Hold{20}}, 5, 0, 0, 100, 0, 0, 0, false, 20},
        {"a new turn starts where the old one got to", {kStart, YawTo{90, 10}, Hold{3}, YawTo{0, -5}, Hold{10}}, 5, 0, 0, 100, 20, 0, 0, false, 13},
        {"pitch and bank move toward their targets", {kStart, PitchTo{-10, 4}, BankTo{30, -6}, Hold{9}}, 2, 0, 0, 100, 0, -8, 12, false, 9},
        {"gear changes between pieces", {kStart, MoveXY{4, 0, 0}, Gear{true}, Hold{4}}, 5, 0, 0, 100, 0, 0, 0, true, 8},
        // 0.0018 degrees is 200.0466 m.
        {"a position fix puts it in place at once", {kStart, MoveXY{10, 100, 0}, SetPos{0, 0.0018, 150}, Hold{5}}, 10, 200.0466, 0, 150, 0, 0, 0, false, 15},
        {"a jump ends the lap", {kStart, Hold{5}, Jump{0}, Hold{7}}, 9, 0, 0, 100, 0, 0, 0, false, 5},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const ReplayedLap lap(r.commands, 0, 0);
        const ReplayedState state = lap.At(r.at);
        EXPECT_EQ(lap.Seconds(), r.lapSeconds);
        EXPECT_NEAR(state.place.dEast, r.east, 1e-3);
        EXPECT_NEAR(state.place.dNorth, r.north, 1e-3);
        EXPECT_NEAR(state.place.dLon, r.east / kMetresPerDegree, 1e-9);
        EXPECT_NEAR(state.place.dLat, r.north / kMetresPerDegree, 1e-9);
        EXPECT_NEAR(state.place.dAltMetres, r.alt, 1e-9);
        EXPECT_NEAR(state.dHeading, r.heading, 1e-9);
        EXPECT_NEAR(state.dPitch, r.pitch, 1e-9);
        EXPECT_NEAR(state.dBank, r.bank, 1e-9);
        EXPECT_EQ(state.bGearUp, r.gearUp);
    }
}

// The first placing draws no line; a fix draws one to where it puts the vehicle.
TEST(PatternReplay, CourseHasOneCornerPerPlace)
{
    const ReplayedLap lap({SetPos{0, 0.0009, 0}, Hold{3}, MoveXY{2, 0, 50}, SetPos{0, 0.0009, 0}, Jump{0}}, 0,
                          0);
    const std::vector<ReplayPlace> course = lap.Course();
    ASSERT_EQ(course.size(), 3u);
    EXPECT_NEAR(course[0].dEast, 100.0233, 1e-3);
    EXPECT_NEAR(course[1].dNorth, 50, 1e-9);
    EXPECT_NEAR(course[2].dNorth, 0, 1e-9);
}

// Ten minutes east-north-east at 60 m/s and 1000 ft: one move, compiled and
// read back. Its start is 0.11 m south of the recording's (47 degrees is
// 5223136.11 units of the compiled latitude), its end within half a metre
// each way, and the recorded floats are a quarter of a metre apart.
TEST(PatternReplay, StraightConstantSpeedFlightStaysWithinAMetre)
{
    SetDefaultPreferences();
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    std::vector<PathSample> samples;
    for (int second = 0; second < 600; ++second) {
        samples.push_back(SampleAt(47 + second * 0.00024f, -122.5f + second * 0.00071f, 1000));
        samples.back().m_fHeading = 62;
    }
    AddPath(doc, samples);
    doc.RecalcExtents();
    doc.OnGeneratePath();
    std::string refusal;
    const std::vector<ReplayedPattern> replays = ReplayDocument(doc, refusal);
    ASSERT_EQ(replays.size(), 1u) << refusal;
    const PathDeviation deviation = MeasureDeviation(replays[0].lap, doc.m_samples, doc.m_paths[0]);
    EXPECT_EQ(deviation.nLapSeconds, 599);
    EXPECT_EQ(deviation.nRecordedSeconds, 599);
    EXPECT_EQ(deviation.nComparedSeconds, 600);
    EXPECT_LT(deviation.dMaxHorizontal, 1);
    EXPECT_LT(deviation.dMaxVertical, 1);
}
