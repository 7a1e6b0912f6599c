// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Reads back the SCASM source text the writer produces, strictly: the header
// lines in their order, the Pattern lines, and under each label its commands
// with their values as written. Any line that is not one the writer writes,
// or a number not in the form its field is printed in, is reported with its
// line number.
namespace scasm_parse {

struct SetColor {
    int nSlot;
    int nColor;
    std::string strPalette;

    bool operator==(const SetColor&) const = default;
};
struct SetPos {
    double dLat;
    double dLon;
    double dAlt;  // metres

    bool operator==(const SetPos&) const = default;
};
struct Heading {
    double dAngle;

    bool operator==(const Heading&) const = default;
};
struct PitchTo {
    double dAngle;
    long nRate;

    bool operator==(const PitchTo&) const = default;
};
struct BankTo {
    double dAngle;
    long nRate;

    bool operator==(const BankTo&) const = default;
};
struct YawTo {
    double dAngle;
    long nRate;

    bool operator==(const YawTo&) const = default;
};
struct Hold {
    long nSeconds;

    bool operator==(const Hold&) const = default;
};
struct MoveXY {
    long nSeconds;
    long nEast;
    long nNorth;

    bool operator==(const MoveXY&) const = default;
};
struct Move3D {
    long nSeconds;
    long nEast;
    long nUp;
    long nNorth;

    bool operator==(const Move3D&) const = default;
};
struct Gear {
    bool bUp;

    bool operator==(const Gear&) const = default;
};
struct Jump {
    long nPattern;

    bool operator==(const Jump&) const = default;
};
// "Takeoff", "Landing" or "<n> seconds": for the reader only.
struct Note {
    std::string strText;

    bool operator==(const Note&) const = default;
};

using Command =
    std::variant<SetColor, SetPos, Heading, PitchTo, BankTo, YawTo, Hold, MoveXY, Move3D, Gear, Jump, Note>;

struct PatternLine {
    long nPattern;
    std::string strCode;
    long nTrafficFlags;
    long nDensity;

    bool operator==(const PatternLine&) const = default;
};

struct Block {
    long nPattern;
    std::vector<Command> commands;
    std::vector<int> lines;  // where each command stands
};

struct Source {
    std::array<double, 4> header{};   // north, south, east, west
    std::array<double, 2> latRange{};  // north, south
    std::array<double, 8> area15{};   // area 1 then area 2, each north, south, east, west
    double dLatRef = 0;
    std::vector<PatternLine> patternLines;
    std::vector<Block> blocks;
};

struct ParseResult {
    Source source;
    std::string strError;  // empty when every line was understood

