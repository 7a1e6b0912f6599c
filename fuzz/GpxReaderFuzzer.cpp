// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes as a GPX file: either refused with a message naming the file, or
// read into tracks of points that each have a place on the globe and a number
// counting up through the file.

#include "FuzzCheck.h"
#include "xml/GpxReader.h"

#include <cmath>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TrackFile file = ReadGpx(bytes, "fuzz.gpx");
    Require(file.strSourceUnit == "point", "points are counted");
    if (!file.strError.empty()) {
        Require(file.strError.starts_with("fuzz.gpx: "), "a refusal names the file");
        Require(file.tracks.empty() && file.notes.empty(), "a refused file gives nothing");
        return 0;
    }
    Require(!file.tracks.empty() && file.notes.size() <= 1, "a file read gives tracks and at most one note");
    int previous = 0;
    for (const Track& track : file.tracks) {
        Require(!track.strName.empty() && !track.points.empty(), "each track has a name and points");
        for (const TrackPoint& point : track.points) {
            Require(point.nSource > previous, "points keep their order in the file");
            previous = point.nSource;
            Require(std::fabs(point.fLat) <= 90 && std::fabs(point.fLon) <= 180 &&
                        std::isfinite(point.fAltMetres) && std::isfinite(point.fTime),
                    "every point has a place on the globe, an altitude and a time");
        }
    }
    return 0;
}
