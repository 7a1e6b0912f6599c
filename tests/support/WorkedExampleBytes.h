// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The compiled scenery file of the worked example: one Cessna path holding
// 17 s at 47.25 N 122.5 W, then moving in 23 s to 47.5 N 122.25 W.
using Bytes = std::vector<std::uint8_t>;

// Hex pairs, spaces ignored.
inline Bytes Hex(std::string_view hex)
{
    Bytes bytes;
    for (std::size_t i = 0; i < hex.size(); i += hex[i] == ' ' ? 1 : 2) {
        if (hex[i] != ' ')
            bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return bytes;
}

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

inline const std::string kBanner = "  Volantor Version 1.0         \n";
inline const std::string kNotice = "Dynamic scenery made with Volantor Version 1.0 by Brightmoor";

// Margins 0.1 (header), 0 (area 1), 0.05 (area 2) added in double. Latitudes in metres north or that >> 8
// (units of 512 m), longitudes in 2^32 or 2^16 units to the turn.
inline const Bytes kWorkedExampleBytes = Join({
    // clang-format off
    Hex("0100 56B75000 FDF34F00 684523A9 E359D1A8"), Bytes(64),  // N 47.6, S 47.15, E -122.15, W -122.6
    Hex("A0000000"), Bytes(42), Bytes(kBanner.begin(), kBanner.end()),
    Hex("15 F927 5B28 0A000000 00 04"),  // the dynamic block from 47.15 to 47.6
    Hex("4528 0F28 11A9 E3A8 9200"),     // area 1; the block's 146 bytes from here
    Hex("5028 0428 1AA9 DAA8"), Bytes(24), Hex("34 0000 661F5000"),  // area 2; reference latitude 47.25
    Hex("32 0BFE 09000000 30 FF"),  // the Cessna, 9 bytes to its body, traffic 3, density 0
    Hex("3100 04F0 3101 05F0 3102 04F0 3103 03F0 3104 02F0"),  // colours 4 5 4 3 2
    Hex("33 0000 661F5000 0000 398EE3A8 E17A1E00 0000"),       // 47.25 N 122.5 W 30.48 m
    Hex("07 FF3F 01 0000 FF7F 02 0000 FF7F"),  // heading 90, level at 180 a second
    Hex("27 1100 03 FF1F DEFD 01 8E03 B600"),  // hold 17 s; yaw to 45 at -3, pitch to 5 at 1
    Hex("18 1700 8749 3101 876C 04 00"),       // 23 s: 18823 m east, 305 up, 27783 north; gear up
    Hex("33 0000 ED8B5000 0000 111111A9 AE474F01 0000"),  // the fix: 47.5 N 122.25 W 335.28 m
    Hex("24 A1FF 000000"), Bytes(kNotice.begin(), kNotice.end()),  // back 95 bytes
    // clang-format on
});
