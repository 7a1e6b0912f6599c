// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CVolantorDoc;

// Compiles the document into the bytes of a BGL scenery file: the area
// header, one dynamic-scenery block with a pattern-table entry and a pattern
// body per path, and a closing notice. Paths without samples are left out.
// Returns nothing, with the reason in refusal, when the format cannot hold
// the document (the reason names the path or the limit).
std::optional<std::vector<std::uint8_t>> CompileBgl(const CVolantorDoc& doc, std::string& refusal);
