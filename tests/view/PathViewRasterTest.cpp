// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "view/PathView.h"
#include "view/qt/PathViewImage.h"
#include "view/qt/ImageCanvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include <ostream>
#include <string>

void PrintTo(const Rgb& c, std::ostream* out)
{
    *out << "(" << int{c.r} << ", " << int{c.g} << ", " << int{c.b} << ")";
}

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 0, 240};
constexpr Rgb kGray{128, 128, 128};
constexpr Rgb kLightGray{192, 192, 192};
constexpr Rgb kDarkGreen{0, 128, 48};
constexpr Rgb kGreen{0, 192, 64};
constexpr Rgb kRed{240, 0, 0};
constexpr Rgb kBlack{0, 0, 0};

// Two level paths of three samples a few hundred pixels apart, each on one
// latitude so that its line runs along one pixel row: path 0 to the south,
// path 1 (the current one) to the north, both flying east and climbing.
class PathViewRaster : public ::testing::Test {
protected:
    // The client size the next Render paints for.
    int W = 400;
    int H = 300;

    void SetUp() override
    {
        SetDefaultPreferences();
        AddPath(doc, {SampleAt(47.50f, 8.50f, 1000), SampleAt(47.50f, 8.51f, 1250), SampleAt(47.50f, 8.52f, 1500)});
        AddPath(doc, {SampleAt(47.51f, 8.50f, 1100), SampleAt(47.51f, 8.51f, 1350), SampleAt(47.51f, 8.52f, 1600)});
        doc.RecalcExtents();
    }
    void TearDown() override { SetDefaultPreferences(); }

    void Render() { image = RenderPathViewImage(view, QSize(W, H)); }

    Rgb Pixel(int x, int y) const
    {
        const QRgb p = image.pixel(x, y);
        return {static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                static_cast<std::uint8_t>(qBlue(p))};
    }
    Rgb Pixel(ViewPoint p, int dx = 0, int dy = 0) const { return Pixel(p.x + dx, p.y + dy); }

    // Where the last paint drew sample j, in pixels of the image.
    ViewPoint Drawn(int j) const
    {
        const PathSample& s = doc.m_samples[j];
        return {s.m_nScreenX + W / 2 + doc.m_nOffsetX, s.m_nScreenY + H / 2 + doc.m_nOffsetY};
    }

    // The legend's geometry from the label font.
    int LegendX0() const { return QFontMetrics(ImageCanvas::LabelFont()).horizontalAdvance("999999ft") + 4; }
    int LegendTop() const { return H - H / 8; }
    int LegendYl() const { return LegendTop() + QFontMetrics(ImageCanvas::LabelFont()).height() + 4; }

    // True when the label, drawn on its own, matches the picture at that place pixel for pixel.
    bool LabelAt(const std::string& text, int x, int y) const
    {
        const QFontMetrics metrics(ImageCanvas::LabelFont());
        const QSize size(metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height());
        QImage label(size, QImage::Format_RGB32);
        {
            ImageCanvas canvas(label);
            canvas.SetTextColours({0, 0, 0}, kLightGray);
            canvas.TextOut(0, 0, text);
        }
        bool hasInk = false;
        for (int ly = 0; ly < size.height(); ++ly) {
            for (int lx = 0; lx < size.width(); ++lx) {
                if (label.pixel(lx, ly) != image.pixel(x + lx, y + ly))
                    return false;
                hasInk = hasInk || label.pixel(lx, ly) == qRgb(0, 0, 0);
            }
        }
        return hasInk;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    PathView view{doc, ui};
    QImage image;
};

}  // namespace

