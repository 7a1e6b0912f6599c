// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/BglDecoder.h"
#include "support/BglUnits.h"
#include "support/ScasmParser.h"

#include <cctype>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

// Holds the SCASM text of a document against its compiled BGL file: the same
// area bounds, the same patterns in the same order with the same vehicles,
// and command for command the same values, allowing only for the ways the two
// outputs round (six printed decimals against truncated integers, yaw rates
// rounded up against toward zero, moves rounded half to even against half up).
// A value of the text that its field in the file cannot hold disagrees.
namespace scenery_comparison {

// How often the comparison met the cases it allows for, so that a test can
// tell that it met them at all.
struct Tally {
    int nPatterns = 0;
    int nHelicopters = 0;
    int nNotes = 0;
    int nTurns = 0;                // YawTo
    int nYawRatesRoundedDown = 0;  // the file's rate one below the text's
    int nAttitudeChanges = 0;      // PitchTo and BankTo after the prologue's
    int nFastestRates = 0;         // 180 degrees a second, after the prologue
    int nHolds = 0;
    int nLevelMoves = 0;
    int nClimbingMoves = 0;
    int nHalvesRoundedApart = 0;
    int nGearChanges = 0;
    int nPositionFixes = 0;  // SetPos after the prologue's
};

namespace detail {

using namespace bgl_units;

inline std::uint16_t ObjectNumber(std::string_view code)
{
    static constexpr std::string_view kCodes[] = {"0fe0b", "0fe0c", "0fe0d", "0fe0e", "0fe0f", "0fe10"};
    std::string lower(code);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::uint16_t k = 0; k < std::size(kCodes); ++k) {
        if (lower == kCodes[k])
            return static_cast<std::uint16_t>(0xFE0B + k);
    }
    return 0xFE0B;
}

// Whether field holds what the encoding makes of the printed value.
inline bool HoldsPrinted(long long field, int bits, double printed, long long (*encode)(double))
{
    return EncodesWithin(field, bits, printed, kSixDecimalsHalfWidth, encode);
}

inline std::string Bounds(const scasm_parse::Source& text, const bgl_decode::Scenery& file)
{
    const auto& h = text.header;
    if (!HoldsPrinted(file.nNorth, 32, h[0], Lat32) || !HoldsPrinted(file.nSouth, 32, h[1], Lat32) ||
        !HoldsPrinted(file.nEast, 32, h[2], Lon32) || !HoldsPrinted(file.nWest, 32, h[3], Lon32))
        return "the header bounds differ from the Header line";
    if (text.latRange[0] != h[0] || text.latRange[1] != h[1])
        return "the LatRange line differs from the Header line";
    if (!HoldsPrinted(file.nBlockSouth, 16, h[1], Lat512) || !HoldsPrinted(file.nBlockNorth, 16, h[0], Lat512))
        return "the dynamic block's bounds differ from the Header line";
    const auto& a = text.area15;
    for (int k = 0; k < 2; ++k) {
        const bgl_decode::Area& area = k == 0 ? file.area1 : file.area2;
        const double* printed = a.data() + 4 * k;
        if (!HoldsPrinted(area.nNorth, 16, printed[0], Lat512) ||
            !HoldsPrinted(area.nSouth, 16, printed[1], Lat512) ||
            !HoldsPrinted(area.nEast, 16, printed[2], Lon16) || !HoldsPrinted(area.nWest, 16, printed[3], Lon16))
            return "area " + std::to_string(k + 1) + " differs from the Area15 line";
    }
    return "";
}

inline const scasm_parse::PatternLine* PatternLineOf(const scasm_parse::Source& text, long pattern)
{
    for (const scasm_parse::PatternLine& line : text.patternLines) {
        if (line.nPattern == pattern)
            return &line;
    }
    return nullptr;
}

inline std::string Table(const scasm_parse::Source& text, const bgl_decode::Scenery& file, Tally& tally)
{
    if (text.blocks.size() != file.entries.size())
        return std::to_string(text.blocks.size()) + " pattern blocks in the text, " +
               std::to_string(file.entries.size()) + " table entries in the file";
    std::size_t normalEntries = 0;
    for (std::size_t k = 0; k < file.entries.size(); ++k) {
        const bgl_decode::TableEntry& entry = file.entries[k];
        const long pattern = text.blocks[k].nPattern;
        const std::string name = "PATTERN" + std::to_string(pattern);
        const scasm_parse::PatternLine* line = PatternLineOf(text, pattern);
        ++tally.nPatterns;
        if (entry.bHelicopter) {
            ++tally.nHelicopters;
            if (line)
                return name + " is a helicopter entry in the file but has a Pattern line";
            continue;
        }
        ++normalEntries;
        if (!line)
            return name + " has a normal entry in the file but no Pattern line";
        if (entry.nObjectNumber != ObjectNumber(line->strCode))
            return name + " flies object " + std::to_string(entry.nObjectNumber) + " for the code " + line->strCode;
        if (entry.nTraffic != ((line->nTrafficFlags * 16 + line->nDensity) & 0xFF))
            return name + " has the traffic byte " + std::to_string(entry.nTraffic);
    }
    if (normalEntries != text.patternLines.size())
        return "the text has Pattern lines for patterns without a block";
    for (std::size_t k = 1; k < text.patternLines.size(); ++k) {
        if (text.patternLines[k].nPattern <= text.patternLines[k - 1].nPattern)
            return "the Pattern lines are not in pattern order";
    }
    return "";
}

// One text block against one body, walking both; the file's commands are
// taken as each text command asks for them.
class BodyWalk {
public:
    BodyWalk(const scasm_parse::Block& block, const bgl_decode::Body& body, Tally& tally)
        : m_block(block), m_body(body), m_tally(tally)
    {
    }

