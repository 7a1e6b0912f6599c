// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

// Text from a printf format, for messages and labels on the screen (the files
// written use output/TextFormat.h, which never depends on the locale).
template <typename... Values>
std::string FormatText(const char* format, Values... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}
