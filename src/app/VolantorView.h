// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/PathView.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class CVolantorDoc;
class UserInterface;

// The frame's central widget: paints the document's paths through PathView
// and hands it the mouse and keys. The map moves under the hand: a drag pans
// it, the wheel and a pinch zoom about the spot under the cursor, the arrow
// keys pan by a tenth of the window. The point menu's choice goes to the
// frame, which runs it as a command once the menu has closed and the mark is gone.
class CVolantorView : public QWidget {
    Q_OBJECT

public:
    CVolantorView(CVolantorDoc& doc, UserInterface& ui, QWidget* parent = nullptr);

    CVolantorDoc& Document() { return m_doc; }
    PathView& Paths() { return m_view; }
    // "Point Info" on the sample the last right click picked.
    void OnPointInfo() { m_view.OnPointInfo(); }

signals:
    void PointCommandChosen(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs the point menu at the client point; the id chosen, or 0.
    int TrackPointMenu(QPoint point);

    CVolantorDoc& m_doc;
    PathView m_view;
    QImage m_picture;
    // The left button's drag: where it went down, where it last panned to, and whether it moved far enough to
    // pan.
    bool m_bLeftDown = false;
    bool m_bDragging = false;
    QPoint m_pressPoint;
    QPoint m_dragPoint;
    int m_nWheelTurn = 0;   // wheel eighths of a degree not yet zoomed by
    double m_fPinch = 1.0;  // pinch scale not yet zoomed by
};
