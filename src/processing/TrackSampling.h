// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"
#include "document/Track.h"

#include <string>
#include <vector>

// A track as the recorder would have logged it: one sample a second, with the
// attitude and gear worked out from the movement.
struct SampledTrack {
    std::vector<std::vector<PathSample>> paths;  // one per part of the track between gaps
    std::vector<std::string> report;             // where the track was split
    std::string strError;                        // why the track cannot be sampled; empty when it was
};

// Points further apart than this split the track.
inline constexpr double kLongestGapSeconds = 60;

// Samples the track on whole seconds from its first point. sourceUnit names
// what the points' nSource counts ("line" or "point") in the report and the
// error. A track without points gives no path.
SampledTrack SampleTrack(const Track& track, const std::string& sourceUnit);
