// SPDX-License-Identifier: GPL-3.0-or-later
// The document file: its bytes, documents kept through a save and an open, and damaged files refused.

#include "document/DocumentEdits.h"
#include "document/ImpossibleValues.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

using namespace std::string_literals;

namespace {

using Texts = std::vector<std::string>;

// One path of one sample, field by field, little-endian.
const std::string kWorkedExample =
    "\x01\0"s +                                              // one path
    "\x04\0\0\0\x05\0\0\0\x04\0\0\0\x03\0\0\0\x02\0\0\0"s +  // colours 4 5 4 3 2
    "\x0E\0\0\0"s + "0FE0B - Cessna" +                       // the vehicle text after its length
    "\x02\0\0\0\x03\0\0\0\0\0\0\0\0\0\0\0"s +                // density 2, traffic flags 3, samples 0 to 0
    "\0\0\x80\x3F\0\0\x3E\x42\0\x80\xF4\xC2\0\0\x7A\x44"s +  // 1, latitude 47.5, longitude -122.25, 1000 ft
    "\0\0\x20\x40\0\0\x80\xBF\0\0\xB4\x42u12"s;              // pitch 2.5, bank -1, heading 90, 'u' '1' '2'

std::string Patched(std::size_t offset, const std::string& bytes)
{
    return kWorkedExample.substr(0, offset) + bytes + kWorkedExample.substr(offset + bytes.size());
}

const auto NoRoom = [](int paths) {
    return "the vehicle name of path 1 of " + std::to_string(paths) + " has an impossible length";
};
const std::string kBeyond = "path 1 of 1 announces more samples than the file holds";
const std::string kEarly = "the file ends too early";
const Texts kImpossible{"Paths Loaded: 1  Samples: 1",
                        "1 sample(s)" + kImpossibleValuesHeld +
                            ", the first in PATTERN0 at sample 0; they are left out of the view and no "
                            "scenery is written for their paths."};

struct DocumentCase {
    const char* name;
    std::string bytes;
    std::string damage;  // why the file is refused; none when it opens
    Texts opened;
};

const DocumentCase kDocuments[] = {
    {"empty file", "", kEarly, {}},
    {"vehicle text length -1", Patched(22, "\xff\xff\xff\xff"), NoRoom(1), {}},
    {"vehicle text past the end", Patched(22, "\x3e\0\0\0"s), NoRoom(1), {}},
    {"vehicle text to the end", Patched(22, "\x3d\0\0\0"s), kEarly, {}},
    {"one sample more than the file holds", Patched(52, "\x01"), kBeyond, {}},
    {"samples from INT_MIN to INT_MAX", Patched(48, "\0\0\0\x80\xff\xff\xff\x7f"s), kBeyond, {}},
    {"every count at its maximum", "\xff\xff"s + std::string(40, '\x7f'), NoRoom(65535), {}},
    {"a recorder log", "# ORVEX Flight Data Recorder version 6\nb\nc\n", NoRoom(8227), {}},
    {"latitude not a number", Patched(60, "\0\0\xc0\x7f"s), "", kImpossible},
};

class DocumentFile : public ::testing::Test {
protected:
    std::string Saved(CVolantorDoc& from, const std::string& name)
    {
        EXPECT_TRUE(from.OnSaveDocument(dir.File(name))) << ui.LastText();
        return TempDir::Read(dir.File(name));
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

}  // namespace

TEST_F(DocumentFile, WorkedExampleByteForByte)
{
    EXPECT_FALSE(doc.OnSaveDocument(dir.Write("work.vol", "previous work")));
    EXPECT_EQ(ui.Texts(), Texts{"No data to save!"});
    EXPECT_EQ(TempDir::Read(dir.File("work.vol")), "previous work");
    PathSample s = SampleAt(47.5f, -122.25f, 1000);
    std::tie(s.m_fField1, s.m_fPitch, s.m_fBank, s.m_fHeading) = std::tuple(1.0f, 2.5f, -1.0f, 90.0f);
    std::tie(s.m_cGear, s.m_cField16, s.m_cField17) = std::tuple('u', '1', '2');
    VehiclePath dense = AddPath(doc, {s});
    dense.m_nDensity = 2;
    doc.Perform(std::make_unique<PathSettingsEdit>("Vehicle Settings", 0, dense));
    EXPECT_EQ(Saved(doc, "work.vol"), kWorkedExample);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), dir.File("work.vol"));
    // Undone past the save and changed again: the saved state is out of reach.
    doc.OnUndo();
    doc.Perform(std::make_unique<PathSettingsEdit>("Vehicle Settings", 0, dense));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentFile, StrangeDamagedAndTruncatedFiles)
{
    for (const DocumentCase& c : kDocuments) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        doc.OnNewDocument();
        AddPath(doc, {SampleAt(10, 20), SampleAt(11, 20)});
        const std::string file = dir.Write("case.vol", c.bytes);
        if (doc.OnOpenDocument(file)) {
            EXPECT_EQ(ui.Texts(), c.opened);
            // Every number stays as the file holds it.
            EXPECT_EQ(Saved(doc, "again.vol"), c.bytes);
        } else {
            EXPECT_EQ(ui.Texts(), Texts{"Can't open \"" + file +
                                        "\": it is not a complete Volantor document (" + c.damage + ")."});
            EXPECT_EQ(doc.m_samples.size(), 2u);
        }
    }
    for (std::size_t size = 0; size < kWorkedExample.size(); ++size)
        EXPECT_FALSE(doc.OnOpenDocument(dir.Write("cut.vol", kWorkedExample.substr(0, size)))) << size;
}

TEST_F(DocumentFile, SavedAndOpenedAgainIsTheSameDocumentAndTheSameBytes)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<float> any(-90, 90);
    CVolantorDoc(ui).OnNewDocument();  // the program's first new document turns the 3D view off once
    for (int round = 0; round < 200; ++round) {
        CVolantorDoc saved(ui), opened(ui);
        const int paths = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < paths; ++i) {
            std::vector<PathSample> samples(random() % 4 ? random() % 60 : 0);
            for (PathSample& s : samples) {
                for (float* f :
                     {&s.m_fField1, &s.m_fLat, &s.m_fLon, &s.m_fAlt, &s.m_fPitch, &s.m_fBank, &s.m_fHeading})
                    *f = any(random);
                std::tie(s.m_cGear, s.m_cField16, s.m_cField17) =
                    std::tuple(char(random()), char(random()), char(random()));
            }
            VehiclePath& path = AddPath(saved, samples);
            for (int* value : {&path.m_nColor[0], &path.m_nColor[4], &path.m_nDensity, &path.m_nTrafficFlags})
                *value = static_cast<int>(random());
            path.m_strVehicle = std::string(random() % 40, static_cast<char>(random()));
        }
        saved.RecalcExtents();
        const std::string bytes = Saved(saved, "saved.vol");
        const int generation = opened.m_nGeneration;
        ui.messages.clear();
        ASSERT_TRUE(opened.OnOpenDocument(dir.File("saved.vol")));
        EXPECT_EQ(opened.m_paths, saved.m_paths);
        EXPECT_EQ(opened.m_samples, saved.m_samples);
        EXPECT_EQ(Saved(opened, "again.vol"), bytes);
        EXPECT_EQ(ui.messages[0].text, "Paths Loaded: " + std::to_string(paths) +
                                           "  Samples: " + std::to_string(saved.m_samples.size()));
        EXPECT_EQ(ui.panes[2], "PATTERN" + std::to_string(paths - 1));
        EXPECT_TRUE(opened.m_nGeneration != generation && !opened.IsModified());  // its views start over
    }
}
