// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ByteStream.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/SavedSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string AsText(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes AsBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

class DocumentFile : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }

    PathSample FullSample(float lat)
    {
        PathSample s = SampleAt(lat, -122.25f, 1000);
        s.m_fField1 = 1;
        s.m_strField2 = "12:00:00";
        s.m_fPitch = 2.5f;
        s.m_fBank = -1;
        s.m_fHeading = 90;
        s.m_fField9 = 9;
        s.m_cGear = 'u';
        s.m_cField16 = '1';
        s.m_cField17 = '2';
        s.m_nSegKind = 2;
        s.m_nSegEnd = 7;
        s.m_bMarked = true;
        return s;
    }

    // Saves the document and returns the file's bytes.
    std::string Saved()
    {
        const std::string file = dir.File("saved.vol");
        EXPECT_TRUE(doc.OnSaveDocument(file));
        return TempDir::Read(file);
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

} // namespace

TEST_F(DocumentFile, OnePathOfOneSampleIsStoredByteForByte)
{
    AddPath(doc, {FullSample(47.5f)});
    const Bytes expected{0x01, 0x00, // one path
                         0x04, 0,    0,    0,    0x05, 0,    0,   0,    0x04, 0,   0,
                         0,    0x03, 0,    0,    0,    0x02, 0,   0,    0, // colours
                         0x0E, 0,    0,    0,    '0',  'F',  'E', '0',  'B',  ' ', '-',
                         ' ',  'C',  'e',  's',  's',  'n',  'a', 0x00, 0,    0,   0, // density
                         0x03, 0,    0,    0,                                         // traffic flags
                         0x00, 0,    0,    0,                                         // first sample
                         0x00, 0,    0,    0,                                         // last sample
                         0x00, 0x00, 0x80, 0x3F,                                      // field 1: 1.0
                         0x00, 0x00, 0x3E, 0x42,                                      // latitude 47.5
                         0x00, 0x80, 0xF4, 0xC2,                                      // longitude -122.25
                         0x00, 0x00, 0x7A, 0x44,                                      // altitude 1000
                         0x00, 0x00, 0x20, 0x40,                                      // pitch 2.5
                         0x00, 0x00, 0x80, 0xBF,                                      // bank -1
                         0x00, 0x00, 0xB4, 0x42,                                      // heading 90
                         'u',  '1',  '2'};
    EXPECT_EQ(Saved(), AsText(expected));
    EXPECT_EQ(expected.size(), 2u + 20 + 4 + 14 + 16 + 31);
}

TEST_F(DocumentFile, RangesAreWrittenAsHeldAndRenumberedOnLoad)
{
    AddPath(doc, {FullSample(1), FullSample(2), FullSample(3)});
    AddPath(doc, {});
    AddPath(doc, {FullSample(4)});
    doc.m_paths[0].m_nFirstSample = 1; // sample 0 belongs to no path any more
    const std::string bytes = Saved();
    // The first path's range 1..2 is written as held in memory.
    EXPECT_EQ(bytes.substr(2 + 20 + 4 + 14 + 8, 8), std::string("\1\0\0\0\2\0\0\0", 8));
    EXPECT_EQ(bytes.size(), 2 + 3 * (20 + 4 + 14 + 16) + 3 * 31u);

    ASSERT_TRUE(doc.OnOpenDocument(dir.File("saved.vol")));
    EXPECT_EQ(ui.LastText(), "Paths Loaded: 3  Samples: 3");
    ASSERT_EQ(doc.m_paths.size(), 3u);
    EXPECT_EQ(doc.m_paths[0].m_nFirstSample, 0);
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 1);
    EXPECT_EQ(doc.m_paths[1].m_nFirstSample, 2);
    EXPECT_EQ(doc.m_paths[1].m_nLastSample, 1);
    EXPECT_EQ(doc.m_paths[2].m_nFirstSample, 2);
    EXPECT_EQ(doc.m_paths[2].m_nLastSample, 2);
    EXPECT_EQ(doc.m_samples[0].m_fLat, 2.0f);
    EXPECT_EQ(doc.m_samples[2].m_fLat, 4.0f);
    EXPECT_EQ(doc.m_nCurPath, 2);
    EXPECT_EQ(ui.panes[2], "PATTERN2");
}

