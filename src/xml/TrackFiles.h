// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Track.h"

#include <string>

// The kinds of track file the program reads, told apart by their extension in any case.
bool IsTrackFileName(const std::string& path);

// Reads a GPX or IGC file by its extension; a file that cannot be opened, or
// of another kind, comes back with the reason in strError.
TrackFile ReadTrackFile(const std::string& path);