    bool Ok() const { return strError.empty(); }
};

namespace detail {

struct Fault {
    std::string strWhat;
};

inline bool IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// An optional minus and digits, as %d and %.0f print.
inline long WholeNumber(std::string_view token)
{
    const std::string_view digits = token.starts_with('-') ? token.substr(1) : token;
    long value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (!IsDigits(digits) || error != std::errc() || end != token.data() + token.size())
        throw Fault{"\"" + std::string(token) + "\" is not a whole number"};
    return value;
}

// An optional minus, digits, a point and six decimals, as %f prints.
inline double SixDecimals(std::string_view token)
{
    const std::string_view unsignedPart = token.starts_with('-') ? token.substr(1) : token;
    const std::size_t point = unsignedPart.find('.');
    double value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (point == std::string_view::npos || !IsDigits(unsignedPart.substr(0, point)) ||
        unsignedPart.size() != point + 7 || !IsDigits(unsignedPart.substr(point + 1)) || error != std::errc() ||
        end != token.data() + token.size())
        throw Fault{"\"" + std::string(token) + "\" is not a number with six decimals"};
    return value;
}

inline long LabelNumber(std::string_view token)
{
    constexpr std::string_view kPrefix = ":PATTERN";
    if (!token.starts_with(kPrefix))
        throw Fault{"\"" + std::string(token) + "\" is not a pattern label"};
    const std::string_view number = token.substr(kPrefix.size());
    if (!IsDigits(number))
        throw Fault{"\"" + std::string(token) + "\" is not a pattern label"};
    return WholeNumber(number);
}

// A statement "Name( a b c )" after the given indentation: its name and
// arguments, or an empty name when the line is no such statement.
struct Statement {
    std::string_view name;
    std::vector<std::string_view> arguments;
};

inline Statement SplitStatement(std::string_view line, std::string_view indentation)
{
    Statement statement;
    if (!line.starts_with(indentation))
        return statement;
    line.remove_prefix(indentation.size());
    const std::size_t open = line.find("( ");
    if (open == std::string_view::npos || open == 0 || !line.ends_with(" )") || line.size() < open + 4)
        return statement;
    statement.name = line.substr(0, open);
    std::string_view rest = line.substr(open + 2, line.size() - open - 4);
    for (;;) {
        const std::size_t blank = rest.find(' ');
        const std::string_view argument = rest.substr(0, blank);
        if (argument.empty())
            return Statement{};
        statement.arguments.push_back(argument);
        if (blank == std::string_view::npos)
            return statement;
        rest.remove_prefix(blank + 1);
    }
}

inline Statement ExpectStatement(std::string_view line, std::string_view indentation, std::string_view name,
                                 std::size_t argumentCount)
{
    Statement statement = SplitStatement(line, indentation);
    if (statement.name != name || statement.arguments.size() != argumentCount)
        throw Fault{"expected " + std::string(name) + " with " + std::to_string(argumentCount) +
                    (argumentCount == 1 ? " value" : " values")};
    return statement;
}

template <std::size_t N>
std::array<double, N> SixDecimalArguments(const Statement& statement, std::size_t from = 0)
{
    std::array<double, N> values{};
    for (std::size_t k = 0; k < N; ++k)
        values[k] = SixDecimals(statement.arguments[from + k]);
    return values;
}

inline Command ParseNote(std::string_view text)
{
    constexpr std::string_view kSeconds = " seconds";
    if (text == "Takeoff" || text == "Landing")
        return Note{std::string(text)};
    if (text.ends_with(kSeconds) && IsDigits(text.substr(0, text.size() - kSeconds.size())))
        return Note{std::string(text)};
    throw Fault{"\"" + std::string(text) + "\" is not a note the writer makes"};
}

inline Command ParseCommand(std::string_view line)
{
    constexpr std::string_view kIndentation = "  ";
    if (line.starts_with("  ; "))
        return ParseNote(line.substr(4));
    const Statement s = SplitStatement(line, kIndentation);
    const auto count = [&](std::size_t expected) {
        if (s.arguments.size() != expected)
            throw Fault{std::string(s.name) + " needs " + std::to_string(expected) + " values"};
    };
    const auto& a = s.arguments;
    if (s.name == "SetColor") {
        count(3);
        if (a[2] != "F0")
            throw Fault{"the SetColor palette is " + std::string(a[2])};
        return SetColor{static_cast<int>(WholeNumber(a[0])), static_cast<int>(WholeNumber(a[1])), std::string(a[2])};
    }
    if (s.name == "SetPos") {
        count(3);
        const auto values = SixDecimalArguments<3>(s);
        return SetPos{values[0], values[1], values[2]};
    }
    if (s.name == "Heading") {
        count(1);
        return Heading{SixDecimals(a[0])};
    }
    if (s.name == "PitchTo") {
        count(2);
        return PitchTo{SixDecimals(a[0]), WholeNumber(a[1])};
    }
    if (s.name == "BankTo") {
        count(2);
        return BankTo{SixDecimals(a[0]), WholeNumber(a[1])};
    }
    if (s.name == "YawTo") {
        count(2);
        return YawTo{SixDecimals(a[0]), WholeNumber(a[1])};
    }
    if (s.name == "Hold") {
        count(1);
        return Hold{WholeNumber(a[0])};
    }
    if (s.name == "MoveXY") {
        count(3);
        return MoveXY{WholeNumber(a[0]), WholeNumber(a[1]), WholeNumber(a[2])};
    }
    if (s.name == "Move3D") {
        count(4);
        return Move3D{WholeNumber(a[0]), WholeNumber(a[1]), WholeNumber(a[2]), WholeNumber(a[3])};
    }
    if (s.name == "Gear") {
        count(1);
        if (a[0] != "up" && a[0] != "down")
            throw Fault{"the gear is \"" + std::string(a[0]) + "\", neither up nor down"};
        return Gear{a[0] == "up"};
    }
    if (s.name == "Jump") {
        count(1);
        return Jump{LabelNumber(a[0])};
    }
    throw Fault{"\"" + std::string(line) + "\" is no command the writer makes"};
}

// The text cut into lines, each of which must end in a single line feed.
inline std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos)
            throw Fault{"the last line has no line feed"};
        lines.push_back(text.substr(0, end));
        if (lines.back().find('\r') != std::string_view::npos)
            throw Fault{"a line holds a carriage return"};
        text.remove_prefix(end + 1);
    }
    return lines;
}

