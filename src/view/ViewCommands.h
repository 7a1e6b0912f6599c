// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CVolantorDoc;
class UserInterface;

// The frame's commands that change the document's view state; each ends by
// redrawing. 3D View toggles m_b3DView, which the View menu's check mark follows.
void On3DView(CVolantorDoc& doc, UserInterface& ui);
void OnZoomIn(CVolantorDoc& doc, UserInterface& ui);
void OnZoomOut(CVolantorDoc& doc, UserInterface& ui);
