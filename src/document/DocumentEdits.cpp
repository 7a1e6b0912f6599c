// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/DocumentEdits.h"

#include "document/VolantorDoc.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Takes the segment starts of the samples first..last out of them, returned as marks.
void TakeSegments(std::vector<PathSample>& samples, int first, int last, std::vector<SegmentMark>& marks)
{
    for (int i = first; i <= last; ++i) {
        PathSample& sample = samples[i];
        if (sample.m_nSegKind != 0 || sample.m_nSegEnd != 0)
            marks.push_back({i, sample.m_nSegKind, sample.m_nSegEnd});
        sample.m_nSegKind = sample.m_nSegEnd = 0;
    }
}

void PutSegments(std::vector<PathSample>& samples, const std::vector<SegmentMark>& marks)
{
    for (const SegmentMark& mark : marks) {
        samples[mark.nSample].m_nSegKind = mark.nKind;
        samples[mark.nSample].m_nSegEnd = mark.nEnd;
    }
}

int LastIndex(const std::vector<PathSample>& samples)
{
    return static_cast<int>(samples.size()) - 1;
}

}  // namespace

AppendPathEdit::AppendPathEdit(std::string name, std::vector<PathSample> samples)
    : DocumentEdit(std::move(name)), m_samples(std::move(samples))
{
}

void AppendPathEdit::Apply(CVolantorDoc& doc)
{
    // Room first: running out of it then leaves the document as it was.
    doc.m_paths.reserve(doc.m_paths.size() + 1);
    VehiclePath path;
    path.m_nFirstSample = static_cast<int>(doc.m_samples.size());
    if (doc.m_samples.empty()) {
        doc.m_samples = std::move(m_samples);
    } else {
        doc.ReserveSamples(m_samples.size());
        doc.m_samples.insert(doc.m_samples.end(), std::make_move_iterator(m_samples.begin()),
                             std::make_move_iterator(m_samples.end()));
    }
    m_samples.clear();
    path.m_nLastSample = LastIndex(doc.m_samples);
    doc.m_paths.push_back(path);
    m_nOldCurPath = doc.m_nCurPath;
    doc.m_nCurPath = static_cast<int>(doc.m_paths.size()) - 1;
}

void AppendPathEdit::Revert(CVolantorDoc& doc)
{
    const int firstSample = doc.m_paths.back().m_nFirstSample;
    if (firstSample == 0) {
        m_samples = std::move(doc.m_samples);
        doc.m_samples.clear();
    } else {
        const auto first = doc.m_samples.begin() + firstSample;
        m_samples.assign(std::make_move_iterator(first), std::make_move_iterator(doc.m_samples.end()));
        doc.m_samples.erase(first, doc.m_samples.end());
    }
    doc.m_paths.pop_back();
    doc.m_nCurPath = m_nOldCurPath;
}

PathRangeEdit::PathRangeEdit(std::string name, std::vector<Range> ranges, std::vector<Place> places)
    : DocumentEdit(std::move(name)), m_ranges(std::move(ranges)), m_places(std::move(places))
{
}

void PathRangeEdit::Swap(CVolantorDoc& doc)
{
    for (Range& range : m_ranges) {
        VehiclePath& path = doc.m_paths[range.nPath];
        std::swap(path.m_nFirstSample, range.nFirst);
        std::swap(path.m_nLastSample, range.nLast);
    }
    for (Place& place : m_places) {
        PathSample& sample = doc.m_samples[place.nSample];
        std::swap(sample.m_fLat, place.fLat);
        std::swap(sample.m_fLon, place.fLon);
        std::swap(sample.m_fAlt, place.fAlt);
        std::swap(sample.m_fHeading, place.fHeading);
    }
}

void PathRangeEdit::Apply(CVolantorDoc& doc)
{
    // Segments of the old range may reach past the new one.
    m_clearedSegments.clear();
    for (const Range& range : m_ranges) {
        const VehiclePath& path = doc.m_paths[range.nPath];
        TakeSegments(doc.m_samples, path.m_nFirstSample, path.m_nLastSample, m_clearedSegments);
    }
    Swap(doc);
}

void PathRangeEdit::Revert(CVolantorDoc& doc)
{
    Swap(doc);
    PutSegments(doc.m_samples, m_clearedSegments);
}

DeletePathEdit::DeletePathEdit(int path) : DocumentEdit("Delete"), m_nPath(path) {}

void DeletePathEdit::Apply(CVolantorDoc& doc)
{
    m_nOldCurPath = doc.m_nCurPath;
    m_path = std::move(doc.m_paths[m_nPath]);
    doc.m_paths.erase(doc.m_paths.begin() + m_nPath);
    if (doc.m_paths.empty())
        m_samples = std::move(doc.m_samples);  // the document starts over, so keep them for undo
    doc.m_nCurPath = std::min(doc.m_nCurPath, static_cast<int>(doc.m_paths.size()) - 1);
}

void DeletePathEdit::Revert(CVolantorDoc& doc)
{
    doc.m_paths.insert(doc.m_paths.begin() + m_nPath, std::move(m_path));
    if (!m_samples.empty())
        doc.m_samples = std::move(m_samples);
    m_samples.clear();
    doc.m_nCurPath = m_nOldCurPath;
}

PathSettingsEdit::PathSettingsEdit(std::string name, int path, VehiclePath settings)
    : DocumentEdit(std::move(name), Reach::PathSettings), m_nPath(path), m_settings(std::move(settings))
{
}

void PathSettingsEdit::Apply(CVolantorDoc& doc)
{
    std::swap(doc.m_paths[m_nPath], m_settings);
}

void PathSettingsEdit::Revert(CVolantorDoc& doc)
{
    std::swap(doc.m_paths[m_nPath], m_settings);
}

SegmentationEdit::SegmentationEdit(std::string name, std::function<int(CVolantorDoc&)> segment)
    : DocumentEdit(std::move(name), Reach::Segmentation), m_segment(std::move(segment))
{
}

void SegmentationEdit::Apply(CVolantorDoc& doc)
{
    m_before.clear();
    TakeSegments(doc.m_samples, 0, LastIndex(doc.m_samples), m_before);
    if (!m_bSegmented) {
        m_nSegments = m_segment(doc);
        TakeSegments(doc.m_samples, 0, LastIndex(doc.m_samples), m_after);
        m_bSegmented = true;
    }
    PutSegments(doc.m_samples, m_after);
}

void SegmentationEdit::Revert(CVolantorDoc& doc)
{
    m_after.clear();
    TakeSegments(doc.m_samples, 0, LastIndex(doc.m_samples), m_after);
    PutSegments(doc.m_samples, m_before);
}

EditGroup::EditGroup(std::string name, std::vector<std::unique_ptr<DocumentEdit>> edits, Reach reach)
    : DocumentEdit(std::move(name), reach), m_edits(std::move(edits))
{
}

void EditGroup::Apply(CVolantorDoc& doc)
{
    std::size_t applied = 0;
    try {
        for (; applied < m_edits.size(); ++applied)
            m_edits[applied]->Apply(doc);
    } catch (...) {
        while (applied > 0)
            m_edits[--applied]->Revert(doc);
        throw;
    }
}

void EditGroup::Revert(CVolantorDoc& doc)
{
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit)
        (*edit)->Revert(doc);
}
