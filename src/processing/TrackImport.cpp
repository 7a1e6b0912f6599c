// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a GPS or glider track file: each track becomes new paths, the whole file one edit.

#include "document/DocumentEdits.h"
#include "document/Track.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/TrackSampling.h"

#include <climits>
#include <new>

void CVolantorDoc::ImportTrack(const TrackFile& file, const std::string& name)
{
    if (!file.strError.empty()) {
        m_pUI->ShowFailure(file.strError);
        return;
    }

    // Every track is sampled before the document changes, so that a refused
    // track leaves it as it was.
    std::vector<std::vector<PathSample>> paths;
    std::vector<std::string> report = file.notes;
    std::string error;
    std::size_t samples = 0;
    try {
        m_pUI->RunLongTask("Importing " + name + "...", [&] {
            for (const Track& track : file.tracks) {
                SampledTrack sampled = SampleTrack(track, file.strSourceUnit);
                if (!sampled.strError.empty()) {
                    error = std::move(sampled.strError);
                    return;
                }
                for (std::vector<PathSample>& path : sampled.paths) {
                    samples += path.size();
                    paths.push_back(std::move(path));
                }
                report.insert(report.end(), sampled.report.begin(), sampled.report.end());
            }
        });
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to read the track file \"" + name +
                           "\"; nothing was loaded.");
        return;
    }
    if (!error.empty()) {
        m_pUI->ShowFailure("The track file \"" + name + "\" cannot be imported: " + error +
                           "; nothing was loaded.");
        return;
    }
    if (paths.empty()) {
        m_pUI->ShowFailure("The track file \"" + name + "\" holds no track; nothing was loaded.");
        return;
    }
    if (samples > static_cast<std::size_t>(INT_MAX) - m_samples.size()) {
        m_pUI->ShowFailure("The track file holds more samples than one document can keep.");
        return;
    }

    try {
        std::vector<std::unique_ptr<DocumentEdit>> edits;
        edits.reserve(paths.size());
        for (std::vector<PathSample>& path : paths)
            edits.push_back(std::make_unique<AppendPathEdit>("Import Track", std::move(path)));
        Perform(std::make_unique<EditGroup>("Import Track", std::move(edits)));
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("There is not enough memory to add the track file \"" + name +
                           "\"; nothing was loaded.");
        return;
    }
    m_pUI->ShowInformation(std::to_string(m_samples.size()) + " Sample Points");
    for (const std::string& line : report)
        m_pUI->ShowInformation(line);
}
