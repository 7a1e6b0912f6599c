// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzedDocument.h"

#include "document/Preferences.h"
#include "document/VehicleSettings.h"
#include "document/VolantorDoc.h"

#include <array>
#include <limits>

namespace {

constexpr int kMaxPaths = 4;
constexpr int kMaxSamplesPerPath = 200;

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr std::array<float, 16> kExtremes{std::numeric_limits<float>::quiet_NaN(),
                                          kInfinity,
                                          -kInfinity,
                                          std::numeric_limits<float>::max(),
                                          std::numeric_limits<float>::lowest(),
                                          std::numeric_limits<float>::denorm_min(),
                                          1e10f,
                                          -1e10f,
                                          0.0f,
                                          -0.0f,
                                          90.0f,
                                          -90.0f,
                                          180.0f,
                                          -180.0f,
                                          360.0f,
                                          65536.0f};

// The largest change per second of each walked value, reached by a step byte of 127.
constexpr float kDegreesStep = 0.001f;  // latitude and longitude
constexpr float kFeetStep = 40.0f;
constexpr float kAttitudeStep = 5.0f;  // pitch, bank and heading

void FuzzPreferences(FuzzedDataProvider& bytes)
{
    SetDefaultPreferences();
    if (bytes.ConsumeBool())
        return;
    PreferencesDialogData data = LoadPreferencesDialog();
    for (const PreferenceField& field : kPreferenceFields) {
        if (field.pFloat)
            data.*field.pFloat = bytes.ConsumeFloatingPointInRange<float>(static_cast<float>(field.fMin),
                                                                          static_cast<float>(field.fMax));
        else
            data.*field.pInt = bytes.ConsumeIntegralInRange<int>(static_cast<int>(field.fMin),
                                                                 static_cast<int>(field.fMax));
    }
    StorePreferencesDialog(data);
}

// Mostly what the Vehicle Settings dialog allows; otherwise anything a
// document file can hold.
VehiclePath FuzzedVehicle(FuzzedDataProvider& bytes)
{
    VehiclePath path;
    const bool usual = bytes.ConsumeIntegralInRange<int>(0, 7) != 0;
    path.m_strVehicle = usual ? std::string(bytes.PickValueInArray(kVehicleChoices))
                              : bytes.ConsumeRandomLengthString(2 * kMaxVehicleText);
    for (int& color : path.m_nColor)
        color = usual ? bytes.ConsumeIntegralInRange<int>(0, kMaxColorIndex) : bytes.ConsumeIntegral<int>();
    path.m_nDensity = usual ? bytes.ConsumeIntegralInRange<int>(0, 4) : bytes.ConsumeIntegral<int>();
    path.m_nTrafficFlags =
        usual ? bytes.ConsumeIntegralInRange<int>(0, kKnownTrafficFlags) : bytes.ConsumeIntegral<int>();
    return path;
}

float Step(FuzzedDataProvider& bytes, float largest)
{
    return static_cast<float>(bytes.ConsumeIntegral<std::int8_t>()) * (largest / 127.0f);
}

// The members an extreme value may land in, one sample at a time.
constexpr std::array<float PathSample::*, 7> kSpikeMembers{&PathSample::m_fLat,     &PathSample::m_fLon,
                                                           &PathSample::m_fAlt,     &PathSample::m_fPitch,
                                                           &PathSample::m_fBank,    &PathSample::m_fHeading,
                                                           &PathSample::m_fField1};

void AppendSamples(FuzzedDataProvider& bytes, std::vector<PathSample>& samples)
{
    const int count = bytes.ConsumeIntegralInRange<int>(0, kMaxSamplesPerPath);
    PathSample walk;
    walk.m_fLat = bytes.ConsumeFloatingPointInRange<float>(-90, 90);
    walk.m_fLon = bytes.ConsumeFloatingPointInRange<float>(-180, 180);
    walk.m_fAlt = bytes.ConsumeFloatingPointInRange<float>(-1000, 40000);
    walk.m_fHeading = bytes.ConsumeFloatingPointInRange<float>(0, 360);
    walk.m_cGear = 'd';
    for (int i = 0; i < count; ++i) {
        const auto mode = bytes.ConsumeIntegral<std::uint8_t>();
        walk.m_fField1 = static_cast<float>(i);
        // One sample in four stands where the one before stood.
        if ((mode & 3) != 0) {
            walk.m_fLat += Step(bytes, kDegreesStep);
            walk.m_fLon += Step(bytes, kDegreesStep);
            walk.m_fAlt += Step(bytes, kFeetStep);
        }
        walk.m_fPitch += Step(bytes, kAttitudeStep);
        walk.m_fBank += Step(bytes, kAttitudeStep);
        walk.m_fHeading += Step(bytes, kAttitudeStep);
        if ((mode >> 2 & 15) == 0)
            walk.m_cGear = walk.m_cGear == 'u' ? 'd' : 'u';

        PathSample sample = walk;
        if (mode == 0xFF)
            sample.*bytes.PickValueInArray(kSpikeMembers) = bytes.PickValueInArray(kExtremes);
        samples.push_back(sample);
    }
}

}  // namespace

void BuildFuzzedDocument(FuzzedDataProvider& bytes, CVolantorDoc& doc)
{
    FuzzPreferences(bytes);
    const int pathCount = bytes.ConsumeIntegralInRange<int>(0, kMaxPaths);
    for (int p = 0; p < pathCount; ++p) {
        VehiclePath path = FuzzedVehicle(bytes);
        path.m_nFirstSample = static_cast<int>(doc.m_samples.size());
        AppendSamples(bytes, doc.m_samples);
        path.m_nLastSample = static_cast<int>(doc.m_samples.size()) - 1;
        doc.m_paths.push_back(path);
    }
    doc.m_nCurPath = pathCount - 1;
    doc.RecalcExtents();
}
