// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

#include <optional>
#include <vector>

// Where a recorded path comes closest to itself: the pair of samples, at least
// 20 seconds apart, with the smallest straight-line distance in metres, among
// equal distances the one with the smallest first index and then the smallest
// second. Pairs 20000 m or more apart never qualify.
struct LoopPair {
    int a;
    int b;
    bool operator==(const LoopPair&) const = default;
};

inline constexpr int kLoopMinimumSeparation = 20;
inline constexpr float kLoopMaximumDistance = 20000.0f;

// The distance Find Loop Point compares, from the samples' metre offsets.
float LoopDistance(const PathSample& a, const PathSample& b);

// Searches the samples first..last (inclusive indices) position by position
// through a k-d tree, measuring only positions that can still be closest;
// gives exactly the pair the full comparison of all pairs gives.
std::optional<LoopPair> FindLoopPair(const std::vector<PathSample>& samples, int first, int last);

// The full comparison of all pairs, in order: the reference for FindLoopPair.
std::optional<LoopPair> FindLoopPairByAllPairs(const std::vector<PathSample>& samples, int first, int last);
