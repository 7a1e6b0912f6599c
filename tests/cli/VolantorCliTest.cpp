// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "support/CliRun.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

class VolantorCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = dir.Write("flight.dat", RecorderLog({{47.5f, -122.3f, 1000}, {47.51f, -122.3f, 1100}, {47.52f, -122.31f, 1200}}));
    }
    TempDir dir;
    std::string log;
};

}  // namespace

TEST_F(VolantorCli, ReadsLogsInOrderAndReportsEachOnStandardOutput)
{
    const std::string second = dir.Write("SECOND.DAT", RecorderLog({{47.6f, -122.4f, 500}}));
    const CliRun run = RunCli({log, second});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "3 Sample Points\n4 Sample Points\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(VolantorCli, SavesAndReopensADocument)
{
    const std::string saved = dir.File("work.vol");
    ASSERT_EQ(RunCli({log, log, "--save", saved}).status, 0);
    const CliRun reopened = RunCli({saved, "--info"});
    EXPECT_EQ(reopened.status, 0);
    EXPECT_EQ(reopened.out.substr(0, 29), "Paths Loaded: 2  Samples: 6\nA");
    EXPECT_NE(reopened.out.find("Path 2 of 2\n"), std::string::npos);
    EXPECT_EQ(RunCli({"--open", saved}).out, "Paths Loaded: 2  Samples: 6\n");
}

TEST_F(VolantorCli, StopsAtTheFirstFailureWithExitOne)
{
    const std::string bad = dir.Write("bad.dat", "# ORVEX Flight Data Recorder version 5\n");
    const std::string saved = dir.File("never.vol");
    const CliRun run = RunCli({log, bad, "--save", saved});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "3 Sample Points\n");
    EXPECT_EQ(run.err, "Not a valid data file!\n");
    EXPECT_FALSE(std::filesystem::exists(saved));
}

TEST_F(VolantorCli, RefusesToSaveOrReportAnEmptyDocument)
{
    EXPECT_EQ(RunCli({"--save", dir.File("empty.vol")}).err, "No data to save!\n");
    const CliRun info = RunCli({"--info"});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.err, "Nothing loaded!\n");
}

TEST_F(VolantorCli, UsageErrorsExitTwoBeforeAnyStepRuns)
{
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{log, "--bogus"},
                                               {log, "--save"},
                                               {log, "notes.txt"},
                                               {"--set", "bank=46", log},
                                               {"--set", "speed=3", log},
                                               {"--set", "bank", log},
                                               {"--set", "alt-gray=1.5", log},
                                               {log, "--info", "--set", "bank=46"},
                                               {"--set", "bank=45"},
                                               {}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "") << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("Usage: volantor-cli"), std::string::npos);
    }
}

TEST_F(VolantorCli, SetStoresPreferencesAsTheDialogDoes)
{
    ASSERT_EQ(RunCli({"--set", "course=30", "--set", "bank=45", "--set", "header=-180", "--set", "time-blue=0", log})
                  .status,
              0);
    EXPECT_EQ(g_fCourseThreshold, 30.0f * 0.01f);
    EXPECT_EQ(g_fBankThreshold, 45.0f);
    EXPECT_EQ(g_fHeaderOffset, -180.0f);
    EXPECT_EQ(g_nTimeBlueSpacing, 0);
    // A value not named keeps its default bit for bit.
    EXPECT_EQ(g_fClimbThreshold, 0.05f);
    // Every run starts from the defaults.
    ASSERT_EQ(RunCli({log}).status, 0);
    EXPECT_EQ(g_fCourseThreshold, 0.2f);
}

TEST_F(VolantorCli, SetAppliesToTheStepsAfterIt)
{
    const std::string before = dir.File("before.txt"), after = dir.File("after.txt");
    const CliRun run = RunCli({log, "--map", before, "--set", "area1=1", "--map", after});
    ASSERT_EQ(run.status, 0) << run.err;
    // The first corner of "Area1": the box's north-west corner widened by the margin.
    EXPECT_EQ(TempDir::Read(before).substr(0, 41), "R2\n\"Area1\" 5 0 200\n47.520000 -122.309998\n");
    EXPECT_EQ(TempDir::Read(after).substr(0, 41), "R2\n\"Area1\" 5 0 200\n48.520000 -123.309998\n");
}

TEST_F(VolantorCli, HelpPrintsTheUsage)
{
    const CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: volantor-cli STEP...\n", 0), 0u);
    for (const char* name :
         {"--open FILE", "--save FILE", "--info", "--set NAME=VALUE", "course", "time-blue"})
        EXPECT_NE(run.out.find(name), std::string::npos) << name;
}
