// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cstdint>

// The path view's Canvas on an RGB32 image. Lines and rectangles, a few for
// every sample, are written straight into the pixels, which keeps a repaint of
// a long flight quick and puts every pixel exactly where the view says on any
// platform; ellipses and text go through a QPainter on the same image, without
// antialiasing. Calls take effect in the order they are made.
// The view's pixels are the image's device-independent ones: on an image of a
// higher device pixel ratio, rectangles and text grow with the ratio, and
// lines stay one image pixel wide, so that they are crisp on dense screens.
class ImageCanvas : public Canvas {
public:
    // The image must stay alive, unshared and of its size while the canvas exists.
    explicit ImageCanvas(QImage& image);

    // The font of the legend labels, a small sans-serif without antialiasing.
    static QFont LabelFont();

    void SelectPen(Rgb colour) override;
    void SelectBrush(Rgb colour) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(const ViewRect& rect, Rgb brush) override;
    void FrameRect(const ViewRect& rect, Rgb brush) override;
    void Ellipse(const ViewRect& rect) override;
    void SetTextColours(Rgb text, Rgb background) override;
    TextExtent GetTextExtent(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SelectClipRect(const ViewRect& deviceRect) override;
    void SelectNoClip() override;
    void SetWindowOrigin(int x, int y) override;

private:
    // Fills the device rectangle, cut to the clip, with the colour.
    void FillDevice(long long left, long long top, long long right, long long bottom, Rgb colour);
    // The image pixel where a view pixel, already moved by the window origin, starts.
    long long ToDevice(long long x) const;

    QImage& m_image;
    std::uint32_t* m_pBits;
    qsizetype m_nStride;  // pixels per row
    QPainter m_painter;
    QFontMetrics m_metrics;
    double m_fRatio;    // image pixels per view pixel
    ViewRect m_bounds;  // the image, and the clip within it, in image pixels
    ViewRect m_clip;
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    long long m_nCurrentX = 0;  // device pixels
    long long m_nCurrentY = 0;
    Rgb m_pen;
    Rgb m_brush;
    Rgb m_textColour;
    Rgb m_textBackground{255, 255, 255};
};
