// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"

#include "document/ImpossibleValues.h"
#include "document/UserInterface.h"
#include "processing/Geodesy.h"

#include <algorithm>
#include <limits>

namespace {

// The metre offsets of a sample that has no place on the globe.
constexpr float kNoOffset = std::numeric_limits<float>::quiet_NaN();

}  // namespace

CVolantorDoc::CVolantorDoc(UserInterface& ui) : m_pUI(&ui) {}

bool CVolantorDoc::OnNewDocument()
{
    ResetToNew();
    ShowCurrentPath();
    return true;
}

void CVolantorDoc::ResetToNew()
{
    ClearContents();
    m_strPathName.clear();
    m_history.Clear();
}

void CVolantorDoc::ClearContents()
{
    m_paths.clear();
    m_samples.clear();
    m_nCurPath = -1;
    m_strBaseName.clear();
    m_fMinLat = m_fMinLon = m_fMaxLat = m_fMaxLon = 0;
    m_fCenterLat = m_fCenterLon = 0;
    m_fMinAlt = m_fMaxAlt = 0;
    m_fRefLat = m_fRefLon = m_fRefAlt = 0;
    m_fWidth = m_fHeight = 0;
    m_fTotalLength = 0;
    ++m_nGeneration;
}

void CVolantorDoc::ReserveSamples(std::size_t more)
{
    const std::size_t needed = m_samples.size() + more;
    if (needed > m_samples.capacity())
        m_samples.reserve(std::max(needed, 2 * m_samples.capacity()));
}

int CVolantorDoc::ReferenceSample() const
{
    for (const VehiclePath& path : m_paths) {
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            if (!HoldsImpossibleNumbers(m_samples[j]))
                return j;
        }
    }
    return -1;
}

void CVolantorDoc::MeasureLongitudesTheShortWay()
{
    if (m_fMaxLon - m_fMinLon <= 180)
        return;
    // Paths on both sides of the 180th meridian: measured eastward from the
    // west edge, the box ends beyond 180 (179.9 to -179.9 becomes 179.9 to
    // 180.1), when that box is the narrower one.
    float west = 360, east = 0;
    for (const VehiclePath& path : m_paths) {
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            const PathSample& sample = m_samples[j];
            if (HoldsImpossibleNumbers(sample))
                continue;
            const float lon = sample.m_fLon < 0 ? sample.m_fLon + 360 : sample.m_fLon;
            west = std::min(west, lon);
            east = std::max(east, lon);
        }
    }
    const bool anySample = west <= east;
    if (anySample && east - west < m_fMaxLon - m_fMinLon) {
        m_fMinLon = west;
        m_fMaxLon = east;
    }
}

void CVolantorDoc::RecalcExtents()
{
    // The reference point and the initial box come from the reference sample;
    // paths without samples are skipped, and so is every sample that holds an
    // impossible number: it has no place and no offsets.
    const int referenceSample = ReferenceSample();
    GeoPoint previous{}, reference{};
    if (referenceSample >= 0) {
        const PathSample& first = m_samples[referenceSample];
        m_fMinLat = m_fMaxLat = m_fRefLat = first.m_fLat;
        m_fMinLon = m_fMaxLon = m_fRefLon = first.m_fLon;
        m_fMinAlt = m_fMaxAlt = m_fRefAlt = first.m_fAlt;
        reference = previous = GeoPoint::At(first.m_fLat, first.m_fLon);
    }
    m_fTotalLength = 0;
    for (VehiclePath& path : m_paths) {
        path.m_fMinAlt = path.m_fMaxAlt = 0;
        bool bFirstOfPath = true;
        for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
            PathSample& sample = m_samples[j];
            if (HoldsImpossibleNumbers(sample)) {
                sample.m_fX = sample.m_fY = sample.m_fZ = kNoOffset;
                continue;
            }
            if (bFirstOfPath) {
                bFirstOfPath = false;
                path.m_fMinAlt = path.m_fMaxAlt = sample.m_fAlt;
            }
            path.m_fMinAlt = std::min(path.m_fMinAlt, sample.m_fAlt);
            path.m_fMaxAlt = std::max(path.m_fMaxAlt, sample.m_fAlt);
            m_fMinLat = std::min(m_fMinLat, sample.m_fLat);
            m_fMaxLat = std::max(m_fMaxLat, sample.m_fLat);
            m_fMinLon = std::min(m_fMinLon, sample.m_fLon);
            m_fMaxLon = std::max(m_fMaxLon, sample.m_fLon);
            m_fMinAlt = std::min(m_fMinAlt, sample.m_fAlt);
            m_fMaxAlt = std::max(m_fMaxAlt, sample.m_fAlt);

            const GeoPoint here = GeoPoint::At(sample.m_fLat, sample.m_fLon);
            // The walk crosses path boundaries, so the total includes the
            // step from one path's end to the next path's start.
            if (j != referenceSample)
                m_fTotalLength = static_cast<float>(m_fTotalLength + GreatCircleDistance(previous, here));
            previous = here;

            const LocalOffset offset = LocalOffsetOf(m_fRefLat, m_fRefLon, m_fRefAlt, reference,
                                                     sample.m_fLat, sample.m_fLon, sample.m_fAlt, here);
            sample.m_fX = offset.fEast;
            sample.m_fY = offset.fNorth;
            sample.m_fZ = offset.fUp;
        }
    }

    m_fTotalLength = m_fTotalLength * geodesy::kMetresToKm;
    MeasureLongitudesTheShortWay();
    const BoxExtents extents = BoxExtentsOf(m_fMinLat, m_fMinLon, m_fMaxLat, m_fMaxLon);
    m_fCenterLat = extents.fCenterLat;
    m_fCenterLon = extents.fCenterLon;
    m_fWidth = extents.fWidth;
    m_fHeight = extents.fHeight;
}

void CVolantorDoc::Perform(std::unique_ptr<DocumentEdit> edit)
{
    const DocumentEdit& applied = *edit;
    m_history.Perform(std::move(edit), *this);
    EditApplied(applied);
}

void CVolantorDoc::OnUndo()
{
    if (const DocumentEdit* undone = m_history.Undo(*this))
        EditApplied(*undone);
}

void CVolantorDoc::OnRedo()
{
    if (const DocumentEdit* redone = m_history.Redo(*this))
        EditApplied(*redone);
}

void CVolantorDoc::EditApplied(const DocumentEdit& edit)
{
    ++m_nRevision;
    if (m_paths.empty())
        ClearContents();
    else if (edit.MovesSamples())
        RecalcExtents();
    ShowCurrentPath();
    m_pUI->UpdateAllViews();
}

void CVolantorDoc::ShowCurrentPath()
{
    m_pUI->SetPaneText(2, m_nCurPath >= 0 ? "PATTERN" + std::to_string(m_nCurPath) : "No Flight Path Loaded");
}
