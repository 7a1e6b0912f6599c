// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Bytes Zeros(std::size_t count)
{
    return Bytes(count, 0);
}

Bytes Text(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// Bytes as hex pairs, so that a failing comparison shows where they differ.
std::string Hex(const Bytes& bytes)
{
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
        text += ' ';
    }
    return text;
}

unsigned U16At(const Bytes& bytes, std::size_t offset)
{
    return bytes.at(offset) | (bytes.at(offset + 1) << 8);
}

const std::string kNotice = "Dynamic scenery made with Volantor Version 1.0 by Brightmoor";

// The worked example's 220 bytes before the pattern table, with the size word
// 146. Bounds N 47.5, S 47.25, E -122.25, W -122.5, margins 0.1 (header), 0
// (area 1) and 0.05 (area 2), each a single-precision value added in double.
const Bytes kExampleHeader = Join({
    {0x01, 0x00},
    {0x56, 0xB7, 0x50, 0x00},  // Lat32(47.6): 5289814
    {0xFD, 0xF3, 0x4F, 0x00},  // Lat32(47.15): 5239805
    {0x68, 0x45, 0x23, 0xA9},  // Lon32(-122.15)
    {0xE3, 0x59, 0xD1, 0xA8},  // Lon32(-122.6)
    Zeros(64),
    {0xA0, 0x00, 0x00, 0x00},
    Zeros(40 + 2),
    Text("  Volantor Version 1.0         "),
    {0x0A},
    {0x15},
    {0xF9, 0x27},  // Lat512(47.15): 2619928 >> 8 = 10233
    {0x5B, 0x28},  // Lat512(47.6): 10331
    {0x0A, 0x00, 0x00, 0x00},
    {0x00},
    {0x04},
    {0x45, 0x28},  // Lat512(47.5): 10309
    {0x0F, 0x28},  // Lat512(47.25): 10255
    {0x11, 0xA9},  // Lon16(-122.25)
    {0xE3, 0xA8},  // Lon16(-122.5)
    {0x92, 0x00},  // 146
    {0x50, 0x28},  // Lat512(47.55): 10320
    {0x04, 0x28},  // Lat512(47.2): 10244
    {0x1A, 0xA9},  // Lon16(-122.2)
    {0xDA, 0xA8},  // Lon16(-122.55)
    Zeros(24),
    {0x34, 0x00, 0x00},
    {0x66, 0x1F, 0x50, 0x00},  // Lat32(47.25)
});

// Colours 4 5 4 3 2, position 47.25 N 122.5 W at 30.48 m, heading 90, level.
const Bytes kExamplePrologue = {
    0x31, 0x00, 0x04, 0xF0, 0x31, 0x01, 0x05, 0xF0, 0x31, 0x02, 0x04, 0xF0, 0x31, 0x03, 0x03,
    0xF0, 0x31, 0x04, 0x02, 0xF0, 0x33, 0x00, 0x00, 0x66, 0x1F, 0x50, 0x00, 0x00, 0x00, 0x39,
    0x8E, 0xE3, 0xA8, 0xE1, 0x7A, 0x1E, 0x00, 0x00, 0x00, 0x07, 0xFF, 0x3F, 0x01, 0x00, 0x00,
    0xFF, 0x7F, 0x02, 0x00, 0x00, 0xFF, 0x7F};

const Bytes kExampleBody = Join({kExamplePrologue,
                                 {0x27, 0x11, 0x00},
                                 {0x03, 0xFF, 0x1F, 0xDE, 0xFD},
                                 {0x01, 0x8E, 0x03, 0xB6, 0x00},
                                 {0x18, 0x17, 0x00, 0x87, 0x49, 0x31, 0x01, 0x87, 0x6C},
                                 {0x04, 0x00},
                                 {0x33, 0x00, 0x00, 0xED, 0x8B, 0x50, 0x00, 0x00, 0x00, 0x11, 0x11, 0x11, 0xA9,
                                  0xAE, 0x47, 0x4F, 0x01, 0x00, 0x00},
                                 {0x24, 0xA1, 0xFF}});

// The body of a path whose first sample is the example's and that carries
// the given segment bytes, closed by its jump.
Bytes BodyWith(const Bytes& segments)
{
    const Bytes body = Join({kExamplePrologue, segments});
    const auto back = static_cast<std::uint16_t>(-static_cast<int>(body.size()));
    return Join({body, {0x24, static_cast<std::uint8_t>(back), static_cast<std::uint8_t>(back >> 8)}});
}

