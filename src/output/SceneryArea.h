// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

class CVolantorDoc;

// One scenery area as a map draws it: the paths' box widened by the area's
// margin in degrees, an east or west edge beyond the 180th meridian brought
// back into -180..180.
struct SceneryAreaBox {
    std::string_view strName;
    double fNorth, fSouth, fEast, fWest;
};
// "Area1", "Area2" and "Header", in that order.
std::array<SceneryAreaBox, 3> SceneryAreaBoxes(const CVolantorDoc& doc);

// The scenery formats bound their areas by a west and an east longitude
// within -180..180, so an area around paths near the 180th meridian, widened
// by the header or an area margin, may not reach across it. Throws
// pattern::Refusal naming the edges when one does.
void CheckAreasInsideTheMeridian(const CVolantorDoc& doc);
