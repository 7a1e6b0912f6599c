// SPDX-License-Identifier: GPL-3.0-or-later
// Path editing: closing a path into a loop, trimming it, stepping between
// paths and deleting one. Samples are never removed from the array; trims
// only narrow a path's range.

#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/LoopPoint.h"

void CVolantorDoc::ClearSegments(int first, int last)
{
    for (int i = first; i <= last; ++i) {
        m_samples[i].m_nSegKind = 0;
        m_samples[i].m_nSegEnd = 0;
    }
}

void CVolantorDoc::OnFindLoopPoint()
{
    if (m_nCurPath < 0) {
        m_pUI->ShowFailure("No path loaded!");
        m_pUI->UpdateAllViews();
        return;
    }
    VehiclePath& path = m_paths[m_nCurPath];
    const auto pair = FindLoopPair(m_samples, path.m_nFirstSample, path.m_nLastSample);
    if (!pair) {
        m_pUI->ShowFailure("No loop point found!");
        m_pUI->UpdateAllViews();
        return;
    }

    PathSample& a = m_samples[pair->a];
    PathSample& b = m_samples[pair->b];
    m_pUI->MarkSamples({pair->a, pair->b});
    m_pUI->UpdateAllViews();
    const bool yes = m_pUI->AskYesNo("Create Loop From " + std::to_string(pair->a) + " to " +
                                     std::to_string(pair->b) + "?");
    m_pUI->MarkSamples({});
    if (yes) {
        // Segments of the old range may reach past the new one.
        ClearSegments(path.m_nFirstSample, path.m_nLastSample);
        path.m_nFirstSample = pair->a;
        path.m_nLastSample = pair->b;
        b.m_fLat = a.m_fLat;
        b.m_fLon = a.m_fLon;
        b.m_fAlt = a.m_fAlt;
        SetModifiedFlag();
        RecalcExtents();
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
        PathSample& last = m_samples[path.m_nLastSample];
        last.m_fLat = first.m_fLat;
        last.m_fLon = first.m_fLon;
        last.m_fAlt = first.m_fAlt;
        last.m_fHeading = first.m_fHeading;
        SetModifiedFlag();
        RecalcExtents();
    }
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::TrimAtSelectedSample(int selectedSample, bool keepEnd)
{
    for (VehiclePath& path : m_paths) {
        int& end = keepEnd ? path.m_nFirstSample : path.m_nLastSample;
        // A trim at the path's own end changes nothing, so its segments stay.
        if (path.m_nFirstSample > selectedSample || selectedSample > path.m_nLastSample ||
            end == selectedSample)
            continue;
        ClearSegments(path.m_nFirstSample, path.m_nLastSample);
        end = selectedSample;
        SetModifiedFlag();
    }
    RecalcExtents();
    m_pUI->UpdateAllViews();
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
    m_paths.erase(m_paths.begin() + m_nCurPath);
    if (m_paths.empty()) {
        // Nothing left: the document starts over empty, with nothing to save.
        ClearContents();
    } else {
        if (m_nCurPath >= static_cast<int>(m_paths.size()))
            m_nCurPath = static_cast<int>(m_paths.size()) - 1;
        RecalcExtents();
    }
    SetModifiedFlag();
    ShowCurrentPath();
    m_pUI->UpdateAllViews();
}
