// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processing/ReplayDeviation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CVolantorDoc;
struct BglLayout;

// "Scenery Report...": what the compiled scenery makes each vehicle do and
// how far that strays from its recording, and how much of the format's room
// the file takes.
struct PatternReport {
    int nPattern = 0;
    std::string strVehicle;
    int nSamples = 0;
    int nHolds = 0;
    int nMoves = 0;
    std::size_t nBytes = 0;  // its compiled body
    PathDeviation deviation;
};

struct SceneryReport {
    std::vector<PatternReport> patterns;
    std::size_t nFileBytes = 0;
    std::size_t nBlockBytes = 0;  // what the format limits
    std::size_t nBlockLimit = 0;
    bool Fits() const { return nBlockBytes <= nBlockLimit; }
    // The largest horizontal deviation of any pattern, in metres.
    double LargestDeviation() const;
};

// Empty, with the reason in refusal, when no scenery can be compiled of the document.
std::optional<SceneryReport> ReportScenery(const CVolantorDoc& doc, std::string& refusal);
// The same for a document already compiled.
SceneryReport ReportLayout(const BglLayout& layout, const CVolantorDoc& doc);

// The report as aligned text: one line per pattern under a heading, then the file's size.
std::string SceneryReportText(const SceneryReport& report);
