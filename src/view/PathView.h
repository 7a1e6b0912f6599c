// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"
#include "view/ReplayLaps.h"
#include "view/SampleDistanceCache.h"
#include "view/ViewState.h"

#include <functional>
#include <vector>

class CVolantorDoc;
class UserInterface;
class ViewProjection;
struct VehiclePath;

// The path view without its window: it reads the document, paints it onto a
// Canvas and answers the mouse given in client pixels (origin top-left). The
// window that shows it owns one, paints through it and hands it the mouse.
class PathView {
public:
    PathView(const CVolantorDoc& doc, UserInterface& ui);

    // The view's state, first started over if the document has started over since it was last asked.
    ViewState& State();

    // The whole picture for a client area of the given size, drawn over the
    // erased window background. Stores every drawn sample's position in the
    // state and the members below.
    void OnDraw(Canvas& canvas, int clientWidth, int clientHeight);

    // Recentres the picture on the point.
    void OnLButtonUp(ViewPoint point);
    // Picks the drawn sample under the point and keeps it marked while
    // trackPopupMenu runs (it returns when the point menu closes); a miss
    // reports "No Point Found!". A command chosen in the menu runs afterwards
    // on the state's m_nSelSample.
    void OnRButtonUp(ViewPoint point, const std::function<void()>& trackPopupMenu);
    // The position under the cursor in metres, in status-bar pane 1.
    void OnMouseMove(ViewPoint point);
    // "Point Info": a message about the picked sample.
    void OnPointInfo();
    // Shows these samples framed until the next call; none clears.
    void MarkSamples(std::vector<int> samples);

    // The view commands; each ends by redrawing. "3D View" switches between
    // the overhead map and the raised paths, "Reset View" shows everything again.
    void On3DView();
    void OnZoomIn();
    void OnZoomOut();
    void OnResetView();
    // One step of Zoom In (or Out) that keeps the spot under the client point where it is.
    void ZoomAbout(ViewPoint point, bool bIn);
    // Moves the picture by the pixels.
    void PanBy(int dx, int dy);

    // "Show Replay": every path's replayed course over the recording in a
    // colour of its own, with its vehicle where playback has got to.
    void OnShowReplay();
    // Playback back at 0.
    void OnRewind();
    // A compiled scenery file's laps shown by themselves, with no recording
    // behind them, while the document holds no path; a document that starts
    // over puts them away.
    void ShowCompiledScenery(std::vector<ReplayedPattern> patterns);
    bool ShowsCompiledScenery() const;
    // Where playback has got to, in seconds from 0. It does not redraw: playback
    // repaints the view alone, many times a second.
    void SetPlaybackTime(double seconds);

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
    void DrawReplay(Canvas& canvas, const ViewProjection& projection,
                    const std::vector<ReplayedCourse>& courses);
    void DrawVehicle(Canvas& canvas, const ViewProjection& projection, const ReplayedCourse& course);
    void DrawReplayRefusal(Canvas& canvas);
    // courses: those the map shows, or none while the replay is hidden.
    void DrawLegend(Canvas& canvas, const std::vector<ReplayedCourse>* courses);

    const CVolantorDoc& m_doc;
    UserInterface& m_ui;
    ViewState m_state;
    int m_nSeenGeneration;  // the document's generation the state belongs to
    SampleDistanceCache m_distances;
    ReplayLaps m_replay;
    std::vector<ReplayedCourse> m_compiled;
};
