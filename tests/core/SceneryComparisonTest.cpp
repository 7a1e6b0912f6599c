// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "support/BglDecoder.h"
#include "support/FakeUserInterface.h"
#include "support/ScasmParser.h"
#include "support/SceneryComparison.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <string>

// The comparison allows for the documented rounding differences and nothing
// more: each case starts from the worked example's two outputs, which agree,
// and changes one value of the compiled side.
namespace {

// Where the worked example's commands stand, in the text block and in the
// file body alike: the notes, which only the text has, come after them.
constexpr std::size_t kHeading = 6;
constexpr std::size_t kHold = 9;
constexpr std::size_t kYawTo = 10;
constexpr std::size_t kPitchTo = 11;
constexpr std::size_t kMove3D = 12;
constexpr std::size_t kFirstSetPos = 5;

class SceneryComparison : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultPreferences();
        BuildWorkedExample(doc);
        std::string source;
        ASSERT_TRUE(doc.WriteScasmSource(source));
        const scasm_parse::ParseResult parsed = scasm_parse::Parse(source);
        ASSERT_TRUE(parsed.Ok()) << parsed.strError;
        text = parsed.source;
        std::string refusal;
        const auto bytes = CompileBgl(doc, refusal);
        ASSERT_TRUE(bytes) << refusal;
        const bgl_decode::DecodeResult decoded = bgl_decode::Decode(*bytes);
        ASSERT_TRUE(decoded.Ok()) << decoded.strError;
        file = decoded.scenery;
    }

    template <typename T>
    T& TextCommand(std::size_t k)
    {
        return std::get<T>(text.blocks[0].commands[k]);
    }
    template <typename T>
    T& FileCommand(std::size_t k)
    {
        return std::get<T>(file.bodies[0].commands[k]);
    }

    // The file's command k replaced by the given pieces.
    void SplitFileCommand(std::size_t k, const std::vector<bgl_decode::Command>& pieces)
    {
        bgl_decode::Body& body = file.bodies[0];
        body.commands.erase(body.commands.begin() + k);
        body.commands.insert(body.commands.begin() + k, pieces.begin(), pieces.end());
        body.commandOffsets.insert(body.commandOffsets.begin() + k, pieces.size() - 1, body.commandOffsets[k]);
    }

    std::string Disagreement()
    {
        scenery_comparison::Tally tally;
        return scenery_comparison::Disagreement(text, file, tally);
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    scasm_parse::Source text;
    bgl_decode::Scenery file;
};

}  // namespace

TEST_F(SceneryComparison, WorkedExampleAgrees)
{
    EXPECT_EQ(Disagreement(), "");
}

TEST_F(SceneryComparison, YawRateMayBeOneBelowTheTextsOnlyWhenTheTextRoundedUp)
{
    // -3 in the text is a rate from -3.99 to -3, which is -3 toward zero.
    auto& rate = FileCommand<bgl_decode::YawTo>(kYawTo).nRate;
    rate = -728;  // -4 x 182.04
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 20, file byte 284: YawTo rate -728");
    rate = -364;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 20, file byte 284: YawTo rate -364");

    // 4 in the text is a rate above 3 up to 4: 3 or 4 toward zero.
    TextCommand<scasm_parse::YawTo>(kYawTo).nRate = 4;
    rate = 546;
    EXPECT_EQ(Disagreement(), "");
    rate = 728;
    EXPECT_EQ(Disagreement(), "");
    rate = 364;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 20, file byte 284: YawTo rate 364");

    // No rate is below 1 a second.
    TextCommand<scasm_parse::YawTo>(kYawTo).nRate = 1;
    rate = 0;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 20, file byte 284: YawTo rate 0");
}

TEST_F(SceneryComparison, MoveMetresPartOnlyAtAHalfBelowAnEvenNumber)
{
    auto& textEast = TextCommand<scasm_parse::Move3D>(kMove3D).nEast;
    auto& fileEast = FileCommand<bgl_decode::Move3D>(kMove3D).nEast;
    fileEast = 18824;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 22, file byte 294: the file's Move3D goes 18824 east, 305 up, "
                              "27783 north");
    // 18822.5 is printed 18822 and rounded up to 18823.
    textEast = 18822;
    fileEast = 18823;
    EXPECT_EQ(Disagreement(), "");
    fileEast = 18821;
    EXPECT_NE(Disagreement(), "");
}

TEST_F(SceneryComparison, FileMustNotSplitWhatTheTextWritesWhole)
{
    SplitFileCommand(kMove3D, {bgl_decode::Move3D{11, 9000, 150, 13000}, bgl_decode::Move3D{12, 9823, 155, 14783}});
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 22, file byte 294: the file's Move3D lasts 11 seconds");
    SplitFileCommand(kHold, {bgl_decode::Hold{10}, bgl_decode::Hold{7}});
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 19, file byte 281: the file's Hold lasts 10 seconds");
}

TEST_F(SceneryComparison, TextRateBeyondTheFastestTheFileHoldsDisagrees)
{
    // 200 degrees a second is 36408 units, beyond 16 bits; the file's fastest is 180.
    FileCommand<bgl_decode::PitchTo>(kPitchTo).nRate = 0x7FFF;
    TextCommand<scasm_parse::PitchTo>(kPitchTo).nRate = 200;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 21, file byte 289: PitchTo rate 32767");
    TextCommand<scasm_parse::PitchTo>(kPitchTo).nRate = 180;
    EXPECT_EQ(Disagreement(), "");
}

TEST_F(SceneryComparison, PrintedValuesAllowOnlyWhatTheirSixDecimalsHide)
{
    // 90 degrees is 16383.6 units, truncated.
    FileCommand<bgl_decode::Heading>(kHeading).nAngle = 16384;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 16, file byte 268: Heading 16384");
    FileCommand<bgl_decode::Heading>(kHeading).nAngle = 16383;

    // Half a millionth of a degree of longitude is about 6 units of Lon32.
    auto& lon = FileCommand<bgl_decode::SetPos>(kFirstSetPos).nLon;
    const std::int32_t printed = lon;
    lon = printed + 6;
    EXPECT_EQ(Disagreement(), "");
    lon = printed - 6;
    EXPECT_EQ(Disagreement(), "");
    lon = printed + 7;
    EXPECT_EQ(Disagreement(), "PATTERN0, text line 15, file byte 249: SetPos longitude " + std::to_string(printed + 7));
}

TEST_F(SceneryComparison, HeaderBoundsMustBeThePrintedOnes)
{
    file.nNorth += 1;  // 47.6 degrees is 5289814.4 m
    EXPECT_EQ(Disagreement(), "the header bounds differ from the Header line");
    file.nNorth -= 1;
    file.area2.nWest += 1;
    EXPECT_EQ(Disagreement(), "area 2 differs from the Area15 line");
}

TEST_F(SceneryComparison, TableEntriesMustBeThoseOfThePatternLines)
{
    text.patternLines[0].strCode = "0fe0b";  // the object code ignores case
    EXPECT_EQ(Disagreement(), "");
    text.patternLines[0].strCode = "0FE0C";
    EXPECT_EQ(Disagreement(), "PATTERN0 flies object 65035 for the code 0FE0C");
    text.patternLines[0].strCode = "0FE0B";
    file.entries[0].nTraffic = 0x31;
    EXPECT_EQ(Disagreement(), "PATTERN0 has the traffic byte 49");
    file.entries[0].bHelicopter = true;
    EXPECT_EQ(Disagreement(), "PATTERN0 is a helicopter entry in the file but has a Pattern line");
}
