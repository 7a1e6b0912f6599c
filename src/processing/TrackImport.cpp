// SPDX-License-Identifier: GPL-3.0-or-later
// Importing GPS or glider track files: each track becomes new paths.

#include "document/DocumentEdits.h"
#include "document/Track.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/TrackSampling.h"

#include <new>

void CVolantorDoc::ImportTracks(const std::vector<std::pair<std::string, TrackFile>>& files)
{
    std::vector<ReadPaths> read;
    for (const auto& [name, file] : files) {
        if (auto paths = SampleTrackFile(file, name))
            read.push_back(std::move(*paths));
    }
    AddReadPaths(std::move(read), "Import Track");
}

void CVolantorDoc::ImportTrack(const TrackFile& file, const std::string& name)
{
    ImportTracks({{name, file}});
}

std::optional<CVolantorDoc::ReadPaths> CVolantorDoc::SampleTrackFile(const TrackFile& file,
                                                                     const std::string& name)
{
    if (!file.strError.empty()) {
        m_pUI->ShowFailure(file.strError);
        return std::nullopt;
    }

    // Every track is sampled before the document changes, so that a refused
    // track leaves it as it was.
    ReadPaths read{name, "track file", {}, file.notes};
    std::string error;
    try {
        m_pUI->RunLongTask("Importing " + name + "...", [&] {
            for (const Track& track : file.tracks) {
                SampledTrack sampled = SampleTrack(track, file.strSourceUnit);
                if (!sampled.strError.empty()) {
                    error = std::move(sampled.strError);
                    return;
                }
                for (std::vector<PathSample>& path : sampled.paths)
                    read.paths.push_back(std::move(path));
                read.notes.insert(read.notes.end(), sampled.report.begin(), sampled.report.end());
            }
        });
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to read the track file \"" + name +
                           "\"; nothing was loaded.");
        return std::nullopt;
    }
    if (!error.empty()) {
        m_pUI->ShowFailure("The track file \"" + name + "\" cannot be imported: " + error +
                           "; nothing was loaded.");
        return std::nullopt;
    }
    if (read.paths.empty()) {
        m_pUI->ShowFailure("The track file \"" + name + "\" holds no track; nothing was loaded.");
        return std::nullopt;
    }
    return read;
}
