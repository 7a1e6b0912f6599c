// SPDX-License-Identifier: GPL-3.0-or-later
// Tracks: IGC files read into points, points sampled once a second, files imported as one Undo step.

#include "document/FormatText.h"
#include "document/IgcReader.h"
#include "document/VolantorDoc.h"
#include "processing/TrackSampling.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

const std::string kHead = "AXXX001\r\nHFDTE150623\r\n";            // 15 June 2023, which starts at 1686787200
const std::string kFix = "B0000014730000N00800000EA0049000500\n";  // 00:00:01 UTC at 47.5 N 8 E, 500 m GNSS
// Clockwise square from 47.5 N 8 E, 10 s a leg: north at 111.137 m/s climbing 10 m/s to 600 m, east,
// south, west descending; its corners bank beyond 45 degrees, the gear is down below 591.44 m.
const std::string kCircuit = "AXXX001\r\nHFDTEDATE:150623,01\r\nB1200004730000N00800000EA0049000500\r\n"
                             "B1200104730600N00800000EA0059000600\r\nB1200204730600N00800900EA0059000600\r\n"
                             "B1200304730000N00800900EA0059000600\r\nB1200404730000N00800000EA0049000500\r\n";

static std::string ReadIgcText(const std::string& text)
{
    std::istringstream in(text);
    const TrackFile file = ReadIgc(in, "dir/t.igc");
    if (!file.strError.empty())
        return file.strError;
    const TrackPoint& p = file.tracks.at(0).points.back();
    return FormatText("%zu %s %.0f %g %g %g", file.tracks[0].points.size(), file.tracks[0].strName.c_str(),
                      p.fTime, p.fLat, p.fLon, p.fAltMetres) +
           " " + file.notes.at(0);
}

// Name, file, and part of the refusal or "points name time lat lon alt" of the last point and the altitude
// note.
const std::string kIgcCases[][3] = {
    {"circuit, long date form, CR LF", kCircuit, "5 t.igc 1686830440 47.5 8 500"},
    {"hours, minutes and seconds", kHead + "B0012344730000N00800000EA0049000500",
     "1 t.igc 1686787954 47.5 8 500"},
    {"across midnight", kHead + "B235959" + kFix.substr(7) + kFix, "2 t.igc 1686873601 47.5 8 500"},
    {"S, W, pressure", kHead + "B0000014730000S00830000WA-001200000",
     "1 t.igc 1686787201 -47.5 -8.5 -12 Altitudes: pressure altitude, the file carries no GNSS altitude"},
    {"one fix without GNSS", kHead + kFix + "B0000024730000N00800000EA0049000000",
     "2 t.igc 1686787202 47.5 8 490 Altitudes: GNSS, the pressure altitude for the 1 fix(es) without one"},
    {"latitude 91", kHead + "B0000019100000N00800000EA0049000500", "malformed fix (B record) on line 3"},
    {"longitude 180.5", kHead + "B0000014730000N18030000EA0049000500", "malformed fix (B record) on line 3"},
    {"minutes 60", kHead + "B0000014760000N00800000EA0049000500", "malformed fix (B record) on line 3"},
    {"no date", kFix, "The IGC file \"dir/t.igc\" has no date (HFDTE record); nothing was loaded."},
    {"no fix", kHead, "The IGC file \"dir/t.igc\" holds no track; nothing was loaded."},
};

TEST(IgcReader, ReadsFixesOrRefuses)
{
    for (const auto& [name, igc, expected] : kIgcCases)
        EXPECT_NE(ReadIgcText(igc).find(expected), std::string::npos) << name << ": " << ReadIgcText(igc);
}

TEST(TrackImport, CircuitSampledBackwardsRefusedGapSplitUndoneInOneStep)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    std::istringstream in(kCircuit);
    doc.ImportTrack(ReadIgc(in, "c.igc"), "c.igc");
    doc.ImportTrack({{{"b", {{10, 0, 0, 100, 1}, {5, 0, 0, 100, 2}}}}, "point", {}, ""}, "b.gpx");
    const std::vector<TrackPoint> gap{{0, 0, 0, 100, 1}, {10, 0, 0.001, 100, 2}, {130, 0, 0.002, 100, 3}};
    doc.ImportTrack({{{"g", gap}}, "point", {}, ""}, "g.gpx");
    const std::vector<std::string> report{
        "41 Sample Points", "Altitudes: GNSS",
        "The track file \"b.gpx\" cannot be imported: the time of point 2 (00:00:05) is earlier than the one "
        "before it; nothing was loaded.",
        "53 Sample Points", "Gap of 120 s after 00:00:10 (point 2): the rest is a path of its own."};
    EXPECT_EQ(ui.Texts(), report);
    EXPECT_EQ(doc.m_paths.at(2).m_nFirstSample, 52);  // the gap track's second part
    const std::pair<int, const char*> rows[] = {
        {5, "47.5050 8.0000 1804.46 0.00 5.14 0.0 d"},
        {10, "47.5100 8.0000 1968.50 0.00 5.14 45.0 u"},
        {31, "47.5000 8.0135 1935.70 270.00 -5.07 45.0 d"},
    };
    for (const auto& [i, expected] : rows) {
        const PathSample& s = doc.m_samples[i];
        EXPECT_EQ(FormatText("%.4f %.4f %.2f %.2f %.2f %.1f %c", s.m_fLat, s.m_fLon, s.m_fAlt, s.m_fHeading,
                             s.m_fPitch, s.m_fBank, s.m_cGear),
                  expected);
    }
    doc.OnUndo();
    EXPECT_EQ(doc.m_paths.size(), 1u);  // both parts of the gap track in one step
    EXPECT_EQ(doc.History().RedoName(), "Import Track");
}

TEST(TrackSampling, AStandStaysLevelAndASteadyRightTurnBanksAsACoordinatedOne)
{
    // Standing, then off a hair east of north, atan(0.00001 cos 47 / 0.001) = 0.3907 degrees: the stand
    // takes the course it will leave on.
    const SampledTrack stand =
        SampleTrack({"s", {{0, 47, 8, 100, 1}, {2, 47, 8, 100, 2}, {4, 47.001, 8.00001, 100, 3}}}, "point");
    EXPECT_EQ(stand.paths.at(0).at(1).m_fPitch, 0);
    EXPECT_NEAR(stand.paths.at(0).at(0).m_fHeading, 0.3907, 1e-3);
    // 3 degrees a second at 50 m/s on a circle of 954.93 m: bank atan(49.994 * 0.05236 / 9.80665) = 14.95.
    Track turn{"t", {}};
    for (int i = 0; i <= 20; ++i) {
        const double angle = i * 3 * 3.14159265358979 / 180, north = 954.93 * std::sin(angle);
        const double east = 954.93 * (1 - std::cos(angle));
        turn.points.push_back({double(i), 47 + north / 111194.9,
                               8 + east / (111194.9 * std::cos(47 * 3.14159265358979 / 180)), 500, i + 1});
    }
    const SampledTrack sampled = SampleTrack(turn, "point");
    const PathSample& s = sampled.paths.at(0).at(10);
    EXPECT_NEAR(s.m_fBank, 14.95, 0.1);
    EXPECT_NEAR(s.m_fHeading, 28.5, 0.1);  // the chord from 27 to 30 degrees round the circle
    EXPECT_EQ(s.m_fPitch, 0);
}
