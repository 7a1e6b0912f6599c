// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

// One vehicle's path: a contiguous, inclusive range of the document's samples
// plus the settings the scenery output needs for that vehicle. A path whose
// last index is one less than its first holds no samples.
struct VehiclePath {
    static constexpr std::array<int, 5> kDefaultColors{4, 5, 4, 3, 2};
    static constexpr const char* kDefaultVehicle = "0FE0B - Cessna";
    static constexpr int kDefaultTrafficFlags = 3;

    std::string m_strName;
    std::array<int, 5> m_nColor = kDefaultColors;
    std::string m_strVehicle = kDefaultVehicle;
    int m_nDensity = 0;
    int m_nTrafficFlags = kDefaultTrafficFlags;
    int m_nFirstSample = 0;
    int m_nLastSample = -1;
    float m_fMinAlt = 0;  // feet, derived
    float m_fMaxAlt = 0;  // feet, derived

    bool IsEmpty() const { return m_nLastSample < m_nFirstSample; }
    int SampleCount() const { return IsEmpty() ? 0 : m_nLastSample - m_nFirstSample + 1; }

    bool operator==(const VehiclePath&) const = default;
};
