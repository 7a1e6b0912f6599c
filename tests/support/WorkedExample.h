// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"

// The document both scenery writers are checked against byte for byte: one
// Cessna path of samples 0 to 40 in the box 47.25..47.5 N, 122.5..122.25 W.
// Sample 0 (south-west corner, 100 ft, heading 90, level, gear down) starts a
// hold to sample 17, which starts a move to sample 40 (north-east corner,
// 1100 ft, heading 45, pitch 5, gear up). The metre offsets are set directly.
inline void BuildWorkedExample(CVolantorDoc& doc)
{
    PathSample corner = SampleAt(47.25f, -122.5f, 100);
    corner.m_fHeading = 90;
    corner.m_cGear = 'd';
    std::vector<PathSample> samples(41, corner);
    samples[0].m_nSegKind = 1;
    samples[0].m_nSegEnd = 17;
    samples[17].m_nSegKind = 2;
    samples[17].m_nSegEnd = 40;
    PathSample& end = samples[40];
    end = SampleAt(47.5f, -122.25f, 1100);
    end.m_fHeading = 45;
    end.m_fPitch = 5;
    end.m_cGear = 'u';
    end.m_fX = 18823;
    end.m_fY = 27783;
    end.m_fZ = 304.8f;
    AddPath(doc, samples);

    doc.m_fMinLat = 47.25f;
    doc.m_fMaxLat = 47.5f;
    doc.m_fMinLon = -122.5f;
    doc.m_fMaxLon = -122.25f;
    doc.m_fCenterLat = 47.375f;
    doc.m_fCenterLon = -122.375f;
    doc.m_fRefLat = 47.25f;
    doc.m_fRefLon = -122.5f;
    doc.m_fRefAlt = 100;
}
