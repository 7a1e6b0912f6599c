// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Builds recorder logs for tests: the header, the two ignored lines and one
// line of 17 fields per sample, level and heading north with the gear down.
struct LogPoint {
    float lat;
    float lon;
    float alt;
};

inline std::string RecorderLog(const std::vector<LogPoint>& points)
{
    std::string log = "# ORVEX Flight Data Recorder version 6\nrecorded by test\ncolumns\n";
    for (std::size_t i = 0; i < points.size(); ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%zu 12:00:%02zu %.6f %.6f %.1f 0 0 0 0 0 0 0 0 0 d x y\n", i,
                      i % 60, points[i].lat, points[i].lon, points[i].alt);
        log += line;
    }
    return log;
}
