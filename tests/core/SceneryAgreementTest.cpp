// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "support/BglDecoder.h"
#include "support/BglUnits.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/RandomFlight.h"
#include "support/ScasmParser.h"
#include "support/SceneryComparison.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kFirstSeed = 1;
constexpr int kFlights = 2000;
constexpr int kFailuresShown = 5;

// A compiled move carries at most 32767 m along each axis.
constexpr double kLongestMove = 32767.5;

// Moves that no single compiled move can carry.
int LongLegs(const CVolantorDoc& doc)
{
    int legs = 0;
    for (std::size_t j = 0; j < doc.m_samples.size(); ++j) {
        const PathSample& a = doc.m_samples[j];
        if (a.m_nSegKind != 2)
            continue;
        const PathSample& b = doc.m_samples[a.m_nSegEnd];
        if (std::fabs(b.m_fX - a.m_fX) > kLongestMove || std::fabs(b.m_fY - a.m_fY) > kLongestMove ||
            std::fabs(b.m_fZ - a.m_fZ) > kLongestMove)
            ++legs;
    }
    return legs;
}

// Generated, written as SCASM text and compiled, both read back and held
// against each other and the document; the first fault found, or nothing.
std::string CheckFlight(std::uint32_t seed, scenery_comparison::Tally& tally, int& longLegs)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    random_flight::BuildRandomFlight(doc, seed);
    doc.RecalcExtents();
    doc.OnGeneratePath();
    longLegs += LongLegs(doc);

    std::string text;
    if (!doc.WriteScasmSource(text))
        return "the SCASM writer wrote nothing";
    std::string refusal;
    const auto bytes = CompileBgl(doc, refusal);
    if (!bytes)
        return "the compiler refused: " + refusal;

    const scasm_parse::ParseResult parsed = scasm_parse::Parse(text);
    if (!parsed.Ok())
        return "SCASM text, " + parsed.strError;
    const bgl_decode::DecodeResult decoded = bgl_decode::Decode(*bytes);
    if (!decoded.Ok())
        return "BGL file, " + decoded.strError;
    const scasm_parse::Source& source = parsed.source;
    const bgl_decode::Scenery& scenery = decoded.scenery;

    // The file's reference latitude is the reference point's, the text's
    // LatRef the centre's.
    if (scenery.nRefLat != bgl_units::Lat32(doc.m_fRefLat))
        return "the BGL reference latitude is " + std::to_string(scenery.nRefLat);
    if (std::fabs(source.dLatRef - doc.m_fCenterLat) > bgl_units::kSixDecimalsHalfWidth)
        return "the LatRef line is not the centre latitude";

    // One pattern for each path with samples, numbered by its index.
    std::vector<int> written;
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
        if (!doc.m_paths[i].IsEmpty())
            written.push_back(i);
    }
    if (source.blocks.size() != written.size() || scenery.entries.size() != written.size())
        return "not one pattern for each path with samples";
    for (std::size_t k = 0; k < written.size(); ++k) {
        if (source.blocks[k].nPattern != written[k])
            return "block " + std::to_string(k) + " is labelled PATTERN" + std::to_string(source.blocks[k].nPattern);
        if (scenery.entries[k].bHelicopter != doc.m_paths[written[k]].m_strVehicle.starts_with('H'))
            return "the entry of PATTERN" + std::to_string(written[k]) + " is of the wrong kind";
    }

    return scenery_comparison::Disagreement(source, scenery, tally);
}

class SceneryAgreement : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultPreferences(); }
};

constexpr float kNotANumber = std::numeric_limits<float>::quiet_NaN();

// A change to a document of two level paths of three samples (0 to 2 and 3
// to 5) that no scenery output can write, and the reason both give.
struct RefusedPath {
    const char* name;
    void (*change)(CVolantorDoc&);
    const char* reason;
};

void Move(CVolantorDoc& doc, int start, int end)
{
    doc.m_samples[start].m_nSegKind = 2;
    doc.m_samples[start].m_nSegEnd = end;
}

