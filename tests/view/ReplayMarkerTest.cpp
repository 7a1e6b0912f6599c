// SPDX-License-Identifier: GPL-3.0-or-later
// The replay's vehicle drawn where its lap has it at a time of playback.
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "view/PathView.h"
#include "view/qt/PathViewImage.h"

#include <gtest/gtest.h>

#include <algorithm>

// One path along the equator from 0.009 degrees west to 0.009 east (2000 m),
// cut into one move of 10 seconds (2000 m compiled), overhead at 800 x 600: 0.32 pixels a metre,
// the centre at x 400 and, lifted by 600 / 16, y 263. The vehicle's disc is
// filled in PATTERN0's orange inside a black rim; the course is an orange line along y 263.
// Heading east, its black heading line runs 14 pixels to the right of the centre.
TEST(ReplayMarker, TheVehicleIsDrawnWhereItsLapHasItAtThePlaybackTime)
{
    EnsureGuiApplication();
    SetDefaultPreferences();
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    std::vector<PathSample> samples;
    for (int k = 0; k <= 10; ++k)
        samples.push_back(SampleAt(0, -0.009f + 0.0018f * static_cast<float>(k)));
    for (PathSample& sample : samples)
        sample.m_fHeading = 90;
    AddPath(doc, samples);
    std::tie(doc.m_samples[0].m_nSegKind, doc.m_samples[0].m_nSegEnd) = std::pair(2, 10);
    doc.RecalcExtents();
    doc.m_fWidth = 2000;  // rounded from 2000.5 m, for round pixels
    PathView view(doc, ui);
    view.OnShowReplay();
    const struct {
        const char* name;
        double seconds;
        int x;  // the disc's centre
    } rows[] = {{"at the start", 0, 80},
                {"a quarter along", 2.5, 240},
                {"halfway", 5, 400},
                {"the second lap, three quarters along", 17.5, 560}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        view.SetPlaybackTime(row.seconds);
        const QImage image = RenderPathViewImage(view, QSize(800, 600));
        int left = 800, right = -1, top = 600, bottom = -1;
        for (int y = 0; y < 525; ++y)  // the map, above the legend's swatch
            for (int x = 0; x < 800; ++x)
                if (y != 263 && image.pixel(x, y) == qRgb(240, 128, 0)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        // Within a pixel: the disc's edge is smoothed.
        EXPECT_NEAR((left + right + 1) / 2, row.x, 1);
        EXPECT_NEAR((top + bottom + 1) / 2, 263, 1);
        EXPECT_EQ(image.pixel((left + right + 1) / 2 + 10, (top + bottom + 1) / 2), qRgb(0, 0, 0));
    }
}
