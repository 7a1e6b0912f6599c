#pragma once

#include "output/PatternSequence.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Encodes one path's pattern command sequence as the bytes of a BGL pattern
// body, ending with the jump back to its first byte. A hold or move too long
// for its 16-bit fields is written as several that add up to it; anything the
// format cannot hold throws bgl::Refusal naming the pattern.
std::vector<std::uint8_t> EncodePatternBody(const std::vector<pattern::Command>& commands,
                                            std::string_view patternName);
