// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/MapExport.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

class MapExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultPreferences();
        doc.m_fMinLat = 47.25f;
        doc.m_fMaxLat = 47.5f;
        doc.m_fMinLon = -122.5f;
        doc.m_fMaxLon = -122.25f;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(MapExport, WritesTheThreeRingsAndEveryPathLatitudeFirst)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f), SampleAt(47.5f, -122.25f)});
    AddPath(doc, {SampleAt(47.375f, -122.375f)});
    EXPECT_EQ(MapText(doc), "R2\n"
                            "\"Area1\" 5 0 200\n"
                            "47.500000 -122.500000\n47.500000 -122.250000\n47.250000 -122.250000\n"
                            "47.250000 -122.500000\n47.500000 -122.500000\n"
                            "\"Area2\" 5 0 200\n"
                            "47.550000 -122.550000\n47.550000 -122.200000\n47.200000 -122.200000\n"
                            "47.200000 -122.550000\n47.550000 -122.550000\n"
                            "\"Header\" 5 0 200\n"
                            "47.600000 -122.600000\n47.600000 -122.150000\n47.150000 -122.150000\n"
                            "47.150000 -122.600000\n47.600000 -122.600000\n"
                            "\"PATTERN0\" 2 0 200\n"
                            "47.250000 -122.500000\n47.500000 -122.250000\n"
                            "\"PATTERN1\" 1 0 200\n"
                            "47.375000 -122.375000\n");
}

TEST_F(MapExport, RingAcrossThe180thMeridianKeepsItsCornersOnTheGlobe)
{
    doc.m_fMinLon = 179.75f;
    doc.m_fMaxLon = 180.25f;  // measured east across the meridian
    g_fArea1Offset = 0.25f;
    EXPECT_NE(MapText(doc).find("\"Area1\" 5 0 200\n47.750000 179.500000\n47.750000 -179.500000\n"
                                "47.000000 -179.500000\n47.000000 179.500000\n47.750000 179.500000\n"),
              std::string::npos);
}

TEST_F(MapExport, OnlyThePathsRangeIsWrittenCutAfter16000PointsButNot16001)
{
    for (int count : {20000, 16001, 16002}) {
        std::vector<PathSample> samples;
        for (int j = 0; j < count; ++j)
            samples.push_back(SampleAt(47.25f, -122.5f + j / 65536.0f));
        AddPath(doc, samples);
    }
    AddPath(doc, {SampleAt(1, 1), SampleAt(2, 2), SampleAt(3, 3), SampleAt(4, 4)});
    doc.m_paths[3].m_nFirstSample += 1;
    doc.m_paths[3].m_nLastSample -= 1;
    AddPath(doc, {});
    // Each path's last point is its sample 15999 or 16000.
    const std::string text = MapText(doc);
    for (const char* part : {"\"PATTERN0\" 16000 0 200\n47.250000 -122.500000\n",
                             "47.250000 -122.255875\n\"PATTERN1\" 16001 0 200\n",
                             "47.250000 -122.255859\n\"PATTERN2\" 16000 0 200\n"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_TRUE(
        text.ends_with("47.250000 -122.255875\n\"PATTERN3\" 2 0 200\n2.000000 2.000000\n3.000000 3.000000\n"
                       "\"PATTERN4\" 0 0 200\n"));
}

TEST_F(MapExport, PathWithAnImpossibleNumberIsRefusedBeforeAnyDialog)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f)});
    AddPath(doc, {SampleAt(47.25f, -122.5f), SampleAt(47.25f, 350)});
    doc.OnExportMap();
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{"Can't export the map: sample 2 of PATTERN1 holds numbers no "
                                       "flight has (not a number, infinite, or off the globe)."});
    EXPECT_TRUE(ui.fileChoices.empty());
}
