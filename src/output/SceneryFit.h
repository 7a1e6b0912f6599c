// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processing/PathSegmentation.h"

#include <cstddef>
#include <optional>
#include <string>

class CVolantorDoc;

// The largest compiled file "Fit to Size..." aims under unless told otherwise: 64 KB.
inline constexpr std::size_t kDefaultFitBytes = 65536;

// What the search for thresholds found.
struct SceneryFit {
    SegmentationThresholds thresholds;
    double dScale = 1;  // of the thresholds it started from
    std::size_t nFileBytes = 0;
    double dLargestDeviation = 0;  // metres, the largest of any pattern
    int nTrials = 0;
};

// Searches for the thresholds that bring the document's compiled file within
// maxFileBytes, and within the format's limit, with the smallest largest
// deviation it finds. All five thresholds are scaled by one factor, each held
// to the range the Preferences dialog allows, and the factor is bisected: a
// wider threshold cuts fewer segments and makes a smaller file that strays
// further. Leaves the document's segmentation as it found it. Nothing, with
// the reason in refusal, when even the widest thresholds do not fit or no
// scenery can be compiled of the document.
std::optional<SceneryFit> FindSceneryFit(CVolantorDoc& doc, std::size_t maxFileBytes, std::string& refusal);
