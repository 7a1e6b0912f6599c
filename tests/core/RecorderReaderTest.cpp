// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"
#include "support/FakeUserInterface.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Kind = UserInterface::MessageKind;

class RecorderReader : public ::testing::Test {
protected:
    void Read(const std::string& log)
    {
        std::istringstream in(log);
        doc.ReadFlightPath(in, "test.dat");
    }

    // The document and the person's view of it are as if nothing was read.
    void ExpectUnchangedWith(const std::string& message)
    {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, message);
        EXPECT_EQ(ui.messages[0].kind, Kind::Failure);
        EXPECT_TRUE(doc.m_paths.empty());
        EXPECT_TRUE(doc.m_samples.empty());
        EXPECT_EQ(doc.m_nCurPath, -1);
        EXPECT_TRUE(ui.panes.empty());
        EXPECT_EQ(ui.redraws, 0);
        EXPECT_FALSE(doc.IsModified());
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    const std::string header = "# ORVEX Flight Data Recorder version 6\n";
};

// A stream that delivers some bytes and then fails as a broken disk would.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string data) : m_data(std::move(data))
    {
        setg(m_data.data(), m_data.data(), m_data.data() + m_data.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }

private:
    std::string m_data;
};

}  // namespace

TEST_F(RecorderReader, HeaderProblemsLeaveTheDocumentUnchanged)
{
    Read("");
    ExpectUnchangedWith("Error Reading Header");
}

TEST_F(RecorderReader, OtherRecorderVersionIsRefused)
{
    Read("# ORVEX Flight Data Recorder version 5\nx\ny\n1 a 2 3\n");
    ExpectUnchangedWith("Not a valid data file!");
}

TEST_F(RecorderReader, FileEndingAfterTheHeaderIsRefused)
{
    Read(header);
    ExpectUnchangedWith("Error reading data file line 2!");
}

TEST_F(RecorderReader, FileEndingAfterLineTwoIsRefused)
{
    Read(header + "line two");
    ExpectUnchangedWith("Error reading data file definitions!");
}

TEST_F(RecorderReader, ReadFailureHalfWayLeavesTheDocumentUnchanged)
{
    FailingBuffer buffer(RecorderLog({{1, 2, 3}, {4, 5, 6}}));
    std::istream in(&buffer);
    doc.ReadFlightPath(in, "broken.dat");
    ExpectUnchangedWith("Error reading the flight path file \"broken.dat\"; nothing was loaded.");
}

TEST_F(RecorderReader, LogBecomesTheNewCurrentPath)
{
    Read(RecorderLog({{47.5f, -122.3f, 1000}, {47.51f, -122.3f, 1100, 0, 0, 0, 'u'}}));
    ASSERT_EQ(doc.m_paths.size(), 1u);
    const VehiclePath& path = doc.m_paths[0];
    EXPECT_EQ(path.m_nFirstSample, 0);
    EXPECT_EQ(path.m_nLastSample, 1);
    EXPECT_EQ(path.m_strVehicle, "0FE0B - Cessna");
    EXPECT_EQ(path.m_nColor, (std::array<int, 5>{4, 5, 4, 3, 2}));
    EXPECT_EQ(path.m_nTrafficFlags, 3);
    EXPECT_EQ(path.m_nDensity, 0);
    EXPECT_EQ(doc.m_nCurPath, 0);
    EXPECT_EQ(doc.m_samples[1].m_cGear, 'u');
    EXPECT_EQ(doc.m_samples[0].m_cGear, 'd');
    // Derived values are ready as soon as the log is in.
    EXPECT_EQ(doc.m_fMaxLat, 47.51f);
    EXPECT_GT(doc.m_samples[1].m_fY, 1000);
    EXPECT_EQ(ui.panes[2], "PATTERN0");
    EXPECT_EQ(ui.redraws, 1);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"2 Sample Points"});
    EXPECT_EQ(ui.messages[0].kind, Kind::Information);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RecorderReader, SecondLogFollowsTheFirstAndCountsAllSamples)
{
    Read(RecorderLog({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}));
    Read(RecorderLog({{4, 4, 4}, {5, 5, 5}}));
    ASSERT_EQ(doc.m_paths.size(), 2u);
    EXPECT_EQ(doc.m_paths[1].m_nFirstSample, 3);
    EXPECT_EQ(doc.m_paths[1].m_nLastSample, 4);
    EXPECT_EQ(doc.m_nCurPath, 1);
    EXPECT_EQ(ui.panes[2], "PATTERN1");
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"3 Sample Points", "5 Sample Points"}));

    // Read while an earlier path is current, the new path still becomes current.
    doc.OnNextPath();
    ASSERT_EQ(doc.m_nCurPath, 0);
    Read(RecorderLog({{6, 6, 6}}));
    EXPECT_EQ(doc.m_nCurPath, 2);
    EXPECT_EQ(ui.panes[2], "PATTERN2");
}

