// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CliRun.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two laps of a small circuit, 40 samples each.
std::string TwoLaps()
{
    std::vector<LogPoint> points;
    for (int i = 0; i < 80; ++i) {
        const double angle = 2 * 3.141592654 * i / 40;
        points.push_back({static_cast<float>(47.5 + 0.01 * std::sin(angle)),
                          static_cast<float>(8.5 + 0.01 * std::cos(angle)), 1000});
    }
    return RecorderLog(points);
}

class EditingCli : public ::testing::Test {
protected:
    void SetUp() override { log = dir.Write("laps.dat", TwoLaps()); }
    TempDir dir;
    std::string log;
};

}  // namespace

TEST_F(EditingCli, LoopAnswersYesAndTheSavedDocumentKeepsTheLoop)
{
    const std::string saved = dir.File("loop.vol");
    const CliRun run = RunCli({log, "--loop", "--save", saved});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "80 Sample Points\nCreate Loop From 0 to 40?\n");
    EXPECT_EQ(RunCli({saved}).out, "Paths Loaded: 1  Samples: 41\n");
}

TEST_F(EditingCli, TrimsTakeIndicesIntoTheSampleArray)
{
    const std::string saved = dir.File("trim.vol");
    ASSERT_EQ(RunCli({log, log, "--trim-start", "85", "--trim-end", "100", "--save", saved}).status, 0);
    EXPECT_EQ(RunCli({saved}).out, "Paths Loaded: 2  Samples: 96\n");

    const CliRun outside = RunCli({log, "--trim-end", "80"});
    EXPECT_EQ(outside.status, 2);
    EXPECT_NE(outside.err.find("--trim-end: sample index 80 is outside the 80 samples"), std::string::npos);
    EXPECT_EQ(RunCli({log, "--trim-start", "-1"}).status, 2);
    EXPECT_EQ(RunCli({log, "--trim-start"}).status, 2);
}

TEST_F(EditingCli, DeleteNextPreviousAndEndMatch)
{
    const std::string saved = dir.File("edit.vol");
    const CliRun run = RunCli({log, log, log, "--next", "--delete", "--previous", "--end-match", "--save", saved});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Make end point match first point?\n"), std::string::npos);
    EXPECT_EQ(RunCli({saved}).out, "Paths Loaded: 2  Samples: 160\n");
    EXPECT_EQ(RunCli({"--loop"}).err, "No path loaded!\n");
    EXPECT_EQ(RunCli({"--end-match"}).status, 1);
}
