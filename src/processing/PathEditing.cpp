// SPDX-License-Identifier: GPL-3.0-or-later
// Path editing: closing a path into a loop, trimming it, stepping between
// paths and deleting one. Samples are never removed from the array; trims
// only narrow a path's range.

#include "document/DocumentEdits.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/LoopPoint.h"

void CVolantorDoc::OnFindLoopPoint()
{
    if (m_nCurPath < 0) {
        m_pUI->ShowFailure("No path loaded!");
        m_pUI->UpdateAllViews();
        return;
    }
    const VehiclePath& path = m_paths[m_nCurPath];
    std::optional<LoopPair> pair;
    m_pUI->RunLongTask("Looking for the loop point...",
                       [&] { pair = FindLoopPair(m_samples, path.m_nFirstSample, path.m_nLastSample); });
    if (!pair) {
        m_pUI->ShowFailure("No loop point found!");
        m_pUI->UpdateAllViews();
        return;
    }

    const PathSample& a = m_samples[pair->a];
    const PathSample& b = m_samples[pair->b];
    m_pUI->MarkSamples({pair->a, pair->b});
    m_pUI->UpdateAllViews();
    const bool yes = m_pUI->AskYesNo("Create Loop From " + std::to_string(pair->a) + " to " +
                                     std::to_string(pair->b) + "?");
    m_pUI->MarkSamples({});
    if (yes) {
        // The end takes the start's place; its heading stays.
        PathRangeEdit::Place end{pair->b, a.m_fLat, a.m_fLon, a.m_fAlt, b.m_fHeading};
        Perform(std::make_unique<PathRangeEdit>(
            "Find Loop Point", std::vector<PathRangeEdit::Range>{{m_nCurPath, pair->a, pair->b}},
            std::vector<PathRangeEdit::Place>{end}));
        return;
    }
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::OnMakeEndMatchStart()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    const VehiclePath& path = m_paths[m_nCurPath];
    if (m_pUI->AskYesNo("Make end point match first point?") && !path.IsEmpty()) {
        const PathSample& first = m_samples[path.m_nFirstSample];
        PathRangeEdit::Place end{path.m_nLastSample, first.m_fLat, first.m_fLon, first.m_fAlt,
                                 first.m_fHeading};
        Perform(std::make_unique<PathRangeEdit>("Make End Match Start", std::vector<PathRangeEdit::Range>{},
                                                std::vector<PathRangeEdit::Place>{end}));
        return;
    }
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::TrimAtSelectedSample(int selectedSample, bool keepEnd)
{
    std::vector<PathRangeEdit::Range> trims;
    for (int i = 0; i < static_cast<int>(m_paths.size()); ++i) {
        const VehiclePath& path = m_paths[i];
        const int end = keepEnd ? path.m_nFirstSample : path.m_nLastSample;
        // A trim at the path's own end changes nothing, so its segments stay.
        if (path.m_nFirstSample > selectedSample || selectedSample > path.m_nLastSample ||
            end == selectedSample)
            continue;
        trims.push_back({i, keepEnd ? selectedSample : path.m_nFirstSample,
                         keepEnd ? path.m_nLastSample : selectedSample});
    }
    if (trims.empty()) {
        m_pUI->UpdateAllViews();
        return;
    }
    Perform(std::make_unique<PathRangeEdit>(keepEnd ? "Delete to Start" : "Delete to End", std::move(trims),
                                            std::vector<PathRangeEdit::Place>{}));
}

void CVolantorDoc::OnDeleteToStart(int selectedSample)
{
    TrimAtSelectedSample(selectedSample, true);
}

void CVolantorDoc::OnDeleteToEnd(int selectedSample)
{
    TrimAtSelectedSample(selectedSample, false);
}

void CVolantorDoc::OnNextPath()
{
    if (m_paths.empty())
        return;
    m_nCurPath = m_nCurPath + 1 < static_cast<int>(m_paths.size()) ? m_nCurPath + 1 : 0;
    ShowCurrentPath();
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::OnPreviousPath()
{
    if (m_paths.empty())
        return;
    m_nCurPath = m_nCurPath > 0 ? m_nCurPath - 1 : static_cast<int>(m_paths.size()) - 1;
    ShowCurrentPath();
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::OnDeletePath()
{
    if (m_paths.empty()) {
        m_pUI->UpdateAllViews();
        return;
    }
    Perform(std::make_unique<DeletePathEdit>(m_nCurPath));
}
