#include "document/ImpossibleValues.h"

#include <cmath>
#include <limits>

namespace {

struct NumberField {
    float PathSample::*member;
    float limit;  // the largest magnitude the field can have
};

constexpr float kAnyFinite = std::numeric_limits<float>::max();

constexpr NumberField kNumberFields[] = {
    {&PathSample::m_fField1, kAnyFinite},
    {&PathSample::m_fLat, 90},
    {&PathSample::m_fLon, 180},
    {&PathSample::m_fAlt, kAnyFinite},
    {&PathSample::m_fPitch, kAnyFinite},
    {&PathSample::m_fBank, kAnyFinite},
    {&PathSample::m_fHeading, kAnyFinite},
    {&PathSample::m_fField9, kAnyFinite},
    {&PathSample::m_fField10, kAnyFinite},
    {&PathSample::m_fField11, kAnyFinite},
    {&PathSample::m_fField12, kAnyFinite},
    {&PathSample::m_fField13, kAnyFinite},
    {&PathSample::m_fField14, kAnyFinite},
};

}  // namespace

bool HoldsImpossibleNumbers(const PathSample& sample)
{
    const auto finite = [](float value) { return std::isfinite(value); };
    return !(std::fabs(sample.m_fLat) <= 90 && std::fabs(sample.m_fLon) <= 180 && finite(sample.m_fAlt) &&
             finite(sample.m_fPitch) && finite(sample.m_fBank) && finite(sample.m_fHeading));
}

bool ReplaceImpossibleValues(PathSample& sample, const PathSample& previous)
{
    bool replaced = false;
    for (const NumberField& field : kNumberFields) {
        float& value = sample.*field.member;
        if (!std::isfinite(value) || std::fabs(value) > field.limit) {
            value = previous.*field.member;
            replaced = true;
        }
    }
    return replaced;
}
