// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryReport.h"

#include "document/FormatText.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/SceneryReplay.h"

#include <algorithm>
#include <cstdio>

double SceneryReport::LargestDeviation() const
{
    double largest = 0;
    for (const PatternReport& pattern : patterns)
        largest = std::max(largest, pattern.deviation.dMaxHorizontal);
    return largest;
}

std::optional<SceneryReport> ReportScenery(const CVolantorDoc& doc, std::string& refusal)
{
    const std::optional<BglLayout> layout = LayOutBgl(doc, refusal);
    if (!layout)
        return std::nullopt;
    return ReportLayout(*layout, doc);
}

SceneryReport ReportLayout(const BglLayout& layout, const CVolantorDoc& doc)
{
    SceneryReport report;
    report.nFileBytes = layout.bytes.size();
    report.nBlockBytes = layout.nBlockSize;
    report.nBlockLimit = BglLayout::kMaxBlockSize;
    const std::vector<ReplayedPattern> replays = ReplayLayout(layout, doc);
    for (std::size_t k = 0; k < replays.size(); ++k) {
        const ReplayedPattern& replay = replays[k];
        const VehiclePath& path = doc.m_paths[replay.nPattern];
        report.patterns.push_back({replay.nPattern, path.m_strVehicle, path.SampleCount(), replay.lap.Holds(),
                                   replay.lap.Moves(), layout.bodies[k].nBytes,
                                   MeasureDeviation(replay.lap, doc.m_samples, path)});
    }
    return report;
}

std::string SceneryReportText(const SceneryReport& report)
{
    int vehicleWidth = 7;
    for (const PatternReport& pattern : report.patterns)
        vehicleWidth = std::max(vehicleWidth, static_cast<int>(pattern.strVehicle.size()));
    // Each line is at most the vehicle text and a hundred characters.
    std::vector<char> line(static_cast<std::size_t>(vehicleWidth) + 160);
    std::string text;
    const auto add = [&](auto... values) {
        std::snprintf(line.data(), line.size(), values...);
        text += line.data();
    };
    add("%-12s %-*s %7s %5s %5s %6s %10s %11s %10s %8s %8s\n", "Pattern", vehicleWidth, "Vehicle", "Samples",
        "Holds", "Moves", "Bytes", "Across max", "Across mean", "Height max", "Lap", "Recorded");
    for (const PatternReport& p : report.patterns) {
        const std::string name = "PATTERN" + std::to_string(p.nPattern);
        add("%-12s %-*s %7d %5d %5d %6zu %8.1f m %9.1f m %7.0f ft %8s %8s\n", name.c_str(), vehicleWidth,
            p.strVehicle.c_str(), p.nSamples, p.nHolds, p.nMoves, p.nBytes, p.deviation.dMaxHorizontal,
            p.deviation.dMeanHorizontal, p.deviation.dMaxVertical, ClockText(p.deviation.nLapSeconds).c_str(),
            ClockText(p.deviation.nRecordedSeconds).c_str());
    }
    if (report.Fits())
        add("File: %zu bytes. Its dynamic scenery takes %zu of the %zu bytes the format allows.\n",
            report.nFileBytes, report.nBlockBytes, report.nBlockLimit);
    else
        add("File: %zu bytes. Its dynamic scenery takes %zu bytes, %zu more than the %zu the format "
            "allows.\n",
            report.nFileBytes, report.nBlockBytes, report.nBlockBytes - report.nBlockLimit,
            report.nBlockLimit);
    return text;
}

void CVolantorDoc::OnSceneryReport()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    std::string refusal;
    if (const auto report = ReportScenery(*this, refusal))
        m_pUI->ShowMessage(SceneryReportText(*report), UserInterface::MessageKind::Table);
    else
        m_pUI->ShowFailure(refusal);
}