TEST_F(PathViewRaster, DocumentWithoutPathsIsBlank)
{
    CVolantorDoc empty(ui);
    PathView blank(empty, ui);
    const QImage picture = RenderPathViewImage(blank, QSize(W, H));
    for (int y = 0; y < H; y += 7) {
        for (int x = 0; x < W; x += 7)
            ASSERT_EQ(picture.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
}

TEST_F(PathViewRaster, CurrentPathIsBlueWithBlueSquares)
{
    Render();
    const ViewPoint middle = Drawn(4);
    EXPECT_EQ(Pixel(middle, -1, -1), kBlue);  // the 2 x 2 square
    EXPECT_EQ(Pixel(middle, 0, 0), kBlue);
    EXPECT_EQ(Pixel(middle, -2, -2), kWhite);
    EXPECT_EQ(Pixel((Drawn(3).x + middle.x) / 2, middle.y), kBlue);  // the line
    // The last square is filled, 6 x 6.
    EXPECT_EQ(Pixel(Drawn(5), -3, -3), kBlue);
    EXPECT_EQ(Pixel(Drawn(5), -2, -2), kBlue);
    EXPECT_EQ(Pixel(Drawn(5), 2, 2), kBlue);
    EXPECT_EQ(Pixel(Drawn(5), 3, 3), kWhite);
}

TEST_F(PathViewRaster, OtherPathsAreGrayWithLightGraySquares)
{
    Render();
    const ViewPoint middle = Drawn(1);
    EXPECT_EQ(Pixel(middle, -1, -1), kLightGray);
    EXPECT_EQ(Pixel(middle, -1, 0), kLightGray);
    // The next line starts on the sample after its square was drawn.
    EXPECT_EQ(Pixel(middle), kGray);
    EXPECT_EQ(Pixel((Drawn(0).x + middle.x) / 2, middle.y), kGray);
    EXPECT_EQ(Pixel(Drawn(2), -2, -2), kLightGray);
}

TEST_F(PathViewRaster, FirstSampleIsAHollowSquareOverhead)
{
    Render();
    const ViewPoint first = Drawn(3);
    EXPECT_EQ(Pixel(first, -3, -3), kBlue);
    EXPECT_EQ(Pixel(first, 2, 2), kBlue);
    EXPECT_EQ(Pixel(first, -2, -2), kWhite);
    EXPECT_EQ(Pixel(first, 1, -2), kWhite);
    EXPECT_EQ(Pixel(Drawn(0), -3, 2), kLightGray);
    EXPECT_EQ(Pixel(Drawn(0), -2, -2), kWhite);
}

TEST_F(PathViewRaster, HeaderAreaOneFramesTheBoxOnePixelOutside)
{
    Render();
    // The box is the samples' own: its south-west corner is sample 0, pushed to (-1, +1).
    const ViewPoint southWest = Drawn(0);
    EXPECT_EQ(Pixel(southWest, -1, 1), kGray);
    EXPECT_EQ(Pixel(southWest, 20, 1), kGray);
    EXPECT_EQ(Pixel(southWest, -1, -20), kGray);
    EXPECT_EQ(Pixel(southWest, -2, -20), kWhite);
}

TEST_F(PathViewRaster, ThreeDDrawsEveryPathBlackWithGrayDropLines)
{
    doc.m_b3DView = true;
    Render();
    for (const int j : {1, 4}) {
        const ViewPoint raised = Drawn(j);
        EXPECT_EQ(Pixel(raised, -1, -1), kBlack) << j;
        EXPECT_EQ(Pixel(raised, 0, 0), kBlack) << j;
        // The drop line runs straight down from the raised point to its foot.
        EXPECT_EQ(Pixel(raised, 0, 6), kGray) << j;
    }
    // Here the last sample is hollow and the first filled.
    EXPECT_EQ(Pixel(Drawn(5), -3, -3), kBlack);
    EXPECT_EQ(Pixel(Drawn(5), -2, -2), kWhite);
    EXPECT_EQ(Pixel(Drawn(3), -2, -2), kBlack);
    // No blue anywhere in the map area.
    for (int y = 0; y < LegendTop(); ++y) {
        for (int x = 0; x < W; ++x)
            ASSERT_NE(Pixel(x, y), kBlue) << x << "," << y;
    }
}

TEST_F(PathViewRaster, HoldIsARedCircleOfEightPixelsOutlinedWithThePathPen)
{
    doc.m_samples[4].m_nSegKind = 1;
    doc.m_samples[4].m_nSegEnd = 5;
    Render();
    const ViewPoint hold = Drawn(4);
    EXPECT_EQ(Pixel(hold, -2, -2), kRed);
    EXPECT_EQ(Pixel(hold, 1, 1), kRed);
    EXPECT_EQ(Pixel(hold, 0, -2), kRed);
    // The outline spans 8 pixels, from x - 4 to x + 3 and from y - 4 to y + 3.
    EXPECT_EQ(Pixel(hold, -4, 1), kBlue);
    EXPECT_EQ(Pixel(hold, 3, 1), kBlue);
    EXPECT_EQ(Pixel(hold, -1, -4), kBlue);
    EXPECT_EQ(Pixel(hold, -1, 3), kBlue);
    EXPECT_EQ(Pixel(hold, -5, 1), kWhite);
    EXPECT_EQ(Pixel(hold, 4, 1), kWhite);
    EXPECT_EQ(Pixel(hold, -1, -5), kWhite);
    EXPECT_EQ(Pixel(hold, -1, 4), kWhite);
}

TEST_F(PathViewRaster, MoveIsFramedRedAtBothEndsAndJoinedByARedLine)
{
    doc.m_samples[0].m_nSegKind = 2;
    doc.m_samples[0].m_nSegEnd = 2;
    Render();
    for (const int j : {0, 2}) {
        EXPECT_EQ(Pixel(Drawn(j), -3, -3), kRed) << j;
        EXPECT_EQ(Pixel(Drawn(j), 2, 2), kRed) << j;
        EXPECT_EQ(Pixel(Drawn(j), -4, -4), kWhite) << j;
    }
    EXPECT_EQ(Pixel(Drawn(1), -1, -1), kLightGray);
    EXPECT_EQ(Pixel((Drawn(0).x + Drawn(1).x) / 2, Drawn(0).y), kRed);
    EXPECT_EQ(Pixel((Drawn(1).x + Drawn(2).x) / 2, Drawn(0).y), kRed);
}

TEST_F(PathViewRaster, MarkedSampleHasADarkGreenFrameInTheMapAndTheProfile)
{
    doc.m_samples[4].m_bMarked = true;
    Render();
    const ViewPoint marked = Drawn(4);
    EXPECT_EQ(Pixel(marked, -4, -4), kDarkGreen);
    EXPECT_EQ(Pixel(marked, 3, 3), kDarkGreen);
    EXPECT_EQ(Pixel(marked, -4, 3), kDarkGreen);
    EXPECT_EQ(Pixel(marked, -5, -5), kWhite);

    // In the profile the middle sample sits halfway along the plot.
    const int x0 = LegendX0();
    const int px = static_cast<int>(static_cast<float>(W - x0) / 2 + x0) + 1;
    int frames = 0;
    for (int y = LegendYl(); y < H; ++y)
        frames += Pixel(px - 4, y) == kDarkGreen;
    EXPECT_EQ(frames, 8);
}

TEST_F(PathViewRaster, LegendPanelIsLightGrayWithBlackDividersAndAGreenProfile)
{
    Render();
    const int x0 = LegendX0();
    const int yl = LegendYl();
    EXPECT_EQ(Pixel(1, H - 2), kLightGray);
    EXPECT_EQ(Pixel(x0 - 1, LegendTop()), kLightGray);
    EXPECT_EQ(Pixel(W - 2, LegendTop() + 1), kLightGray);
    EXPECT_EQ(Pixel(W - 5, yl - 1), kBlack);
    EXPECT_EQ(Pixel(x0, H - 5), kBlack);
    // The plot keeps the window background, and the divider stops short of the bottom.
    EXPECT_EQ(Pixel(x0, H - 1), kWhite);
    // The profile of the current path climbs from its first sample.
    bool green = false;
    for (int y = yl; y < H; ++y)
        green = green || Pixel(x0 + 20, y) == kGreen;
    EXPECT_TRUE(green);
}

TEST_F(PathViewRaster, TimeAndAltitudeLabelsStandAboveTheirTicks)
{
    // A current path of 181 samples starting at index 300, climbing 1000 ft.
    std::vector<PathSample> circuit;
    for (int i = 0; i <= 180; ++i)
        circuit.push_back(SampleAt(47.52f, 8.50f + 0.0001f * i, 34.5f + 1000.0f * i / 180));
    doc.m_samples.resize(300, SampleAt(47.5f, 8.5f));
    AddPath(doc, circuit);
    doc.RecalcExtents();
    g_nAltGraySpacing = 1000;  // fewer gray lines across the blue ticks
    H = 800;                   // a plot tall enough to keep the altitude labels apart
    Render();

    const int x0 = LegendX0();
    const int yl = LegendYl();
    const QFontMetrics metrics(ImageCanvas::LabelFont());
    // Blue ticks every 60 samples before the last: 360 and 420.
    for (const int k : {360, 420}) {
        const int tx = static_cast<int>(static_cast<float>(W - x0) / 180 * static_cast<float>(k - 300) + x0) + 1;
        int blue = 0;
        for (int y = yl; y < H; ++y)
            blue += Pixel(tx, y) == kBlue;
        EXPECT_GE(blue, H - 2 - yl - 3) << k;
        const std::string label = std::to_string(k) + "s";
        const int width = metrics.horizontalAdvance(QString::fromStdString(label));
        EXPECT_TRUE(LabelAt(label, tx - width / 2, yl - metrics.height() - 2)) << label;
    }
    // The blue altitude line at 534 ft is labelled 500ft, right-aligned against the divider.
    const int h = H - 2 - yl;
    const int ay = static_cast<int>(static_cast<float>(H - 1) - (534 - 34.5f) * (h / 1000.0f)) - 1;
    EXPECT_EQ(Pixel(W - 3, ay), kBlue);
    const int width = metrics.horizontalAdvance("500ft");
    EXPECT_TRUE(LabelAt("500ft", x0 - 4 - width, ay - metrics.height() / 2));
}

TEST_F(PathViewRaster, ClipKeepsTheMapOutOfTheLegendPanel)
{
    Render();
    // Pan the southern path down into the panel's plot, where nothing else is light gray.
    doc.m_nOffsetY = (LegendYl() + H) / 2 - Drawn(1).y;
    Render();
    const ViewPoint sunk = Drawn(1);
    ASSERT_GT(sunk.y - 1, LegendYl());
    for (int dy = -1; dy <= 0; ++dy) {
        for (int dx = -1; dx <= 0; ++dx)
            EXPECT_NE(Pixel(sunk, dx, dy), kLightGray);
    }
    // Above the panel the same path still shows.
    doc.m_nOffsetY = LegendTop() - 5 - (Drawn(1).y - doc.m_nOffsetY);
    Render();
    EXPECT_EQ(Pixel(Drawn(1), -1, -1), kLightGray);
}
