// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/ViewProjection.h"

#include <vector>

struct PathSample;

// Every drawn sample's distances from the box centre, kept from one paint to
// the next. Panning and zooming move neither the centre nor the samples, so a
// repaint then only scales and shifts what it already has; an entry counts
// only while its sample lies where it lay when the entry was made, and all
// entries go when the centre moves. The results are those of computing anew.
class SampleDistanceCache {
public:
    // Before each paint: the document's sample count and box centre.
    void Prepare(std::size_t sampleCount, float centerLat, float centerLon);
    // Measures the samples first..last that have no entry yet. A document
    // just opened, or one whose centre an edit moved, has none: the work is
    // then shared among the processor's threads.
    void Measure(const ViewProjection& projection, const std::vector<PathSample>& samples, int first,
                 int last);
    // The projection of sample j.
    ViewPoint Project(const ViewProjection& projection, int j, const PathSample& sample);

private:
    struct Entry {
        float fLat = 0;
        float fLon = 0;
        bool bKnown = false;
        CentreDistances distances;
    };
    // Whether sample j's entry is up to date. A position that is not a number
    // never equals itself, so it is measured every time.
    bool IsKnown(int j, const PathSample& sample) const;
    // Brings sample j's entry up to date.
    Entry& Refresh(const ViewProjection& projection, int j, const PathSample& sample);

    std::vector<Entry> m_entries;
    float m_fCenterLat = 0;
    float m_fCenterLon = 0;
};
