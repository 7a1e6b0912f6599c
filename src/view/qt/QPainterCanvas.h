#pragma once

#include "view/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

// The path view's Canvas on a QPainter, without antialiasing, so every pixel
// lands where the view puts it. The painter keeps an identity transform and
// the window origin is applied here.
class QPainterCanvas : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);

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
    QPoint Device(int x, int y) const { return {x - m_origin.x(), y - m_origin.y()}; }
    QRect DeviceRect(const ViewRect& rect) const;
    // Puts the selected pen on the painter when something else replaced it.
    void UsePen();

    QPainter& m_painter;
    QFontMetrics m_metrics;
    QPoint m_origin;
    QPoint m_current;
    Rgb m_pen;
    bool m_bPenOnPainter = false;
    Rgb m_brush;
    Rgb m_textColour;
    Rgb m_textBackground{255, 255, 255};
};