TEST_F(DocumentFile, ReopenKeepsSavedFieldsAndDropsTheRest)
{
    VehiclePath& path = AddPath(doc, {FullSample(47.5f)});
    path.m_nColor = {0, 255, 17, 200, 9};
    path.m_strVehicle = "Helicopter (FS98)";
    path.m_nDensity = 4;
    path.m_nTrafficFlags = 12;
    AddPath(doc, {FullSample(48), FullSample(-33.25f)});
    doc.m_nCurPath = 0;
    const CVolantorDoc before = doc;
    Saved();

    ASSERT_TRUE(doc.OnOpenDocument(dir.File("saved.vol")));
    ASSERT_EQ(doc.m_paths.size(), 2u);
    EXPECT_EQ(doc.m_paths[0].m_nColor, before.m_paths[0].m_nColor);
    EXPECT_EQ(doc.m_paths[0].m_strVehicle, "Helicopter (FS98)");
    EXPECT_EQ(doc.m_paths[0].m_nDensity, 4);
    EXPECT_EQ(doc.m_paths[0].m_nTrafficFlags, 12);
    EXPECT_EQ(doc.m_nCurPath, 1);
    for (std::size_t i = 0; i < doc.m_samples.size(); ++i) {
        const PathSample& s = doc.m_samples[i];
        const PathSample& was = before.m_samples[i];
        ExpectSameSavedSample(s, was);
        // Not kept: the segmentation, the marker and the unused fields.
        EXPECT_EQ(s.m_nSegKind, 0);
        EXPECT_EQ(s.m_nSegEnd, 0);
        EXPECT_FALSE(s.m_bMarked);
        EXPECT_EQ(s.m_strField2, "");
        EXPECT_EQ(s.m_fField9, 0.0f);
    }
    // Extents are derived again on load.
    EXPECT_EQ(doc.m_fMinLat, -33.25f);
    EXPECT_EQ(Saved(), TempDir::Read(dir.File("saved.vol")));
}

TEST_F(DocumentFile, SaveAndLoadClearTheModifiedFlagAndNameTheFile)
{
    AddPath(doc, {FullSample(1)});
    doc.SetModifiedFlag();
    Saved();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), dir.File("saved.vol"));
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("saved.vol")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentFile, LoadKeepsThe3DView)
{
    AddPath(doc, {FullSample(1)});
    Saved();
    doc.m_b3DView = true;
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("saved.vol")));
    EXPECT_TRUE(doc.m_b3DView);
}

TEST_F(DocumentFile, NothingToSaveWritesNoFile)
{
    const std::string existing = dir.Write("old.vol", "previous work");
    EXPECT_FALSE(doc.OnSaveDocument(existing));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No data to save!"});
    EXPECT_EQ(TempDir::Read(existing), "previous work");
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("new.vol")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.vol")));
}