const RefusedPath kRefusedPaths[] = {
    {"an area across the 180th meridian",
     [](CVolantorDoc& doc) {
         doc.m_fMinLon = 179.75f;
         doc.m_fMaxLon = 180.25f;  // measured east across the meridian
     },
     "the scenery area reaches across the 180th meridian (longitudes 179.650000 to -179.650000); a scenery "
     "file cannot hold such an area."},
    {"a longitude off the globe", [](CVolantorDoc& doc) { doc.m_samples[4].m_fLon = 350; },
     "sample 4 of PATTERN1 holds numbers no flight has (not a number, infinite, or off the globe)."},
    {"a heading that is not a number", [](CVolantorDoc& doc) { doc.m_samples[1].m_fHeading = kNotANumber; },
     "sample 1 of PATTERN0 holds numbers no flight has (not a number, infinite, or off the globe)."},
    {"an altitude beyond the position's field", [](CVolantorDoc& doc) { doc.m_samples[3].m_fAlt = 200000; },
     "PATTERN1 has a position or altitude beyond what a scenery file holds: sample 3 is more than 32767 m "
     "above or below sea level."},
    {"a colour beyond the palette", [](CVolantorDoc& doc) { doc.m_paths[0].m_nColor[3] = 256; },
     "colour 3 of PATTERN0 is 256, not a palette index from 0 to 255."},
    {"a move faster than any pieces can carry",
     [](CVolantorDoc& doc) {
         Move(doc, 0, 2);
         doc.m_samples[2].m_fX = 100000;
     },
     "the move of PATTERN0 from sample 0 over 2 seconds is not a finite distance, or faster than the "
     "32767 m a second a BGL move can carry."},
    {"a move of no finite length",
     [](CVolantorDoc& doc) {
         Move(doc, 3, 5);
         doc.m_samples[5].m_fY = kNotANumber;
     },
     "the move of PATTERN1 from sample 3 over 2 seconds is not a finite distance, or faster than the "
     "32767 m a second a BGL move can carry."},
};

}  // namespace

TEST_F(SceneryAgreement, BothOutputsRefuseAPathForTheSameReason)
{
    for (const RefusedPath& row : kRefusedPaths) {
        FakeUserInterface ui;
        CVolantorDoc doc(ui);
        AddPath(doc, std::vector<PathSample>(3, SampleAt(47, -122, 100)));
        AddPath(doc, std::vector<PathSample>(3, SampleAt(47, -122, 100)));
        row.change(doc);
        std::string text;
        EXPECT_FALSE(doc.WriteScasmSource(text)) << row.name;
        EXPECT_EQ(text, "") << row.name;
        EXPECT_EQ(ui.LastText(), "Can't write the SCASM source: " + std::string(row.reason)) << row.name;
        std::string refusal;
        EXPECT_FALSE(CompileBgl(doc, refusal)) << row.name;
        EXPECT_EQ(refusal, "Can't create the BGL file: " + std::string(row.reason)) << row.name;
    }
}

TEST_F(SceneryAgreement, SameSeedMakesTheSameFlight)
{
    FakeUserInterface ui;
    CVolantorDoc first(ui), second(ui), other(ui);
    random_flight::BuildRandomFlight(first, 7);
    random_flight::BuildRandomFlight(second, 7);
    random_flight::BuildRandomFlight(other, 8);
    EXPECT_EQ(first.m_paths, second.m_paths);
    EXPECT_EQ(first.m_samples, second.m_samples);
    EXPECT_NE(first.m_samples, other.m_samples);
}

TEST_F(SceneryAgreement, TextAndCompiledFileOfRandomFlightsDescribeTheSameScenery)
{
    scenery_comparison::Tally tally;
    int longLegs = 0;
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t seed = kFirstSeed; seed < kFirstSeed + kFlights; ++seed) {
        const std::string fault = CheckFlight(seed, tally, longLegs);
        if (!fault.empty() && ++failures <= kFailuresShown)
            ADD_FAILURE() << "seed " << seed << ": " << fault;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(failures, 0) << "of " << kFlights << " flights";
    std::cout << kFlights << " flights (seeds " << kFirstSeed << " to " << kFirstSeed + kFlights - 1
              << ") in " << elapsed.count() << " ms: " << tally.nPatterns << " patterns, "
              << tally.nHelicopters << " helicopters, " << tally.nHolds << " holds, " << tally.nLevelMoves
              << " level and " << tally.nClimbingMoves << " climbing moves (" << longLegs
              << " legs too long for one), " << tally.nTurns << " turns (" << tally.nYawRatesRoundedDown
              << " rates rounded down), " << tally.nAttitudeChanges << " attitude changes ("
              << tally.nFastestRates << " rates at the fastest), " << tally.nGearChanges << " gear changes, "
              << tally.nPositionFixes << " position fixes, " << tally.nNotes << " notes, "
              << tally.nHalvesRoundedApart << " halves rounded apart\n";

    // The flights reach every case the comparison allows for.
    EXPECT_GT(tally.nHelicopters, 0);
    EXPECT_GT(tally.nHolds, 0);
    EXPECT_GT(tally.nLevelMoves, 0);
    EXPECT_GT(tally.nClimbingMoves, 0);
    EXPECT_GT(longLegs, 0);
    EXPECT_GT(tally.nTurns, 0);
    EXPECT_GT(tally.nYawRatesRoundedDown, 0);
    EXPECT_GT(tally.nAttitudeChanges, 0);
    EXPECT_GT(tally.nFastestRates, 0);
    EXPECT_GT(tally.nGearChanges, 0);
    EXPECT_GT(tally.nPositionFixes, 0);
    EXPECT_GT(tally.nNotes, 0);
}
