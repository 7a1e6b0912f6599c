// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/SampleDistanceCache.h"

#include "document/PathSample.h"

#include <algorithm>
#include <thread>

namespace {

// Fewer samples than this are measured on the painting thread alone: starting a thread costs more.
constexpr int kSamplesPerThread = 8192;

}  // namespace

void SampleDistanceCache::Prepare(std::size_t sampleCount, float centerLat, float centerLon)
{
    if (centerLat != m_fCenterLat || centerLon != m_fCenterLon) {
        m_entries.clear();
        m_fCenterLat = centerLat;
        m_fCenterLon = centerLon;
    }
    m_entries.resize(sampleCount);
}

bool SampleDistanceCache::IsKnown(int j, const PathSample& sample) const
{
    const Entry& entry = m_entries[static_cast<std::size_t>(j)];
    return entry.bKnown && entry.fLat == sample.m_fLat && entry.fLon == sample.m_fLon;
}

SampleDistanceCache::Entry& SampleDistanceCache::Refresh(const ViewProjection& projection, int j,
                                                         const PathSample& sample)
{
    Entry& entry = m_entries[static_cast<std::size_t>(j)];
    if (!IsKnown(j, sample))
        entry = {sample.m_fLat, sample.m_fLon, true, projection.DistancesOf(sample.m_fLat, sample.m_fLon)};
    return entry;
}

void SampleDistanceCache::Measure(const ViewProjection& projection, const std::vector<PathSample>& samples,
                                  int first, int last)
{
    const auto measure = [&](int from, int to) {
        for (int j = from; j <= to; ++j)
            Refresh(projection, j, samples[static_cast<std::size_t>(j)]);
    };
    // A repaint finds every entry known, and starts no thread.
    while (first <= last && IsKnown(first, samples[static_cast<std::size_t>(first)]))
        ++first;
    const int count = last - first + 1;
    const int threads = std::clamp(count / kSamplesPerThread, 1,
                                   static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    // Each thread writes only the entries of its own part.
    std::vector<std::jthread> helpers;
    const int part = count / threads;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(measure, first + t * part, t + 1 == threads ? last : first + (t + 1) * part - 1);
    measure(first, threads > 1 ? first + part - 1 : last);
}

ViewPoint SampleDistanceCache::Project(const ViewProjection& projection, int j, const PathSample& sample)
{
    return projection.ProjectDistances(Refresh(projection, j, sample).distances);
}
