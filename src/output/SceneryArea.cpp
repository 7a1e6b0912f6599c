// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/SceneryArea.h"

#include "document/FormatText.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "output/PatternSequence.h"
#include "processing/Geodesy.h"

#include <algorithm>

void CheckAreasInsideTheMeridian(const CVolantorDoc& doc)
{
    const double widest = std::max({g_fHeaderOffset, g_fArea1Offset, g_fArea2Offset});
    // A box measured across the meridian has its east edge beyond 180.
    const double west = doc.m_fMinLon - widest, east = doc.m_fMaxLon + widest;
    if (west < -180 || east > 180)
        throw pattern::Refusal(FormatText("the scenery area reaches across the 180th meridian (longitudes %f to "
                                          "%f); a scenery file cannot hold such an area.",
                                          WrappedLongitude(west), WrappedLongitude(east)));
}

std::array<SceneryAreaBox, 3> SceneryAreaBoxes(const CVolantorDoc& doc)
{
    const auto box = [&](std::string_view name, double margin) {
        // An area across the 180th meridian keeps its corners on the globe.
        return SceneryAreaBox{name, doc.m_fMaxLat + margin, doc.m_fMinLat - margin,
                              WrappedLongitude(doc.m_fMaxLon + margin),
                              WrappedLongitude(doc.m_fMinLon - margin)};
    };
    return {box("Area1", g_fArea1Offset), box("Area2", g_fArea2Offset), box("Header", g_fHeaderOffset)};
}
