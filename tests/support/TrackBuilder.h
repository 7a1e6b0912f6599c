// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"

// Samples given by their metre offsets, for the commands that read them
// (segmentation and the writers) without a recorder log behind them.
struct TrackPoint {
    float x;
    float y = 0;
    float z = 0;
    float alt = 0;  // feet
    float heading = 0;
    float pitch = 0;
    float bank = 0;
    char gear = 'd';
};

inline PathSample TrackSample(const TrackPoint& p)
{
    PathSample sample;
    sample.m_fX = p.x;
    sample.m_fY = p.y;
    sample.m_fZ = p.z;
    sample.m_fAlt = p.alt;
    sample.m_fHeading = p.heading;
    sample.m_fPitch = p.pitch;
    sample.m_fBank = p.bank;
    sample.m_cGear = p.gear;
    return sample;
}
