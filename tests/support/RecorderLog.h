// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Builds recorder logs for tests: the header, the two ignored lines and one
// line of 17 fields per sample.
struct LogPoint {
    float lat;
    float lon;
    float alt;
    float pitch = 0;
    float bank = 0;
    float heading = 0;
    char gear = 'd';
};

inline std::string RecorderLine(int second, const LogPoint& p)
{
    char line[256];
    std::snprintf(line, sizeof line, "%d 12:00:%02d %.6f %.6f %.1f %.2f %.2f %.2f 0 0 0 0 0 0 %c x y", second,
                  second % 60, p.lat, p.lon, p.alt, p.pitch, p.bank, p.heading, p.gear);
    return line;
}

inline std::string RecorderLog(const std::vector<LogPoint>& points)
{
    std::string log = "# ORVEX Flight Data Recorder version 6\nrecorded by test\ncolumns\n";
    for (std::size_t i = 0; i < points.size(); ++i)
        log += RecorderLine(static_cast<int>(i), points[i]) + "\n";
    return log;
}