class BglCompiler : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultPreferences(); }

    Bytes Compile()
    {
        std::string refusal;
        const auto bytes = CompileBgl(doc, refusal);
        EXPECT_TRUE(bytes) << refusal;
        return bytes.value_or(Bytes());
    }

    std::string Refusal()
    {
        std::string refusal;
        EXPECT_FALSE(CompileBgl(doc, refusal));
        return refusal;
    }

    // The body of the only pattern of a one-path document with a normal entry.
    Bytes OnlyBody()
    {
        const Bytes bytes = Compile();
        return Bytes(bytes.begin() + 229, bytes.begin() + 181 + U16At(bytes, 179));
    }

    // A path of count samples like the example's first one.
    VehiclePath& AddExamplePath(int count)
    {
        PathSample start = SampleAt(47.25f, -122.5f, 100);
        start.m_fHeading = 90;
        start.m_cGear = 'd';
        return AddPath(doc, std::vector<PathSample>(count, start));
    }

    void Segment(int start, int kind, int end)
    {
        doc.m_samples[start].m_nSegKind = kind;
        doc.m_samples[start].m_nSegEnd = end;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

}  // namespace

TEST_F(BglCompiler, WorkedExampleComesOutByteForByte)
{
    BuildWorkedExample(doc);
    ASSERT_EQ(kExampleBody.size(), 98u);
    const Bytes expected = Join({kExampleHeader,
                                 {0x32, 0x0B, 0xFE, 0x09, 0x00, 0x00, 0x00, 0x30},
                                 {0xFF},
                                 kExampleBody,
                                 Zeros(3),
                                 Text(kNotice)});
    EXPECT_EQ(Hex(Compile()), Hex(expected));
}

TEST_F(BglCompiler, CreateWritesTheCompiledFile)
{
    BuildWorkedExample(doc);
    const std::string file = dir.File("out.bgl");
    ui.filesToSave.push_back(file);
    doc.OnCreateBglFile();
    EXPECT_TRUE(ui.messages.empty());
    const Bytes compiled = Compile();
    EXPECT_EQ(TempDir::Read(file), std::string(compiled.begin(), compiled.end()));
    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(ui.fileChoices[0].strFilter, "MSFS Files (*.bgl)|*.bgl||");
    EXPECT_EQ(ui.fileChoices[0].strDefaultExtension, "bgl");
    EXPECT_EQ(ui.fileChoices[0].strInitialName, ".bgl");
}

TEST_F(BglCompiler, EmptyDocumentSaysNothingLoaded)
{
    doc.OnCreateBglFile();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Nothing loaded!"});
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_TRUE(ui.fileChoices.empty());
}

TEST_F(BglCompiler, FileThatCannotBeCreatedIsReported)
{
    BuildWorkedExample(doc);
    ui.filesToSave.push_back(dir.File("no-such-folder/out.bgl"));
    doc.OnCreateBglFile();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Can't create file!"});
}

TEST_F(BglCompiler, PathWithoutSegmentsHasA55ByteBody)
{
    AddExamplePath(5);
    doc.m_fRefLat = 47.25f;
    const Bytes bytes = Compile();
    EXPECT_EQ(U16At(bytes, 179), 103u);  // 39 + 8 + 1 + 55
    EXPECT_EQ(Bytes(bytes.begin() + 220, bytes.begin() + 229),
              (Bytes{0x32, 0x0B, 0xFE, 0x09, 0x00, 0x00, 0x00, 0x30, 0xFF}));
    const Bytes body(bytes.begin() + 229, bytes.begin() + 229 + 55);
    EXPECT_EQ(body, Join({kExamplePrologue, {0x24, 0xCC, 0xFF}}));
    EXPECT_EQ(Bytes(bytes.begin() + 284, bytes.end()), Join({Zeros(3), Text(kNotice)}));
}

