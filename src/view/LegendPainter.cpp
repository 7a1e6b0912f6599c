// SPDX-License-Identifier: GPL-3.0-or-later
// The legend panel below the map: the current path's time axis across the
// plot, altitude marks up its side, and its altitude profile; while the
// replay shows, its key at the right.

#include "document/FormatText.h"
#include "document/ImpossibleValues.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "view/ViewColours.h"
#include "view/ViewProjection.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A whole number of feet for the indicator loops, saturated so that stepping
// past the last one cannot overflow.
long long TruncatedAltitude(float feet)
{
    if (std::isnan(feet))
        return 0;
    return static_cast<long long>(std::clamp(feet, -2e9f, 2e9f));
}

bool Overlap(const ViewRect& a, const ViewRect& b)
{
    return !a.IsEmpty() && !b.IsEmpty() && a.left < b.right && b.left < a.right && a.top < b.bottom &&
           b.top < a.bottom;
}

// Marks can stand closer than their labels are wide or high: a label that
// would cover the one drawn before it is left out, its mark stays.
class LabelRow {
public:
    explicit LabelRow(Canvas& canvas) : m_canvas(canvas) {}

    // placeOf gives the label's top-left corner from its extent.
    template <typename Place> void Write(const std::string& label, Place placeOf)
    {
        const TextExtent extent = m_canvas.GetTextExtent(label);
        const ViewPoint at = placeOf(extent);
        const ViewRect covered{at.x, at.y, at.x + extent.cx, at.y + extent.cy};
        if (Overlap(m_last, covered))
            return;
        m_canvas.TextOut(at.x, at.y, label);
        m_last = covered;
    }

private:
    Canvas& m_canvas;
    ViewRect m_last;  // empty until the first label
};

// Where things go in the panel, in device pixels.
struct LegendFrame {
    int W;
    int H;
    int labelRight;  // the right edge of the altitude labels
    int x0;          // the divider left of the plot
    int yl;          // the top of the plot
};

// The path's samples spread over the plot width; only used while l > f.
class TimeAxis {
public:
    TimeAxis(const LegendFrame& frame, int f, int l)
        : m_f(f), m_x0(frame.x0),
          m_pixelsPerSample(l > f ? static_cast<float>(frame.W - frame.x0) / static_cast<float>(l - f) : 0.0f)
    {
    }
    int X(long long k) const
    {
        return SaturatedCoordinate(m_pixelsPerSample * static_cast<float>(k - m_f) + m_x0) + 1;
    }

private:
    int m_f;
    int m_x0;
    float m_pixelsPerSample;
};

// The path's altitudes on a scale of at least 100 ft.
class AltitudeAxis {
public:
    AltitudeAxis(const LegendFrame& frame, const VehiclePath& path)
        : m_fMinAlt(path.m_fMinAlt), m_fRange(std::max(path.m_fMaxAlt - path.m_fMinAlt, 100.0f)),
          m_nBottom(frame.H - 1), m_fPlotHeight(static_cast<float>(frame.H - 2 - frame.yl))
    {
    }
    // A range that is not a number or infinite has no scale to draw on.
    bool IsUsable() const { return std::isfinite(m_fRange); }
    int Y(float a) const
    {
        return SaturatedCoordinate(static_cast<float>(m_nBottom) -
                                   (a - m_fMinAlt) * (m_fPlotHeight / m_fRange)) -
               1;
    }

private:
    float m_fMinAlt;
    float m_fRange;
    int m_nBottom;
    float m_fPlotHeight;
};

void DrawTimeIndicators(Canvas& canvas, const LegendFrame& frame, const TimeAxis& axis, int f, int l)
{
    // A spacing of 0 or less would never reach the end: such marks are not drawn.
    canvas.SelectPen(view_colour::kGray);
    if (g_nTimeGraySpacing > 0) {
        for (long long k = static_cast<long long>(f) + g_nTimeGraySpacing; k <= l; k += g_nTimeGraySpacing) {
            canvas.MoveTo(axis.X(k), frame.yl);
            canvas.LineTo(axis.X(k), frame.H - 2);
        }
    }
    canvas.SelectPen(view_colour::kBlue);
    if (g_nTimeBlueSpacing <= 0)
        return;
    LabelRow labels(canvas);
    for (long long k = static_cast<long long>(f) + g_nTimeBlueSpacing; k < l; k += g_nTimeBlueSpacing) {
        const int x = axis.X(k);
        canvas.MoveTo(x, frame.yl);
        canvas.LineTo(x, frame.H - 2);
        // Labelled with the sample index, which counts seconds from the document's first sample.
        labels.Write(FormatText("%ds", static_cast<int>(k)), [&](TextExtent extent) {
            return ViewPoint{x - extent.cx / 2, frame.yl - extent.cy - 2};
        });
    }
}

void DrawAltitudeLine(Canvas& canvas, const LegendFrame& frame, int y)
{
    if (y > frame.yl) {
        canvas.MoveTo(frame.x0 + 1, y);
        canvas.LineTo(frame.W, y);
    }
}

