// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/MapExport.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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

    // The point lines after the header line of pattern i.
    std::vector<std::string> PathLines(int i)
    {
        const std::string text = MapText(doc);
        const std::string header = "\"PATTERN" + std::to_string(i) + "\" ";
        std::size_t at = text.find(header);
        EXPECT_NE(at, std::string::npos);
        at = text.find('\n', at) + 1;
        std::vector<std::string> lines;
        while (at < text.size() && text[at] != '"') {
            const std::size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        return lines;
    }

    std::string PathHeader(int i)
    {
        const std::string text = MapText(doc);
        const std::size_t at = text.find("\"PATTERN" + std::to_string(i) + "\" ");
        return text.substr(at, text.find('\n', at) - at);
    }

    void AddLongPath(int count)
    {
        std::vector<PathSample> samples;
        for (int j = 0; j < count; ++j)
            samples.push_back(SampleAt(47.25f, -122.5f + j / 65536.0f));
        AddPath(doc, samples);
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

}  // namespace

TEST_F(MapExport, WritesTheThreeRingsAndEveryPathLatitudeFirst)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f), SampleAt(47.5f, -122.25f)});
    AddPath(doc, {SampleAt(47.375f, -122.375f)});
    EXPECT_EQ(MapText(doc), "R2\n"
                            "\"Area1\" 5 0 200\n"
                            "47.500000 -122.500000\n"
                            "47.500000 -122.250000\n"
                            "47.250000 -122.250000\n"
                            "47.250000 -122.500000\n"
                            "47.500000 -122.500000\n"
                            "\"Area2\" 5 0 200\n"
                            "47.550000 -122.550000\n"
                            "47.550000 -122.200000\n"
                            "47.200000 -122.200000\n"
                            "47.200000 -122.550000\n"
                            "47.550000 -122.550000\n"
                            "\"Header\" 5 0 200\n"
                            "47.600000 -122.600000\n"
                            "47.600000 -122.150000\n"
                            "47.150000 -122.150000\n"
                            "47.150000 -122.600000\n"
                            "47.600000 -122.600000\n"
                            "\"PATTERN0\" 2 0 200\n"
                            "47.250000 -122.500000\n"
                            "47.500000 -122.250000\n"
                            "\"PATTERN1\" 1 0 200\n"
                            "47.375000 -122.375000\n");
}

TEST_F(MapExport, NegativeMarginShrinksTheRingInTheSameOrder)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f)});
    g_fArea1Offset = -0.125f;
    const std::string text = MapText(doc);
    EXPECT_NE(text.find("\"Area1\" 5 0 200\n"
                        "47.375000 -122.375000\n"
                        "47.375000 -122.375000\n"
                        "47.375000 -122.375000\n"
                        "47.375000 -122.375000\n"
                        "47.375000 -122.375000\n"),
              std::string::npos);
}

TEST_F(MapExport, RingAcrossThe180thMeridianKeepsItsCornersOnTheGlobe)
{
    doc.m_fMinLon = 179.75f;
    doc.m_fMaxLon = 180.25f;  // measured east across the meridian
    g_fArea1Offset = 0.25f;
    EXPECT_NE(MapText(doc).find("\"Area1\" 5 0 200\n"
                                "47.750000 179.500000\n"
                                "47.750000 -179.500000\n"
                                "47.000000 -179.500000\n"
                                "47.000000 179.500000\n"
                                "47.750000 179.500000\n"),
              std::string::npos);
}

TEST_F(MapExport, LongPathsAreCutAfter16000PointsButNot16001)
{
    AddLongPath(20000);
    AddLongPath(16001);
    AddLongPath(16002);
    EXPECT_EQ(PathHeader(0), "\"PATTERN0\" 16000 0 200");
    EXPECT_EQ(PathLines(0).size(), 16000u);
    EXPECT_EQ(PathLines(0).back(), "47.250000 -122.255875");  // sample 15999
    EXPECT_EQ(PathHeader(1), "\"PATTERN1\" 16001 0 200");
    EXPECT_EQ(PathLines(1).size(), 16001u);
    EXPECT_EQ(PathHeader(2), "\"PATTERN2\" 16000 0 200");
    EXPECT_EQ(PathLines(2).size(), 16000u);
}

TEST_F(MapExport, OnlyThePathsRangeIsWrittenAndEmptyRangesHaveNoPoints)
{
    AddPath(doc, {SampleAt(1, 1), SampleAt(2, 2), SampleAt(3, 3), SampleAt(4, 4)});
    doc.m_paths[0].m_nFirstSample = 1;
    doc.m_paths[0].m_nLastSample = 2;
    AddPath(doc, {});
    EXPECT_EQ(PathLines(0), (std::vector<std::string>{"2.000000 2.000000", "3.000000 3.000000"}));
    EXPECT_EQ(PathHeader(1), "\"PATTERN1\" 0 0 200");
    EXPECT_TRUE(PathLines(1).empty());
}

TEST_F(MapExport, ExportWritesTheFileAndNamesItsFullPath)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f)});
    std::filesystem::create_directory(dir.File("sub"));
    ui.filesToSave.push_back(dir.File("sub/../map.txt"));
    doc.OnExportMap();
    const std::string file = dir.File("map.txt");
    EXPECT_EQ(TempDir::Read(file), MapText(doc));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Created " + file});
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Information);
    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(ui.fileChoices[0].strFilter, "Map Text Files (*.txt)|*.txt||");
    EXPECT_EQ(ui.fileChoices[0].strDefaultExtension, "txt");
    EXPECT_EQ(ui.fileChoices[0].strInitialName, ".txt");
}

TEST_F(MapExport, EmptyDocumentSaysNothingLoaded)
{
    doc.OnExportMap();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Nothing Loaded!"});
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_TRUE(ui.fileChoices.empty());
}

TEST_F(MapExport, CancelWritesNothingAndAnUncreatableFileIsReported)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f)});
    doc.OnExportMap();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));

    ui.filesToSave.push_back(dir.File("no-such-folder/map.txt"));
    doc.OnExportMap();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Error opening map output file!"});
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
}

TEST_F(MapExport, PathWithAnImpossibleNumberIsRefusedBeforeAnyDialog)
{
    AddPath(doc, {SampleAt(47.25f, -122.5f)});
    AddPath(doc, {SampleAt(47.25f, -122.5f), SampleAt(47.25f, 350)});
    doc.OnExportMap();
    EXPECT_EQ(ui.Texts(),
              std::vector<std::string>{"Can't export the map: sample 2 of PATTERN1 holds numbers no flight "
                                       "has (not a number, infinite, or off the globe)."});
    EXPECT_TRUE(ui.fileChoices.empty());
}