TEST_F(BglCompiler, HelicopterEntryIsTheFixedOneWithItsOffsetTwoFurther)
{
    AddExamplePath(1).m_strVehicle = "Helicopter (FS98)";
    AddExamplePath(1);
    const Bytes bytes = Compile();
    // Entries at 220 (24 bytes) and 244 (8 bytes), 0xFF at 252, bodies at 253 and 308.
    const Bytes table(bytes.begin() + 220, bytes.begin() + 253);
    EXPECT_EQ(table, (Bytes{0x35, 35,   0,    0,    0,    0x00, 0x00, 0x30, 0xA9, 0xCD, 0xC2,
                            0x00, 0xAA, 0x00, 0xE1, 0xA9, 0xD0, 0x11, 0x67, 0x59, 0x05, 0x83,
                            0xA1, 0xB1, 0x32, 0x0B, 0xFE, 64,   0,    0,    0,    0x30, 0xFF}));
    EXPECT_EQ(U16At(bytes, 179), 182u);  // 39 + 24 + 8 + 1 + 2 x 55
    EXPECT_EQ(bytes[253], 0x31);
    EXPECT_EQ(bytes[308], 0x31);
}

TEST_F(BglCompiler, ObjectNumbersIgnoreCaseAndUnknownCodesFlyTheCessna)
{
    AddExamplePath(1).m_strVehicle = "0fe0d - big jet";
    AddExamplePath(1).m_strVehicle = "0FE10 - Truck";
    AddExamplePath(1).m_strVehicle = "0FE1";
    AddExamplePath(1).m_strVehicle = "helicopter";
    const Bytes bytes = Compile();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(bytes[220 + 8 * k], 0x32) << k;
    EXPECT_EQ(U16At(bytes, 221), 0xFE0Du);
    EXPECT_EQ(U16At(bytes, 229), 0xFE10u);
    EXPECT_EQ(U16At(bytes, 237), 0xFE0Bu);
    EXPECT_EQ(U16At(bytes, 245), 0xFE0Bu);
}

TEST_F(BglCompiler, EntryByteHoldsTrafficFlagsAboveDensity)
{
    VehiclePath& busy = AddExamplePath(1);
    busy.m_nTrafficFlags = 15;
    busy.m_nDensity = 4;
    AddExamplePath(1).m_nTrafficFlags = 16 + 3;  // an unknown bit falls out of the byte
    const Bytes bytes = Compile();
    EXPECT_EQ(bytes[227], 0xF4);
    EXPECT_EQ(bytes[235], 0x30);
    // Placeholders held 2 x 8 + 1: their upper halves stay zero.
    EXPECT_EQ(U16At(bytes, 225), 0u);
    EXPECT_EQ(U16At(bytes, 233), 0u);
}

TEST_F(BglCompiler, YawRateIsRoundedTowardZero)
{
    AddExamplePath(11);
    Segment(0, 2, 10);
    doc.m_samples[10].m_fHeading = 103;  // 13 degrees in 10 s: 2.6, written 3 in SCASM text
    // YawTo: Angle16(103) = 18750, rate 2 x 182.04 = 364.
    EXPECT_EQ(Hex(OnlyBody()), Hex(BodyWith({0x03, 0x3E, 0x49, 0x6C, 0x01, 0x15, 0x0A, 0x00, 0, 0, 0, 0})));
}

TEST_F(BglCompiler, MovesRoundToTheNearestMetreHalvesUpward)
{
    AddExamplePath(11);
    Segment(0, 2, 10);
    doc.m_samples[10].m_fX = -0.5f;
    doc.m_samples[10].m_fY = -0.6f;
    EXPECT_EQ(OnlyBody(), BodyWith({0x15, 0x0A, 0x00, 0x00, 0x00, 0xFF, 0xFF}));
    // The difference is a float: 10000.5 - 0.0002 is 10000.5 (10001 m), not 10000.4998.
    doc.m_samples[0].m_fX = 0.0002f;
    doc.m_samples[10].m_fX = 10000.5f;
    doc.m_samples[10].m_fY = 0;
    EXPECT_EQ(OnlyBody(), BodyWith({0x15, 0x0A, 0x00, 0x11, 0x27, 0x00, 0x00}));
}

TEST_F(BglCompiler, NegativeStartAttitudeUsesRateMinus180AndGearDownIsOne)
{
    AddExamplePath(3);
    doc.m_samples[0].m_fPitch = -1;
    doc.m_samples[0].m_cGear = 'u';
    Segment(0, 2, 2);
    doc.m_samples[2].m_fPitch = -1;
    AddExamplePath(2);
    Bytes prologue = kExamplePrologue;
    prologue[43] = 0x4A;  // Angle16(-1) = -182
    prologue[44] = 0xFF;
    prologue[45] = 0x01;  // rate -180
    prologue[46] = 0x80;
    const Bytes bytes = Compile();
    const Bytes body(bytes.begin() + 237, bytes.begin() + 237 + 52 + 7 + 2 + 3);
    EXPECT_EQ(Hex(body), Hex(Join({prologue, {0x15, 0x02, 0x00, 0, 0, 0, 0}, {0x04, 0x01}, {0x24, 0xC3, 0xFF}})));
}

