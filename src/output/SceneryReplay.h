// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processing/PatternReplay.h"

#include <optional>
#include <string>
#include <vector>

class CVolantorDoc;
struct BglLayout;
struct CompiledScenery;

// One vehicle of a scenery file and the lap it flies.
struct ReplayedPattern {
    int nPattern;  // the pattern number: the path's index in the document
    ReplayedLap lap;
};

// The laps the document's compiled scenery makes its vehicles fly, one for
// each path with samples, about the document's reference point. Empty, with
// the reason in refusal, when no scenery can be compiled of the document.
std::vector<ReplayedPattern> ReplayDocument(const CVolantorDoc& doc, std::string& refusal);
// The same for a document already compiled: its bodies read back as the
// simulator reads them.
std::vector<ReplayedPattern> ReplayLayout(const BglLayout& layout, const CVolantorDoc& doc);
// The laps of a compiled file alone, about the first place it puts a vehicle.
std::vector<ReplayedPattern> ReplayCompiledScenery(const CompiledScenery& scenery);
// The same read from a file; nothing, with the reason in refusal, when the
// file cannot be read or is not a compiled scenery file of this layout.
std::optional<std::vector<ReplayedPattern>> ReplayCompiledSceneryFile(const std::string& file,
                                                                      std::string& refusal);