TEST_F(RecorderReader, LogWithoutDataLinesGivesAnEmptyPath)
{
    Read(header + "two\nthree\n");
    ASSERT_EQ(doc.m_paths.size(), 1u);
    EXPECT_EQ(doc.m_paths[0].m_nFirstSample, 0);
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, -1);
    EXPECT_EQ(ui.LastText(), "0 Sample Points");
}

TEST_F(RecorderReader, TrailingEmptyLineRepeatsTheLastSample)
{
    Read(RecorderLog({{1, 2, 3}, {4, 5, 6}}) + "\n");
    ASSERT_EQ(doc.m_samples.size(), 3u);
    EXPECT_EQ(doc.m_samples[2].m_fLat, 4.0f);
    EXPECT_EQ(doc.m_samples[2].m_strField2, doc.m_samples[1].m_strField2);
}

TEST_F(RecorderReader, CrLfAndLfLinesReadAlike)
{
    const std::string lf = RecorderLog({{1, 2, 3}, {4, 5, 6, 0, 0, 0, 'u'}});
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Read(lf);
    Read(crlf);
    ASSERT_EQ(doc.m_samples.size(), 4u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(doc.m_samples[i].m_fLat, doc.m_samples[i + 2].m_fLat);
        EXPECT_EQ(doc.m_samples[i].m_cField17, doc.m_samples[i + 2].m_cField17);
    }
    EXPECT_EQ(doc.m_samples[3].m_cField17, 'y');
}

TEST_F(RecorderReader, LongLineIsOneSample)
{
    const std::string padding(2000, ' ');
    Read(header + "2\n3\n1 t 10" + padding + "20 30 0 0 0 0 0 0 0 0 0 u d x\n");
    ASSERT_EQ(doc.m_samples.size(), 1u);
    EXPECT_EQ(doc.m_samples[0].m_fLon, 20.0f);
    EXPECT_EQ(doc.m_samples[0].m_cGear, 'u');
}

TEST_F(RecorderReader, CommandAsksForADatFileAndReadsIt)
{
    TempDir dir;
    ui.filesToOpen.push_back(dir.Write("flight.dat", RecorderLog({{1, 2, 3}})));
    doc.OnOpenFlightPath();
    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(ui.fileChoices[0].strFilter, "Flight Recorder Files (*.dat)|*.dat||");
    EXPECT_EQ(ui.fileChoices[0].strDefaultExtension, "dat");
    EXPECT_EQ(ui.fileChoices[0].strInitialName, ".dat");
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"1 Sample Points"});
}

TEST_F(RecorderReader, CancelledOrMissingFileChangesNothing)
{
    doc.OnOpenFlightPath();
    EXPECT_TRUE(ui.messages.empty());
    doc.ReadFlightPathFile("/no/such/folder/flight.dat");
    ExpectUnchangedWith("Can't open the flight path file \"/no/such/folder/flight.dat\".");
}
