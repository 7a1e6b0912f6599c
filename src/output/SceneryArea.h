// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CVolantorDoc;

// The scenery formats bound their areas by a west and an east longitude
// within -180..180, so an area around paths near the 180th meridian, widened
// by the header or an area margin, may not reach across it. Throws
// pattern::Refusal naming the edges when one does.
void CheckAreasInsideTheMeridian(const CVolantorDoc& doc);
