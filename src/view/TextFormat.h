#pragma once

#include <cstdio>
#include <string>

// Text from a printf format, for the view's labels and messages.
template <typename... Values>
std::string FormatText(const char* format, Values... values)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}
