#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "support/FakeUserInterface.h"
#include "support/ScasmParser.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using namespace scasm_parse;

class ScasmParser : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaultPreferences();
        BuildWorkedExample(doc);
    }

    std::string WorkedExample()
    {
        std::string text;
        EXPECT_TRUE(doc.WriteScasmSource(text));
        return text;
    }

    // The example text with one line replaced, or left out when replacement is empty.
    std::string WithLine(const std::string& line, const std::string& replacement)
    {
        std::string text = WorkedExample();
        const std::size_t at = text.find(line + "\n");
        EXPECT_NE(at, std::string::npos) << line;
        text.replace(at, line.size() + 1, replacement.empty() ? "" : replacement + "\n");
        return text;
    }

    static std::string Error(const std::string& text)
    {
        const ParseResult result = Parse(text);
        EXPECT_FALSE(result.Ok());
        return result.strError;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(ScasmParser, ReadsTheWorkedExample)
{
    const ParseResult result = Parse(WorkedExample());
    ASSERT_TRUE(result.Ok()) << result.strError;
    const Source& s = result.source;
    EXPECT_EQ(s.header, (std::array<double, 4>{47.6, 47.15, -122.15, -122.6}));
    EXPECT_EQ(s.latRange, (std::array<double, 2>{47.6, 47.15}));
    EXPECT_EQ(s.area15, (std::array<double, 8>{47.5, 47.25, -122.25, -122.5, 47.55, 47.2, -122.2, -122.55}));
    EXPECT_EQ(s.dLatRef, 47.375);
    ASSERT_EQ(s.patternLines.size(), 1u);
    EXPECT_EQ(s.patternLines[0], (PatternLine{0, "0FE0B", 3, 0}));

    ASSERT_EQ(s.blocks.size(), 1u);
    EXPECT_EQ(s.blocks[0].nPattern, 0);
    const std::vector<Command> expected{
        SetColor{0, 4, "F0"},
        SetColor{1, 5, "F0"},
        SetColor{2, 4, "F0"},
        SetColor{3, 3, "F0"},
        SetColor{4, 2, "F0"},
        SetPos{47.25, -122.5, 30.48},
        Heading{90},
        PitchTo{0, 180},
        BankTo{0, 180},
        Hold{17},
        YawTo{45, -3},
        PitchTo{5, 1},
        Move3D{23, 18823, 305, 27783},
        Gear{true},
        Note{"Takeoff"},
        Note{"17 seconds"},
        SetPos{47.5, -122.25, 335.28},
        Jump{0},
    };
    EXPECT_TRUE(s.blocks[0].commands == expected);
    // The label stands on line 9, its commands on the lines after it.
    EXPECT_EQ(s.blocks[0].lines.front(), 10);
    EXPECT_EQ(s.blocks[0].lines.back(), 27);
}

TEST_F(ScasmParser, RejectsNumbersNotInTheFormTheirFieldIsPrinted)
{
    EXPECT_EQ(Error(WithLine("  Hold( 17 )", "  Hold( 17.0 )")), "line 19: \"17.0\" is not a whole number");
    EXPECT_EQ(Error(WithLine("  Heading( 90.000000 )", "  Heading( 90.00000 )")),
              "line 16: \"90.00000\" is not a number with six decimals");
    EXPECT_EQ(Error(WithLine("  PitchTo( 5.000000 1 )", "  PitchTo( 5 1 )")),
              "line 21: \"5\" is not a number with six decimals");
}

TEST_F(ScasmParser, RejectsLinesTheWriterDoesNotWrite)
{
    EXPECT_EQ(Error(WithLine("  Gear( up )", "  Gear( retracted )")),
              "line 23: the gear is \"retracted\", neither up nor down");
    EXPECT_EQ(Error(WithLine("  Gear( up )", "  Flaps( 10 )")), "line 23: \"  Flaps( 10 )\" is no command the writer makes");
    EXPECT_EQ(Error(WithLine("  Gear( up )", " Gear( up )")), "line 23: \" Gear( up )\" is no command the writer makes");
    EXPECT_EQ(Error(WithLine("  ; Takeoff", "  ; Wheels up")), "line 24: \"Wheels up\" is not a note the writer makes");
    EXPECT_EQ(Error(WithLine("  SetColor( 2 4 F0 )", "  SetColor( 2 4 )")), "line 12: SetColor needs 3 values");
    EXPECT_EQ(Error(WithLine("  Jump( :PATTERN0 )", "  Jump( PATTERN0 )")),
              "line 27: \"PATTERN0\" is not a pattern label");
}

TEST_F(ScasmParser, RejectsHeaderLinesOutOfPlace)
{
    EXPECT_EQ(Error(WithLine("LatRange( 47.600000 47.150000 )", "")), "line 4: expected LatRange with 2 values");
    EXPECT_EQ(Error(WithLine("  LatRef( 47.375000 )", "LatRef( 47.375000 )")),
              "line 6: expected LatRef with 1 value");
    EXPECT_EQ(Error(WithLine("  Exit", "")), "line 8: expected Pattern with 4 values");
}

TEST_F(ScasmParser, RejectsATextThatDoesNotEndWithEnd15AndALineFeed)
{
    const std::string text = WorkedExample();
    EXPECT_EQ(Error(text.substr(0, text.size() - 1)), "the last line has no line feed");
    EXPECT_EQ(Error(WithLine("End15", "")), "line 27: the text ends before End15");
    EXPECT_EQ(Error(text + "End15\n"), "line 28: text follows End15");
    EXPECT_EQ(Error(WithLine("  Exit", "  Exit\r")), "a line holds a carriage return");
}
