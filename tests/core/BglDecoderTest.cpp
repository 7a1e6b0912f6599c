// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "support/BglDecoder.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace bgl_decode;

// Where the worked example's file holds what the corruptions below change.
constexpr std::size_t kTable = 220;
constexpr std::size_t kBody = 229;
constexpr std::size_t kHold = kBody + 52;
constexpr std::size_t kYawTo = kHold + 3;
constexpr std::size_t kGear = kYawTo + 5 + 5 + 9;
constexpr std::size_t kJump = kBody + 95;
constexpr std::size_t kBodyEnd = kJump + 3;

class BglDecoder : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultPreferences(); }

    Bytes Compile()
    {
        std::string refusal;
        const auto bytes = CompileBgl(doc, refusal);
        EXPECT_TRUE(bytes) << refusal;
        return bytes.value_or(Bytes());
    }

    Bytes WorkedExample()
    {
        BuildWorkedExample(doc);
        return Compile();
    }

    // The error the decoder reports, which must say where it found the fault.
    static std::string Error(const Bytes& bytes)
    {
        const DecodeResult result = Decode(bytes);
        EXPECT_FALSE(result.Ok());
        return result.strError;
    }

    static std::string At(std::size_t offset) { return "at byte " + std::to_string(offset) + ": "; }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(BglDecoder, ReadsTheWorkedExample)
{
    const DecodeResult result = Decode(WorkedExample());
    ASSERT_TRUE(result.Ok()) << result.strError;
    const Scenery& s = result.scenery;
    // Bounds 47.6 N, 47.15 S, 122.15 W, 122.6 W with the header margin.
    EXPECT_EQ(s.nNorth, 5289814);
    EXPECT_EQ(s.nSouth, 5239805);
    EXPECT_EQ(s.nBlockSouth, 10233);
    EXPECT_EQ(s.nBlockNorth, 10331);
    EXPECT_EQ(s.area1.nNorth, 10309);
    EXPECT_EQ(s.area1.nSouth, 10255);
    EXPECT_EQ(s.area1.nEast, 0xA911);
    EXPECT_EQ(s.area1.nWest, 0xA8E3);
    EXPECT_EQ(s.area2.nNorth, 10320);
    EXPECT_EQ(s.area2.nSouth, 10244);
    EXPECT_EQ(s.area2.nEast, 0xA91A);
    EXPECT_EQ(s.area2.nWest, 0xA8DA);
    EXPECT_EQ(s.nBlockSize, 146);  // 39 + 8 + 1 + 98
    EXPECT_EQ(s.nRefLat, 0x501F66);

    ASSERT_EQ(s.entries.size(), 1u);
    EXPECT_EQ(s.entries[0].nOffset, kTable);
    EXPECT_FALSE(s.entries[0].bHelicopter);
    EXPECT_EQ(s.entries[0].nObjectNumber, 0xFE0B);
    EXPECT_EQ(s.entries[0].nTraffic, 0x30);
    EXPECT_EQ(s.entries[0].nDistance, 9);

    ASSERT_EQ(s.bodies.size(), 1u);
    EXPECT_EQ(s.bodies[0].nOffset, kBody);
    const std::vector<Command> expected{
        SetColor{0, 4, 0xF0},
        SetColor{1, 5, 0xF0},
        SetColor{2, 4, 0xF0},
        SetColor{3, 3, 0xF0},
        SetColor{4, 2, 0xF0},
        SetPos{0x501F66, static_cast<std::int32_t>(0xA8E38E39), 0x1E7AE1},  // 47.25 N 122.5 W, 30.48 m
        Heading{0x3FFF},
        PitchTo{0, 0x7FFF},
        BankTo{0, 0x7FFF},
        Hold{17},
        YawTo{0x1FFF, -546},  // to 45 degrees at -3 a second
        PitchTo{0x038E, 182},  // to 5 degrees at 1 a second
        Move3D{23, 18823, 305, 27783},
        Gear{true},
        SetPos{0x508BED, static_cast<std::int32_t>(0xA9111111), 0x14F47AE},  // 47.5 N 122.25 W, 335.28 m
        Jump{-95},
    };
    EXPECT_TRUE(s.bodies[0].commands == expected);
    EXPECT_EQ(s.bodies[0].commandOffsets.front(), kBody);
    EXPECT_EQ(s.bodies[0].commandOffsets.back(), kJump);
    EXPECT_FALSE(s.strNotice.empty());
}

TEST_F(BglDecoder, FollowsTheHelicopterEntryTwoBytesShortOfItsValue)
{
    AddPath(doc, {SampleAt(47, -122)}).m_strVehicle = "Helicopter (FS98)";
    AddPath(doc, {SampleAt(47, -122)});
    Bytes bytes = Compile();
    const DecodeResult result = Decode(bytes);
    ASSERT_TRUE(result.Ok()) << result.strError;
    // A 24-byte and an 8-byte entry, the 0xFF, then the bodies.
    ASSERT_EQ(result.scenery.entries.size(), 2u);
    EXPECT_TRUE(result.scenery.entries[0].bHelicopter);
    EXPECT_EQ(result.scenery.entries[0].nDistance, 253 - 220 + 2);
    EXPECT_FALSE(result.scenery.entries[1].bHelicopter);
    EXPECT_EQ(result.scenery.bodies[0].nOffset, 253u);
    EXPECT_EQ(result.scenery.bodies[1].nOffset, 308u);

    // A compiler that left out the 2 would lead the entry short of its body.
    bytes[221] -= 2;
    EXPECT_EQ(Error(bytes), At(220) + "the pattern-table entry leads to byte 251, but its body starts at byte 253");
}