    std::string Compare()
    {
        for (std::size_t t = 0; t < m_block.commands.size(); ++t) {
            const std::size_t fileCommand = m_next;
            const std::string why = std::visit([&](const auto& c) { return Check(c, t); }, m_block.commands[t]);
            if (!why.empty())
                return Where(t, fileCommand) + why;
        }
        if (m_next != m_body.commands.size())
            return Where(m_block.commands.size(), m_next) + "the file's body goes on after the text's";
        return "";
    }

private:
    std::string Where(std::size_t textCommand, std::size_t fileCommand) const
    {
        std::string where = "PATTERN" + std::to_string(m_block.nPattern);
        if (textCommand < m_block.lines.size())
            where += ", text line " + std::to_string(m_block.lines[textCommand]);
        if (fileCommand < m_body.commandOffsets.size())
            where += ", file byte " + std::to_string(m_body.commandOffsets[fileCommand]);
        return where + ": ";
    }

    // The file's next command when it is of the kind given.
    template <typename T>
    const T* Take()
    {
        if (m_next == m_body.commands.size())
            return nullptr;
        const T* command = std::get_if<T>(&m_body.commands[m_next]);
        if (command)
            ++m_next;
        return command;
    }

    static bool Angle(std::uint16_t field, double printed) { return HoldsPrinted(field, 16, printed, Angle16); }

    void CountFastest(long rate)
    {
        if (rate == 180 || rate == -180)
            ++m_tally.nFastestRates;
    }

    // Text metres are printed half to even, the file's rounded half up: they
    // part only at an exact half below an even number.
    bool Metres(long printed, long encoded)
    {
        if (encoded == printed + 1 && printed % 2 == 0) {
            ++m_tally.nHalvesRoundedApart;
            return true;
        }
        return encoded == printed;
    }

    std::string Check(const scasm_parse::SetColor& c, std::size_t)
    {
        const auto* f = Take<bgl_decode::SetColor>();
        if (!f)
            return "no SetColor in the file";
        if (f->nSlot != c.nSlot || f->nColor != c.nColor || f->nPalette != 0xF0)
            return "SetColor slot " + std::to_string(f->nSlot) + " colour " + std::to_string(f->nColor) +
                   " palette " + std::to_string(f->nPalette);
        return "";
    }

    std::string Check(const scasm_parse::SetPos& c, std::size_t t)
    {
        const auto* f = Take<bgl_decode::SetPos>();
        if (!f)
            return "no SetPos in the file";
        if (t > 5)
            ++m_tally.nPositionFixes;
        if (!HoldsPrinted(f->nLat, 32, c.dLat, Lat32))
            return "SetPos latitude " + std::to_string(f->nLat);
        if (!HoldsPrinted(f->nLon, 32, c.dLon, Lon32))
            return "SetPos longitude " + std::to_string(f->nLon);
        if (!HoldsPrinted(f->nAlt, 32, c.dAlt, Altitude32))
            return "SetPos altitude " + std::to_string(f->nAlt);
        return "";
    }

    std::string Check(const scasm_parse::Heading& c, std::size_t)
    {
        const auto* f = Take<bgl_decode::Heading>();
        if (!f)
            return "no Heading in the file";
        return Angle(f->nAngle, c.dAngle) ? "" : "Heading " + std::to_string(f->nAngle);
    }

    template <typename FileAttitude, typename TextAttitude>
    std::string Attitude(const TextAttitude& c, std::size_t t, std::string_view name)
    {
        const auto* f = Take<FileAttitude>();
        if (!f)
            return "no " + std::string(name) + " in the file";
        if (t > 8) {
            ++m_tally.nAttitudeChanges;
            CountFastest(c.nRate);
        }
        if (!Angle(f->nAngle, c.dAngle))
            return std::string(name) + " angle " + std::to_string(f->nAngle);
        // The rate is a whole number in both; a rate beyond 180 degrees a
        // second has no field value that holds it.
        if (f->nRate != Angle16(c.nRate))
            return std::string(name) + " rate " + std::to_string(f->nRate);
        return "";
    }

