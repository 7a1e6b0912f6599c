// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

// Text from a printf format, for messages and labels on the screen (the files
// written use output/TextFormat.h, which never depends on the locale).
template <typename... Values> std::string FormatText(const char* format, Values... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

// A duration in whole seconds as hours, minutes and seconds: "1:02:03".
inline std::string ClockText(long long seconds)
{
    return FormatText("%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
}
