// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"
#include "document/VehiclePath.h"

#include <vector>

class ReplayedLap;

// How far a replayed lap strays from the path it was made of, second by
// second from the start of both: the distance across in metres, the height
// difference in feet, and the lap's length against the recording's.
struct PathDeviation {
    int nLapSeconds = 0;
    int nRecordedSeconds = 0;  // from the path's first sample to its last
    int nComparedSeconds = 0;  // the seconds both have, from second 0
    double dMaxHorizontal = 0;
    double dMeanHorizontal = 0;
    double dMaxVertical = 0;
};

// The lap must have been replayed about the reference point the samples'
// metre offsets are measured from.
PathDeviation MeasureDeviation(const ReplayedLap& lap, const std::vector<PathSample>& samples,
                               const VehiclePath& path);
