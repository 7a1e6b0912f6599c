// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PathSegmentation.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

using S = PathSample;

// n samples eastward 10 m apart; `field` of sample i takes values[i], the last value repeating.
template <typename T> static std::vector<S> Level(int n, T S::*field, const std::vector<T>& values)
{
    std::vector<S> samples(n);
    for (int i = 0; i < n; ++i) {
        samples[i].m_fX = 10.0f * i;
        samples[i].*field = values[std::min<std::size_t>(i, values.size() - 1)];
    }
    return samples;
}

// Each recorded segment as its kind (Hold, Move), start and end.
static std::string SegmentsOf(const std::vector<S>& samples)
{
    std::string text;
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (const int kind = samples[i].m_nSegKind)
            text += (kind == kHoldSegment ? " H" : " M") + std::to_string(i) + "-" +
                    std::to_string(samples[i].m_nSegEnd);
    return text;
}

TEST(Segmentation, Cases)
{
    // The Preferences defaults; a step of (0.8, 0.6) turning to (1, 0) changes by exactly 1 - 0.8 and 0.6.
    constexpr SegmentationThresholds kDefaults{0.2f, 0.05f, 10, 10, 25}, kOnCourse{0.6f, 0.05f, 10, 10, 25},
        kOnClimb{1 - 0.8f, 0.6f, 10, 10, 25};
    const struct {
        const char* name;
        std::vector<S> track;
        const char* segments;
        SegmentationThresholds thresholds = kDefaults;
    } rows[] = {
        {"standing to the end", Level(5, &S::m_fX, {5}), " H0-3"},
        {"standing drifts in 10 cm", Level(7, &S::m_fX, {0, 0, .095f, .095f, .12f, 10, 20}), " H0-3 M3-6"},
        {"exact stop", Level(9, &S::m_fX, {0, 10, 20, 30, 30, 30, 30, 40, 50}), " M0-3 M3-8"},
        {"creeping in 1 cm", Level(8, &S::m_fX, {0, 10, 20, 30, 30.002f, 30.00995f, 40, 50}),
         " M0-3 M3-4 M4-7"},
        {"turn", Level(7, &S::m_fY, {0, 0, 0, 0, 10, 20, 30}), " M0-3 M3-6"},
        {"course on threshold", Level(6, &S::m_fY, {0, 0, 15, 22.5f}), " M0-5", kOnCourse},
        {"climb on threshold", Level(6, &S::m_fZ, {0, 0, 15, 22.5f}), " M0-5", kOnClimb},
        {"climb 10 % over 5 %", Level(7, &S::m_fZ, {0, 0, 0, 0, 1, 2, 3}), " M0-3 M3-6"},
        {"heading change on 10 degrees", Level(8, &S::m_fHeading, {0, 0, 0, 0, 10}), " M0-7"},
        {"headings do not wrap", Level(8, &S::m_fHeading, {359, 359, 359, 359, 1}), " M0-3 M3-7"},
        {"pitch change on 10 degrees", Level(8, &S::m_fPitch, {0, 0, 0, 0, 0, 10}), " M0-7"},
        {"pitch change over 10 degrees", Level(8, &S::m_fPitch, {0, 0, 0, 0, 0, 10.5f}), " M0-4 M4-7"},
        {"bank on 25 degrees", Level(7, &S::m_fBank, {-25}), " M0-6"},
        {"bank over 25 degrees", Level(7, &S::m_fBank, {-30}), " M0-2 M2-3 M3-4 M4-6"},
        {"take-off", Level(9, &S::m_fAlt, {1, 1, 1, 1, 1, 1.6f}), " M0-4 M4-8"},
        {"half a foot up", Level(9, &S::m_fAlt, {1, 1, 1, 1, 1, 1.5f}), " M0-8"},
        {"landing", Level(16, &S::m_fAlt, {1, 1, 1, 9, 9, 9, 9, 1.2f, 1, 1, 1, 1, 9}),
         " M0-2 M2-6 M6-11 M11-15"},
        {"half a foot above", Level(10, &S::m_fAlt, {1, 1, 1, 9, 9, 9, 9, 1.5f}), " M0-2 M2-9"},
        // The move opened one sample back still has the old gear.
        {"gear change", Level(10, &S::m_cGear, {'d', 'd', 'd', 'd', 'd', 'u'}), " M0-4 M4-5 M5-9"},
    };
    for (const auto& row : rows) {
        std::vector<S> samples = row.track;
        SegmentPath(samples, 0, static_cast<int>(samples.size()) - 1, row.thresholds);
        EXPECT_EQ(SegmentsOf(samples), row.segments) << row.name;
    }
}

TEST(Segmentation, GenerateAndClearPathCoverEveryPath)
{
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    doc.OnGeneratePath();
    SetDefaultPreferences();
    AddPath(doc, Level(6, &S::m_fY, {0}));
    doc.m_paths.emplace_back();                              // no samples
    AddPath(doc, Level(5, &S::m_fX, {5}));                   // a hold, and one opened to the end
    doc.m_samples.emplace_back().m_nSegKind = kHoldSegment;  // stale, outside every path
    doc.OnGeneratePath();
    EXPECT_EQ(SegmentsOf(doc.m_samples), " M0-5 H6-9");
    doc.OnClearPath();
    EXPECT_EQ(SegmentsOf(doc.m_samples), "");
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Nothing loaded!", "Generated 3 Path Segments"}));
}
