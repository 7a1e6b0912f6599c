// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The layout of the compiled scenery files Volantor writes, shared by the
// compiler and the reader: where the fixed parts lie, the pattern table's
// entries and the codes of the pattern commands. Multi-byte fields are little
// endian.
namespace bgl {

inline constexpr std::uint16_t kFileCode = 1;  // the word at byte 0
inline constexpr std::size_t kNorthBoundOffset = 2;
inline constexpr std::size_t kBlockOffsetField = 82;
inline constexpr std::uint32_t kDynamicBlockOffset = 160;
inline constexpr std::uint8_t kDynamicBlockCode = 0x15;
inline constexpr std::size_t kBlockSizeOffset = 179;
// The size word counts the block's bytes from here to the end of the last body.
inline constexpr std::size_t kBlockSizeCountsFrom = 181;
inline constexpr std::size_t kReferenceLatitudeCodeOffset = 213;
inline constexpr std::uint8_t kReferenceLatitudeCode = 0x34;
inline constexpr std::size_t kReferenceLatitudeOffset = 216;
inline constexpr std::size_t kPatternTableOffset = 220;

inline constexpr std::uint8_t kNormalEntryCode = 0x32;
inline constexpr std::uint8_t kHelicopterEntryCode = 0x35;
inline constexpr std::uint8_t kTableEnd = 0xFF;
// Each entry's offset field leads to its body, counted from this many bytes
// before the field (the entry's first byte, for a normal entry).
inline constexpr std::size_t kEntryDistanceBeforeField = 3;
// What follows the offset field of the helicopter's pattern-table entry.
inline constexpr std::array<std::uint8_t, 19> kHelicopterEntry{0x00, 0x00, 0x30, 0xA9, 0xCD, 0xC2, 0x00,
                                                               0xAA, 0x00, 0xE1, 0xA9, 0xD0, 0x11, 0x67,
                                                               0x59, 0x05, 0x83, 0xA1, 0xB1};

// The codes of the pattern commands, each the first byte of its command.
inline constexpr std::uint8_t kSetColorCode = 0x31;
inline constexpr std::uint8_t kSetPosCode = 0x33;
inline constexpr std::uint8_t kHeadingCode = 0x07;
inline constexpr std::uint8_t kPitchToCode = 0x01;
inline constexpr std::uint8_t kBankToCode = 0x02;
inline constexpr std::uint8_t kYawToCode = 0x03;
inline constexpr std::uint8_t kHoldCode = 0x27;
inline constexpr std::uint8_t kMoveXYCode = 0x15;
inline constexpr std::uint8_t kMove3DCode = 0x18;
inline constexpr std::uint8_t kGearCode = 0x04;
inline constexpr std::uint8_t kJumpCode = 0x24;
inline constexpr std::uint8_t kGearUp = 0x00;
inline constexpr std::uint8_t kGearDown = 0x01;
// A colour is a palette index in the low byte of a word whose high byte is this.
inline constexpr std::uint8_t kColorPalette = 0xF0;

}  // namespace bgl