TEST_F(DocumentFile, SaveReplacesTheOldFileAndLeavesNoTemporaryBehind)
{
    AddPath(doc, {FullSample(1)});
    const std::string file = dir.Write("work.vol", std::string(5000, 'x'));
    ASSERT_TRUE(doc.OnSaveDocument(file));
    EXPECT_EQ(TempDir::Read(file).size(), 2 + 20 + 4 + 14 + 16 + 31u);
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(file).parent_path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(DocumentFile, SaveThroughALinkUpdatesTheLinkedFileAndKeepsTheLink)
{
    const std::string real = dir.Write("real.vol", "old");
    const std::string link = dir.File("link.vol");
    std::error_code code;
    std::filesystem::create_symlink(real, link, code);
    if (code)
        GTEST_SKIP() << "no symbolic links here: " << code.message();
    AddPath(doc, {FullSample(1)});
    ASSERT_TRUE(doc.OnSaveDocument(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::Read(real).size(), 2u + 20 + 4 + 14 + 16 + 31);
}

TEST_F(DocumentFile, FailedSaveIsReportedAndNeverCountsAsSaved)
{
    AddPath(doc, {FullSample(1)});
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/folder/work.vol")));
    EXPECT_EQ(ui.messages.back().kind, UserInterface::MessageKind::Failure);
    EXPECT_NE(ui.LastText().find("no/such/folder/work.vol"), std::string::npos);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");

    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(doc.OnSaveDocument("/dev/full"));
        EXPECT_NE(ui.LastText().find("/dev/full"), std::string::npos);
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    }
}

// A file of one path with the given vehicle-text length and range, and
// five bytes of vehicle text.
Bytes PathWith(std::int32_t vehicleLength, std::int32_t first, std::int32_t last)
{
    ByteWriter w;
    w.PutU16(1);
    for (int i = 0; i < 5; ++i)
        w.PutI32(1);
    w.PutI32(vehicleLength);
    w.PutText("0FE0B");
    w.PutI32(0);
    w.PutI32(3);
    w.PutI32(first);
    w.PutI32(last);
    return w.Bytes();
}

// A damaged file must leave the open document exactly as it was.
class DamagedDocumentFile : public DocumentFile {
protected:
    void SetUp() override
    {
        DocumentFile::SetUp();
        AddPath(doc, {FullSample(10), FullSample(11)});
        doc.RecalcExtents();
        kept = doc.m_samples;
    }

    void ExpectRefused(const Bytes& bytes)
    {
        const std::string file = dir.Write("damaged.vol", AsText(bytes));
        ui.messages.clear();
        EXPECT_FALSE(doc.OnOpenDocument(file));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
        EXPECT_NE(ui.messages[0].text.find(file), std::string::npos) << ui.messages[0].text;
        ASSERT_EQ(doc.m_paths.size(), 1u);
        EXPECT_EQ(doc.m_samples, kept);
        EXPECT_EQ(doc.m_nCurPath, 0);
    }

    std::vector<PathSample> kept;
};

TEST_F(DamagedDocumentFile, TruncatedAtAnyByteIsRefused)
{
    const Bytes whole = AsBytes(Saved());
    for (std::size_t size = 0; size < whole.size(); ++size)
        ExpectRefused(Bytes(whole.begin(), whole.begin() + size));
}

TEST_F(DamagedDocumentFile, ImpossibleVehicleTextLengthIsRefused)
{
    ExpectRefused(PathWith(-1, 0, -1));
    ExpectRefused(PathWith(INT_MAX, 0, -1));
    ExpectRefused(PathWith(6 + 16, 0, -1));
}

TEST_F(DamagedDocumentFile, CountsBeyondTheFileAreRefusedWithoutAllocating)
{
    ExpectRefused(PathWith(5, INT_MIN, INT_MAX));
    ExpectRefused(PathWith(5, 0, 1));
    Bytes manyPaths = PathWith(5, 0, -1);
    manyPaths[0] = manyPaths[1] = 0xFF;
    ExpectRefused(manyPaths);
}

TEST_F(DamagedDocumentFile, MissingOrEmptyFileIsRefused)
{
    ExpectRefused({});
    ui.messages.clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.vol")));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(doc.m_samples, kept);
}

TEST_F(DocumentFile, LongVehicleTextIsReadWhole)
{
    Bytes bytes = PathWith(100, 5, 4);
    const std::string longName(100, 'V');
    bytes.erase(bytes.begin() + 26, bytes.begin() + 31);
    bytes.insert(bytes.begin() + 26, longName.begin(), longName.end());
    ASSERT_TRUE(doc.OnOpenDocument(dir.Write("long.vol", AsText(bytes))));
    EXPECT_EQ(doc.m_paths[0].m_strVehicle, longName);
    EXPECT_EQ(ui.LastText(), "Paths Loaded: 1  Samples: 0");
}
