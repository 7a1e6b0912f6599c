// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryReplay.h"

#include "document/VolantorDoc.h"
#include "output/PatternSequence.h"

std::vector<ReplayedPattern> ReplayDocument(const CVolantorDoc& doc, std::string& refusal)
{
    std::vector<ReplayedPattern> replays;
    PatternSequencer sequencer;
    try {
        for (int index = 0; index < static_cast<int>(doc.m_paths.size()); ++index) {
            if (!doc.m_paths[index].IsEmpty())
                replays.push_back({index, ReplayedLap(sequencer.Sequence(doc.m_samples, doc.m_paths[index], index),
                                                      doc.m_fRefLat, doc.m_fRefLon)});
        }
    } catch (const pattern::Refusal& reason) {
        refusal = reason.what();
        replays.clear();
    }
    return replays;
}
