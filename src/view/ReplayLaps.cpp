// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ReplayLaps.h"

#include "document/FormatText.h"
#include "document/VolantorDoc.h"
#include "processing/Geodesy.h"

#include <algorithm>
#include <cmath>

std::vector<ReplayedCourse> CoursesOf(std::vector<ReplayedPattern> patterns)
{
    std::vector<ReplayedCourse> courses;
    courses.reserve(patterns.size());
    for (ReplayedPattern& pattern : patterns) {
        std::vector<ReplayPlace> corners = pattern.lap.Course();
        courses.push_back({pattern.nPattern, std::move(pattern.lap), std::move(corners)});
    }
    return courses;
}

ViewExtents ExtentsOf(const std::vector<ReplayedCourse>& courses)
{
    double minLat = 90, maxLat = -90, minLon = 180, maxLon = -180, minAlt = 0;
    bool first = true;
    for (const ReplayedCourse& course : courses) {
        for (const ReplayPlace& corner : course.corners) {
            minLat = std::min(minLat, corner.dLat);
            maxLat = std::max(maxLat, corner.dLat);
            minLon = std::min(minLon, corner.dLon);
            maxLon = std::max(maxLon, corner.dLon);
            minAlt = first ? corner.dAltMetres : std::min(minAlt, corner.dAltMetres);
            first = false;
        }
    }
    if (first)
        return {};
    const BoxExtents box = BoxExtentsOf(static_cast<float>(minLat), static_cast<float>(minLon),
                                        static_cast<float>(maxLat), static_cast<float>(maxLon));
    return {static_cast<float>(minLat),
            static_cast<float>(minLon),
            static_cast<float>(maxLat),
            static_cast<float>(maxLon),
            box.fCenterLat,
            box.fCenterLon,
            box.fWidth,
            box.fHeight,
            static_cast<float>(minAlt / geodesy::kFeetToMetres)};
}

ReplayedState VehicleAt(const ReplayedLap& lap, double playbackSeconds)
{
    if (lap.Seconds() <= 0)
        return lap.At(0);
    return lap.At(std::fmod(playbackSeconds, lap.Seconds()));
}

std::string PlaybackTimeText(double playbackSeconds)
{
    const long long seconds = std::isfinite(playbackSeconds) && playbackSeconds > 0
                                  ? static_cast<long long>(std::min(playbackSeconds, 1e15))
                                  : 0;
    return ClockText(seconds);
}

ReplayLaps::Stamp ReplayLaps::StampOf(const CVolantorDoc& doc)
{
    return {doc.m_nGeneration, doc.m_nRevision};
}

void ReplayLaps::Follow(const CVolantorDoc& doc)
{
    if (m_stamp && *m_stamp != StampOf(doc)) {
        m_stamp.reset();
        m_courses.clear();
        m_strRefusal.clear();
    }
}

const std::vector<ReplayedCourse>& ReplayLaps::Courses(const CVolantorDoc& doc)
{
    Follow(doc);
    if (!m_stamp) {
        m_courses = CoursesOf(ReplayDocument(doc, m_strRefusal));
        m_stamp = StampOf(doc);
    }
    return m_courses;
}
