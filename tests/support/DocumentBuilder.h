// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/VolantorDoc.h"

#include <vector>

// Puts paths straight into a document, as if their logs had been read.
inline PathSample SampleAt(float lat, float lon, float alt = 0)
{
    PathSample sample;
    sample.m_fLat = lat;
    sample.m_fLon = lon;
    sample.m_fAlt = alt;
    return sample;
}

inline VehiclePath& AddPath(CVolantorDoc& doc, const std::vector<PathSample>& samples)
{
    VehiclePath path;
    path.m_nFirstSample = static_cast<int>(doc.m_samples.size());
    doc.m_samples.insert(doc.m_samples.end(), samples.begin(), samples.end());
    path.m_nLastSample = static_cast<int>(doc.m_samples.size()) - 1;
    doc.m_paths.push_back(path);
    doc.m_nCurPath = static_cast<int>(doc.m_paths.size()) - 1;
    return doc.m_paths.back();
}
