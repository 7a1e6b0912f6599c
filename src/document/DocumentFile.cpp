// SPDX-License-Identifier: GPL-3.0-or-later
// The document file (*.vol): no header, a 16-bit path count, then per path its
// vehicle settings, its sample range and 31-byte sample records, little-endian.

#include "document/ByteStream.h"
#include "document/FileIO.h"
#include "document/ImpossibleValues.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kSampleRecordSize = 31;
constexpr std::size_t kMaxPaths = std::numeric_limits<std::uint16_t>::max();

// Names what is wrong with a document file that cannot be loaded.
struct DamagedFile : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void StoreSample(ByteWriter& archive, const PathSample& sample)
{
    archive.PutF32(sample.m_fField1);
    archive.PutF32(sample.m_fLat);
    archive.PutF32(sample.m_fLon);
    archive.PutF32(sample.m_fAlt);
    archive.PutF32(sample.m_fPitch);
    archive.PutF32(sample.m_fBank);
    archive.PutF32(sample.m_fHeading);
    archive.PutChar(sample.m_cGear);
    archive.PutChar(sample.m_cField16);
    archive.PutChar(sample.m_cField17);
}

PathSample LoadSample(ByteReader& archive)
{
    PathSample sample;
    sample.m_fField1 = archive.GetF32();
    sample.m_fLat = archive.GetF32();
    sample.m_fLon = archive.GetF32();
    sample.m_fAlt = archive.GetF32();
    sample.m_fPitch = archive.GetF32();
    sample.m_fBank = archive.GetF32();
    sample.m_fHeading = archive.GetF32();
    sample.m_cGear = archive.GetChar();
    sample.m_cField16 = archive.GetChar();
    sample.m_cField17 = archive.GetChar();
    return sample;
}

// Reads the file into the document; false after showing why it cannot.
bool LoadDocumentFile(CVolantorDoc& doc, const std::string& path, UserInterface& ui)
{
    std::string error;
    const auto bytes = ReadFileBytes(path, error);
    if (!bytes) {
        ui.ShowFailure("Can't open \"" + path + "\": " + error + ".");
        return false;
    }
    try {
        ByteReader archive(*bytes);
        doc.Serialize(archive);
    } catch (const std::runtime_error& damage) {
        ui.ShowFailure("Can't open \"" + path + "\": it is not a complete Volantor document (" +
                       damage.what() + ").");
        return false;
    }
    return true;
}

// Samples that hold impossible numbers are kept as they are; the person hears
// once how many there are and where the first one is.
void ReportImpossibleSamples(const CVolantorDoc& doc, UserInterface& ui)
{
    int count = 0, firstPath = -1, firstSample = -1;
    for (int i = 0; i < static_cast<int>(doc.m_paths.size()); ++i) {
        const VehiclePath& path = doc.m_paths[i];
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            if (HoldsImpossibleNumbers(doc.m_samples[j]) && count++ == 0) {
                firstPath = i;
                firstSample = j;
            }
        }
    }
    if (count > 0)
        ui.ShowInformation(std::to_string(count) + " sample(s)" + kImpossibleValuesHeld +
                           ", the first in PATTERN" + std::to_string(firstPath) + " at sample " +
                           std::to_string(firstSample) +
                           "; they are left out of the view and no scenery is written for their paths.");
}

}  // namespace

void CVolantorDoc::Serialize(ByteWriter& archive) const
{
    archive.PutU16(static_cast<std::uint16_t>(m_paths.size()));
    for (const VehiclePath& path : m_paths) {
        for (int color : path.m_nColor)
            archive.PutI32(color);
        archive.PutI32(static_cast<std::int32_t>(path.m_strVehicle.size()));
        archive.PutText(path.m_strVehicle);
        archive.PutI32(path.m_nDensity);
        archive.PutI32(path.m_nTrafficFlags);
        archive.PutI32(path.m_nFirstSample);
        archive.PutI32(path.m_nLastSample);
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j)
            StoreSample(archive, m_samples[j]);
    }
}

void CVolantorDoc::Serialize(ByteReader& archive)
{
    ResetToNew();
    const int pathCount = archive.GetU16();
    // Ranges are renumbered to run contiguously from 0 in path order.
    int sampleNumber = 0;
    for (int i = 0; i < pathCount; ++i) {
        const std::string where = "path " + std::to_string(i + 1) + " of " + std::to_string(pathCount);
        VehiclePath path;
        for (int& color : path.m_nColor)
            color = archive.GetI32();
        const std::int32_t vehicleLength = archive.GetI32();
        if (vehicleLength < 0 || static_cast<std::size_t>(vehicleLength) > archive.Remaining())
            throw DamagedFile("the vehicle name of " + where + " has an impossible length");
        path.m_strVehicle = archive.GetText(static_cast<std::size_t>(vehicleLength));
        path.m_nDensity = archive.GetI32();
        path.m_nTrafficFlags = archive.GetI32();
        const std::int64_t first = archive.GetI32();
        const std::int64_t last = archive.GetI32();
        const std::int64_t count = last - first + 1;
        if (count > 0 && static_cast<std::uint64_t>(count) > archive.Remaining() / kSampleRecordSize)
            throw DamagedFile(where + " announces more samples than the file holds");
        if (count > std::numeric_limits<int>::max() - sampleNumber)
            throw DamagedFile(where + " holds more samples than one document can keep");
        path.m_nFirstSample = sampleNumber;
        ReserveSamples(static_cast<std::size_t>(std::max<std::int64_t>(count, 0)));
        for (std::int64_t k = 0; k < count; ++k)
            m_samples.push_back(LoadSample(archive));
        sampleNumber += static_cast<int>(std::max<std::int64_t>(count, 0));
        path.m_nLastSample = sampleNumber - 1;
        m_paths.push_back(path);
    }
}

bool CVolantorDoc::OnOpenDocument(const std::string& path)
{
    // Load into a fresh document and take it over only when all of it was read.
    CVolantorDoc loaded(*m_pUI);
    loaded.m_nGeneration = m_nGeneration + 1;
    try {
        if (!LoadDocumentFile(loaded, path, *m_pUI))
            return false;
    } catch (const std::bad_alloc&) {
        m_pUI->ShowFailure("Can't open \"" + path + "\": there is not enough memory to load it.");
        return false;
    }
    // Every field stays as the file holds it, impossible numbers included.
    loaded.RecalcExtents();
    loaded.m_nCurPath = static_cast<int>(loaded.m_paths.size()) - 1;
    loaded.m_strPathName = path;
    *this = std::move(loaded);

    ShowCurrentPath();
    m_pUI->UpdateAllViews();
    m_pUI->ShowInformation("Paths Loaded: " + std::to_string(m_paths.size()) +
                           "  Samples: " + std::to_string(m_samples.size()));
    ReportImpossibleSamples(*this, *m_pUI);
    return true;
}

bool CVolantorDoc::OnSaveDocument(const std::string& path)
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("No data to save!");
        return false;
    }
    if (m_paths.size() > kMaxPaths) {
        m_pUI->ShowFailure("A document file holds at most " + std::to_string(kMaxPaths) +
                           " paths; delete some before saving.");
        return false;
    }
    ByteWriter archive;
    Serialize(archive);
    std::string error;
    if (!SaveFileSafely(path, archive.Bytes(), error)) {
        m_pUI->ShowFailure("Can't save \"" + path + "\": " + error + ".");
        return false;
    }
    m_strPathName = path;
    m_history.MarkSaved();
    return true;
}
