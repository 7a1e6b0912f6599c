// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/BglReader.h"

#include "document/FormatText.h"
#include "output/BglFormat.h"
#include "processing/Geodesy.h"

#include <cmath>
#include <optional>
#include <utility>

namespace {

[[noreturn]] void Fail(std::size_t at, const std::string& reason)
{
    throw BglFault("at byte " + std::to_string(at) + ": " + reason);
}

// Little-endian fields read one after another from a chosen byte on. A field
// that runs past the end is refused, naming the part of the file it was in.
class FieldCursor {
public:
    explicit FieldCursor(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_offset; }
    void MoveTo(std::size_t offset, std::string part)
    {
        m_offset = offset;
        m_part = std::move(part);
    }

    std::uint8_t U8()
    {
        if (m_offset >= m_bytes.size())
            Fail(m_offset, "the file ends inside " + m_part + ".");
        return m_bytes[m_offset++];
    }
    std::uint16_t U16()
    {
        const std::uint8_t low = U8();
        return static_cast<std::uint16_t>(low | U8() << 8);
    }
    std::uint32_t U32()
    {
        const std::uint16_t low = U16();
        return low | std::uint32_t{U16()} << 16;
    }
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
    std::string m_part;
};

double Latitude(std::int32_t units)
{
    return units / geodesy::kBglLatitudeFactor;
}

double Longitude(std::int32_t units)
{
    return units / geodesy::kBglLongitudeFactor;
}

// Headings and yaw targets run from 0 to 360 degrees (65535 units read as a
// hair over).
float UnsignedAngle(std::uint16_t units)
{
    return static_cast<float>(units / geodesy::kBglAngleFactor);
}

// Pitch and bank angles, and every rate, turn either way.
double SignedAngle(std::int16_t units)
{
    return units / geodesy::kBglAngleFactor;
}

// A word the compiler always writes as 0.
void ExpectZeroWord(FieldCursor& in, const char* field)
{
    const std::size_t at = in.Offset();
    if (const unsigned word = in.U16(); word != 0)
        Fail(at, FormatText("the %s is %u, not 0.", field, word));
}

struct TableEntry {
    CompiledPattern pattern;
    std::size_t nOffsetField;
    std::size_t nLeadsTo;
};

// The entry at the cursor, or nothing at the table's end.
std::optional<TableEntry> ReadEntry(FieldCursor& in)
{
    const std::size_t at = in.Offset();
    const std::uint8_t code = in.U8();
    if (code == bgl::kTableEnd)
        return std::nullopt;
    if (code != bgl::kNormalEntryCode && code != bgl::kHelicopterEntryCode)
        Fail(at, FormatText("0x%02X is no pattern-table entry code.", code));

    TableEntry entry{};
    entry.pattern.bHelicopter = code == bgl::kHelicopterEntryCode;
    if (!entry.pattern.bHelicopter)
        entry.pattern.nObject = in.U16();
    entry.nOffsetField = in.Offset();
    entry.nLeadsTo = entry.nOffsetField - bgl::kEntryDistanceBeforeField + in.U16();
    ExpectZeroWord(in, "upper half of the entry's offset field");
    if (!entry.pattern.bHelicopter) {
        entry.pattern.nTrafficByte = in.U8();
        return entry;
    }
    for (const std::uint8_t fixed : bgl::kHelicopterEntry) {
        const std::size_t byteAt = in.Offset();
        if (const std::uint8_t found = in.U8(); found != fixed)
            Fail(byteAt, FormatText("the helicopter entry holds 0x%02X where its fixed byte 0x%02X belongs.",
                                    found, fixed));
    }
    return entry;
}

// One command of a body; false after its closing jump.
bool ReadCommand(FieldCursor& in, std::size_t bodyStart, int patternNumber,
                 std::vector<pattern::Command>& commands)
{
    const std::size_t at = in.Offset();
    const std::uint8_t code = in.U8();
    switch (code) {
    case bgl::kSetColorCode: {
        const int slot = in.U8();
        const int color = in.U8();
        const std::size_t paletteAt = in.Offset();
        if (const std::uint8_t palette = in.U8(); palette != bgl::kColorPalette)
            Fail(paletteAt,
                 FormatText("the colour's palette byte is 0x%02X, not 0x%02X.", palette, bgl::kColorPalette));
        commands.push_back(pattern::SetColor{slot, color});
        return true;
    }
    case bgl::kSetPosCode: {
        ExpectZeroWord(in, "fraction of the position's latitude");
        const std::size_t latAt = in.Offset();
        const double lat = Latitude(in.I32());
        // No simulator places a vehicle there, and no view can show it.
        if (std::abs(lat) > 90)
            Fail(latAt, FormatText("the position's latitude is %.1f degrees, off the globe.", lat));
        ExpectZeroWord(in, "fraction of the position's longitude");
        const double lon = Longitude(in.I32());
        const double alt = in.I32() / geodesy::kBglAltitudeFactor;
        ExpectZeroWord(in, "word after the position's altitude");
        commands.push_back(pattern::SetPos{lat, lon, alt});
        return true;
    }
    case bgl::kHeadingCode:
        commands.push_back(pattern::Heading{UnsignedAngle(in.U16())});
        return true;
    case bgl::kPitchToCode: {
        const auto angle = static_cast<float>(SignedAngle(in.I16()));
        commands.push_back(pattern::PitchTo{angle, SignedAngle(in.I16())});
        return true;
    }
    case bgl::kBankToCode: {
        const auto angle = static_cast<float>(SignedAngle(in.I16()));
        commands.push_back(pattern::BankTo{angle, SignedAngle(in.I16())});
        return true;
    }
    case bgl::kYawToCode: {
        const float angle = UnsignedAngle(in.U16());
        commands.push_back(pattern::YawTo{angle, SignedAngle(in.I16())});
        return true;
    }
    case bgl::kHoldCode:
        commands.push_back(pattern::Hold{in.U16()});
        return true;
    case bgl::kMoveXYCode: {
        const int seconds = in.U16();
        const double east = in.I16();
        commands.push_back(pattern::MoveXY{seconds, east, static_cast<double>(in.I16())});
        return true;
    }
    case bgl::kMove3DCode: {
        const int seconds = in.U16();
        const double east = in.I16();
        const double up = in.I16();
        commands.push_back(pattern::Move3D{seconds, east, up, static_cast<double>(in.I16())});
        return true;
    }
    case bgl::kGearCode: {
        const std::size_t gearAt = in.Offset();
        const std::uint8_t gear = in.U8();
        if (gear != bgl::kGearUp && gear != bgl::kGearDown)
            Fail(gearAt, FormatText("the gear byte is %u, neither %u (up) nor %u (down).", gear, bgl::kGearUp,
                                    bgl::kGearDown));
        commands.push_back(pattern::Gear{gear == bgl::kGearUp});
        return true;
    }
    case bgl::kJumpCode: {
        const auto leadsTo = static_cast<std::ptrdiff_t>(at) + in.I16();
        if (leadsTo != static_cast<std::ptrdiff_t>(bodyStart))
            Fail(at, FormatText("the closing jump leads to byte %td, not back to the body's first byte %zu.",
                                leadsTo, bodyStart));
        commands.push_back(pattern::Jump{patternNumber});
        return false;
    }
    default:
        Fail(at, FormatText("0x%02X is no pattern command code.", code));
    }
}

void ReadHeader(FieldCursor& in, CompiledScenery& scenery)
{
    in.MoveTo(0, "the header");
    if (const unsigned code = in.U16(); code != bgl::kFileCode)
        Fail(0, FormatText("the file starts with the word %u, not the %u of a scenery file.", code,
                           bgl::kFileCode));
    scenery.dNorth = Latitude(in.I32());
    scenery.dSouth = Latitude(in.I32());
    scenery.dEast = Longitude(in.I32());
    scenery.dWest = Longitude(in.I32());

    in.MoveTo(bgl::kBlockOffsetField, "the header");
    if (const std::uint32_t block = in.U32(); block != bgl::kDynamicBlockOffset)
        Fail(bgl::kBlockOffsetField, FormatText("the dynamic scenery is said to start at byte %u; this "
                                                "reader takes files whose dynamic scenery starts at byte %u.",
                                                block, bgl::kDynamicBlockOffset));
    in.MoveTo(bgl::kDynamicBlockOffset, "the header");
    if (const std::uint8_t code = in.U8(); code != bgl::kDynamicBlockCode)
        Fail(bgl::kDynamicBlockOffset,
             FormatText("the block code is 0x%02X, not the dynamic scenery's 0x%02X.", code,
                        bgl::kDynamicBlockCode));
    in.MoveTo(bgl::kBlockSizeOffset, "the header");
    scenery.nBlockSize = in.U16();
    in.MoveTo(bgl::kReferenceLatitudeCodeOffset, "the header");
    if (const std::uint8_t code = in.U8(); code != bgl::kReferenceLatitudeCode)
        Fail(bgl::kReferenceLatitudeCodeOffset,
             FormatText("the code 0x%02X stands where the reference latitude's 0x%02X belongs.", code,
                        bgl::kReferenceLatitudeCode));
    in.MoveTo(bgl::kReferenceLatitudeOffset, "the header");
    scenery.dRefLat = Latitude(in.I32());
}

}  // namespace

