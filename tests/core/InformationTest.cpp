// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

class Information : public ::testing::Test {
protected:
    std::string Report()
    {
        doc.RecalcExtents();
        ui.messages.clear();
        doc.OnInformation();
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.LastText();
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(Information, ReportsTheWholeDocumentAndTheCurrentPath)
{
    // 0.1 degrees of latitude along one meridian: 11.11 km high, 0 wide.
    AddPath(doc, {SampleAt(47.5f, -122.25f, 500), SampleAt(47.6f, -122.25f, 1499.6f)});
    EXPECT_EQ(Report(), "Area Size: 0.00  X  11.11 (km)\n"
                        "Latitude Range: 47.500000 to 47.599998\n"
                        "Longitude Range: -122.250000 to -122.250000\n"
                        "Altitude Range: 500 to 1500 (ft)\n"
                        "Path 1 of 1\n"
                        "Length of Flight Path: 11.11 (km)\n"
                        "Elapsed Time: 0'1\"\n");
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Information);
}

TEST_F(Information, ElapsedTimeIsSampleIndexDifferenceInMinutesAndSeconds)
{
    std::vector<PathSample> hour(3601, SampleAt(1, 1));
    AddPath(doc, hour);
    EXPECT_NE(Report().find("Elapsed Time: 60'0\"\n"), std::string::npos);
    AddPath(doc, std::vector<PathSample>(66, SampleAt(1, 1)));
    EXPECT_NE(Report().find("Elapsed Time: 1'5\"\n"), std::string::npos);
    AddPath(doc, {SampleAt(2, 2)});
    EXPECT_NE(Report().find("Elapsed Time: 0'0\"\n"), std::string::npos);
    AddPath(doc, {});
    EXPECT_NE(Report().find("Elapsed Time: 0'0\"\n"), std::string::npos);
}

TEST_F(Information, SecondPathCurrentStillCoversBothPaths)
{
    AddPath(doc, {SampleAt(10, 10, 100)});
    AddPath(doc, {SampleAt(11, 12, 900), SampleAt(11, 12, 900)});
    const std::string report = Report();
    EXPECT_NE(report.find("Path 2 of 2\n"), std::string::npos);
    EXPECT_NE(report.find("Latitude Range: 10.000000 to 11.000000\n"), std::string::npos);
    EXPECT_NE(report.find("Altitude Range: 100 to 900 (ft)\n"), std::string::npos);
    EXPECT_NE(report.find("Elapsed Time: 0'1\"\n"), std::string::npos);
}

TEST_F(Information, PathAcrossThe180thMeridianIsMeasuredTheShortWay)
{
    // Half a degree of the equator, eastward across the meridian: 55568.5 m.
    AddPath(doc, {SampleAt(0, 179.75f), SampleAt(0, -179.75f)});
    EXPECT_EQ(Report(), "Area Size: 55.57  X  0.00 (km)\n"
                        "Latitude Range: 0.000000 to 0.000000\n"
                        "Longitude Range: 179.750000 to -179.750000\n"
                        "Altitude Range: 0 to 0 (ft)\n"
                        "Path 1 of 1\n"
                        "Length of Flight Path: 55.57 (km)\n"
                        "Elapsed Time: 0'1\"\n");
    EXPECT_NEAR(doc.m_samples[1].m_fX, 55568.5, 0.01);
    EXPECT_EQ(doc.m_fCenterLon, 180.0f);
}

TEST_F(Information, NothingLoaded)
{
    doc.OnInformation();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Nothing loaded!"});
}
