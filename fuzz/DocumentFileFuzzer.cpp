// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes as a document file (*.vol), loaded in memory as opening a file
// loads it. A document that loads must save, load again and save to the same
// bytes.

#include "FuzzCheck.h"
#include "SilentUserInterface.h"
#include "document/ByteStream.h"
#include "document/VolantorDoc.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace {

// What opening a document does with the file's bytes; false for a damaged file.
bool Load(CVolantorDoc& doc, std::span<const std::uint8_t> bytes)
{
    try {
        ByteReader archive(bytes);
        doc.Serialize(archive);
    } catch (const std::runtime_error&) {
        return false;
    }
    doc.RecalcExtents();
    return true;
}

std::vector<std::uint8_t> Saved(const CVolantorDoc& doc)
{
    ByteWriter archive;
    doc.Serialize(archive);
    return archive.Bytes();
}

// Loading numbers the ranges one after the other from 0.
void RequireContiguousRanges(const CVolantorDoc& doc)
{
    int next = 0;
    for (const VehiclePath& path : doc.m_paths) {
        Require(path.m_nFirstSample == next && path.m_nLastSample >= next - 1,
                "each path's range follows the one before");
        next = path.m_nLastSample + 1;
    }
    Require(next == static_cast<int>(doc.m_samples.size()), "the ranges cover all samples");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SilentUserInterface ui;
    CVolantorDoc loaded(ui);
    if (!Load(loaded, std::span(data, size)))
        return 0;
    RequireContiguousRanges(loaded);

    const std::vector<std::uint8_t> saved = Saved(loaded);
    Require(saved.size() <= size, "saving writes no more than loading read");
    CVolantorDoc reloaded(ui);
    Require(Load(reloaded, saved), "a saved document loads again");
    Require(reloaded.m_paths.size() == loaded.m_paths.size() &&
                reloaded.m_samples.size() == loaded.m_samples.size(),
            "reloading keeps every path and sample");
    Require(Saved(reloaded) == saved, "a reloaded document saves to the same bytes");
    Require(ui.failures == 0, "loading in memory shows no message");
    return 0;
}
