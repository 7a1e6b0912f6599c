// SPDX-License-Identifier: GPL-3.0-or-later
#include "xml/TrackFiles.h"

#include "document/FileIO.h"
#include "document/IgcReader.h"
#include "xml/GpxReader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>

namespace {

std::string LowerExtension(const std::string& path)
{
    const auto dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

TrackFile Refused(std::string reason)
{
    TrackFile file;
    file.strError = std::move(reason);
    return file;
}

}  // namespace

bool IsTrackFileName(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    return extension == ".gpx" || extension == ".igc";
}

TrackFile ReadTrackFile(const std::string& path)
{
    const std::string extension = LowerExtension(path);
    if (extension == ".igc") {
        std::ifstream in(PathFromUtf8(path), std::ios::binary);
        if (!in)
            return Refused("Can't open the track file \"" + path + "\".");
        return ReadIgc(in, path);
    }
    if (extension == ".gpx") {
        std::string error;
        const auto bytes = ReadFileBytes(path, error);
        if (!bytes)
            return Refused("Can't open the track file \"" + path + "\": " + error + ".");
        return ReadGpx(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), path);
    }
    return Refused("\"" + path + "\" is not a track file: only GPX (*.gpx) and IGC (*.igc) tracks are read.");
}
