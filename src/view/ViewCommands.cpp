// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ViewCommands.h"

#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "view/ViewProjection.h"

void On3DView(CVolantorDoc& doc, UserInterface& ui)
{
    doc.m_b3DView = !doc.m_b3DView;
    ui.UpdateAllViews();
}

// The pan grows by a quarter while the zoom grows by half, so a panned
// picture drifts as it zooms; the pan saturates rather than overflow.
void OnZoomIn(CVolantorDoc& doc, UserInterface& ui)
{
    doc.m_nOffsetX = ClampedCoordinate(static_cast<long long>(doc.m_nOffsetX) + doc.m_nOffsetX / 4);
    doc.m_fZoom = doc.m_fZoom * 1.5f;
    doc.m_nOffsetY = ClampedCoordinate(static_cast<long long>(doc.m_nOffsetY) + doc.m_nOffsetY / 4);
    ui.UpdateAllViews();
}

void OnZoomOut(CVolantorDoc& doc, UserInterface& ui)
{
    doc.m_nOffsetX = ClampedCoordinate(static_cast<long long>(doc.m_nOffsetX) - doc.m_nOffsetX / 4);
    doc.m_fZoom = doc.m_fZoom * 0.66f;
    doc.m_nOffsetY = ClampedCoordinate(static_cast<long long>(doc.m_nOffsetY) - doc.m_nOffsetY / 4);
    ui.UpdateAllViews();
}
