// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"
#include "view/SampleDistanceCache.h"

#include <functional>

class CVolantorDoc;
class UserInterface;
class ViewProjection;
struct VehiclePath;

// The path view without its window: it paints the document onto a Canvas and
// answers the mouse given in client pixels (origin top-left). The window that
// shows it owns one, paints through it and hands it the mouse releases and moves.
class PathView {
public:
    PathView(CVolantorDoc& doc, UserInterface& ui);

    // The whole picture for a client area of the given size, drawn over the
    // erased window background. Stores every drawn sample's position in the
    // document and the members below.
    void OnDraw(Canvas& canvas, int clientWidth, int clientHeight);

    // Recentres the picture on the point.
    void OnLButtonUp(ViewPoint point);
    // Picks the drawn sample under the point and keeps it marked while
    // trackPopupMenu runs (it returns when the point menu closes); a miss
    // reports "No Point Found!". A command chosen in the menu runs afterwards
    // on the document's m_nSelSample.
    void OnRButtonUp(ViewPoint point, const std::function<void()>& trackPopupMenu);
    // The position under the cursor in metres, in status-bar pane 1.
    void OnMouseMove(ViewPoint point);
    // "Point Info": a message about the picked sample.
    void OnPointInfo();

    // Cached by the last paint of a document with paths; the mouse works on them.
    ViewRect m_rcClient;      // empty until the first paint
    float m_fViewWidth = 0;   // metres across the client width
    float m_fViewHeight = 0;  // metres across the client height
    int m_nMinScreenX = 0;    // span of the x of the samples the last overhead paint drew
    int m_nMaxScreenX = 0;

private:
    void DrawHeaderAreas(Canvas& canvas, const ViewProjection& projection);
    void DrawOverheadPaths(Canvas& canvas, const ViewProjection& projection);
    void Draw3D(Canvas& canvas, const ViewProjection& projection);
    void DrawSegmentMarkers(Canvas& canvas, const VehiclePath& path,
                            const std::function<ViewPoint(int sample)>& projectedPositionOf);
    void DrawLegend(Canvas& canvas);

    CVolantorDoc& m_doc;
    UserInterface& m_ui;
    SampleDistanceCache m_distances;
};
