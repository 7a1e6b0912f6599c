// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VolantorCli.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>

namespace {

struct CliOutcome {
    int status;
    std::string out;
    std::string err;
};

CliOutcome RunCli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunVolantorCli(args, out, err);
    return {status, out.str(), err.str()};
}

bool HasColour(const QImage& image, QRgb colour, int belowY)
{
    for (int y = 0; y < belowY; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour)
                return true;
        }
    }
    return false;
}

class VolantorCliPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        log = dir.Write("flight.dat", RecorderLog({{47.5f, -122.3f, 1000},
                                                   {47.51f, -122.3f, 1100},
                                                   {47.52f, -122.31f, 1200},
                                                   {47.52f, -122.33f, 1300}}));
    }

    // Runs the steps and then paints the picture into a fresh file, which it returns read back.
    QImage Picture(std::vector<std::string> steps)
    {
        const std::string file = dir.File("picture" + std::to_string(++pictures) + ".png");
        steps.push_back("--png");
        steps.push_back(file);
        const CliOutcome run = RunCli(steps);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        lastBytes = TempDir::Read(file);
        return QImage(QString::fromStdString(file));
    }

    TempDir dir;
    std::string log;
    std::string lastBytes;
    int pictures = 0;
};

// A locale that writes numbers with a decimal comma, if this machine has one.
std::optional<std::string> DecimalCommaLocale()
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::optional<std::string> found;
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "es_ES.UTF-8"})
        if (!found && std::setlocale(LC_NUMERIC, name) &&
            std::string(std::localeconv()->decimal_point) == ",")
            found = name;
    std::setlocale(LC_NUMERIC, previous.c_str());
    return found;
}

const QRgb kBlue = qRgb(0, 0, 240);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kLightGray = qRgb(192, 192, 192);

}  // namespace

TEST_F(VolantorCliPicture, PngIsTheOverheadViewAtEightHundredBySixHundred)
{
    const QImage picture = Picture({log});
    EXPECT_EQ(lastBytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    ASSERT_EQ(picture.size(), QSize(800, 600));
    EXPECT_TRUE(HasColour(picture, kBlue, 525));
    EXPECT_EQ(picture.pixel(1, 598), kLightGray);  // the legend panel
    EXPECT_EQ(picture.pixel(5, 5), qRgb(255, 255, 255));
}

TEST_F(VolantorCliPicture, SizeBeforeThePngChangesItsSize)
{
    const QImage picture = Picture({log, "--size", "320x200"});
    EXPECT_EQ(picture.size(), QSize(320, 200));
    EXPECT_EQ(picture.pixel(1, 198), kLightGray);
}

TEST_F(VolantorCliPicture, ThreeDPaintsThePathsBlackAndTogglesBack)
{
    const QImage overhead = Picture({log});
    const std::string overheadBytes = lastBytes;
    const QImage threeD = Picture({log, "--3d"});
    EXPECT_FALSE(HasColour(threeD, kBlue, 525));
    EXPECT_TRUE(HasColour(threeD, kBlack, 525));
    Picture({log, "--3d", "--3d"});
    EXPECT_EQ(lastBytes, overheadBytes);
    EXPECT_NE(threeD, overhead);
}

TEST_F(VolantorCliPicture, ZoomChangesThePictureAndResetViewRestoresIt)
{
    Picture({log});
    const std::string whole = lastBytes;
    Picture({log, "--zoom-in"});
    EXPECT_NE(lastBytes, whole);
    Picture({log, "--zoom-out"});
    EXPECT_NE(lastBytes, whole);
    Picture({log, "--zoom-in", "--zoom-in", "--zoom-out", "--reset-view"});
    EXPECT_EQ(lastBytes, whole);
}

TEST_F(VolantorCliPicture, DocumentWithoutPathsIsABlankPicture)
{
    const QImage picture = Picture({"--size", "64x48"});
    ASSERT_EQ(picture.size(), QSize(64, 48));
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(picture.pixel(x, y), qRgb(255, 255, 255));
    }
}

TEST_F(VolantorCliPicture, BadSizesAreUsageErrors)
{
    for (const char* size : {"0x10", "10", "10x", "x10", "20000x5", "axb", "10x10x", "-5x10", "12 x10"}) {
        const CliOutcome run = RunCli({log, "--size", size, "--png", dir.File("never.png")});
        EXPECT_EQ(run.status, 2) << size;
        EXPECT_NE(run.err.find("--size: needs WIDTHxHEIGHT"), std::string::npos) << size;
    }
    EXPECT_EQ(RunCli({log, "--size", "10000x1", "--size", "1x1", "--png", dir.File("tiny.png")}).status, 0);
}

TEST_F(VolantorCliPicture, UnwritablePictureFailsWithExitOne)
{
    const std::string file = dir.File("missing-folder/picture.png");
    const CliOutcome run = RunCli({log, "--png", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("Can't save \"" + file + "\": ", 0), 0u) << run.err;
}

TEST(VolantorCliLocale, NumbersReadAndWrittenAfterAPngIgnoreADecimalCommaLocale)
{
    const auto locale = DecimalCommaLocale();
    if (!locale)
        GTEST_SKIP() << "no locale with a decimal comma here (scripts/install-deps.sh makes de_DE.UTF-8)";
    // In a process of its own, so that its first --png makes the Qt application under that locale.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CliOutcome run;
            {
                TempDir dir;
                // The hexadecimal field sends each line through the C library's conversion.
                const std::string log =
                    dir.Write("hex.dat", "# ORVEX Flight Data Recorder version 6\nby test\ncolumns\n"
                                         "0 12:00:00 47.25 8.5 1000 0 0 0 0x10 0 0 0 0 0 d x y\n"
                                         "1 12:00:01 47.5 8.75 1100 0 0 0 0x10 0 0 0 0 0 d x y\n");
                setenv("LC_ALL", locale->c_str(), 1);
                run = RunCli({"--png", dir.File("empty.png"), log, "--info"});
            }
            std::cerr << run.out << run.err;
            const bool pointKept =
                run.out.find("Latitude Range: 47.250000 to 47.500000\n"
                             "Longitude Range: 8.500000 to 8.750000\n") != std::string::npos;
            std::_Exit(pointKept ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