    std::string Check(const scasm_parse::PitchTo& c, std::size_t t)
    {
        return Attitude<bgl_decode::PitchTo>(c, t, "PitchTo");
    }
    std::string Check(const scasm_parse::BankTo& c, std::size_t t)
    {
        return Attitude<bgl_decode::BankTo>(c, t, "BankTo");
    }

    std::string Check(const scasm_parse::YawTo& c, std::size_t)
    {
        const auto* f = Take<bgl_decode::YawTo>();
        if (!f)
            return "no YawTo in the file";
        ++m_tally.nTurns;
        CountFastest(c.nRate);
        if (!Angle(f->nAngle, c.dAngle))
            return "YawTo angle " + std::to_string(f->nAngle);
        // The text shows the rate rounded up, the file holds it rounded toward
        // zero: the same for a whole or negative rate, one less otherwise,
        // and never below the least rate of 1.
        if (f->nRate == Angle16(c.nRate))
            return "";
        if (c.nRate >= 2 && f->nRate == Angle16(c.nRate - 1)) {
            ++m_tally.nYawRatesRoundedDown;
            return "";
        }
        return "YawTo rate " + std::to_string(f->nRate);
    }

    std::string Check(const scasm_parse::Hold& c, std::size_t)
    {
        ++m_tally.nHolds;
        const auto* f = Take<bgl_decode::Hold>();
        if (!f)
            return "no Hold in the file";
        return f->nSeconds == c.nSeconds
                   ? ""
                   : "the file's Hold lasts " + std::to_string(f->nSeconds) + " seconds";
    }

    template <typename FileMove, typename TextMove>
    std::string Move(const TextMove& c, std::string_view name)
    {
        const auto* f = Take<FileMove>();
        if (!f)
            return "no " + std::string(name) + " in the file";
        if (f->nSeconds != c.nSeconds)
            return "the file's " + std::string(name) + " lasts " + std::to_string(f->nSeconds) + " seconds";
        long up = 0;
        bool same = Metres(c.nEast, f->nEast) && Metres(c.nNorth, f->nNorth);
        if constexpr (std::is_same_v<FileMove, bgl_decode::Move3D>) {
            up = f->nUp;
            same = same && Metres(c.nUp, up);
        }
        if (!same)
            return "the file's " + std::string(name) + " goes " + std::to_string(f->nEast) + " east, " +
                   std::to_string(up) + " up, " + std::to_string(f->nNorth) + " north";
        return "";
    }

    std::string Check(const scasm_parse::MoveXY& c, std::size_t)
    {
        ++m_tally.nLevelMoves;
        return Move<bgl_decode::MoveXY>(c, "MoveXY");
    }
    std::string Check(const scasm_parse::Move3D& c, std::size_t)
    {
        ++m_tally.nClimbingMoves;
        return Move<bgl_decode::Move3D>(c, "Move3D");
    }

    std::string Check(const scasm_parse::Gear& c, std::size_t)
    {
        const auto* f = Take<bgl_decode::Gear>();
        if (!f)
            return "no Gear in the file";
        ++m_tally.nGearChanges;
        return f->bUp == c.bUp ? "" : "the file's gear goes the other way";
    }

    std::string Check(const scasm_parse::Jump& c, std::size_t)
    {
        // The decoder has seen the file's jump lead back to its body's start.
        if (!Take<bgl_decode::Jump>())
            return "no Jump in the file";
        if (c.nPattern != m_block.nPattern)
            return "the text jumps to PATTERN" + std::to_string(c.nPattern);
        return "";
    }

    std::string Check(const scasm_parse::Note&, std::size_t)
    {
        ++m_tally.nNotes;
        return "";
    }

    const scasm_parse::Block& m_block;
    const bgl_decode::Body& m_body;
    Tally& m_tally;
    std::size_t m_next = 0;
};

}  // namespace detail

// The first way in which the text and the file disagree, or nothing.
inline std::string Disagreement(const scasm_parse::Source& text, const bgl_decode::Scenery& file, Tally& tally)
{
    if (std::string why = detail::Bounds(text, file); !why.empty())
        return why;
    if (std::string why = detail::Table(text, file, tally); !why.empty())
        return why;
    for (std::size_t k = 0; k < file.bodies.size(); ++k) {
        if (std::string why = detail::BodyWalk(text.blocks[k], file.bodies[k], tally).Compare(); !why.empty())
            return why;
    }
    return "";
}

}  // namespace scenery_comparison
