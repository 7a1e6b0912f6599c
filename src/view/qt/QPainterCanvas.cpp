#include "view/qt/QPainterCanvas.h"

#include <QString>

namespace {

QColor ToQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter) : m_painter(painter), m_metrics(LabelFont())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_painter.resetTransform();
    m_painter.setFont(LabelFont());
    m_painter.setBrush(ToQColor(m_brush));
}

QFont QPainterCanvas::LabelFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QRect QPainterCanvas::DeviceRect(const ViewRect& rect) const
{
    return QRect(Device(rect.left, rect.top), QSize(rect.Width(), rect.Height()));
}

void QPainterCanvas::UsePen()
{
    if (m_bPenOnPainter)
        return;
    // Width 0 is Qt's one-pixel cosmetic pen; the flat cap leaves out the end point.
    m_painter.setPen(QPen(ToQColor(m_pen), 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    m_bPenOnPainter = true;
}

void QPainterCanvas::SelectPen(Rgb colour)
{
    if (m_bPenOnPainter && colour == m_pen)
        return;
    m_pen = colour;
    m_bPenOnPainter = false;
}

void QPainterCanvas::SelectBrush(Rgb colour)
{
    if (colour == m_brush)
        return;
    m_brush = colour;
    m_painter.setBrush(ToQColor(colour));
}

void QPainterCanvas::MoveTo(int x, int y)
{
    m_current = Device(x, y);
}

void QPainterCanvas::LineTo(int x, int y)
{
    const QPoint end = Device(x, y);
    UsePen();
    m_painter.drawLine(m_current, end);
    m_current = end;
}

void QPainterCanvas::FillRect(const ViewRect& rect, Rgb brush)
{
    if (rect.IsEmpty())
        return;
    m_painter.fillRect(DeviceRect(rect), ToQColor(brush));
}

void QPainterCanvas::FrameRect(const ViewRect& rect, Rgb brush)
{
    if (rect.IsEmpty())
        return;
    const QColor colour = ToQColor(brush);
    const QRect r = DeviceRect(rect);
    m_painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    if (r.height() > 1)
        m_painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    if (r.height() > 2) {
        m_painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
        if (r.width() > 1)
            m_painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
    }
}

void QPainterCanvas::Ellipse(const ViewRect& rect)
{
    if (rect.IsEmpty())
        return;
    UsePen();
    // Qt's outline covers one pixel more than its rectangle, so this stays inside the excluded edges.
    const QRect r = DeviceRect(rect);
    m_painter.drawEllipse(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
}

void QPainterCanvas::SetTextColours(Rgb text, Rgb background)
{
    m_textColour = text;
    m_textBackground = background;
}

TextExtent QPainterCanvas::GetTextExtent(std::string_view text)
{
    return {m_metrics.horizontalAdvance(ToQString(text)), m_metrics.height()};
}

void QPainterCanvas::TextOut(int x, int y, std::string_view text)
{
    const QString string = ToQString(text);
    const QPoint topLeft = Device(x, y);
    m_painter.fillRect(QRect(topLeft, QSize(m_metrics.horizontalAdvance(string), m_metrics.height())),
                       ToQColor(m_textBackground));
    m_painter.setPen(ToQColor(m_textColour));
    m_bPenOnPainter = false;
    m_painter.drawText(QPoint(topLeft.x(), topLeft.y() + m_metrics.ascent()), string);
}

void QPainterCanvas::SelectClipRect(const ViewRect& deviceRect)
{
    m_painter.setClipRect(QRect(deviceRect.left, deviceRect.top, deviceRect.Width(), deviceRect.Height()));
}

void QPainterCanvas::SelectNoClip()
{
    m_painter.setClipping(false);
}

void QPainterCanvas::SetWindowOrigin(int x, int y)
{
    m_origin = QPoint(x, y);
}
