// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/ReplayDeviation.h"

#include "processing/Geodesy.h"
#include "processing/PatternReplay.h"

#include <algorithm>
#include <cmath>

PathDeviation MeasureDeviation(const ReplayedLap& lap, const std::vector<PathSample>& samples,
                               const VehiclePath& path)
{
    PathDeviation deviation;
    deviation.nLapSeconds = lap.Seconds();
    if (path.IsEmpty())
        return deviation;
    deviation.nRecordedSeconds = path.m_nLastSample - path.m_nFirstSample;
    deviation.nComparedSeconds = std::min(deviation.nLapSeconds, deviation.nRecordedSeconds) + 1;
    double sum = 0;
    for (int second = 0; second < deviation.nComparedSeconds; ++second) {
        const PathSample& sample = samples[static_cast<std::size_t>(path.m_nFirstSample + second)];
        const ReplayPlace place = lap.At(second).place;
        const double across = std::hypot(place.dEast - sample.m_fX, place.dNorth - sample.m_fY);
        const double height = std::abs(place.dAltMetres / geodesy::kFeetToMetres - sample.m_fAlt);
        sum += across;
        deviation.dMaxHorizontal = std::max(deviation.dMaxHorizontal, across);
        deviation.dMaxVertical = std::max(deviation.dMaxVertical, height);
    }
    deviation.dMeanHorizontal = sum / deviation.nComparedSeconds;
    return deviation;
}
