// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Track.h"

#include <string>
#include <string_view>

// Reads the tracks of a GPX file (1.0 or 1.1): each trk becomes one track,
// its segments joined in order, every point with its time. name is the file
// as the person knows it, for the messages. A file without a track, with a
// point that has no time, a position off the globe or malformed XML is
// refused in TrackFile::strError.
TrackFile ReadGpx(std::string_view bytes, const std::string& name);
