// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryReplay.h"

#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/PatternSequence.h"

std::vector<ReplayedPattern> ReplayDocument(const CVolantorDoc& doc, std::string& refusal)
{
    const std::optional<BglLayout> layout = LayOutBgl(doc, refusal);
    return layout ? ReplayLayout(*layout, doc) : std::vector<ReplayedPattern>{};
}

std::vector<ReplayedPattern> ReplayLayout(const BglLayout& layout, const CVolantorDoc& doc)
{
    std::vector<ReplayedPattern> replays;
    PatternSequencer sequencer;
    for (const BglLayout::Body& body : layout.bodies) {
        replays.push_back(
            {body.nPattern,
             ReplayedLap(sequencer.Sequence(doc.m_samples, doc.m_paths[body.nPattern], body.nPattern),
                         doc.m_fRefLat, doc.m_fRefLon)});
    }
    return replays;
}