TEST_F(BglDecoder, RejectsASizeWordThatDoesNotCountTheBlock)
{
    Bytes bytes = WorkedExample();
    bytes[179] += 1;
    EXPECT_EQ(Error(bytes), At(179) + "the size word is 147, but the dynamic block takes 146 bytes");
}

TEST_F(BglDecoder, RejectsAnOffsetFieldOneOff)
{
    Bytes bytes = WorkedExample();
    bytes[kTable + 3] += 1;
    EXPECT_EQ(Error(bytes), At(kTable) + "the pattern-table entry leads to byte 230, but its body starts at byte 229");
    bytes[kTable + 3] -= 2;
    EXPECT_EQ(Error(bytes), At(kTable) + "the pattern-table entry leads to byte 228, but its body starts at byte 229");
}

TEST_F(BglDecoder, RejectsAnOffsetFieldWhoseUpperHalfIsNotThePlaceholders)
{
    Bytes bytes = WorkedExample();
    bytes[kTable + 5] = 1;
    EXPECT_EQ(Error(bytes), At(kTable + 5) + "the upper half of an offset field is 1, not 0");
}

TEST_F(BglDecoder, RejectsAJumpOneOff)
{
    Bytes bytes = WorkedExample();
    bytes[kJump + 1] += 1;  // -94
    EXPECT_EQ(Error(bytes), At(kJump) + "the jump leads to byte 230, not to the body's start at 229");
}

TEST_F(BglDecoder, RejectsATruncatedBody)
{
    Bytes bytes = WorkedExample();
    bytes.resize(kYawTo + 3);  // inside the YawTo rate
    EXPECT_EQ(Error(bytes), At(kYawTo + 3) + "the file ends early");
    bytes.resize(kYawTo);  // between two commands, before the jump
    EXPECT_EQ(Error(bytes), At(kYawTo) + "the file ends early");
}

TEST_F(BglDecoder, RejectsTheFileCutAnywhereBeforeItsNotice)
{
    const Bytes original = WorkedExample();
    for (std::size_t length = 0; length < kBodyEnd + 3 + 1; ++length) {
        const Bytes bytes(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Decode(bytes).Ok()) << "cut at " << length;
    }
}

TEST_F(BglDecoder, RejectsAnUnknownCommandCode)
{
    Bytes bytes = WorkedExample();
    bytes[kHold] = 0x99;
    EXPECT_EQ(Error(bytes), At(kHold) + "unknown command code 153");
}

TEST_F(BglDecoder, RejectsAGearByteThatIsNeitherUpNorDown)
{
    Bytes bytes = WorkedExample();
    bytes[kGear + 1] = 2;
    EXPECT_EQ(Error(bytes), At(kGear + 1) + "the gear byte is 2, neither 0 (up) nor 1 (down)");
}

TEST_F(BglDecoder, RejectsAnUnknownPatternTableEntry)
{
    Bytes bytes = WorkedExample();
    bytes[kTable] = 0x33;
    EXPECT_EQ(Error(bytes), At(kTable) + "unknown pattern-table entry code 51");
}

TEST_F(BglDecoder, RejectsAChangedFixedByte)
{
    // Bytes the layout fixes whatever the document, each with the start of
    // the field the decoder finds wrong.
    struct Change {
        std::size_t nByte;
        std::size_t nField;
    };
    const std::vector<Change> changes{
        {0, 0},     {1, 0},     {18, 18},   {81, 81},   {82, 82},   {85, 82},   {86, 86},   {127, 127},
        {128, 128}, {158, 158}, {159, 159}, {160, 160}, {165, 165}, {168, 165}, {169, 169}, {170, 170},
        {189, 189}, {212, 212}, {213, 213}, {215, 214}, {kBody + 22, kBody + 21}, {kBody + 38, kBody + 37},
    };
    const Bytes original = WorkedExample();
    for (const Change& change : changes) {
        Bytes bytes = original;
        bytes[change.nByte] ^= 0x40;
        EXPECT_EQ(Error(bytes).substr(0, At(change.nField).size()), At(change.nField)) << "byte " << change.nByte;
    }
}

TEST_F(BglDecoder, RejectsAChangedHelicopterEntryByte)
{
    AddPath(doc, {SampleAt(47, -122)}).m_strVehicle = "Helicopter (FS98)";
    Bytes bytes = Compile();
    bytes[kTable + 5 + 18] = 0;  // the last fixed byte, 0xB1
    EXPECT_EQ(Error(bytes), At(kTable + 5 + 18) + "a fixed byte of the helicopter entry is 0, not 177");
}

TEST_F(BglDecoder, RejectsMissingZerosAfterTheLastBody)
{
    Bytes bytes = WorkedExample();
    bytes[kBodyEnd + 2] = 'D';
    EXPECT_EQ(Error(bytes), At(kBodyEnd + 2) + "a byte after the last body is 68, not 0");
    bytes.resize(kBodyEnd + 2);
    EXPECT_EQ(Error(bytes), At(kBodyEnd + 2) + "the file ends early");
}
