#pragma once

#include "document/PathSample.h"

#include <string>

// A recorder that glitches can write numbers no flight has: not a number,
// infinity, or a position off the globe (latitude beyond 90 degrees, longitude
// beyond 180). Such a number would spread through the extents into the view
// and every output, so it is treated like a field the line does not supply:
// the sample keeps the previous sample's value. Returns true when anything
// was replaced.
bool ReplaceImpossibleValues(PathSample& sample, const PathSample& previous);

// True when a number the program uses (latitude, longitude, altitude, pitch,
// bank or heading) is not a number, infinite or off the globe. Such a sample
// stays out of the extents, the drawing and the picking, and no scenery is
// written for its path.
bool HoldsImpossibleNumbers(const PathSample& sample);

// How the reader and the loader name such values to the person.
inline const std::string kImpossibleValuesHeld =
    " held numbers no flight has (not a number, infinite, or off the globe)";
