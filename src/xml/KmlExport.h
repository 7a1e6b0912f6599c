// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CVolantorDoc;
class UserInterface;

// The document as one KML 2.2 file for a globe viewer: the three scenery
// areas as polygons and each path as a line at its altitude, the current path
// drawn apart. Samples that hold impossible numbers are left out.
std::string KmlDocument(const CVolantorDoc& doc);

// Asks for a file and writes the KML document into it.
void OnExportKml(CVolantorDoc& doc, UserInterface& ui);
