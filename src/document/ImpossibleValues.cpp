// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/ImpossibleValues.h"

#include <cmath>
#include <limits>

namespace {

struct NumberField {
    float PathSample::*member;
    float limit;  // the largest magnitude the field can have
};

constexpr float kAnyFinite = std::numeric_limits<float>::max();

constexpr NumberField kPositionFields[] = {
    {&PathSample::m_fLat, 90},
    {&PathSample::m_fLon, 180},
    {&PathSample::m_fAlt, kAnyFinite},
};

constexpr NumberField kAttitudeFields[] = {
    {&PathSample::m_fPitch, kAnyFinite},
    {&PathSample::m_fBank, kAnyFinite},
    {&PathSample::m_fHeading, kAnyFinite},
};

// Written so that not a number fails the test.
bool Possible(float value, float limit)
{
    return std::fabs(value) <= limit;
}

template <std::size_t N> bool AllPossible(const PathSample& sample, const NumberField (&fields)[N])
{
    for (const NumberField& field : fields) {
        if (!Possible(sample.*field.member, field.limit))
            return false;
    }
    return true;
}

template <std::size_t N>
bool ReplaceImpossible(PathSample& sample, const PathSample& previous, const NumberField (&fields)[N])
{
    bool replaced = false;
    for (const NumberField& field : fields) {
        float& value = sample.*field.member;
        if (!Possible(value, field.limit)) {
            value = previous.*field.member;
            replaced = true;
        }
    }
    return replaced;
}

}  // namespace

bool HoldsPossiblePosition(const PathSample& sample)
{
    return AllPossible(sample, kPositionFields);
}

bool HoldsImpossibleNumbers(const PathSample& sample)
{
    return !HoldsPossiblePosition(sample) || !AllPossible(sample, kAttitudeFields);
}

bool ReplaceImpossibleAttitude(PathSample& sample, const PathSample& previous)
{
    return ReplaceImpossible(sample, previous, kAttitudeFields);
}

bool ReplaceImpossibleValues(PathSample& sample, const PathSample& previous)
{
    const bool position = ReplaceImpossible(sample, previous, kPositionFields);
    return ReplaceImpossibleAttitude(sample, previous) || position;
}
