// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ToolbarIcons.h"

#include "app/CommandTable.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>
#include <QScreen>

#include <functional>

namespace {

void DrawPage(QPainter& p)
{
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void DrawFolder(QPainter& p)
{
    p.setBrush(QColor(230, 200, 80));
    p.drawPolygon(
        QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13), QPoint(1, 13)}));
}

void DrawMagnifier(QPainter& p, bool plus)
{
    p.setBrush(Qt::white);
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(9, 9, 14, 14);
    p.setPen(Qt::black);
    p.drawLine(3, 5, 8, 5);
    if (plus)
        p.drawLine(5, 3, 5, 8);
}

void DrawReset(QPainter& p)
{
    p.drawEllipse(3, 3, 9, 9);
    p.drawLine(7, 0, 7, 14);
    p.drawLine(0, 7, 15, 7);
}

void DrawGenerate(QPainter& p)
{
    p.setPen(QPen(Qt::blue, 2));
    p.drawPolyline(QPolygon({QPoint(1, 13), QPoint(5, 4), QPoint(10, 10), QPoint(14, 2)}));
}

void DrawLoop(QPainter& p)
{
    p.setPen(QPen(Qt::darkGreen, 2));
    p.drawArc(2, 2, 11, 11, 90 * 16, 300 * 16);
    p.setPen(Qt::darkGreen);
    p.setBrush(Qt::darkGreen);
    p.drawPolygon(QPolygon({QPoint(7, 0), QPoint(11, 2), QPoint(7, 5)}));
}

void DrawArrow(QPainter& p, bool right)
{
    p.setBrush(Qt::black);
    if (right)
        p.drawPolygon(QPolygon({QPoint(3, 2), QPoint(12, 7), QPoint(3, 12)}));
    else
        p.drawPolygon(QPolygon({QPoint(12, 2), QPoint(3, 7), QPoint(12, 12)}));
}

// A hooked arrow turning back (undo) or forward (redo).
void DrawTurnArrow(QPainter& p, bool forward)
{
    if (forward) {
        p.translate(15, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(Qt::darkBlue, 2));
    p.drawArc(3, 4, 10, 9, 90 * 16, -200 * 16);
    p.setPen(Qt::darkBlue);
    p.setBrush(Qt::darkBlue);
    p.drawPolygon(QPolygon({QPoint(1, 4), QPoint(7, 1), QPoint(7, 8)}));
}

// A path's course with a vehicle on it.
void DrawReplay(QPainter& p)
{
    p.setPen(QPen(QColor(240, 128, 0), 2));
    p.drawArc(1, 3, 13, 10, 0, 360 * 16);
    p.setPen(Qt::black);
    p.setBrush(QColor(200, 0, 200));
    p.drawEllipse(9, 1, 5, 5);
}

void DrawPlay(QPainter& p)
{
    p.setBrush(Qt::darkGreen);
    p.setPen(Qt::darkGreen);
    p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(12, 7), QPoint(4, 12)}));
}

void DrawPause(QPainter& p)
{
    p.fillRect(4, 2, 3, 11, Qt::darkGreen);
    p.fillRect(9, 2, 3, 11, Qt::darkGreen);
}

void DrawCommand(QPainter& painter, int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW:
        DrawPage(painter);
        break;
    case ID_FILE_OPEN:
        DrawFolder(painter);
        break;
    case ID_VIEW_ZOOM_OUT:
        DrawMagnifier(painter, false);
        break;
    case ID_VIEW_ZOOM_IN:
        DrawMagnifier(painter, true);
        break;
    case ID_VIEW_RESET:
        DrawReset(painter);
        break;
    case ID_GENERATE_PATH:
        DrawGenerate(painter);
        break;
    case ID_FIND_LOOP_POINT:
        DrawLoop(painter);
        break;
    case ID_PREVIOUS_PATH:
        DrawArrow(painter, false);
        break;
    case ID_NEXT_PATH:
        DrawArrow(painter, true);
        break;
    case ID_EDIT_UNDO:
        DrawTurnArrow(painter, false);
        break;
    case ID_EDIT_REDO:
        DrawTurnArrow(painter, true);
        break;
    case ID_VIEW_REPLAY:
        DrawReplay(painter);
        break;
    case ID_VIEW_PLAY:
        DrawPlay(painter);
        break;
    default:
        break;
    }
}

// The picture in logical pixels, on a pixmap of the given density.
QPixmap DrawnIcon(const std::function<void(QPainter&)>& draw, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(16, 15) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    draw(painter);
    painter.end();
    return pixmap;
}

// Drawn at the density of every screen, so that it is crisp on whichever
// the window is shown, rather than enlarged from the plain picture.
QIcon IconAtEveryDensity(const std::function<void(QPainter&)>& draw)
{
    QList<qreal> ratios{1.0};
    for (const QScreen* screen : QGuiApplication::screens())
        if (!ratios.contains(screen->devicePixelRatio()))
            ratios << screen->devicePixelRatio();
    QIcon icon;
    for (const qreal ratio : ratios)
        icon.addPixmap(DrawnIcon(draw, ratio));
    return icon;
}

}  // namespace

QIcon ToolbarIcon(int commandId)
{
    return IconAtEveryDensity([commandId](QPainter& painter) { DrawCommand(painter, commandId); });
}

QIcon PauseToolbarIcon()
{
    return IconAtEveryDensity(DrawPause);
}
