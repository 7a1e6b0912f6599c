// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run with a report, so libFuzzer keeps the input
// that broke it as a crash.
inline void Require(bool condition, const char* invariant)
{
    if (condition)
        return;
    std::fprintf(stderr, "Broken invariant: %s\n", invariant);
    std::abort();
}
