// SPDX-License-Identifier: GPL-3.0-or-later
// What only the image painter does: the pixels it sets, and text in the view's font.
#include "view/qt/ImageCanvas.h"
#include "view/qt/PathViewImage.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ImageCanvas, SetsThePixelsOfLinesRectanglesAndCirclesWithinTheClip)
{
    EnsureGuiApplication();
    const struct {
        const char* name;
        void (*draw)(ImageCanvas&&);  // with a black pen and brush, the colours it starts with
        const char* picture;          // 10 by 8 pixels, row by row
    } rows[] = {
        // One row down over four steps: the row changes halfway, the end is left out.
        {"shallow line",
         [](ImageCanvas&& c) {
             c.MoveTo(0, 0);
             c.LineTo(4, 1);
         },
         "##........ ..##...... .......... .......... .......... .......... .......... .........."},
        // A slope of one half from far away: row (x + 1) / 2 at column x.
        {"from far outside",
         [](ImageCanvas&& c) {
             c.MoveTo(-1000000, -500000);
             c.LineTo(10, 5);
         },
         "#......... .##....... ...##..... .....##... .......##. .........# .......... .........."},
        // Logical (0, 0) at (5, 4); the clip cuts the fill, the frame and the line to four rows.
        {"origin and clip",
         [](ImageCanvas&& c) {
             c.SetWindowOrigin(-5, -4);
             c.SelectClipRect({0, 0, 10, 4});
             c.FillRect({-1, -1, 1, 1}, {});
             c.FrameRect({-5, -4, -1, -1}, {});
             c.MoveTo(4, -9);
             c.LineTo(4, 9);
         },
         "####.....# #..#.....# ####.....# ....##...# .......... .......... .......... .........."},
        {"circle",
         [](ImageCanvas&& c) {
             c.Ellipse({1, 0, 9, 8});
         },
         "...####... ..######.. .########. .########. .########. .########. ..######.. ...####..."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QImage image(10, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        row.draw(ImageCanvas(image));
        std::string picture;
        for (int i = 0; i < 8 * 11 - 1; ++i)  // rows of 10, a space between
            picture += i % 11 == 10 ? ' ' : image.pixel(i % 11, i / 11) == qRgb(0, 0, 0) ? '#' : '.';
        EXPECT_EQ(picture, row.picture);
    }
    // Text in the label font, black on white at first: a glyph inks some of its box.
    QImage text(10, 14, QImage::Format_RGB32);
    ImageCanvas(text).TextOut(0, 0, "W");
    const QRgb* pixels = reinterpret_cast<const QRgb*>(text.constBits());
    EXPECT_GT(std::count(pixels, pixels + 10 * 14, qRgb(0, 0, 0)), 5);
}
