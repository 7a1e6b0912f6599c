// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/LoopPoint.h"

#include "processing/PointTree.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <tuple>

namespace {

float Distance(const std::array<float, 3>& a, const std::array<float, 3>& b)
{
    const float dx = a[0] - b[0];
    const float dy = a[1] - b[1];
    const float dz = a[2] - b[2];
    return static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
}

}  // namespace

float LoopDistance(const PathSample& a, const PathSample& b)
{
    return Distance({a.m_fX, a.m_fY, a.m_fZ}, {b.m_fX, b.m_fY, b.m_fZ});
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

    void Offer(float distance, LoopPair pair)
    {
        if (distance < m_fDistance || (distance == m_fDistance && m_pair &&
                                       std::tie(pair.a, pair.b) < std::tie(m_pair->a, m_pair->b))) {
            m_fDistance = distance;
            m_pair = pair;
        }
    }

private:
    float m_fDistance = kLoopMaximumDistance;
    std::optional<LoopPair> m_pair;
};

// The samples at one position, their indices in ascending order.
struct Run {
    int lowest, highest;
    std::span<const int> indices;
};

// The finite samples first..last grouped by position. -0 and 0 are one
// position: every distance treats them alike.
class SamplesByPosition {
public:
    SamplesByPosition(const std::vector<PathSample>& samples, int first, int last)
    {
        struct Entry {
            std::array<float, 3> at;
            int index;
        };
        std::vector<Entry> entries;
        entries.reserve(static_cast<std::size_t>(last - first + 1));
        // A sample without a finite position is never closer than anything.
        for (int i = first; i <= last; ++i) {
            const PathSample& s = samples[static_cast<std::size_t>(i)];
            if (std::isfinite(s.m_fX) && std::isfinite(s.m_fY) && std::isfinite(s.m_fZ))
                entries.push_back({{s.m_fX, s.m_fY, s.m_fZ}, i});
        }
        std::sort(entries.begin(), entries.end(), [](const Entry& p, const Entry& q) {
            return std::tie(p.at[0], p.at[1], p.at[2], p.index) <
                   std::tie(q.at[0], q.at[1], q.at[2], q.index);
        });
        std::vector<std::size_t> starts;
        m_indices.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i == 0 || entries[i].at != entries[i - 1].at) {
                m_positions.push_back({entries[i].at, static_cast<int>(starts.size())});
                starts.push_back(i);
            }
            m_indices.push_back(entries[i].index);
        }
        starts.push_back(m_indices.size());
        for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
            const auto indices = std::span(m_indices).subspan(starts[k], starts[k + 1] - starts[k]);
            m_runs.push_back({indices.front(), indices.back(), indices});
        }
    }

    // One point per position, its id the number of its run.
    const std::vector<TreePoint>& Positions() const { return m_positions; }
    const std::vector<Run>& Runs() const { return m_runs; }

private:
    std::vector<TreePoint> m_positions;
    std::vector<int> m_indices;
    std::vector<Run> m_runs;
};

// The full comparison's first admissible pair with one sample from each run
// (or both from one): the earliest first sample of either run, then the
// earliest sample of the other run at least 20 later.
std::optional<LoopPair> FirstAdmissiblePair(const Run* p, const Run* q, int last)
{
    if (q->lowest < p->lowest)
        std::swap(p, q);
    for (int turn = 0; turn < 2; ++turn, std::swap(p, q)) {
        const int a = p->lowest;
        if (q->highest - a < kLoopMinimumSeparation)
            continue;
        const int b =
            q->lowest - a >= kLoopMinimumSeparation
                ? q->lowest
                : *std::lower_bound(q->indices.begin(), q->indices.end(), a + kLoopMinimumSeparation);
        return Admissible(a, b, last) ? std::optional(LoopPair{a, b}) : std::nullopt;
    }
    return std::nullopt;
}

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

    // Samples that share a position all lie 0 apart, so a long stand or a path
    // flown again counts once per position, not once per pair of its samples.
    const SamplesByPosition byPosition(samples, first, last);
    LoopCandidate candidate;
    for (const Run& run : byPosition.Runs())
        if (const auto pair = FirstAdmissiblePair(&run, &run, last))
            candidate.Offer(0, *pair);

    // Then every two positions whose float distance can still equal or beat the
    // best. Rounding keeps the float distance above 1 - 1e-7 times the true one,
    // and two positions under 1e-22 m apart can come out 0: the reach covers both.
    const PointTree tree(byPosition.Positions());
    const auto& positions = tree.Points();
    std::vector<Run> runs;  // in tree order, read alongside the positions
    runs.reserve(positions.size());
    for (const TreePoint& position : positions)
        runs.push_back(byPosition.Runs()[static_cast<std::size_t>(position.id)]);
    const auto reach = [&] { return candidate.Distance() * (1 + 1e-5) + 1e-18; };
    tree.VisitPairs(reach, [&](std::size_t i, std::size_t j) {
        const float distance = Distance(positions[i].at, positions[j].at);
        if (distance <= candidate.Distance())
            if (const auto pair = FirstAdmissiblePair(&runs[i], &runs[j], last))
                candidate.Offer(distance, *pair);
    });
    return candidate.Pair();
}
