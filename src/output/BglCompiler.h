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

// The compiled file whether or not its dynamic block fits the format, for
// measuring it: the bytes the file would take and where each pattern body
// lies. Empty, with the reason in refusal, when the document cannot be
// compiled for another reason.
struct BglLayout {
    std::vector<std::uint8_t> bytes;  // the size word holds only the block size's low 16 bits
    std::size_t nBlockSize = 0;       // what the size word counts
    struct Body {
        int nPattern;  // the path's index
        std::size_t nOffset;
        std::size_t nBytes;
    };
    std::vector<Body> bodies;
    bool Fits() const { return nBlockSize <= kMaxBlockSize; }
    static constexpr std::size_t kMaxBlockSize = 0xFFFF;
};
std::optional<BglLayout> LayOutBgl(const CVolantorDoc& doc, std::string& refusal);
