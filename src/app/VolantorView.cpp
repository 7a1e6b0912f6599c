// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolantorView.h"

#include "app/CommandTable.h"
#include "view/qt/PathViewImage.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

ViewPoint ClientPoint(const QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    return {point.x(), point.y()};
}

} // namespace

CVolantorView::CVolantorView(CVolantorDoc& doc, UserInterface& ui, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_view(doc, ui)
{
    // The readout follows the cursor without a button held.
    setMouseTracking(true);
}

void CVolantorView::paintEvent(QPaintEvent*)
{
    // Painted off screen at the pixels' own resolution, then shown in one go.
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    PaintPathView(m_picture, m_view);
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void CVolantorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_view.OnLButtonUp(ClientPoint(event));
    } else if (event->button() == Qt::RightButton) {
        int chosen = 0;
        const QPoint point = event->position().toPoint();
        m_view.OnRButtonUp(ClientPoint(event), [&] { chosen = TrackPointMenu(point); });
        if (chosen != 0)
            emit PointCommandChosen(chosen);
    }
    QWidget::mouseReleaseEvent(event);
}

void CVolantorView::mouseMoveEvent(QMouseEvent* event)
{
    m_view.OnMouseMove(ClientPoint(event));
    QWidget::mouseMoveEvent(event);
}

int CVolantorView::TrackPointMenu(QPoint point)
{
    QMenu menu(this);
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.menu == CommandMenu::Point)
            menu.addAction(QString::fromUtf8(entry.strText.data(), static_cast<qsizetype>(entry.strText.size())))
                ->setData(entry.nId);
    }
    const QAction* chosen = menu.exec(mapToGlobal(point));
    return chosen ? chosen->data().toInt() : 0;
}
