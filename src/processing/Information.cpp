// SPDX-License-Identifier: GPL-3.0-or-later
// "Information...": area, ranges, length and elapsed time in a message box.

#include "document/FormatText.h"
#include "document/UserInterface.h"
#include "document/VolantorDoc.h"
#include "processing/Geodesy.h"

#include <algorithm>

void CVolantorDoc::OnInformation()
{
    if (m_nCurPath < 0) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    const VehiclePath& path = m_paths[m_nCurPath];
    // One sample is one second; a path without samples has taken none.
    const int seconds = std::max(path.m_nLastSample - path.m_nFirstSample, 0);

    std::string text;
    text += FormatText("Area Size: %.2f  X  %.2f (km)\n", m_fWidth * geodesy::kMetresToKm,
                       m_fHeight * geodesy::kMetresToKm);
    text += FormatText("Latitude Range: %f to %f\n", m_fMinLat, m_fMaxLat);
    // A box across the 180th meridian ends east of it, at a longitude below the start.
    text += FormatText("Longitude Range: %f to %f\n", m_fMinLon, WrappedLongitude(m_fMaxLon));
    text += FormatText("Altitude Range: %.0f to %.0f (ft)", m_fMinAlt, m_fMaxAlt);
    text += FormatText("\nPath %d of %d\n", m_nCurPath + 1, static_cast<int>(m_paths.size()));
    text += FormatText("Length of Flight Path: %.2f (km)\n", m_fTotalLength);
    text += FormatText("Elapsed Time: %d'%d\"\n", seconds / 60, seconds % 60);
    m_pUI->ShowInformation(text);
}
