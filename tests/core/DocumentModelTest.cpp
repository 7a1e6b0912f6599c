// SPDX-License-Identifier: GPL-3.0-or-later
// What the document derives from its samples, and the Information report of it (1 degree is 111137 m).

#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Floats = std::vector<float>;

class DocumentModel : public ::testing::Test {
protected:
    std::string Report()
    {
        doc.RecalcExtents();
        ui.messages.clear();
        doc.OnInformation();
        return ui.LastText();
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(DocumentModel, ExtentsOffsetsAndLengthSkipEmptyPathsAndImpossibleSamples)
{
    AddPath(doc, {});
    AddPath(doc, {SampleAt(NAN, 8), SampleAt(0.5f, 8, 1000), SampleAt(0.6f, 8, 1500), SampleAt(95, 8, 5000)});
    AddPath(doc, {SampleAt(0.3f, 8, 300), SampleAt(0.4f, 8, 900), SampleAt(0.7f, 8, 800)});
    doc.m_samples[5].m_fHeading = INFINITY;
    doc.m_samples.push_back(SampleAt(-50, 8));  // in no path
    doc.RecalcExtents();
    // The reference is the first sample of possible numbers; the path altitudes are each path's own.
    const auto& p = doc.m_paths;
    EXPECT_EQ((Floats{doc.m_fRefLat, doc.m_fRefAlt, doc.m_fMinLat, doc.m_fMaxLat, doc.m_fMaxLon,
                      doc.m_fMinAlt, doc.m_fMaxAlt, p[0].m_fMaxAlt, p[1].m_fMinAlt, p[1].m_fMaxAlt,
                      p[2].m_fMinAlt, p[2].m_fMaxAlt}),
              (Floats{0.5f, 1000, 0.3f, 0.7f, 8, 300, 1500, 0, 1000, 1500, 300, 800}));
    const auto& s = doc.m_samples;
    EXPECT_EQ((Floats{s[1].m_fX, s[1].m_fY, s[7].m_fX}), (Floats{0, 0, 0}));
    EXPECT_NEAR(s[2].m_fY, 11113.7, 1);
    EXPECT_NEAR(s[2].m_fZ, 500 * 0.3048, 1e-3);
    EXPECT_NEAR(s[4].m_fY, -22227.4, 1);
    EXPECT_TRUE(std::isnan(s[0].m_fX) && std::isnan(s[3].m_fY) && std::isnan(s[5].m_fZ));
    // 0.5 to 0.6, on to the next path's 0.3, then to 0.7: 0.8 degrees.
    EXPECT_NEAR(doc.m_fTotalLength, 88.9096, 1e-3);
    EXPECT_NEAR(doc.m_fHeight, 44454.8, 1);
}

TEST_F(DocumentModel, InformationReportsTheWholeDocumentAndTheCurrentPath)
{
    AddPath(doc, {SampleAt(1, 2, 3)});
    doc.RecalcExtents();
    ASSERT_TRUE(doc.OnNewDocument());  // a new document is as empty as it looks
    EXPECT_EQ((Floats{doc.m_fRefLat, doc.m_fRefLon, doc.m_fRefAlt, doc.m_fMaxLat}), (Floats{0, 0, 0, 0}));
    EXPECT_EQ(ui.panes[2], "No Flight Path Loaded");
    doc.OnInformation();
    EXPECT_EQ(ui.LastText(), "Nothing loaded!");
    // West of Greenwich; 0.2 by 0.1 degrees at the equator, flown along the diagonal.
    AddPath(doc, {SampleAt(0, -0.3f, 500), SampleAt(0.1f, -0.1f, 1499.6f)});
    EXPECT_EQ(Report(), "Area Size: 22.23  X  11.11 (km)\nLatitude Range: 0.000000 to 0.100000\n"
                        "Longitude Range: -0.300000 to -0.100000\nAltitude Range: 500 to 1500 (ft)\n"
                        "Path 1 of 1\nLength of Flight Path: 24.85 (km)\nElapsed Time: 0'1\"\n");
    // The length covers every path and the steps between them; the time is the current path's.
    AddPath(doc, std::vector<PathSample>(3666, SampleAt(0, -0.2f)));
    EXPECT_TRUE(Report().ends_with("Path 2 of 2\nLength of Flight Path: 40.57 (km)\nElapsed Time: 61'5\"\n"));
    AddPath(doc, {});
    EXPECT_TRUE(Report().ends_with("Path 3 of 3\nLength of Flight Path: 40.57 (km)\nElapsed Time: 0'0\"\n"));
}

TEST_F(DocumentModel, APathAcrossThe180thMeridianIsMeasuredTheShortWay)
{
    // Half a degree of the equator, eastward across the meridian: 55568.5 m.
    AddPath(doc, {SampleAt(0, 179.75f), SampleAt(0, -179.75f)});
    EXPECT_TRUE(Report().starts_with("Area Size: 55.57  X  0.00 (km)\nLatitude Range: 0.000000 to 0.000000\n"
                                     "Longitude Range: 179.750000 to -179.750000\n"));
    // Both ways round wider than half the globe: the plain box stays, also with no sample left to measure.
    doc.m_paths.clear();
    AddPath(doc, {SampleAt(0, -170), SampleAt(0, -50), SampleAt(0, 70)});
    doc.RecalcExtents();
    doc.m_paths.front().m_nLastSample = -1;
    doc.RecalcExtents();
    EXPECT_EQ((Floats{doc.m_fMinLon, doc.m_fMaxLon}), (Floats{-170, 70}));
    // Just over half the globe one way round is just under it the other.
    doc.m_paths.clear();
    AddPath(doc, {SampleAt(0, -90.25f), SampleAt(0, 90.5f)});
    doc.RecalcExtents();
    EXPECT_EQ((Floats{doc.m_fMinLon, doc.m_fMaxLon}), (Floats{90.5f, 269.75f}));
}
