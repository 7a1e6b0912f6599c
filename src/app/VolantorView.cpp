// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/VolantorView.h"

#include "app/CommandTable.h"
#include "view/qt/PathViewImage.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {

ViewPoint ClientPoint(QPointF point)
{
    const QPoint rounded = point.toPoint();
    return {rounded.x(), rounded.y()};
}

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;
// A pinch zooms one step each time its fingers spread (or close) by the step's own factor.
constexpr double kPinchIn = 1.5;
constexpr double kPinchOut = 0.66;

}  // namespace

CVolantorView::CVolantorView(CVolantorDoc& doc, UserInterface& ui, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_view(doc, ui)
{
    // The readout follows the cursor without a button held.
    setMouseTracking(true);
    // Clicked or tabbed to, the view takes the arrow keys.
    setFocusPolicy(Qt::StrongFocus);
}

void CVolantorView::paintEvent(QPaintEvent*)
{
    // Painted off screen in the screen's own pixels, then shown in one go.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_picture.size() != pixels)
        m_picture = QImage(pixels, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    PaintPathView(m_picture, m_view);
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

void CVolantorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bLeftDown = true;
        m_bDragging = false;
        m_pressPoint = m_dragPoint = event->position().toPoint();
    }
    QWidget::mousePressEvent(event);
}

void CVolantorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // A click that did not become a drag recentres on where it was released.
        if (!m_bDragging)
            m_view.OnLButtonUp(ClientPoint(event->position()));
        m_bLeftDown = m_bDragging = false;
    } else if (event->button() == Qt::RightButton) {
        int chosen = 0;
        const QPoint point = event->position().toPoint();
        m_view.OnRButtonUp(ClientPoint(event->position()), [&] { chosen = TrackPointMenu(point); });
        if (chosen != 0)
            emit PointCommandChosen(chosen);
    }
    QWidget::mouseReleaseEvent(event);
}

void CVolantorView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_bLeftDown && (event->buttons() & Qt::LeftButton)) {
        if (!m_bDragging && (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance())
            m_bDragging = true;
        if (m_bDragging) {
            // The spot grabbed stays under the hand.
            const QPoint moved = point - m_dragPoint;
            m_dragPoint = point;
            m_view.PanBy(moved.x(), moved.y());
        }
    }
    m_view.OnMouseMove(ClientPoint(event->position()));
    QWidget::mouseMoveEvent(event);
}

void CVolantorView::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels and touchpads send parts of a notch; each whole notch is one zoom step.
    m_nWheelTurn += event->angleDelta().y();
    for (; m_nWheelTurn >= kWheelNotch; m_nWheelTurn -= kWheelNotch)
        m_view.ZoomAbout(ClientPoint(event->position()), true);
    for (; m_nWheelTurn <= -kWheelNotch; m_nWheelTurn += kWheelNotch)
        m_view.ZoomAbout(ClientPoint(event->position()), false);
    event->accept();
}

bool CVolantorView::event(QEvent* event)
{
    if (event->type() != QEvent::NativeGesture)
        return QWidget::event(event);
    const auto* gesture = static_cast<QNativeGestureEvent*>(event);
    if (gesture->gestureType() == Qt::BeginNativeGesture)
        m_fPinch = 1.0;
    if (gesture->gestureType() == Qt::ZoomNativeGesture) {
        m_fPinch *= 1.0 + gesture->value();
        for (; m_fPinch >= kPinchIn; m_fPinch /= kPinchIn)
            m_view.ZoomAbout(ClientPoint(gesture->position()), true);
        for (; m_fPinch <= kPinchOut; m_fPinch /= kPinchOut)
            m_view.ZoomAbout(ClientPoint(gesture->position()), false);
    }
    event->accept();
    return true;
}

void CVolantorView::keyPressEvent(QKeyEvent* event)
{
    // An arrow looks further that way: the map moves the other way.
    const int across = width() / 10;
    const int down = height() / 10;
    switch (event->key()) {
    case Qt::Key_Left:
        m_view.PanBy(across, 0);
        break;
    case Qt::Key_Right:
        m_view.PanBy(-across, 0);
        break;
    case Qt::Key_Up:
        m_view.PanBy(0, down);
        break;
    case Qt::Key_Down:
        m_view.PanBy(0, -down);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

int CVolantorView::TrackPointMenu(QPoint point)
{
    QMenu menu(this);
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.menu == CommandMenu::Point)
            menu.addAction(
                    QString::fromUtf8(entry.strText.data(), static_cast<qsizetype>(entry.strText.size())))
                ->setData(entry.nId);
    }
    const QAction* chosen = menu.exec(mapToGlobal(point));
    return chosen ? chosen->data().toInt() : 0;
}