void ReadPatternBody(std::span<const std::uint8_t> bytes, std::size_t offset, int patternNumber,
                     CompiledPattern& pattern)
{
    FieldCursor in(bytes);
    in.MoveTo(offset, "the body of pattern " + std::to_string(patternNumber));
    while (ReadCommand(in, offset, patternNumber, pattern.commands)) {
    }
    pattern.nBodyOffset = offset;
    pattern.nBodyBytes = in.Offset() - offset;
}

CompiledScenery ReadCompiledScenery(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < bgl::kPatternTableOffset)
        Fail(bytes.size(), FormatText("the file ends before its pattern table, which starts at byte %zu.",
                                      bgl::kPatternTableOffset));
    FieldCursor in(bytes);
    CompiledScenery scenery;
    ReadHeader(in, scenery);

    in.MoveTo(bgl::kPatternTableOffset, "the pattern table");
    std::vector<TableEntry> entries;
    while (auto entry = ReadEntry(in))
        entries.push_back(std::move(*entry));

    // The bodies follow the table back to back, in its order.
    for (std::size_t k = 0; k < entries.size(); ++k) {
        TableEntry& entry = entries[k];
        const std::size_t start = in.Offset();
        if (entry.nLeadsTo != start)
            Fail(entry.nOffsetField, FormatText("the entry of pattern %zu leads to byte %zu, but its body "
                                                "starts at byte %zu.",
                                                k, entry.nLeadsTo, start));
        ReadPatternBody(bytes, start, static_cast<int>(k), entry.pattern);
        in.MoveTo(start + entry.pattern.nBodyBytes, "the dynamic scenery");
        scenery.patterns.push_back(std::move(entry.pattern));
    }

    const std::size_t end = in.Offset();
    const std::size_t blockBytes = end - bgl::kBlockSizeCountsFrom;
    if (scenery.nBlockSize != blockBytes)
        Fail(bgl::kBlockSizeOffset,
             FormatText("the size word counts %zu bytes, but the dynamic scenery holds "
                        "%zu from byte %zu to the end of the last body.",
                        scenery.nBlockSize, blockBytes, bgl::kBlockSizeCountsFrom));
    scenery.strNotice.assign(bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end());
    return scenery;
}
