// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CVolantorDoc;

// The map text for a separate map program: "R2", the three scenery areas as
// closed rings, and each path as a list of latitude and longitude points.
// "Export Map..." writes it only when no path holds an impossible number.
std::string MapText(const CVolantorDoc& doc);
