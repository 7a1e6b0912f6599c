// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// One fix of a GPS or glider track, as its file gives it.
struct TrackPoint {
    double fTime = 0;  // seconds since 1970-01-01 00:00 UTC, fractions allowed
    double fLat = 0;   // degrees, north positive
    double fLon = 0;   // degrees, east positive
    double fAltMetres = 0;
    int nSource = 0;  // where the fix stands in its file, counted as TrackFile::strSourceUnit says
};

// One track of a file: it becomes one path, or several where it has gaps.
struct Track {
    std::string strName;
    std::vector<TrackPoint> points;
};

// What a GPS (GPX) or glider (IGC) track file holds, or why it cannot be read.
struct TrackFile {
    std::vector<Track> tracks;
    std::string strSourceUnit;       // "line" or "point": what TrackPoint::nSource counts, from 1
    std::vector<std::string> notes;  // lines for the report after the import, such as the altitude used
    std::string strError;            // the refusal, naming the file; empty when the file was read
};
