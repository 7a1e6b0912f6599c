// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Reads back a compiled scenery file on the format's own terms: the pattern table, each entry's distance
// to its body, each body's commands up to the jump back to its first byte and the block's size word.
// A file that breaks the layout throws std::runtime_error naming the byte.
namespace bgl_decode {

struct Entry {
    bool bHelicopter;
    unsigned nObject;   // normal entries only
    unsigned nTraffic;  // normal entries only: flags x 16 + density

    bool operator==(const Entry&) const = default;
};

struct Scenery {
    std::vector<Entry> entries;
    // Each body's commands as hex bytes ("27 11 00"), its closing jump left out.
    std::vector<std::vector<std::string>> bodies;
    std::string strNotice;  // all that follows the last body
};

inline Scenery Decode(const std::vector<std::uint8_t>& bytes)
{
    constexpr std::size_t kSizeWord = 179, kPatternTable = 220;
    constexpr std::string_view kHelicopterEntry(
        "\x00\x00\x30\xA9\xCD\xC2\x00\xAA\x00\xE1\xA9\xD0\x11\x67\x59\x05\x83\xA1\xB1", 19);
    const std::map<unsigned, std::size_t> kCommandLengths{{0x31, 4}, {0x33, 19}, {0x07, 3}, {0x01, 5},
                                                          {0x02, 5}, {0x03, 5},  {0x27, 3}, {0x15, 7},
                                                          {0x18, 9}, {0x04, 2}};
    const auto fail = [](std::size_t at, const std::string& what) {
        throw std::runtime_error("at byte " + std::to_string(at) + ": " + what);
    };
    const auto byte = [&](std::size_t at) -> unsigned {
        if (at >= bytes.size())
            fail(at, "the file ends early");
        return bytes[at];
    };
    const auto u16 = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };

    Scenery scenery;
    std::vector<std::size_t> bodyStarts;  // where the entries lead
    std::size_t at = kPatternTable;
    for (unsigned code; (code = byte(at)) != 0xFF; at += code == 0x32 ? 8 : 24) {
        if (code != 0x32 && code != 0x35)
            fail(at, "unknown pattern-table entry code " + std::to_string(code));
        // The distance counts from 3 bytes before the offset field; only the
        // field's lower half is patched, the upper half stays 0.
        const std::size_t field = at + (code == 0x32 ? 3 : 1);
        bodyStarts.push_back(field - 3 + u16(field));
        if (u16(field + 2) != 0)
            fail(field + 2, "the upper half of an offset field is not 0");
        scenery.entries.push_back(
            {code == 0x35, code == 0x32 ? u16(at + 1) : 0, code == 0x32 ? byte(at + 7) : 0});
        for (std::size_t k = 0; code == 0x35 && k < kHelicopterEntry.size(); ++k) {
            if (byte(field + 4 + k) != static_cast<std::uint8_t>(kHelicopterEntry[k]))
                fail(field + 4 + k, "a fixed byte of the helicopter entry differs");
        }
    }
    ++at;
    for (std::size_t bodyStart : bodyStarts) {
        if (bodyStart != at)
            fail(bodyStart, "an entry leads here, but its body starts at byte " + std::to_string(at));
        auto& body = scenery.bodies.emplace_back();
        // An unknown command code throws std::out_of_range.
        for (unsigned code; (code = byte(at)) != 0x24; at += kCommandLengths.at(code)) {
            std::string& hex = body.emplace_back();
            for (std::size_t i = at; i < at + kCommandLengths.at(code); ++i) {
                char pair[4];
                std::snprintf(pair, sizeof pair, i == at ? "%02X" : " %02X", byte(i));
                hex += pair;
            }
        }
        if (at + static_cast<std::int16_t>(u16(at + 1)) != bodyStart)
            fail(at, "the jump does not lead back to the body's first byte");
        at += 3;
    }
    // The size word counts the bytes after it up to the end of the last body.
    if (u16(kSizeWord) != at - kSizeWord - 2)
        fail(kSizeWord, "the size word does not count the dynamic block");
    scenery.strNotice.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end());
    return scenery;
}

}  // namespace bgl_decode
