// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/Track.h"

#include <istream>
#include <string>

// Reads a glider flight recorder's IGC file as one track named after the file:
// its fixes (B records) on the date of its HFDTE record, each point counted by
// its line. Other records are ignored. A file without a date or a fix, or with
// a malformed fix or date, comes back with the refusal in strError.
TrackFile ReadIgc(std::istream& in, const std::string& name);
