// SPDX-License-Identifier: GPL-3.0-or-later
// "Generate Path" and "Clear Path": the segmentation of every path into holds
// and moves, and its removal.

#include "processing/PathSegmentation.h"

#include "document/DocumentEdits.h"
#include "document/Preferences.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/DirectionVector.h"

#include <algorithm>
#include <cmath>

namespace {

enum class State { Start, Standing, Moving };

// A take-off or landing is a change of more than this many feet from the
// altitude of the path's first sample.
constexpr double kAirborneFeet = 0.5;
// Cells per metre of the stationary test (1 cm) and of the standing test (10 cm).
constexpr double kStationaryCells = 100;
constexpr double kStandingCells = 10;

struct Position {
    float x;
    float y;
    float z;
};

Position PositionOf(const PathSample& sample)
{
    return {sample.m_fX, sample.m_fY, sample.m_fZ};
}

// Whether the sample lies in the same grid cell as p, cellsPerMetre cells to
// the metre on every axis.
bool SameCell(const Position& p, const PathSample& sample, double cellsPerMetre)
{
    return std::floor(cellsPerMetre * p.x) == std::floor(cellsPerMetre * sample.m_fX) &&
           std::floor(cellsPerMetre * p.y) == std::floor(cellsPerMetre * sample.m_fY) &&
           std::floor(cellsPerMetre * p.z) == std::floor(cellsPerMetre * sample.m_fZ);
}

void RecordSegment(PathSample& start, int kind, int end)
{
    start.m_nSegKind = kind;
    start.m_nSegEnd = end;
}

}  // namespace

SegmentationThresholds SegmentationThresholds::FromPreferences()
{
    return {g_fCourseThreshold, g_fClimbThreshold, g_fYawThreshold, g_fPitchThreshold, g_fBankThreshold};
}

void SegmentationThresholds::StoreInPreferences() const
{
    g_fCourseThreshold = fCourse;
    g_fClimbThreshold = fClimb;
    g_fYawThreshold = fYaw;
    g_fPitchThreshold = fPitch;
    g_fBankThreshold = fBank;
}

int SegmentPath(std::vector<PathSample>& samples, int first, int last,
                const SegmentationThresholds& thresholds)
{
    int openings = 0;
    State state = State::Start;
    bool airborne = false;
    bool landed = false;
    const float baseAlt = samples[first].m_fAlt;
    int start = first;  // the sample that opens the running segment
    Position reference{};
    DirectionVector initial;
    float initialHeading = 0;
    float initialPitch = 0;
    char gear = 0;

    // A segment closed before the last sample ends one sample back, and that
    // sample is handled again to open the next segment.
    const auto closeAndStepBack = [&](int kind, int& i) {
        RecordSegment(samples[start], kind, i - 1);
        start = i - 1;
        i = start;
    };

    int i = first;
    while (i <= last) {
        const PathSample& c = samples[i];
        if (i == start) {
            reference = PositionOf(c);
            initial = DirectionVector();
            gear = c.m_cGear;
            ++openings;
            ++i;
            continue;
        }

        if (state == State::Start) {
            if (SameCell(reference, c, kStationaryCells)) {
                state = State::Standing;
            } else {
                initial = DirectionVector();
                state = State::Moving;
            }
            ++i;
            continue;
        }

        if (state == State::Standing) {
            if (SameCell(reference, c, kStandingCells) && i != last) {
                ++i;
                continue;
            }
            state = State::Start;
            closeAndStepBack(kHoldSegment, i);
            continue;
        }

        const bool stationary = SameCell(reference, c, kStationaryCells);
        const DirectionVector step(c.m_fX - reference.x, c.m_fY - reference.y, c.m_fZ - reference.z);
        if (initial.IsZero()) {
            // The move's direction and attitude are those of its first step.
            initial = step;
            initialHeading = c.m_fHeading;
            initialPitch = c.m_fPitch;
            ++i;
            continue;
        }

        const float dE = std::fabs(step.ux - initial.ux);
        const float dN = std::fabs(step.uy - initial.uy);
        const float dU = std::fabs(step.uz - initial.uz);
        // Headings are compared without wrapping at 0/360.
        const float dH = std::fabs(initialHeading - c.m_fHeading);
        const float bank = std::fabs(c.m_fBank);
        const float dT = std::fabs(initialPitch - c.m_fPitch);

        bool takeoff = false;
        if (!airborne && c.m_fAlt - baseAlt > kAirborneFeet) {
            airborne = true;
            takeoff = true;
        }
        if (airborne && std::fabs(c.m_fAlt - baseAlt) < kAirborneFeet)
            landed = true;
        const bool gearChanged = c.m_cGear != gear;
        gear = c.m_cGear;

        const bool boundary = dE > thresholds.fCourse || dN > thresholds.fCourse || dU > thresholds.fClimb ||
                              dH > thresholds.fYaw || bank > thresholds.fBank || dT > thresholds.fPitch ||
                              i == last || stationary || takeoff || gearChanged || (airborne && landed);
        if (airborne && landed)
            airborne = landed = false;  // ready for the next take-off
        reference = PositionOf(c);

        if (!boundary) {
            ++i;
        } else if (i == last) {
            RecordSegment(samples[start], kMoveSegment, last);
            break;
        } else {
            closeAndStepBack(kMoveSegment, i);
        }
    }
    return openings;
}

int SegmentPaths(CVolantorDoc& doc, const SegmentationThresholds& thresholds)
{
    int made = 0;
    for (const VehiclePath& path : doc.m_paths) {
        if (!path.IsEmpty())
            made += SegmentPath(doc.m_samples, path.m_nFirstSample, path.m_nLastSample, thresholds);
    }
    return made;
}

int CVolantorDoc::SegmentAsEdit(const std::string& name, int (*segment)(CVolantorDoc&))
{
    auto edit = std::make_unique<SegmentationEdit>(name, segment);
    const SegmentationEdit& made = *edit;
    Perform(std::move(edit));
    return made.Segments();
}

void CVolantorDoc::OnGeneratePath()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    const int segments = SegmentAsEdit("Generate Path", [](CVolantorDoc& doc) {
        return SegmentPaths(doc, SegmentationThresholds::FromPreferences());
    });
    m_pUI->ShowInformation("Generated " + std::to_string(segments) + " Path Segments");
}

void CVolantorDoc::OnClearPath()
{
    const bool segmented = std::any_of(m_samples.begin(), m_samples.end(), [](const PathSample& sample) {
        return sample.m_nSegKind != 0 || sample.m_nSegEnd != 0;
    });
    if (!segmented) {
        m_pUI->UpdateAllViews();
        return;
    }
    SegmentAsEdit("Clear Path", [](CVolantorDoc&) { return 0; });
}
