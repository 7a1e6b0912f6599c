// SPDX-License-Identifier: GPL-3.0-or-later
// The pixels the image canvas writes for lines and rectangles.

#include "view/qt/ImageCanvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <utility>

namespace {

constexpr Rgb kInk{10, 20, 30};
constexpr QRgb kInkPixel = 0xFF0A141E;

using Pixels = std::set<std::pair<int, int>>;

class ImageCanvasTest : public ::testing::Test {
protected:
    ImageCanvasTest() : image(40, 30, QImage::Format_RGB32) { image.fill(Qt::white); }

    Pixels Inked() const
    {
        Pixels inked;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == kInkPixel)
                    inked.insert({x, y});
        return inked;
    }

    Pixels Line(int x0, int y0, int x1, int y1, const ViewRect* clip = nullptr)
    {
        image.fill(Qt::white);
        {
            ImageCanvas canvas(image);
            if (clip)
                canvas.SelectClipRect(*clip);
            canvas.SelectPen(kInk);
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        }
        return Inked();
    }

    QImage image;
};

TEST_F(ImageCanvasTest, LineStopsShortOfItsEndPointInEveryDirection)
{
    EXPECT_EQ(Line(5, 10, 9, 10), (Pixels{{5, 10}, {6, 10}, {7, 10}, {8, 10}}));
    EXPECT_EQ(Line(9, 10, 5, 10), (Pixels{{9, 10}, {8, 10}, {7, 10}, {6, 10}}));
    EXPECT_EQ(Line(5, 10, 5, 13), (Pixels{{5, 10}, {5, 11}, {5, 12}}));
    EXPECT_EQ(Line(5, 13, 5, 10), (Pixels{{5, 13}, {5, 12}, {5, 11}}));
    EXPECT_EQ(Line(2, 2, 5, 5), (Pixels{{2, 2}, {3, 3}, {4, 4}}));
    EXPECT_TRUE(Line(7, 7, 7, 7).empty());
}

TEST_F(ImageCanvasTest, ShallowLineRoundsToTheNearestRowWithHalvesAwayFromTheStart)
{
    // Four steps across, one row down: the row changes at the half-way step.
    EXPECT_EQ(Line(0, 0, 4, 1), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Line(4, 1, 0, 0), (Pixels{{4, 1}, {3, 1}, {2, 0}, {1, 0}}));
    // Steep: the same rule with the axes swapped.
    EXPECT_EQ(Line(0, 0, 1, 4), (Pixels{{0, 0}, {0, 1}, {1, 2}, {1, 3}}));
}

TEST_F(ImageCanvasTest, LineFromFarOutsideDrawsTheSamePixelsAsThePartInside)
{
    // Both have the slope one half and meet the image in the same pixels.
    const Pixels far = Line(-1'000'000, -500'000, 30, 15);
    EXPECT_EQ(far, Line(-10, -5, 30, 15));
    EXPECT_EQ(far.size(), 30u);  // x from 0 to 29
    // Entirely outside: nothing, and no time spent.
    EXPECT_TRUE(Line(-(1 << 28), 5, -(1 << 27), 6).empty());
}

TEST_F(ImageCanvasTest, ClipAndWindowOriginApplyToLinesAndRectangles)
{
    const ViewRect clip{0, 0, 40, 12};
    EXPECT_EQ(Line(3, 10, 3, 20, &clip), (Pixels{{3, 10}, {3, 11}}));

    image.fill(Qt::white);
    {
        ImageCanvas canvas(image);
        canvas.SetWindowOrigin(-20, -15);  // logical (0, 0) at the image centre
        canvas.FillRect({-1, -1, 1, 1}, kInk);
        canvas.FrameRect({5, 5, 9, 8}, kInk);
    }
    const Pixels expected{// the filled square covers 2 by 2 pixels
                          {19, 14}, {20, 14}, {19, 15}, {20, 15},
                          // the frame: one-pixel border of a 4 by 3 rectangle
                          {25, 20}, {26, 20}, {27, 20}, {28, 20}, {25, 21}, {28, 21}, {25, 22}, {26, 22}, {27, 22},
                          {28, 22}};
    EXPECT_EQ(Inked(), expected);
}

}  // namespace
