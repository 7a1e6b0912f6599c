// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/qt/ImageCanvas.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QColor ToQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

std::uint32_t ToPixel(Rgb colour)
{
    return 0xFF000000u | static_cast<std::uint32_t>(colour.r) << 16 |
           static_cast<std::uint32_t>(colour.g) << 8 | colour.b;
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ImageCanvas::ImageCanvas(QImage& image)
    : m_image(image), m_pBits(reinterpret_cast<std::uint32_t*>(image.bits())),
      m_nStride(image.bytesPerLine() / 4), m_metrics(LabelFont()),
      m_fRatio(image.devicePixelRatio()), m_bounds{0, 0, image.width(), image.height()}, m_clip(m_bounds)
{
    // The pixels are taken before the painter starts, so both work on the same buffer.
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.setFont(LabelFont());
}

QFont ImageCanvas::LabelFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void ImageCanvas::SelectPen(Rgb colour)
{
    m_pen = colour;
}

void ImageCanvas::SelectBrush(Rgb colour)
{
    m_brush = colour;
}

long long ImageCanvas::ToDevice(long long x) const
{
    return m_fRatio == 1 ? x : std::llround(static_cast<double>(x) * m_fRatio);
}

void ImageCanvas::MoveTo(int x, int y)
{
    m_nCurrentX = ToDevice(static_cast<long long>(x) - m_nOriginX);
    m_nCurrentY = ToDevice(static_cast<long long>(y) - m_nOriginY);
}

// From the current position toward the end point, one pixel per step along
// the longer axis, the other axis rounded to the nearest pixel (halves away
// from the start); the end point itself is left out. Only the steps inside the
// clip are visited, so a line far outside the window costs nothing.
void ImageCanvas::LineTo(int x, int y)
{
    const long long x0 = m_nCurrentX;
    const long long y0 = m_nCurrentY;
    const long long x1 = ToDevice(static_cast<long long>(x) - m_nOriginX);
    const long long y1 = ToDevice(static_cast<long long>(y) - m_nOriginY);
    m_nCurrentX = x1;
    m_nCurrentY = y1;
    if (m_clip.IsEmpty() || (x0 == x1 && y0 == y1))
        return;
    // Level and upright lines, such as the 3D view's drop lines, are runs of pixels.
    if (y0 == y1) {
        FillDevice(x1 > x0 ? x0 : x1 + 1, y0, x1 > x0 ? x1 : x0 + 1, y0 + 1, m_pen);
        return;
    }
    if (x0 == x1) {
        FillDevice(x0, y1 > y0 ? y0 : y1 + 1, x0 + 1, y1 > y0 ? y1 : y0 + 1, m_pen);
        return;
    }

    const bool bXMajor = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
    const long long major0 = bXMajor ? x0 : y0;
    const long long minor0 = bXMajor ? y0 : x0;
    const long long majorDelta = bXMajor ? x1 - x0 : y1 - y0;
    const long long minorDelta = bXMajor ? y1 - y0 : x1 - x0;
    const long long steps = std::llabs(majorDelta);
    if (steps == 0)
        return;
    const long long majorStep = majorDelta > 0 ? 1 : -1;
    const long long minorStep = minorDelta > 0 ? 1 : -1;
    const long long rise = std::llabs(minorDelta);

    // The steps whose major coordinate lies inside the clip.
    const long long clipLow = bXMajor ? m_clip.left : m_clip.top;
    const long long clipHigh = (bXMajor ? m_clip.right : m_clip.bottom) - 1;
    long long first = majorStep > 0 ? clipLow - major0 : major0 - clipHigh;
    long long last = majorStep > 0 ? clipHigh - major0 : major0 - clipLow;
    first = std::max(first, 0LL);
    last = std::min(last, steps - 1);
    if (first > last)
        return;

    // Step i lies rise * i / steps pixels along the minor axis, rounded:
    // floor((2 * rise * i + steps) / (2 * steps)), kept as quotient and remainder.
    const long long denominator = 2 * steps;
    long long offset = 0;
    long long remainder = steps;
    if (first > 0) {
        const long long numerator = 2 * rise * first + steps;
        offset = numerator / denominator;
        remainder = numerator % denominator;
    }
    const std::uint32_t pixel = ToPixel(m_pen);
    const long long minorLow = bXMajor ? m_clip.top : m_clip.left;
    const long long minorHigh = bXMajor ? m_clip.bottom : m_clip.right;
    for (long long i = first; i <= last; ++i) {
        const long long major = major0 + majorStep * i;
        const long long minor = minor0 + minorStep * offset;
        if (minor >= minorLow && minor < minorHigh)
            m_pBits[bXMajor ? minor * m_nStride + major : major * m_nStride + minor] = pixel;
        // rise never exceeds steps, so one carry at most.
        remainder += 2 * rise;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++offset;
        }
    }
}

