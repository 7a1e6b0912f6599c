// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/PatternSequence.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Encodes one path's pattern command sequence as the bytes of a BGL pattern
// body, ending with the jump back to its first byte. The values are encoded
// as they are; a body the format cannot hold throws bgl::Refusal naming the
// pattern.
std::vector<std::uint8_t> EncodePatternBody(const std::vector<pattern::Command>& commands,
                                            std::string_view patternName);
