// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryReplay.h"

#include "document/FileIO.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/BglReader.h"

#include <algorithm>

std::vector<ReplayedPattern> ReplayDocument(const CVolantorDoc& doc, std::string& refusal)
{
    const std::optional<BglLayout> layout = LayOutBgl(doc, refusal);
    return layout ? ReplayLayout(*layout, doc) : std::vector<ReplayedPattern>{};
}

std::vector<ReplayedPattern> ReplayLayout(const BglLayout& layout, const CVolantorDoc& doc)
{
    std::vector<ReplayedPattern> replays;
    for (const BglLayout::Body& body : layout.bodies) {
        CompiledPattern pattern;
        ReadPatternBody(layout.bytes, body.nOffset, body.nPattern, pattern);
        replays.push_back({body.nPattern, ReplayedLap(pattern.commands, doc.m_fRefLat, doc.m_fRefLon)});
    }
    return replays;
}

std::vector<ReplayedPattern> ReplayCompiledScenery(const CompiledScenery& scenery)
{
    // The compiler's reference point is where the first pattern starts; the
    // file keeps only its latitude, so the first position stands in for it.
    // A file that places no vehicle has no place to show them in.
    double refLat = 0, refLon = 0;
    for (const CompiledPattern& pattern : scenery.patterns) {
        const auto first =
            std::find_if(pattern.commands.begin(), pattern.commands.end(), [](const auto& command) {
                return std::holds_alternative<pattern::SetPos>(command);
            });
        if (first != pattern.commands.end()) {
            refLat = std::get<pattern::SetPos>(*first).dLat;
            refLon = std::get<pattern::SetPos>(*first).dLon;
            break;
        }
    }
    std::vector<ReplayedPattern> replays;
    for (std::size_t k = 0; k < scenery.patterns.size(); ++k) {
        replays.push_back(
            {static_cast<int>(k), ReplayedLap(scenery.patterns[k].commands, static_cast<float>(refLat),
                                              static_cast<float>(refLon))});
    }
    return replays;
}

std::optional<std::vector<ReplayedPattern>> ReplayCompiledSceneryFile(const std::string& file,
                                                                      std::string& refusal)
{
    std::string error;
    const auto bytes = ReadFileBytes(file, error);
    if (!bytes) {
        refusal = "Can't read \"" + file + "\": " + error + ".";
        return std::nullopt;
    }
    try {
        return ReplayCompiledScenery(ReadCompiledScenery(*bytes));
    } catch (const BglFault& fault) {
        refusal = "\"" + file + "\" is not a scenery file Volantor can read: " + fault.what();
        return std::nullopt;
    }
}