class LineParser {
public:
    explicit LineParser(std::string_view text) : m_lines(Lines(text)) {}

    Source Parse()
    {
        Source source;
        if (Next() != "; Generated by Volantor")
            throw Fault{"the first line is not the generator comment"};
        if (!Next().starts_with("; "))
            throw Fault{"the second line is not a comment"};
        const auto header = ExpectStatement(Next(), "", "Header", 5);
        if (header.arguments[0] != "1")
            throw Fault{"the Header does not start with 1"};
        source.header = SixDecimalArguments<4>(header, 1);
        source.latRange = SixDecimalArguments<2>(ExpectStatement(Next(), "", "LatRange", 2));
        source.area15 = SixDecimalArguments<8>(ExpectStatement(Next(), "", "Area15", 8));
        source.dLatRef = SixDecimals(ExpectStatement(Next(), "  ", "LatRef", 1).arguments[0]);

        for (std::string_view line = Next(); line != "  Exit"; line = Next()) {
            const auto pattern = ExpectStatement(line, "  ", "Pattern", 4);
            source.patternLines.push_back({LabelNumber(pattern.arguments[0]), std::string(pattern.arguments[1]),
                                           WholeNumber(pattern.arguments[2]), WholeNumber(pattern.arguments[3])});
        }

        std::string_view line = Next();
        while (line != "End15") {
            Block block{LabelNumber(line), {}, {}};
            for (line = Next(); !line.starts_with(':') && line != "End15"; line = Next()) {
                block.commands.push_back(ParseCommand(line));
                block.lines.push_back(m_nLine);
            }
            source.blocks.push_back(std::move(block));
        }
        if (m_nLine != static_cast<int>(m_lines.size()))
            throw Fault{"text follows End15"};
        return source;
    }

    int LineNumber() const { return m_nLine; }

private:
    std::string_view Next()
    {
        if (m_nLine == static_cast<int>(m_lines.size()))
            throw Fault{"the text ends before End15"};
        return m_lines[m_nLine++];
    }

    std::vector<std::string_view> m_lines;
    int m_nLine = 0;  // of the line read last, counted from 1
};

}  // namespace detail

inline ParseResult Parse(std::string_view text)
{
    ParseResult result;
    try {
        detail::LineParser parser(text);
        try {
            result.source = parser.Parse();
        } catch (const detail::Fault& fault) {
            result.strError = "line " + std::to_string(parser.LineNumber()) + ": " + fault.strWhat;
        }
    } catch (const detail::Fault& fault) {
        result.strError = fault.strWhat;
    }
    return result;
}

}  // namespace scasm_parse
