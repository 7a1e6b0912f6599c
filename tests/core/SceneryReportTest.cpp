// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryReport.h"
#include "document/Preferences.h"
#include "output/BglCompiler.h"
#include "output/SceneryFit.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Eleven seconds east at 10 m/s from the reference point, one move, with
// sample 5 recorded 30 m north of the line.
void AddStrayingPath(CVolantorDoc& doc)
{
    std::vector<PathSample> samples(11, SampleAt(0, 0, 100));
    for (int second = 0; second < 11; ++second)
        samples[second].m_fX = 10.0f * second;
    samples[5].m_fY = 30;
    samples[0].m_nSegKind = 2;
    samples[0].m_nSegEnd = 10;
    AddPath(doc, samples);
}

// Ten minutes round a circle of 1 km at 30 degrees of bank: each second is a
// move of its own at the default bank threshold of 25.
void AddCirclingPath(CVolantorDoc& doc)
{
    std::vector<PathSample> samples;
    for (int second = 0; second < 600; ++second) {
        const double angle = second * 3 * 3.141592654 / 180;
        samples.push_back(SampleAt(static_cast<float>(47 + 1000 * std::sin(angle) / 111137),
                                   static_cast<float>(8 + 1000 * (1 - std::cos(angle)) / 75800), 1000));
        samples.back().m_fHeading = static_cast<float>(std::fmod(second * 3.0, 360));
        samples.back().m_fBank = 30;
    }
    AddPath(doc, samples);
}

}  // namespace

// The bodies are the 55 bytes of a pattern without segments, the first with
// a MoveXY of 7; the file adds the 220 bytes of header, entries of 8, the
// table's end, 3 zeros and the notice of 60; the block counts 39 + 16 + 1 +
// 62 + 55.
TEST(SceneryReport, FiguresPerPatternAndForTheFile)
{
    SetDefaultPreferences();
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    AddStrayingPath(doc);
    AddPath(doc,
            std::vector<PathSample>(3661, SampleAt(0, 0, 100)));  // an hour and a minute without a segment
    doc.OnSceneryReport();
    EXPECT_EQ(
        ui.LastText(),
        "Pattern      Vehicle        Samples Holds Moves  Bytes Across max Across mean Height max      Lap "
        "Recorded\n"
        "PATTERN0     0FE0B - Cessna      11     0     1     62     30.0 m       2.7 m       0 ft  0:00:10  "
        "0:00:10\n"
        "PATTERN1     0FE0B - Cessna    3661     0     0     55      0.0 m       0.0 m       0 ft  0:00:00  "
        "1:01:00\n"
        "File: 417 bytes. Its dynamic scenery takes 173 of the 65535 bytes the format allows.\n");
    // 1200 patterns of 55 bytes: 39 + 9600 + 1 + 66000 bytes of block.
    doc.m_paths.assign(1200, doc.m_paths[0]);
    for (PathSample& sample : doc.m_samples)
        sample.m_nSegKind = 0;
    std::string refusal;
    const std::string text = SceneryReportText(*ReportScenery(doc, refusal));
    EXPECT_EQ(
        text.substr(text.rfind("File: ")),
        "File: 75884 bytes. Its dynamic scenery takes 75640 bytes, 10105 more than the 65535 the format "
        "allows.\n");
}

TEST(SceneryReport, FitToSizeGeneratesWithinTheBytesAndUndoesWhole)
{
    SetDefaultPreferences();
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    AddCirclingPath(doc);
    doc.RecalcExtents();
    doc.OnGeneratePath();
    std::string refusal;
    ASSERT_GT(CompileBgl(doc, refusal)->size(), 4000u);  // 599 moves of 7 bytes
    const std::vector<PathSample> before = doc.m_samples;

    doc.OnFitToSize(1500);
    EXPECT_LE(CompileBgl(doc, refusal)->size(), 1500u);
    // One factor scales all five; the bank had to pass 30 degrees.
    EXPECT_GT(g_fBankThreshold, 30);
    EXPECT_FLOAT_EQ(g_fYawThreshold / 10, g_fCourseThreshold / 0.2f);
    EXPECT_FLOAT_EQ(g_fPitchThreshold, g_fYawThreshold);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_NE(ui.LastText().find("The scenery file takes "), std::string::npos);

    const int redraws = ui.redraws;
    doc.OnUndo();
    EXPECT_EQ(ui.redraws, redraws + 1);
    EXPECT_EQ(doc.m_samples, before);
    EXPECT_EQ(g_fBankThreshold, 25);
    EXPECT_EQ(g_fCourseThreshold, 0.2f);
}

// A pattern of one sample takes 55 bytes whatever the thresholds, its file
// 347. Where every trial fits alike, the first, the widest, is kept: each
// threshold 20 times its default, or the top of its range.
TEST(SceneryReport, FitThatCannotBeChangesNothing)
{
    SetDefaultPreferences();
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    AddPath(doc, {SampleAt(0, 0)});
    doc.OnFitToSize(347);
    EXPECT_EQ(ui.LastText(),
              "The scenery file takes 347 bytes with these thresholds: course 100%, climb 100%, yaw "
              "45, pitch 45, bank 45. The vehicles stray at most 0.0 m from their recordings.");
    doc.OnUndo();
    doc.OnClearPath();  // nothing to clear: no step either
    doc.OnFitToSize(346);
    EXPECT_EQ(ui.LastText(),
              "Even the widest thresholds leave a scenery file of 347 bytes, more than the 346 it "
              "must fit in, or than the format can hold. Write fewer paths, or trim them.");
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_EQ(g_fBankThreshold, 25);
}
