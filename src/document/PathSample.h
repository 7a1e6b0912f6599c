// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// One line of a flight-recorder log: one second of travel. Positions and
// attitudes come straight from the log; the metre offsets and segment fields
// are derived by the document.
struct PathSample {
    float m_fField1 = 0;
    std::string m_strField2;
    float m_fLat = 0;  // degrees, north positive
    float m_fLon = 0;  // degrees, east positive
    float m_fAlt = 0;  // feet
    float m_fPitch = 0;
    float m_fBank = 0;
    float m_fHeading = 0;
    float m_fField9 = 0;
    float m_fField10 = 0;
    float m_fField11 = 0;
    float m_fField12 = 0;
    float m_fField13 = 0;
    float m_fField14 = 0;
    char m_cGear = 0;  // 'u' means gear up
    char m_cField16 = 0;
    char m_cField17 = 0;
    // Metres east, north and up of the document's reference point.
    float m_fX = 0;
    float m_fY = 0;
    float m_fZ = 0;
    int m_nSegKind = 0;  // a segment of this kind starts here; 0 = none
    int m_nSegEnd = 0;   // index in the sample array of that segment's last sample

    bool operator==(const PathSample&) const = default;
};
