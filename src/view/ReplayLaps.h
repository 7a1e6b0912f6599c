// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/SceneryReplay.h"
#include "view/ViewProjection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class CVolantorDoc;

// One vehicle's lap with the corners of its course, worked out once.
struct ReplayedCourse {
    int nPattern;
    ReplayedLap lap;
    std::vector<ReplayPlace> corners;
};

// The courses of laps from any source: the document's, or a scenery file's.
std::vector<ReplayedCourse> CoursesOf(std::vector<ReplayedPattern> patterns);

// The box round every corner of the courses, its centre and its lowest
// altitude: what the view fits when it shows courses alone.
ViewExtents ExtentsOf(const std::vector<ReplayedCourse>& courses);

// Where the vehicle is at a time of playback, which runs its lap over and
// over from 0; a lap without seconds stands at its start.
ReplayedState VehicleAt(const ReplayedLap& lap, double playbackSeconds);

// Playback time as hours, minutes and seconds: "0:12:34".
std::string PlaybackTimeText(double playbackSeconds);

// The document's replayed courses, kept until the document changes: every
// edit, undo and redo moves its revision, a fresh document its generation.
class ReplayLaps {
public:
    // Drops the courses once the document is no longer the one they were worked out for.
    void Follow(const CVolantorDoc& doc);
    // The courses of the document as it stands, worked out if there are none.
    const std::vector<ReplayedCourse>& Courses(const CVolantorDoc& doc);
    // Why the document has no replay; empty when it has one.
    const std::string& Refusal() const { return m_strRefusal; }

private:
    struct Stamp {
        int nGeneration;
        int nRevision;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const CVolantorDoc& doc);

    std::optional<Stamp> m_stamp;  // none until worked out, and once dropped
    std::vector<ReplayedCourse> m_courses;
    std::string m_strRefusal;
};
