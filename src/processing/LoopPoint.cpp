// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LoopPoint.h"

#include <algorithm>
#include <cmath>

float LoopDistance(const PathSample& a, const PathSample& b)
{
    const float dx = a.m_fX - b.m_fX;
    const float dy = a.m_fY - b.m_fY;
    const float dz = a.m_fZ - b.m_fZ;
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
}

namespace {

// The pairs the full comparison visits: a runs while a < last - 20, b from a + 20.
bool Admissible(int a, int b, int last)
{
    return a < last - kLoopMinimumSeparation && b - a >= kLoopMinimumSeparation;
}

// The best pair so far under the rule: smaller distance, then smaller a, then smaller b.
class LoopCandidate {
public:
    float Distance() const { return m_fDistance; }
    const std::optional<LoopPair>& Pair() const { return m_pair; }

    void Offer(const std::vector<PathSample>& samples, int i, int j, int last)
    {
        const int a = std::min(i, j), b = std::max(i, j);
        if (!Admissible(a, b, last))
            return;
        const float distance = LoopDistance(samples[a], samples[b]);
        if (distance < m_fDistance ||
            (distance == m_fDistance && m_pair && (a < m_pair->a || (a == m_pair->a && b < m_pair->b)))) {
            m_fDistance = distance;
            m_pair = LoopPair{a, b};
        }
    }

private:
    float m_fDistance = kLoopMaximumDistance;
    std::optional<LoopPair> m_pair;
};

}  // namespace

std::optional<LoopPair> FindLoopPairByAllPairs(const std::vector<PathSample>& samples, int first, int last)
{
    float best = kLoopMaximumDistance;
    std::optional<LoopPair> pair;
    for (int a = first; a < last - kLoopMinimumSeparation; ++a) {
        for (int b = a + kLoopMinimumSeparation; b <= last; ++b) {
            const float distance = LoopDistance(samples[a], samples[b]);
            if (distance < best) {
                best = distance;
                pair = LoopPair{a, b};
            }
        }
    }
    return pair;
}

std::optional<LoopPair> FindLoopPair(const std::vector<PathSample>& samples, int first, int last)
{
    if (last - first <= kLoopMinimumSeparation)
        return std::nullopt;

    // Sweep along the axis the path spreads over most, so few samples share a band.
    const auto spread = [&](float PathSample::*member) {
        double low = 0, high = 0;
        for (int i = first; i <= last; ++i) {
            const double value = samples[i].*member;
            if (std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
        return high - low;
    };
    float PathSample::*axis = spread(&PathSample::m_fY) > spread(&PathSample::m_fX) ? &PathSample::m_fY : &PathSample::m_fX;

    // A sample without a finite position is never closer than anything.
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(last - first + 1));
    for (int i = first; i <= last; ++i)
        if (std::isfinite(samples[i].*axis))
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int i, int j) { return samples[i].*axis < samples[j].*axis; });

    // A first, cheap bound from a few neighbours along the axis.
    LoopCandidate candidate;
    constexpr std::size_t kNeighbours = 8;
    for (std::size_t i = 0; i < order.size(); ++i)
        for (std::size_t k = i + 1; k < std::min(order.size(), i + 1 + kNeighbours); ++k)
            candidate.Offer(samples, order[i], order[k], last);

    // Then every pair whose separation along the axis alone does not already
    // exceed the best distance. The margin covers the rounding of the float
    // distance, so no pair that could equal or beat the best is skipped.
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double position = samples[order[i]].*axis;
        for (std::size_t k = i + 1; k < order.size(); ++k) {
            const double separation = samples[order[k]].*axis - position;
            if (separation > std::max(candidate.Distance() * (1 + 1e-5), 1e-18))
                break;
            candidate.Offer(samples, order[i], order[k], last);
        }
    }
    return candidate.Pair();
}