TEST_F(BglCompiler, LongHoldIsWrittenAsHoldsThatAddUp)
{
    AddExamplePath(70001);
    Segment(0, 1, 70000);
    EXPECT_EQ(OnlyBody(), BodyWith({0x27, 0xFF, 0xFF, 0x27, 0x71, 0x11}));  // 65535 + 4465
}

TEST_F(BglCompiler, LongMoveIsWrittenAsTheFewestMovesThatFit)
{
    AddExamplePath(5);
    Segment(0, 2, 4);
    doc.m_samples[4].m_fX = 40000;
    doc.m_samples[4].m_fY = 10;
    // Two moves of 2 s, 20000 m east and 5 m north each.
    EXPECT_EQ(OnlyBody(), BodyWith({0x15, 0x02, 0x00, 0x20, 0x4E, 0x05, 0x00, 0x15, 0x02, 0x00, 0x20, 0x4E,
                                    0x05, 0x00}));
}

TEST_F(BglCompiler, UnevenSplitsShareSecondsAndMetresInProportion)
{
    AddExamplePath(6);
    Segment(0, 2, 3);
    doc.m_samples[3].m_fX = 70000;  // three moves: 23333, 23334, 23333
    Segment(3, 2, 5);
    doc.m_samples[3].m_fAlt = 100;
    doc.m_samples[5].m_fAlt = 200;
    doc.m_samples[5].m_fX = 70040;  // 40 m east
    doc.m_samples[5].m_fZ = -40000;  // 2 moves of 1 s, 20 m east and 20000 m down each
    EXPECT_EQ(Hex(OnlyBody()),
              Hex(BodyWith({0x15, 0x01, 0x00, 0x25, 0x5B, 0x00, 0x00, 0x15, 0x01, 0x00, 0x26, 0x5B, 0x00, 0x00,
                            0x15, 0x01, 0x00, 0x25, 0x5B, 0x00, 0x00, 0x18, 0x01, 0x00, 0x14, 0x00, 0xE0, 0xB1,
                            0x00, 0x00, 0x18, 0x01, 0x00, 0x14, 0x00, 0xE0, 0xB1, 0x00, 0x00})));
}

TEST_F(BglCompiler, MoveLongerThan65535SecondsIsSplitToo)
{
    AddExamplePath(70001);
    Segment(0, 2, 70000);
    doc.m_samples[70000].m_fX = 7;
    EXPECT_EQ(OnlyBody(),
              BodyWith({0x15, 0xB8, 0x88, 0x04, 0x00, 0x00, 0x00, 0x15, 0xB8, 0x88, 0x03, 0x00, 0x00, 0x00}));
}

TEST_F(BglCompiler, RefusalWritesNothingAndKeepsAnExistingFile)
{
    AddExamplePath(3);
    Segment(0, 2, 2);
    doc.m_samples[2].m_fX = 100000;
    const std::string file = dir.Write("old.bgl", "old scenery");
    ui.filesToSave.push_back(file);
    doc.OnCreateBglFile();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, UserInterface::MessageKind::Failure);
    EXPECT_NE(ui.LastText().find("PATTERN0"), std::string::npos);
    EXPECT_EQ(TempDir::Read(file), "old scenery");
}

TEST_F(BglCompiler, BodyBeyondTheJumpsReachIsRefused)
{
    // 52 prologue bytes and 10906 one-second holds of 3 bytes: 32770 bytes.
    AddExamplePath(10907);
    for (int j = 0; j < 10906; ++j)
        Segment(j, 1, j + 1);
    EXPECT_EQ(Refusal(), "Can't create the BGL file: the pattern of PATTERN0 takes 32770 bytes, more than the "
                         "32768 its closing jump can reach back. Generate it with wider thresholds or trim the "
                         "path.");
    // 32767 bytes reach.
    doc.m_samples[10905].m_nSegKind = 0;
    const Bytes body = OnlyBody();
    ASSERT_EQ(body.size(), 32767u + 3);
    EXPECT_EQ(Bytes(body.end() - 3, body.end()), (Bytes{0x24, 0x01, 0x80}));
}

