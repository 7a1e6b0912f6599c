// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Reads back a BGL scenery file of the kind the compiler writes, on its own
// terms: every fixed byte, every distance and the block size are checked, and
// every pattern body is decoded into its commands with their values as the
// file holds them (encoded integers, not degrees or metres). A file that
// breaks the layout is reported with the byte offset where it breaks.
namespace bgl_decode {

struct SetColor {
    int nSlot;
    int nColor;
    int nPalette;  // the byte after the colour

    bool operator==(const SetColor&) const = default;
};
struct SetPos {
    std::int32_t nLat;  // Lat32
    std::int32_t nLon;  // Lon32
    std::int32_t nAlt;  // metres x 65536

    bool operator==(const SetPos&) const = default;
};
struct Heading {
    std::uint16_t nAngle;

    bool operator==(const Heading&) const = default;
};
struct PitchTo {
    std::uint16_t nAngle;
    std::int16_t nRate;

    bool operator==(const PitchTo&) const = default;
};
struct BankTo {
    std::uint16_t nAngle;
    std::int16_t nRate;

    bool operator==(const BankTo&) const = default;
};
struct YawTo {
    std::uint16_t nAngle;
    std::int16_t nRate;

    bool operator==(const YawTo&) const = default;
};
struct Hold {
    int nSeconds;

    bool operator==(const Hold&) const = default;
};
struct MoveXY {
    int nSeconds;
    std::int16_t nEast;
    std::int16_t nNorth;

    bool operator==(const MoveXY&) const = default;
};
struct Move3D {
    int nSeconds;
    std::int16_t nEast;
    std::int16_t nUp;
    std::int16_t nNorth;

    bool operator==(const Move3D&) const = default;
};
struct Gear {
    bool bUp;

    bool operator==(const Gear&) const = default;
};
struct Jump {
    std::int16_t nDistance;  // from the jump's own first byte

    bool operator==(const Jump&) const = default;
};

using Command = std::variant<SetColor, SetPos, Heading, PitchTo, BankTo, YawTo, Hold, MoveXY, Move3D, Gear, Jump>;

struct TableEntry {
    std::size_t nOffset;  // of the entry's first byte
    bool bHelicopter;
    std::uint16_t nObjectNumber;  // normal entries only
    std::uint8_t nTraffic;        // normal entries only: flags x 16 + density
    std::uint16_t nDistance;      // the offset field's lower half
};

struct Body {
    std::size_t nOffset;
    std::vector<Command> commands;
    std::vector<std::size_t> commandOffsets;
};

// Area bounds in units of 512 m (latitudes) and 1/65536 turn (longitudes).
struct Area {
    std::uint16_t nNorth;
    std::uint16_t nSouth;
    std::uint16_t nEast;
    std::uint16_t nWest;
};

struct Scenery {
    std::int32_t nNorth = 0;  // Lat32
    std::int32_t nSouth = 0;  // Lat32
    std::int32_t nEast = 0;   // Lon32
    std::int32_t nWest = 0;   // Lon32
    std::uint16_t nBlockSouth = 0;  // Lat512
    std::uint16_t nBlockNorth = 0;  // Lat512
    Area area1{};
    Area area2{};
    std::uint16_t nBlockSize = 0;
    std::int32_t nRefLat = 0;  // Lat32
    std::vector<TableEntry> entries;
    std::vector<Body> bodies;  // one per entry, in table order
    std::string strNotice;
};

struct DecodeResult {
    Scenery scenery;
    std::string strError;  // empty when the file was read to its end without fault

    bool Ok() const { return strError.empty(); }
};

namespace detail {

inline constexpr std::size_t kDynamicBlock = 160;
inline constexpr std::size_t kSizeWord = 179;
inline constexpr std::size_t kSizeCountsFrom = 181;
inline constexpr std::size_t kPatternTable = 220;
inline constexpr std::string_view kBanner = "  Volantor Version 1.0         ";
inline constexpr std::array<std::uint8_t, 19> kHelicopterBytes{0x00, 0x00, 0x30, 0xA9, 0xCD, 0xC2, 0x00,
                                                               0xAA, 0x00, 0xE1, 0xA9, 0xD0, 0x11, 0x67,
                                                               0x59, 0x05, 0x83, 0xA1, 0xB1};

struct Fault {
    std::size_t nOffset;
    std::string strWhat;
};

// Little-endian fields read front to back; reading past the end is a fault.
class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    std::size_t Position() const { return m_position; }
    bool AtEnd() const { return m_position == m_bytes.size(); }

