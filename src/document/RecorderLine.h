// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

#include <string_view>

// The sample lines of a flight-recorder log: 17 white-space separated fields,
// converted as the C library's "%f %s %f %f %f %f %f %f %f %f %f %f %f %f %s %s %s"
// would convert them. A field the line does not supply (the line is short, or
// a number field holds no number, which also ends the conversion) keeps the
// value it has in the sample, so a blank line repeats the previous sample.
namespace recorder {

inline constexpr std::string_view kHeader = "# ORVEX Flight Data Recorder version 6";
inline constexpr std::size_t kMaxTextField = 79;

// True when the first line's first 38 characters are the header, ignoring case.
bool IsHeaderLine(std::string_view line);

// Converts one line into the sample. Plain decimal numbers are converted
// directly; any other line is handed to the C library, so the result always
// matches it.
void ParseSampleLine(std::string_view line, PathSample& sample);

// The C library's own conversion of one line, the reference for ParseSampleLine.
void ParseSampleLineWithScanf(std::string_view line, PathSample& sample);

}  // namespace recorder
