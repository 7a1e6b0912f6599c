// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/DocumentEdit.h"
#include "document/PathSample.h"
#include "document/VehiclePath.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// The edits every document command is made of. Each swaps what it changes
// with what it holds, so applying and reverting are the same few moves.

// A sample's segment start, as the segmentation left it; samples without one are not listed.
struct SegmentMark {
    int nSample;
    int nKind;
    int nEnd;
};

// A new path over samples appended to the array (reading a recorder log or a track).
class AppendPathEdit : public DocumentEdit {
public:
    AppendPathEdit(std::string name, std::vector<PathSample> samples);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;

private:
    std::vector<PathSample> m_samples;  // held only while the edit is undone
    int m_nOldCurPath = -1;
};

// New sample ranges for some paths and new places for some samples: the trims,
// the loop and the end matched to the start. A path whose range changes loses
// its segmentation, which the edit keeps to put back.
class PathRangeEdit : public DocumentEdit {
public:
    struct Range {
        int nPath;
        int nFirst;
        int nLast;
    };
    // Where a sample lies and which way it points.
    struct Place {
        int nSample;
        float fLat, fLon, fAlt, fHeading;
    };
    PathRangeEdit(std::string name, std::vector<Range> ranges, std::vector<Place> places);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;

private:
    void Swap(CVolantorDoc& doc);

    std::vector<Range> m_ranges;
    std::vector<Place> m_places;
    std::vector<SegmentMark> m_clearedSegments;
};

// Removes one path. Removing the last one starts the document over, so then
// the edit keeps the whole sample array, moved, not copied.
class DeletePathEdit : public DocumentEdit {
public:
    explicit DeletePathEdit(int path);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;

private:
    int m_nPath;
    int m_nOldCurPath = -1;
    VehiclePath m_path;
    std::vector<PathSample> m_samples;
};

// New settings for one path: its vehicle, colours, traffic and density.
class PathSettingsEdit : public DocumentEdit {
public:
    PathSettingsEdit(std::string name, int path, VehiclePath settings);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;

private:
    int m_nPath;
    VehiclePath m_settings;
};

// A new segmentation of all samples. The first Apply runs the segmenter; the
// file does not keep the segmentation, so this edit never makes the document unsaved.
class SegmentationEdit : public DocumentEdit {
public:
    // The segmenter works on samples already cleared of segments and returns how many it made.
    SegmentationEdit(std::string name, std::function<int(CVolantorDoc&)> segment);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;
    int Segments() const { return m_nSegments; }

private:
    std::function<int(CVolantorDoc&)> m_segment;
    bool m_bSegmented = false;
    int m_nSegments = 0;
    std::vector<SegmentMark> m_before;
    std::vector<SegmentMark> m_after;
};

// Several edits as one step of the history: applied in order, reverted in
// reverse. An edit that fails to apply takes back the ones before it.
class EditGroup : public DocumentEdit {
public:
    // The reach is the widest of the edits'.
    EditGroup(std::string name, std::vector<std::unique_ptr<DocumentEdit>> edits,
              Reach reach = Reach::Samples);
    void Apply(CVolantorDoc& doc) override;
    void Revert(CVolantorDoc& doc) override;

private:
    std::vector<std::unique_ptr<DocumentEdit>> m_edits;
};
