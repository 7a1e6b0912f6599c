#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "support/BglDecoder.h"
#include "support/BglUnits.h"
#include "support/FakeUserInterface.h"
#include "support/RandomFlight.h"
#include "support/ScasmParser.h"
#include "support/SceneryComparison.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kFirstSeed = 1;
constexpr int kFlights = 2000;
constexpr int kFailuresShown = 5;

// Generated, written as SCASM text and compiled, both read back and held
// against each other and the document; the first fault found, or nothing.
std::string CheckFlight(std::uint32_t seed, scenery_comparison::Tally& tally)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    random_flight::BuildRandomFlight(doc, seed);
    doc.RecalcExtents();
    doc.OnGeneratePath();

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

}  // namespace

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
    int failures = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t seed = kFirstSeed; seed < kFirstSeed + kFlights; ++seed) {
        const std::string fault = CheckFlight(seed, tally);
        if (!fault.empty() && ++failures <= kFailuresShown)
            ADD_FAILURE() << "seed " << seed << ": " << fault;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(failures, 0) << "of " << kFlights << " flights";
    std::cout << kFlights << " flights (seeds " << kFirstSeed << " to " << kFirstSeed + kFlights - 1 << ") in "
              << elapsed.count() << " ms: " << tally.nPatterns << " patterns, " << tally.nHelicopters
              << " helicopters, " << tally.nHolds << " holds, " << tally.nLevelMoves << " level and "
              << tally.nClimbingMoves << " climbing moves (" << tally.nMovesSplit << " split), " << tally.nTurns
              << " turns (" << tally.nYawRatesRoundedDown << " rates rounded down), " << tally.nAttitudeChanges
              << " attitude changes, " << tally.nGearChanges << " gear changes, " << tally.nPositionFixes
              << " position fixes, " << tally.nNotes << " notes, " << tally.nHalvesRoundedApart
              << " halves rounded apart\n";

    // The flights reach every case the comparison allows for.
    EXPECT_GT(tally.nHelicopters, 0);
    EXPECT_GT(tally.nHolds, 0);
    EXPECT_GT(tally.nLevelMoves, 0);
    EXPECT_GT(tally.nClimbingMoves, 0);
    EXPECT_GT(tally.nMovesSplit, 0);
    EXPECT_GT(tally.nTurns, 0);
    EXPECT_GT(tally.nYawRatesRoundedDown, 0);
    EXPECT_GT(tally.nAttitudeChanges, 0);
    EXPECT_GT(tally.nGearChanges, 0);
    EXPECT_GT(tally.nPositionFixes, 0);
    EXPECT_GT(tally.nNotes, 0);
}
