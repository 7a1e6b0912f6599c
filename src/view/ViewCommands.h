#pragma once

class CVolantorDoc;
class UserInterface;

// The commands that change the document's view state; each ends by redrawing.
// 3D View toggles m_b3DView, which the View menu's check mark follows.
void OnResetView(CVolantorDoc& doc, UserInterface& ui);
void On3DView(CVolantorDoc& doc, UserInterface& ui);
void OnZoomIn(CVolantorDoc& doc, UserInterface& ui);
void OnZoomOut(CVolantorDoc& doc, UserInterface& ui);