    std::uint8_t U8()
    {
        if (m_position >= m_bytes.size())
            throw Fault{m_position, "the file ends early"};
        return m_bytes[m_position++];
    }
    std::uint16_t U16()
    {
        const std::uint16_t low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::uint32_t U32()
    {
        const std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    void Expect8(std::uint8_t expected, std::string_view what)
    {
        const std::size_t at = m_position;
        const unsigned value = U8();
        if (value != expected)
            throw Fault{at, std::string(what) + " is " + std::to_string(value) + ", not " + std::to_string(expected)};
    }
    void Expect16(std::uint16_t expected, std::string_view what)
    {
        const std::size_t at = m_position;
        const unsigned value = U16();
        if (value != expected)
            throw Fault{at, std::string(what) + " is " + std::to_string(value) + ", not " + std::to_string(expected)};
    }
    void Expect32(std::uint32_t expected, std::string_view what)
    {
        const std::size_t at = m_position;
        const std::uint32_t value = U32();
        if (value != expected)
            throw Fault{at, std::string(what) + " is " + std::to_string(value) + ", not " + std::to_string(expected)};
    }
    void ExpectZeros(std::size_t count, std::string_view what)
    {
        for (std::size_t i = 0; i < count; ++i)
            Expect8(0, what);
    }

private:
    const std::vector<std::uint8_t>& m_bytes;
    std::size_t m_position = 0;
};

inline void ReadHeader(Reader& in, Scenery& scenery)
{
    in.Expect16(1, "the first word");
    scenery.nNorth = in.I32();
    scenery.nSouth = in.I32();
    scenery.nEast = in.I32();
    scenery.nWest = in.I32();
    in.ExpectZeros(64, "a byte of the zero area after the bounds");
    in.Expect32(kDynamicBlock, "the dynamic-block offset");
    in.ExpectZeros(40 + 2, "a byte of the zero area before the banner");
    for (char c : kBanner)
        in.Expect8(static_cast<std::uint8_t>(c), "a banner byte");
    in.Expect8(0x0A, "the byte after the banner");

    in.Expect8(0x15, "the dynamic-block code");
    scenery.nBlockSouth = in.U16();
    scenery.nBlockNorth = in.U16();
    in.Expect32(10, "the word after the block bounds");
    in.Expect8(0, "the byte after that word");
    in.Expect8(4, "the area code");
    scenery.area1 = {in.U16(), in.U16(), in.U16(), in.U16()};
    scenery.nBlockSize = in.U16();
    scenery.area2 = {in.U16(), in.U16(), in.U16(), in.U16()};
    in.ExpectZeros(24, "a byte of the zero area after the areas");
    in.Expect8(0x34, "the reference-latitude code");
    in.Expect16(0, "the word after the reference-latitude code");
    scenery.nRefLat = in.I32();
}

inline void ReadPatternTable(Reader& in, Scenery& scenery)
{
    std::vector<std::uint16_t> upperHalves;
    std::vector<std::size_t> fieldOffsets;
    for (;;) {
        const std::size_t at = in.Position();
        const std::uint8_t code = in.U8();
        if (code == 0xFF)
            break;
        TableEntry entry{at, code == 0x35, 0, 0, 0};
        if (code == 0x32) {
            entry.nObjectNumber = in.U16();
        } else if (code != 0x35) {
            throw Fault{at, "unknown pattern-table entry code " + std::to_string(code)};
        }
        fieldOffsets.push_back(in.Position());
        entry.nDistance = in.U16();
        upperHalves.push_back(in.U16());
        if (entry.bHelicopter) {
            for (std::uint8_t expected : kHelicopterBytes)
                in.Expect8(expected, "a fixed byte of the helicopter entry");
        } else {
            entry.nTraffic = in.U8();
        }
        scenery.entries.push_back(entry);
    }
    // Only the lower half of each offset field is patched; the upper half
    // keeps the placeholder of entries x 8 + 1.
    const auto placeholderUpper = static_cast<std::uint16_t>((scenery.entries.size() * 8 + 1) >> 16);
    for (std::size_t k = 0; k < upperHalves.size(); ++k) {
        if (upperHalves[k] != placeholderUpper)
            throw Fault{fieldOffsets[k] + 2, "the upper half of an offset field is " + std::to_string(upperHalves[k]) +
                                                 ", not " + std::to_string(placeholderUpper)};
    }
}

inline Command ReadCommand(Reader& in, std::size_t at)
{
    const std::uint8_t code = in.U8();
    switch (code) {
    case 0x31: {
        const int slot = in.U8();
        const int color = in.U8();
        return SetColor{slot, color, in.U8()};
    }
    case 0x33: {
        in.Expect16(0, "the word before the SetPos latitude");
        const std::int32_t lat = in.I32();
        in.Expect16(0, "the word before the SetPos longitude");
        const std::int32_t lon = in.I32();
        const std::int32_t alt = in.I32();
        in.Expect16(0, "the word after the SetPos altitude");
        return SetPos{lat, lon, alt};
    }
    case 0x07:
        return Heading{in.U16()};
    case 0x01: {
        const std::uint16_t angle = in.U16();
        return PitchTo{angle, in.I16()};
    }
    case 0x02: {
        const std::uint16_t angle = in.U16();
        return BankTo{angle, in.I16()};
    }
    case 0x03: {
        const std::uint16_t angle = in.U16();
        return YawTo{angle, in.I16()};
    }
    case 0x27:
        return Hold{in.U16()};
    case 0x15: {
        const int seconds = in.U16();
        const std::int16_t east = in.I16();
        return MoveXY{seconds, east, in.I16()};
    }
    case 0x18: {
        const int seconds = in.U16();
        const std::int16_t east = in.I16();
        const std::int16_t up = in.I16();
        return Move3D{seconds, east, up, in.I16()};
    }
    case 0x04: {
        const std::size_t valueAt = in.Position();
        const std::uint8_t value = in.U8();
        if (value > 1)
            throw Fault{valueAt, "the gear byte is " + std::to_string(value) + ", neither 0 (up) nor 1 (down)"};
        return Gear{value == 0};
    }
    case 0x24:
        return Jump{in.I16()};
    default:
        throw Fault{at, "unknown command code " + std::to_string(code)};
    }
}

// One body, from its first byte up to and including its closing jump, which
// must lead back to that first byte.
inline Body ReadBody(Reader& in)
{
    Body body{in.Position(), {}, {}};
    for (;;) {
        const std::size_t at = in.Position();
        body.commands.push_back(ReadCommand(in, at));
        body.commandOffsets.push_back(at);
        if (const auto* jump = std::get_if<Jump>(&body.commands.back())) {
            const auto target = static_cast<long long>(at) + jump->nDistance;
            if (target != static_cast<long long>(body.nOffset))
                throw Fault{at, "the jump leads to byte " + std::to_string(target) + ", not to the body's start at " +
                                    std::to_string(body.nOffset)};
            return body;
        }
    }
}

inline void ReadBodies(Reader& in, Scenery& scenery)
{
    for (const TableEntry& entry : scenery.entries) {
        const std::size_t start = in.Position();
        // The distance counts from 3 bytes before the offset field, which is
        // the first byte of a normal entry and 2 bytes after a helicopter's.
        const std::size_t target = entry.nOffset + entry.nDistance - (entry.bHelicopter ? 2 : 0);
        if (target != start)
            throw Fault{entry.nOffset, "the pattern-table entry leads to byte " + std::to_string(target) +
                                           ", but its body starts at byte " + std::to_string(start)};
        scenery.bodies.push_back(ReadBody(in));
    }
    const std::size_t blockSize = in.Position() - kSizeCountsFrom;
    if (scenery.nBlockSize != blockSize)
        throw Fault{kSizeWord, "the size word is " + std::to_string(scenery.nBlockSize) +
                                   ", but the dynamic block takes " + std::to_string(blockSize) + " bytes"};
    in.ExpectZeros(3, "a byte after the last body");
    while (!in.AtEnd()) {
        const std::size_t at = in.Position();
        const std::uint8_t c = in.U8();
        if (c < 0x20 || c > 0x7E)
            throw Fault{at, "the closing notice holds the byte " + std::to_string(c)};
        scenery.strNotice += static_cast<char>(c);
    }
    if (scenery.strNotice.empty())
        throw Fault{in.Position(), "the closing notice is missing"};
}

}  // namespace detail

inline DecodeResult Decode(const std::vector<std::uint8_t>& bytes)
{
    DecodeResult result;
    detail::Reader in(bytes);
    try {
        detail::ReadHeader(in, result.scenery);
        detail::ReadPatternTable(in, result.scenery);
        detail::ReadBodies(in, result.scenery);
    } catch (const detail::Fault& fault) {
        result.strError = "at byte " + std::to_string(fault.nOffset) + ": " + fault.strWhat;
    }
    return result;
}

}  // namespace bgl_decode
