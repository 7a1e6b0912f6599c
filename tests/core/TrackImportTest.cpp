// SPDX-License-Identifier: GPL-3.0-or-later
// Tracks: IGC files read into points, points sampled once a second, files imported as one Undo step.

#include "document/FormatText.h"
#include "document/IgcReader.h"
#include "document/VolantorDoc.h"
#include "processing/TrackSampling.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kHead = "AXXX001\r\nHFDTE150623\r\n";  // 15 June 2023; 12:00:00 UTC is 1686830400
const std::string kFix = "B1200004730000N00800000EA0049000500\n";
// Clockwise square from 47.5 N 8 E, 10 s a leg: north climbing 500 to 600 m, east, south, west descending.
const std::string kCircuit =
    kHead + "B1200004730000N00800000EA0049000500\r\nB1200104730600N00800000EA0059000600\r\n" +
    "B1200204730600N00800900EA0059000600\r\nB1200304730000N00800900EA0059000600\r\n" +
    "B1200404730000N00800000EA0049000500\r\n";

// The refusal, or the number of points, the name, then time, latitude, longitude and altitude of the last.
std::string ReadIgcText(const std::string& text)
{
    std::istringstream in(text);
    const TrackFile file = ReadIgc(in, "dir/t.igc");
    if (!file.strError.empty())
        return file.strError;
    const TrackPoint& p = file.tracks.at(0).points.back();
    return FormatText("%zu %s %.0f %g %g %g", file.tracks[0].points.size(), file.tracks[0].strName.c_str(),
                      p.fTime, p.fLat, p.fLon, p.fAltMetres);
}

const struct {
    const char* name;
    std::string igc;
    const char* expected;  // the whole result, or part of the refusal
} kIgcCases[] = {
    {"square circuit, CR LF, GNSS altitude", kCircuit, "5 t.igc 1686830440 47.5 8 500"},
    {"across midnight", kHead + "B2359594730000N00800000EA0049000500\nB0000014730000N00800000EA0049000500",
     "2 t.igc 1686873601"},
    {"long date form", "HFDTEDATE:150623,01\n" + kFix, "1 t.igc 1686830400 47.5 8 500"},
    {"south, west, pressure altitude", kHead + "B1200004730000S00830000WA-001200000\n",
     "1 t.igc 1686830400 -47.5 -8.5 -12"},
    {"fix cut short", kHead + "B1200004730000N00800000EA00490\n", "malformed fix (B record) on line 3"},
    {"minutes beyond 59", kHead + "B1200004760000N00800000EA0049000500\n",
     "malformed fix (B record) on line 3"},
    {"no date", kFix, "The IGC file \"dir/t.igc\" has no date (HFDTE record); nothing was loaded."},
    {"no fix", kHead, "The IGC file \"dir/t.igc\" holds no track; nothing was loaded."},
};

TEST(IgcReader, ReadsFixesOrRefuses)
{
    for (const auto& c : kIgcCases)
        EXPECT_NE(ReadIgcText(c.igc).find(c.expected), std::string::npos)
            << c.name << ": " << ReadIgcText(c.igc);
}

TEST(TrackSampling, CircuitBecomesOneSampleASecond)
{
    std::istringstream in(kCircuit);
    const SampledTrack sampled = SampleTrack(ReadIgc(in, "c.igc").tracks.at(0), "line");
    ASSERT_EQ(sampled.paths.size(), 1u);
    ASSERT_EQ(sampled.paths[0].size(), 41u);
    // Latitude, longitude, feet, heading, pitch, bank and gear. North at 111.137 m/s climbing 10 m/s,
    // corners bank right beyond the 45 degree limit, gear up above 591.44 m.
    const std::pair<int, const char*> rows[] = {{5, "47.5050 8.0000 1804.46 0.00 5.14 0.0 d"},
                                                {10, "47.5100 8.0000 1968.50 0.00 5.14 45.0 u"},
                                                {25, "47.5050 8.0150 1968.50 180.00 0.00 0.0 u"},
                                                {31, "47.5000 8.0135 1935.70 270.00 -5.07 45.0 d"}};
    for (const auto& [index, expected] : rows) {
        const PathSample& s = sampled.paths[0][index];
        EXPECT_EQ(FormatText("%.4f %.4f %.2f %.2f %.2f %.1f %c", s.m_fLat, s.m_fLon, s.m_fAlt, s.m_fHeading,
                             s.m_fPitch, s.m_fBank, s.m_cGear),
                  expected)
            << index;
    }
}

TEST(TrackImport, GapSplitsIntoPathsUndoneAsOne)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.ImportTrack({{{"b", {{10, 0, 0, 100, 1}, {5, 0, 0, 100, 2}}}}, "point", {}, ""}, "b.gpx");
    doc.ImportTrack(
        {{{"g", {{0, 0, 0, 100, 1}, {10, 0, 0.001, 100, 2}, {130, 0, 0.002, 100, 3}}}}, "point", {}, ""},
        "g.gpx");
    EXPECT_EQ(ui.Texts(), std::vector<std::string>(
                              {"The track file \"b.gpx\" cannot be imported: the time of point 2 "
                               "(00:00:05) is earlier than the one before it; nothing was loaded.",
                               "12 Sample Points",
                               "Gap of 120 s after 00:00:10 (point 2): the rest is a path of its own."}));
    ASSERT_EQ(doc.m_paths.size(), 2u);
    EXPECT_EQ(doc.m_paths[1].m_nFirstSample, 11);
    EXPECT_EQ(doc.History().UndoName(), "Import Track");
    doc.OnUndo();
    EXPECT_TRUE(doc.m_paths.empty() && doc.m_samples.empty() && !doc.History().CanUndo());
    doc.OnRedo();
    EXPECT_EQ(doc.m_paths.size(), 2u);
}

}  // namespace
