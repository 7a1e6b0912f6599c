// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

#include <string>

// A recorder that glitches can write numbers no flight has: not a number,
// infinity, or a position off the globe (latitude beyond 90 degrees, longitude
// beyond 180). Only the numbers the program uses (latitude, longitude,
// altitude, pitch, bank and heading) are judged; the other fields are carried
// along as they were read.

// Replaces each impossible number the program uses by the previous sample's
// value, as if the line had not supplied it. Returns true when anything was
// replaced.
bool ReplaceImpossibleValues(PathSample& sample, const PathSample& previous);
// The same for pitch, bank and heading only.
bool ReplaceImpossibleAttitude(PathSample& sample, const PathSample& previous);

// True when a number the program uses is not a number, infinite or off the
// globe. Such a sample stays out of the extents, the drawing and the picking,
// and no scenery is written for its path.
bool HoldsImpossibleNumbers(const PathSample& sample);

// True when latitude, longitude and altitude are all numbers a flight can have.
bool HoldsPossiblePosition(const PathSample& sample);

// How the reader and the loader name such values to the person.
inline const std::string kImpossibleValuesHeld =
    " held numbers no flight has (not a number, infinite, or off the globe)";
