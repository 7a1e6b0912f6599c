// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/PatternSequence.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A compiled scenery file read back into the movement it flies, on the terms
// of the layout the compiler writes (output/BglFormat.h). Values come back in
// degrees, metres and seconds, each as exact as its field holds it.

// One entry of the pattern table and the body it leads to.
struct CompiledPattern {
    bool bHelicopter = false;
    unsigned nObject = 0;         // normal entries: the object number the entry names
    unsigned nTrafficByte = 0;    // normal entries: traffic flags x 16 + density
    std::size_t nBodyOffset = 0;  // where its body starts in the file
    std::size_t nBodyBytes = 0;   // the body's bytes, its closing jump included
    // Decoded, ending with Jump{its own index}; no notes.
    std::vector<pattern::Command> commands;
};

struct CompiledScenery {
    double dNorth = 0, dSouth = 0, dEast = 0, dWest = 0;  // the header's bounds, degrees
    double dRefLat = 0;                                   // the block's reference latitude, degrees
    std::vector<CompiledPattern> patterns;                // in table order; index = pattern number
    std::size_t nBlockSize = 0;                           // what the block's size word counts
    std::string strNotice;                                // all that follows the last body
};

// Why a file cannot be read, naming the byte where it goes wrong
// ("at byte 231: ...").
struct BglFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws BglFault for a file of another layout, a damaged one or one that
// ends early.
CompiledScenery ReadCompiledScenery(std::span<const std::uint8_t> bytes);

// Reads the pattern body that starts at the offset, up to its closing jump,
// into the pattern's commands, offset and size. Throws BglFault as above.
void ReadPatternBody(std::span<const std::uint8_t> bytes, std::size_t offset, int patternNumber,
                     CompiledPattern& pattern);
