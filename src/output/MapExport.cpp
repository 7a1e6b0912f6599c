// SPDX-License-Identifier: GPL-3.0-or-later
// "Export Map...": the scenery areas and the paths as map text.

#include "output/MapExport.h"

#include "document/FileIO.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "output/PatternSequence.h"
#include "output/SceneryArea.h"
#include "output/TextFormat.h"

#include <filesystem>
#include <optional>

namespace {

// A map program draws at most this many points of one path.
constexpr int kMaxPointsPerPath = 16000;

void AppendArea(std::string& text, const SceneryAreaBox& area)
{
    const double n = area.fNorth, s = area.fSouth, e = area.fEast, w = area.fWest;
    AppendFormat(text, "\"%s\" 5 0 200\n", {area.strName});
    // North-west, north-east, south-east, south-west and north-west again.
    AppendFormat(text, "%f %f\n", {n, w});
    AppendFormat(text, "%f %f\n", {n, e});
    AppendFormat(text, "%f %f\n", {s, e});
    AppendFormat(text, "%f %f\n", {s, w});
    AppendFormat(text, "%f %f\n", {n, w});
}

std::string FullPathOf(const std::string& name)
{
    std::error_code code;
    const std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(name), code);
    if (code)
        return name;
    const std::u8string text = full.lexically_normal().u8string();
    return std::string(text.begin(), text.end());
}

// Why no map can be written: the first path with a sample that holds an
// impossible number, as the scenery writers name it.
std::optional<std::string> MapRefusal(const CVolantorDoc& doc)
{
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
        if (auto impossible = ImpossibleSampleIn(doc.m_samples, doc.m_paths[i], i))
            return "Can't export the map: " + *impossible;
    }
    return std::nullopt;
}

}  // namespace

std::string MapText(const CVolantorDoc& doc)
{
    std::string text = "R2\n";
    for (const SceneryAreaBox& area : SceneryAreaBoxes(doc))
        AppendArea(text, area);
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
        const VehiclePath& path = doc.m_paths[i];
        // A range of 16001 samples is still written whole; longer ones are cut.
        int points = path.SampleCount();
        if (path.m_nLastSample - path.m_nFirstSample > kMaxPointsPerPath)
            points = kMaxPointsPerPath;
        AppendFormat(text, "\"PATTERN%d\" %d 0 200\n", {i, points});
        for (int j = path.m_nFirstSample; j < path.m_nFirstSample + points; ++j)
            AppendFormat(text, "%f %f\n", {doc.m_samples[j].m_fLat, doc.m_samples[j].m_fLon});
    }
    return text;
}

void CVolantorDoc::OnExportMap()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing Loaded!");
        return;
    }
    if (const auto refusal = MapRefusal(*this)) {
        m_pUI->ShowFailure(*refusal);
        return;
    }
    const auto file =
        m_pUI->ChooseFileToSave({"Map Text Files (*.txt)|*.txt||", "txt", SuggestedFileName(".txt")});
    if (!file)
        return;
    std::string error;
    if (!SaveFileSafely(*file, MapText(*this), error)) {
        m_pUI->ShowFailure("Error opening map output file!");
        return;
    }
    m_pUI->ShowInformation("Created " + FullPathOf(*file));
}
