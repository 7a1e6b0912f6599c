// The legend panel below the map: the current path's time axis across the
// plot, altitude marks up its side, and its altitude profile.

#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "view/PathView.h"
#include "document/FormatText.h"
#include "view/ViewColours.h"
#include "view/ViewProjection.h"

#include <algorithm>
#include <cmath>

namespace {

// A whole number of feet or seconds for the indicator loops, saturated so
// that stepping past the last one cannot overflow.
long long TruncatedAltitude(float feet)
{
    if (std::isnan(feet))
        return 0;
    return static_cast<long long>(std::clamp(feet, -2e9f, 2e9f));
}

}  // namespace

void PathView::DrawLegend(Canvas& canvas)
{
    if (m_doc.m_nCurPath < 0 || m_doc.m_nCurPath >= static_cast<int>(m_doc.m_paths.size()))
        return;
    const VehiclePath& path = m_doc.m_paths[m_doc.m_nCurPath];
    const int f = path.m_nFirstSample;
    const int l = path.m_nLastSample;
    const int W = m_rcClient.right;
    const int H = m_rcClient.bottom;

    canvas.SetTextColours(view_colour::kBlack, view_colour::kLightGray);
    // Room for the widest altitude label.
    const TextExtent widest = canvas.GetTextExtent("999999ft");
    const int top = H - H / 8;
    const int x0 = widest.cx + 4;
    const int yl = top + widest.cy + 4;

    canvas.FillRect({0, top, x0, H}, view_colour::kLightGray);
    canvas.FillRect({x0, top, W, yl}, view_colour::kLightGray);
    canvas.SelectPen(view_colour::kBlack);
    canvas.MoveTo(x0, yl - 1);
    canvas.LineTo(W, yl - 1);
    canvas.MoveTo(x0, yl - 1);
    canvas.LineTo(x0, H - 1);

    // The path's samples spread over the plot width; only used while l > f.
    const float pixelsPerSample = l > f ? static_cast<float>(W - x0) / static_cast<float>(l - f) : 0.0f;
    const auto timeX = [&](long long k) {
        return SaturatedCoordinate(pixelsPerSample * static_cast<float>(k - f) + x0) + 1;
    };
    // A spacing of 0 or less would never reach the end: such marks are not drawn.
    canvas.SelectPen(view_colour::kGray);
    if (g_nTimeGraySpacing > 0) {
        for (long long k = static_cast<long long>(f) + g_nTimeGraySpacing; k <= l; k += g_nTimeGraySpacing) {
            canvas.MoveTo(timeX(k), yl);
            canvas.LineTo(timeX(k), H - 2);
        }
    }
    canvas.SelectPen(view_colour::kBlue);
    if (g_nTimeBlueSpacing > 0) {
        for (long long k = static_cast<long long>(f) + g_nTimeBlueSpacing; k < l; k += g_nTimeBlueSpacing) {
            const int x = timeX(k);
            canvas.MoveTo(x, yl);
            canvas.LineTo(x, H - 2);
            // Labelled with the sample index, which counts seconds from the document's first sample.
            const std::string label = FormatText("%ds", static_cast<int>(k));
            const TextExtent extent = canvas.GetTextExtent(label);
            canvas.TextOut(x - extent.cx / 2, yl - extent.cy - 2, label);
        }
    }

    // Altitudes on a scale of at least 100 ft.
    float range = path.m_fMaxAlt - path.m_fMinAlt;
    if (range < 100.0f)
        range = 100.0f;
    const int h = H - 2 - yl;
    const auto altitudeY = [&](float a) {
        return SaturatedCoordinate(static_cast<float>(H - 1) - (a - path.m_fMinAlt) * (static_cast<float>(h) / range)) -
               1;
    };
    const long long lowest = TruncatedAltitude(path.m_fMinAlt);
    const long long highest = TruncatedAltitude(path.m_fMaxAlt);
    canvas.SelectPen(view_colour::kGray);
    if (g_nAltGraySpacing > 0) {
        for (long long a = lowest; a <= highest; a += g_nAltGraySpacing) {
            const int y = altitudeY(static_cast<float>(a));
            if (y > yl) {
                canvas.MoveTo(x0 + 1, y);
                canvas.LineTo(W, y);
            }
        }
    }
    canvas.SelectPen(view_colour::kBlue);
    if (g_nAltBlueSpacing > 0) {
        for (long long a = lowest + g_nAltBlueSpacing; a <= highest; a += g_nAltBlueSpacing) {
            const int y = altitudeY(static_cast<float>(a));
            if (y > yl) {
                canvas.MoveTo(x0 + 1, y);
                canvas.LineTo(W, y);
            }
            // Heights above the path's lowest sample, right-aligned against the panel divider.
            const std::string label = FormatText("%.0fft", static_cast<double>(a) - std::floor(path.m_fMinAlt));
            const TextExtent extent = canvas.GetTextExtent(label);
            canvas.TextOut(widest.cx - extent.cx, y - extent.cy / 2, label);
        }
    }

    // The profile leaves out the path's last sample.
    canvas.SelectPen(view_colour::kGreen);
    for (int k = f; k < l; ++k) {
        const PathSample& sample = m_doc.m_samples[k];
        const int px = timeX(k);
        const int py = altitudeY(sample.m_fAlt);
        if (k == f)
            canvas.MoveTo(px, py);
        else
            canvas.LineTo(px, py);
        canvas.FillRect({px - 1, py - 1, px + 1, py + 1}, view_colour::kBlack);
        if (sample.m_bMarked)
            canvas.FrameRect(SquareAround({px, py}, 4), view_colour::kDarkGreen);
    }
}
