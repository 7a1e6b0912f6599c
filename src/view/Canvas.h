// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// A colour of the view as a (red, green, blue) byte triple.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

struct ViewPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ViewPoint&) const = default;
};

// A rectangle whose right and bottom edges are excluded: it covers
// (right - left) by (bottom - top) pixels.
struct ViewRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const ViewRect&) const = default;
};

// The square of 2 * halfSize by 2 * halfSize pixels centred on the point.
inline ViewRect SquareAround(ViewPoint centre, int halfSize)
{
    return {centre.x - halfSize, centre.y - halfSize, centre.x + halfSize, centre.y + halfSize};
}

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

// What the path view draws with. Pens are solid and one pixel wide. Points and
// rectangles are logical: the window origin is subtracted from them to give
// device pixels; only the clip rectangle is given in device pixels.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void SelectPen(Rgb colour) = 0;
    virtual void SelectBrush(Rgb colour) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line with the pen from the current position up to, but not including,
    // the end point, which becomes the current position.
    virtual void LineTo(int x, int y) = 0;
    virtual void FillRect(const ViewRect& rect, Rgb brush) = 0;
    // The one-pixel border just inside the rectangle.
    virtual void FrameRect(const ViewRect& rect, Rgb brush) = 0;
    // The ellipse inside the rectangle, outlined with the pen and filled with the brush.
    virtual void Ellipse(const ViewRect& rect) = 0;
    // Text is drawn with its top-left corner at the point on an opaque background.
    virtual void SetTextColours(Rgb text, Rgb background) = 0;
    virtual TextExtent GetTextExtent(std::string_view text) = 0;
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    virtual void SelectClipRect(const ViewRect& deviceRect) = 0;
    virtual void SelectNoClip() = 0;
    virtual void SetWindowOrigin(int x, int y) = 0;
};