void ImageCanvas::FillDevice(long long left, long long top, long long right, long long bottom, Rgb colour)
{
    left = std::max<long long>(left, m_clip.left);
    top = std::max<long long>(top, m_clip.top);
    right = std::min<long long>(right, m_clip.right);
    bottom = std::min<long long>(bottom, m_clip.bottom);
    if (left >= right || top >= bottom)
        return;
    const std::uint32_t pixel = ToPixel(colour);
    for (long long row = top; row < bottom; ++row)
        std::fill(m_pBits + row * m_nStride + left, m_pBits + row * m_nStride + right, pixel);
}

void ImageCanvas::FillRect(const ViewRect& rect, Rgb brush)
{
    FillDevice(ToDevice(static_cast<long long>(rect.left) - m_nOriginX),
               ToDevice(static_cast<long long>(rect.top) - m_nOriginY),
               ToDevice(static_cast<long long>(rect.right) - m_nOriginX),
               ToDevice(static_cast<long long>(rect.bottom) - m_nOriginY), brush);
}

void ImageCanvas::FrameRect(const ViewRect& rect, Rgb brush)
{
    if (rect.IsEmpty())
        return;
    const long long left = static_cast<long long>(rect.left) - m_nOriginX;
    const long long top = static_cast<long long>(rect.top) - m_nOriginY;
    const long long right = static_cast<long long>(rect.right) - m_nOriginX;
    const long long bottom = static_cast<long long>(rect.bottom) - m_nOriginY;
    // Each side is one view pixel thick.
    FillDevice(ToDevice(left), ToDevice(top), ToDevice(right), ToDevice(top + 1), brush);
    FillDevice(ToDevice(left), ToDevice(bottom - 1), ToDevice(right), ToDevice(bottom), brush);
    FillDevice(ToDevice(left), ToDevice(top), ToDevice(left + 1), ToDevice(bottom), brush);
    FillDevice(ToDevice(right - 1), ToDevice(top), ToDevice(right), ToDevice(bottom), brush);
}

void ImageCanvas::Ellipse(const ViewRect& rect)
{
    if (rect.IsEmpty())
        return;
    m_painter.setPen(QPen(ToQColor(m_pen), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_painter.setBrush(ToQColor(m_brush));
    // Qt's outline covers one pixel more than its rectangle, so this stays inside the excluded edges.
    m_painter.drawEllipse(
        QRect(rect.left - m_nOriginX, rect.top - m_nOriginY, rect.Width() - 1, rect.Height() - 1));
}

void ImageCanvas::SetTextColours(Rgb text, Rgb background)
{
    m_textColour = text;
    m_textBackground = background;
}

TextExtent ImageCanvas::GetTextExtent(std::string_view text)
{
    return {m_metrics.horizontalAdvance(ToQString(text)), m_metrics.height()};
}

void ImageCanvas::TextOut(int x, int y, std::string_view text)
{
    const QString string = ToQString(text);
    const QPoint topLeft(x - m_nOriginX, y - m_nOriginY);
    FillDevice(ToDevice(topLeft.x()), ToDevice(topLeft.y()),
               ToDevice(topLeft.x() + m_metrics.horizontalAdvance(string)),
               ToDevice(topLeft.y() + m_metrics.height()), m_textBackground);
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.drawText(QPoint(topLeft.x(), topLeft.y() + m_metrics.ascent()), string);
}

void ImageCanvas::SelectClipRect(const ViewRect& deviceRect)
{
    const auto clamped = [](long long x, int low, int high) {
        return static_cast<int>(std::clamp<long long>(x, low, high));
    };
    m_clip = {clamped(ToDevice(deviceRect.left), m_bounds.left, m_bounds.right),
              clamped(ToDevice(deviceRect.top), m_bounds.top, m_bounds.bottom),
              clamped(ToDevice(deviceRect.right), m_bounds.left, m_bounds.right),
              clamped(ToDevice(deviceRect.bottom), m_bounds.top, m_bounds.bottom)};
    m_painter.setClipRect(QRect(deviceRect.left, deviceRect.top, deviceRect.Width(), deviceRect.Height()));
}

void ImageCanvas::SelectNoClip()
{
    m_clip = m_bounds;
    m_painter.setClipping(false);
}

void ImageCanvas::SetWindowOrigin(int x, int y)
{
    m_nOriginX = x;
    m_nOriginY = y;
}
