// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

#include <vector>

class CVolantorDoc;

// Generate Path reduces each path to a chain of holds (the vehicle stands) and
// moves (it travels in one nearly constant direction and attitude). A segment
// is recorded in the sample where it starts: its kind and the index of its
// last sample, which is also where the next segment starts.
inline constexpr int kHoldSegment = 1;
inline constexpr int kMoveSegment = 2;

// How much a move may turn, climb, yaw, pitch or bank before it is closed.
struct SegmentationThresholds {
    float fCourse;  // change of the east or north unit component
    float fClimb;   // change of the up unit component
    float fYaw;     // degrees of heading change
    float fPitch;   // degrees of pitch change
    float fBank;    // degrees of bank (not a change)

    // The values the Preferences dialog set, and shows.
    static SegmentationThresholds FromPreferences();
    void StoreInPreferences() const;
};

// Segments the samples first..last (inclusive, first <= last) of one path,
// whose segment fields must be clear. Returns the number of segments opened,
// which counts a last one that is opened but never closed.
int SegmentPath(std::vector<PathSample>& samples, int first, int last,
                const SegmentationThresholds& thresholds);

// Segments every path of the document with samples, whose segment fields must
// be clear; the number of segments opened.
int SegmentPaths(CVolantorDoc& doc, const SegmentationThresholds& thresholds);
