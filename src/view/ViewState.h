// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

#include <algorithm>
#include <vector>

// How the view shows the document: its own state, which the document never
// sees. Zoom, pan, the pick and the playback time start over with each fresh
// document; the 3D and replay switches stay as the person left them.
struct ViewState {
    bool m_b3DView = false;
    bool m_bShowReplay = false;
    double m_dPlaybackSeconds = 0;  // where every replayed lap is shown, all started together at 0
    float m_fZoom = 1.0f;
    int m_nOffsetX = 0;  // pan in pixels
    int m_nOffsetY = 0;
    int m_nSelSample = 0;       // the sample the last right click picked
    std::vector<int> m_marked;  // samples shown framed
    // Every sample's pan-free position as the last paint that drew it left it.
    std::vector<ViewPoint> m_screen;

    bool IsMarked(int sample) const
    {
        return std::find(m_marked.begin(), m_marked.end(), sample) != m_marked.end();
    }
    ViewPoint ScreenOf(int sample) const
    {
        return sample >= 0 && sample < static_cast<int>(m_screen.size()) ? m_screen[sample] : ViewPoint{};
    }
};
