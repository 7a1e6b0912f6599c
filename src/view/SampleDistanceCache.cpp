// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SampleDistanceCache.h"

#include "document/PathSample.h"

void SampleDistanceCache::Prepare(std::size_t sampleCount, float centerLat, float centerLon)
{
    if (centerLat != m_fCenterLat || centerLon != m_fCenterLon) {
        m_entries.clear();
        m_fCenterLat = centerLat;
        m_fCenterLon = centerLon;
    }
    m_entries.resize(sampleCount);
}

ViewPoint SampleDistanceCache::Project(const ViewProjection& projection, int j, const PathSample& sample)
{
    Entry& entry = m_entries[static_cast<std::size_t>(j)];
    // A position that is not a number never equals itself, so it is measured every time.
    if (!entry.bKnown || entry.fLat != sample.m_fLat || entry.fLon != sample.m_fLon) {
        entry = {sample.m_fLat, sample.m_fLon, true, projection.DistancesOf(sample.m_fLat, sample.m_fLon)};
    }
    return projection.ProjectDistances(entry.distances, sample.m_fLat, sample.m_fLon);
}