TEST_F(BglCompiler, DynamicBlockBeyond16BitsIsRefused)
{
    // Three bodies of 52 + 3 x 7500 + 3 bytes each, after 39 + 3 x 8 + 1 bytes.
    for (int path = 0; path < 3; ++path) {
        const int first = static_cast<int>(doc.m_samples.size());
        AddExamplePath(7501);
        for (int j = first; j < first + 7500; ++j)
            Segment(j, 1, j + 1);
    }
    EXPECT_EQ(Refusal(), "Can't create the BGL file: its dynamic scenery would take 67729 bytes, more than the "
                         "65535 the format can hold. Write fewer paths, or generate them with wider thresholds.");
}

TEST_F(BglCompiler, MorePatternsThanTheTableAddressesAreRefused)
{
    doc.m_samples.push_back(SampleAt(47, -122));
    doc.m_paths.assign(8192, doc.m_paths.empty() ? VehiclePath() : doc.m_paths[0]);
    for (VehiclePath& path : doc.m_paths)
        path.m_nFirstSample = path.m_nLastSample = 0;
    EXPECT_EQ(Refusal(), "Can't create the BGL file: it would hold 8192 patterns, but its pattern table can "
                         "address at most 8191.");
}

TEST_F(BglCompiler, DensityTheEntryByteCannotHoldIsRefused)
{
    AddExamplePath(1).m_nDensity = 16;
    EXPECT_EQ(Refusal(),
              "Can't create the BGL file: the density of PATTERN0 is 16; densities run from 0 to 15.");
}

TEST_F(BglCompiler, YawRateBeyond180IsHeldAtTheFastest)
{
    AddExamplePath(2);
    Segment(0, 2, 1);
    doc.m_samples[1].m_fHeading = 260;  // 170 degrees in one second: rate 340
    // YawTo: Angle16(260) = 47330.
    EXPECT_EQ(Hex(OnlyBody()), Hex(BodyWith({0x03, 0xE2, 0xB8, 0xFF, 0x7F, 0x15, 0x01, 0x00, 0, 0, 0, 0})));
}

TEST_F(BglCompiler, PathsWithoutSamplesGetNoEntryAndNoBody)
{
    AddExamplePath(1);
    AddPath(doc, {});
    AddExamplePath(1);
    const Bytes bytes = Compile();
    // Two entries, with placeholders of 3 x 8 + 1 patched to 17 and 64.
    EXPECT_EQ(Bytes(bytes.begin() + 220, bytes.begin() + 237),
              (Bytes{0x32, 0x0B, 0xFE, 17, 0, 0, 0, 0x30, 0x32, 0x0B, 0xFE, 64, 0, 0, 0, 0x30, 0xFF}));
    EXPECT_EQ(U16At(bytes, 179), 39u + 16 + 1 + 110);
}

TEST_F(BglCompiler, PlaceholdersCountOnlyThePatternsWritten)
{
    AddExamplePath(1);
    VehiclePath empty;
    empty.m_nFirstSample = 1;
    empty.m_nLastSample = 0;
    doc.m_paths.resize(9000, empty);
    const Bytes bytes = Compile();
    // 1 x 8 + 1, patched to 9; 9000 x 8 + 1 would have left 1 in the upper half.
    EXPECT_EQ(Bytes(bytes.begin() + 220, bytes.begin() + 229),
              (Bytes{0x32, 0x0B, 0xFE, 0x09, 0x00, 0x00, 0x00, 0x30, 0xFF}));
}

TEST_F(BglCompiler, PositionFixIndexCarriesOverToTheNextPath)
{
    AddExamplePath(30);
    Segment(16, 2, 29);
    AddExamplePath(30);
    Segment(30, 2, 32);  // index 31 is the next fix: none here
    Segment(32, 2, 59);
    const Bytes bytes = Compile();
    // Bodies at 237 (52 + 7 + 19 + 3 = 81 bytes) and 318.
    const Bytes second(bytes.begin() + 318, bytes.begin() + 181 + U16At(bytes, 179));
    const Bytes fix = {0x33, 0x00, 0x00, 0x66, 0x1F, 0x50, 0x00, 0x00, 0x00, 0x39,
                       0x8E, 0xE3, 0xA8, 0xE1, 0x7A, 0x1E, 0x00, 0x00, 0x00};
    EXPECT_EQ(Hex(second), Hex(Join({kExamplePrologue,
                                     {0x15, 0x02, 0x00, 0, 0, 0, 0},
                                     {0x15, 0x1B, 0x00, 0, 0, 0, 0},
                                     fix,
                                     {0x24, 0xAB, 0xFF}})));
}