void DrawAltitudeIndicators(Canvas& canvas, const LegendFrame& frame, const AltitudeAxis& axis,
                            const VehiclePath& path)
{
    const long long lowest = TruncatedAltitude(path.m_fMinAlt);
    const long long highest = TruncatedAltitude(path.m_fMaxAlt);
    canvas.SelectPen(view_colour::kGray);
    if (g_nAltGraySpacing > 0) {
        for (long long a = lowest; a <= highest; a += g_nAltGraySpacing)
            DrawAltitudeLine(canvas, frame, axis.Y(static_cast<float>(a)));
    }
    canvas.SelectPen(view_colour::kBlue);
    if (g_nAltBlueSpacing <= 0)
        return;
    LabelRow labels(canvas);
    for (long long a = lowest + g_nAltBlueSpacing; a <= highest; a += g_nAltBlueSpacing) {
        const int y = axis.Y(static_cast<float>(a));
        DrawAltitudeLine(canvas, frame, y);
        // The height above the lowest altitude in whole feet, where the lines start: a multiple of
        // the spacing. Right-aligned against the panel divider.
        labels.Write(FormatText("%.0fft", static_cast<double>(a - lowest)), [&](TextExtent extent) {
            return ViewPoint{frame.labelRight - extent.cx, y - extent.cy / 2};
        });
    }
}

// The profile leaves out the path's last sample, and any sample whose
// numbers no flight has.
void DrawProfile(Canvas& canvas, const std::vector<PathSample>& samples, const ViewState& state,
                 const TimeAxis& timeAxis, const AltitudeAxis& altitudeAxis, int f, int l)
{
    canvas.SelectPen(view_colour::kGreen);
    bool first = true;
    for (int k = f; k < l; ++k) {
        const PathSample& sample = samples[k];
        if (HoldsImpossibleNumbers(sample))
            continue;
        const int px = timeAxis.X(k);
        const int py = altitudeAxis.Y(sample.m_fAlt);
        if (first)
            canvas.MoveTo(px, py);
        else
            canvas.LineTo(px, py);
        first = false;
        canvas.FillRect({px - 1, py - 1, px + 1, py + 1}, view_colour::kBlack);
        if (state.IsMarked(k))
            canvas.FrameRect(SquareAround({px, py}, 4), view_colour::kDarkGreen);
    }
}

// A swatch of each replayed path's colour and its pattern name, in rows down
// the panel and in as many columns as a third of its width holds. When there
// are more paths than places, the last place says how many are left out.
// Returns the key's left edge.
int DrawReplayKey(Canvas& canvas, const std::vector<ReplayedCourse>& courses, int top, int W, int H)
{
    if (courses.empty())
        return W;
    const TextExtent name = canvas.GetTextExtent("PATTERN000");
    const int rowHeight = name.cy + 2;
    const int swatch = std::max(name.cy - 4, 4);
    const int columnWidth = swatch + 4 + name.cx + 8;
    const int count = static_cast<int>(courses.size());
    const int rows = std::max((H - top - 4) / rowHeight, 1);
    const int columns = std::clamp((count + rows - 1) / rows, 1, std::max(W / 3 / columnWidth, 1));
    const int places = rows * columns;
    const int left = W - columns * columnWidth;
    canvas.FillRect({left, top, W, H}, view_colour::kLightGray);
    canvas.SelectPen(view_colour::kBlack);
    canvas.MoveTo(left, top);
    canvas.LineTo(left, H);
    for (int k = 0; k < std::min(count, places); ++k) {
        const int x = left + 4 + k / rows * columnWidth;
        const int y = top + 3 + k % rows * rowHeight;
        if (k == places - 1 && count > places) {
            canvas.TextOut(x, y, FormatText("+%d more", count - k));
            break;
        }
        const int nPattern = courses[k].nPattern;
        const int swatchTop = y + (name.cy - swatch) / 2;
        canvas.FillRect({x, swatchTop, x + swatch, swatchTop + swatch}, view_colour::ReplayColour(nPattern));
        canvas.TextOut(x + swatch + 4, y, FormatText("PATTERN%d", nPattern));
    }
    return left;
}

}  // namespace

void PathView::DrawLegend(Canvas& canvas, const std::vector<ReplayedCourse>* courses)
{
    const int H = m_rcClient.bottom;
    const int top = H - H / 8;
    const bool hasCurrentPath =
        m_doc.m_nCurPath >= 0 && m_doc.m_nCurPath < static_cast<int>(m_doc.m_paths.size());
    // A compiled file shown alone has no recording to plot, only its key.
    if (!hasCurrentPath && !courses)
        return;
    canvas.SetTextColours(view_colour::kBlack, view_colour::kLightGray);
    if (!hasCurrentPath) {
        DrawReplayKey(canvas, *courses, top, m_rcClient.right, H);
        return;
    }
    const VehiclePath& path = m_doc.m_paths[m_doc.m_nCurPath];
    const int f = path.m_nFirstSample;
    const int l = path.m_nLastSample;

    // Room for the widest altitude label.
    const TextExtent widest = canvas.GetTextExtent("999999ft");
    // The plot keeps the width the key leaves.
    const int W = courses ? DrawReplayKey(canvas, *courses, top, m_rcClient.right, H) : m_rcClient.right;
    const LegendFrame frame{W, H, widest.cx, widest.cx + 4, top + widest.cy + 4};

    canvas.FillRect({0, top, frame.x0, H}, view_colour::kLightGray);
    canvas.FillRect({frame.x0, top, W, frame.yl}, view_colour::kLightGray);
    canvas.SelectPen(view_colour::kBlack);
    canvas.MoveTo(frame.x0, frame.yl - 1);
    canvas.LineTo(W, frame.yl - 1);
    canvas.MoveTo(frame.x0, frame.yl - 1);
    canvas.LineTo(frame.x0, H - 1);

    const TimeAxis timeAxis(frame, f, l);
    DrawTimeIndicators(canvas, frame, timeAxis, f, l);
    const AltitudeAxis altitudeAxis(frame, path);
    if (!altitudeAxis.IsUsable())
        return;
    DrawAltitudeIndicators(canvas, frame, altitudeAxis, path);

    DrawProfile(canvas, m_doc.m_samples, m_state, timeAxis, altitudeAxis, f, l);
}
