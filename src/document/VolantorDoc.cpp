#include "document/VolantorDoc.h"

#include "document/UserInterface.h"
#include "processing/Geodesy.h"

namespace {

// Only the program run's first new document resets the 3D setting.
bool s_bFirstNewDocument = true;

}  // namespace

CVolantorDoc::CVolantorDoc(UserInterface& ui) : m_pUI(&ui) {}

bool CVolantorDoc::OnNewDocument()
{
    ClearContents();
    if (s_bFirstNewDocument) {
        s_bFirstNewDocument = false;
        m_b3DView = false;
    }
    m_strPathName.clear();
    m_bModified = false;
    return true;
}

void CVolantorDoc::ClearContents()
{
    m_paths.clear();
    m_samples.clear();
    m_nCurPath = -1;
    m_strBaseName.clear();
    m_fMinLat = m_fMinLon = m_fMaxLat = m_fMaxLon = 0;
    m_fCenterLat = m_fCenterLon = 0;
    m_fRefLat = m_fRefLon = m_fRefAlt = 0;
    m_fZoom = 1.0f;
    m_nOffsetX = m_nOffsetY = 0;
    m_nSelSample = 0;
}

void CVolantorDoc::RecalcExtents()
{
    // The reference point and the initial box come from the first sample of
    // the first path that has one; paths without samples are skipped.
    bool bFirstSample = true;
    GeoPoint previous{}, reference{};
    m_fTotalLength = 0;
    for (VehiclePath& path : m_paths) {
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            PathSample& sample = m_samples[j];
            const GeoPoint here = GeoPoint::At(sample.m_fLat, sample.m_fLon);
            if (j == path.m_nFirstSample)
                path.m_fMinAlt = path.m_fMaxAlt = sample.m_fAlt;
            if (bFirstSample) {
                bFirstSample = false;
                m_fMinLat = m_fMaxLat = sample.m_fLat;
                m_fMinLon = m_fMaxLon = sample.m_fLon;
                m_fMinAlt = m_fMaxAlt = sample.m_fAlt;
                m_fRefLat = sample.m_fLat;
                m_fRefLon = sample.m_fLon;
                m_fRefAlt = sample.m_fAlt;
                reference = here;
            } else {
                if (sample.m_fLat < m_fMinLat)
                    m_fMinLat = sample.m_fLat;
                if (sample.m_fLat > m_fMaxLat)
                    m_fMaxLat = sample.m_fLat;
                if (sample.m_fLon < m_fMinLon)
                    m_fMinLon = sample.m_fLon;
                if (sample.m_fLon > m_fMaxLon)
                    m_fMaxLon = sample.m_fLon;
                if (sample.m_fAlt < m_fMinAlt)
                    m_fMinAlt = sample.m_fAlt;
                if (sample.m_fAlt > m_fMaxAlt)
                    m_fMaxAlt = sample.m_fAlt;
                if (sample.m_fAlt < path.m_fMinAlt)
                    path.m_fMinAlt = sample.m_fAlt;
                if (sample.m_fAlt > path.m_fMaxAlt)
                    path.m_fMaxAlt = sample.m_fAlt;
                // The walk crosses path boundaries, so the total includes the
                // step from one path's end to the next path's start.
                m_fTotalLength = static_cast<float>(m_fTotalLength + GreatCircleDistance(previous, here));
            }
            previous = here;

            const LocalOffset offset = LocalOffsetOf(m_fRefLat, m_fRefLon, m_fRefAlt, reference, sample.m_fLat,
                                                     sample.m_fLon, sample.m_fAlt, here);
            sample.m_fX = offset.fEast;
            sample.m_fY = offset.fNorth;
            sample.m_fZ = offset.fUp;
        }
    }

    m_fTotalLength = m_fTotalLength * geodesy::kMetresToKm;
    const BoxExtents extents = BoxExtentsOf(m_fMinLat, m_fMinLon, m_fMaxLat, m_fMaxLon);
    m_fCenterLat = extents.fCenterLat;
    m_fCenterLon = extents.fCenterLon;
    m_fWidth = extents.fWidth;
    m_fHeight = extents.fHeight;
}

void CVolantorDoc::ShowCurrentPath()
{
    m_pUI->SetPaneText(2, m_nCurPath >= 0 ? "PATTERN" + std::to_string(m_nCurPath) : "No Flight Path Loaded");
}

void CVolantorDoc::OnResetView()
{
    m_fZoom = 1.0f;
    m_nOffsetX = 0;
    m_nOffsetY = 0;
    m_pUI->UpdateAllViews();
}
