// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/PathView.h"

#include <QImage>
#include <QWidget>

class CVolantorDoc;
class UserInterface;

// The frame's central widget: paints the document's paths through PathView
// and hands it the mouse. The point menu's choice goes to the frame, which
// runs it as a command once the menu has closed and the mark is gone.
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
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Runs the point menu at the client point; the id chosen, or 0.
    int TrackPointMenu(QPoint point);

    CVolantorDoc& m_doc;
    PathView m_view;
    QImage m_picture;
};
