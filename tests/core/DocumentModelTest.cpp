// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"
#include "processing/Geodesy.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class DocumentModel : public ::testing::Test {
protected:
    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(DocumentModel, NewDocumentIsEmptyWithDefaultViewState)
{
    AddPath(doc, {SampleAt(1, 2)});
    doc.m_fZoom = 3;
    doc.m_nOffsetX = 5;
    doc.m_nSelSample = 7;
    doc.m_fMinLat = 9;
    doc.m_fMinAlt = 100;
    doc.m_fMaxAlt = 900;
    doc.m_fWidth = doc.m_fHeight = 2000;
    doc.m_fTotalLength = 3;
    ui.panes[2] = "PATTERN0";
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_paths.empty());
    EXPECT_TRUE(doc.m_samples.empty());
    EXPECT_EQ(doc.m_nCurPath, -1);
    EXPECT_EQ(doc.m_fZoom, 1.0f);
    EXPECT_EQ(doc.m_nOffsetX, 0);
    EXPECT_EQ(doc.m_nSelSample, 0);
    EXPECT_EQ(doc.m_fMinLat, 0.0f);
    EXPECT_EQ(doc.m_fMinAlt, 0.0f);
    EXPECT_EQ(doc.m_fMaxAlt, 0.0f);
    EXPECT_EQ(doc.m_fWidth, 0.0f);
    EXPECT_EQ(doc.m_fHeight, 0.0f);
    EXPECT_EQ(doc.m_fTotalLength, 0.0f);
    EXPECT_EQ(ui.panes[2], "No Flight Path Loaded");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentModel, LaterNewDocumentsKeepThe3DView)
{
    doc.OnNewDocument();  // whichever is the program's first, this one is done
    doc.m_b3DView = true;
    doc.OnNewDocument();
    EXPECT_TRUE(doc.m_b3DView);
}

TEST_F(DocumentModel, OneSamplePathHasPointExtentsAndZeroOffsets)
{
    AddPath(doc, {SampleAt(47.5f, -122.25f, 1200)});
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLat, 47.5f);
    EXPECT_EQ(doc.m_fMaxLon, -122.25f);
    EXPECT_EQ(doc.m_fRefAlt, 1200.0f);
    EXPECT_EQ(doc.m_fWidth, 0.0f);
    EXPECT_EQ(doc.m_fHeight, 0.0f);
    EXPECT_EQ(doc.m_fTotalLength, 0.0f);
    const PathSample& s = doc.m_samples[0];
    EXPECT_EQ(s.m_fX, 0.0f);
    EXPECT_EQ(s.m_fY, 0.0f);
    EXPECT_EQ(s.m_fZ, 0.0f);
    EXPECT_EQ(doc.m_paths[0].m_fMinAlt, 1200.0f);
    EXPECT_EQ(doc.m_paths[0].m_fMaxAlt, 1200.0f);
}

TEST_F(DocumentModel, ExtentsCoverAllPathsAndOffsetsUseTheFirstSample)
{
    AddPath(doc, {SampleAt(10, 20, 1000), SampleAt(10.1f, 20, 1500), SampleAt(10.1f, 20.2f, 800)});
    AddPath(doc, {SampleAt(9.9f, 19.9f, 300)});
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLat, 9.9f);
    EXPECT_EQ(doc.m_fMaxLat, 10.1f);
    EXPECT_EQ(doc.m_fMinLon, 19.9f);
    EXPECT_EQ(doc.m_fMaxLon, 20.2f);
    EXPECT_EQ(doc.m_fMinAlt, 300.0f);
    EXPECT_EQ(doc.m_fMaxAlt, 1500.0f);
    EXPECT_EQ(doc.m_fRefLat, 10.0f);
    EXPECT_EQ(doc.m_fRefLon, 20.0f);
    EXPECT_EQ(doc.m_paths[0].m_fMinAlt, 800.0f);
    EXPECT_EQ(doc.m_paths[0].m_fMaxAlt, 1500.0f);
    EXPECT_EQ(doc.m_paths[1].m_fMinAlt, 300.0f);

    // Sample 1 lies on the reference meridian, sample 2 east of it.
    EXPECT_EQ(doc.m_samples[1].m_fX, 0.0f);
    EXPECT_EQ(doc.m_samples[1].m_fY, static_cast<float>(GreatCircleDistance(10, 20, 10.1f, 20)));
    EXPECT_EQ(doc.m_samples[2].m_fX, static_cast<float>(GreatCircleDistance(10, 20, 10, 20.2f)));
    EXPECT_LT(doc.m_samples[3].m_fX, 0);
    EXPECT_LT(doc.m_samples[3].m_fY, 0);
    EXPECT_FLOAT_EQ(doc.m_samples[3].m_fZ, -700 * 0.3048f);

    EXPECT_EQ(doc.m_fCenterLat, static_cast<float>(9.9f + (10.1f - 9.9f) * 0.5));
    EXPECT_EQ(doc.m_fWidth, static_cast<float>(GreatCircleDistance(9.9f, 19.9f, 9.9f, 20.2f)));
    EXPECT_EQ(doc.m_fHeight, static_cast<float>(GreatCircleDistance(10.1f, 19.9f, 9.9f, 19.9f)));
}

TEST_F(DocumentModel, TotalLengthIncludesTheStepBetweenPaths)
{
    AddPath(doc, {SampleAt(0, 0), SampleAt(0.01f, 0)});
    AddPath(doc, {SampleAt(0.5f, 0), SampleAt(0.51f, 0)});
    doc.RecalcExtents();
    // Summed in single precision, metres to kilometres by the float 0.001.
    float metres = 0;
    metres = static_cast<float>(metres + GreatCircleDistance(0, 0, 0.01f, 0));
    metres = static_cast<float>(metres + GreatCircleDistance(0.01f, 0, 0.5f, 0));
    metres = static_cast<float>(metres + GreatCircleDistance(0.5f, 0, 0.51f, 0));
    EXPECT_EQ(doc.m_fTotalLength, metres * 0.001f);
    EXPECT_NEAR(doc.m_fTotalLength, 0.51 * 111.137, 0.001);
}

TEST_F(DocumentModel, EmptyFirstPathDoesNotPullTheBoxToZero)
{
    AddPath(doc, {});
    AddPath(doc, {SampleAt(47.5f, -122.25f, 1000), SampleAt(47.6f, -122.2f, 2000)});
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLat, 47.5f);
    EXPECT_EQ(doc.m_fMaxLat, 47.6f);
    EXPECT_EQ(doc.m_fMinLon, -122.25f);
    EXPECT_EQ(doc.m_fMaxLon, -122.2f);
    EXPECT_EQ(doc.m_fMinAlt, 1000.0f);
    EXPECT_EQ(doc.m_fRefLat, 47.5f);
    EXPECT_EQ(doc.m_samples[0].m_fX, 0.0f);
    EXPECT_NEAR(doc.m_fHeight, 0.1 * 111137, 2);
}

TEST_F(DocumentModel, SamplesWithImpossibleNumbersStayOutOfTheExtents)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    AddPath(doc, {SampleAt(nan, 0, 0)});
    AddPath(doc, {SampleAt(95, 8, 5000), SampleAt(0.5f, 8, 1000), SampleAt(0.6f, 350, 9000),
                  SampleAt(0.6f, 8, 2000)});
    doc.m_samples[4].m_fHeading = std::numeric_limits<float>::infinity();
    AddPath(doc, {SampleAt(0.7f, 8, 1500), SampleAt(0.8f, 8, nan)});
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLat, 0.5f);
    EXPECT_EQ(doc.m_fMaxLat, 0.7f);
    EXPECT_EQ(doc.m_fMinLon, 8.0f);
    EXPECT_EQ(doc.m_fMaxLon, 8.0f);
    EXPECT_EQ(doc.m_fMinAlt, 1000.0f);
    EXPECT_EQ(doc.m_fMaxAlt, 1500.0f);
    // The reference is the first sample that holds only possible numbers.
    EXPECT_EQ(doc.m_fRefLat, 0.5f);
    EXPECT_EQ(doc.m_fRefAlt, 1000.0f);
    EXPECT_EQ(doc.m_samples[2].m_fY, 0.0f);
    EXPECT_EQ(doc.m_paths[0].m_fMinAlt, 0.0f);
    EXPECT_EQ(doc.m_paths[1].m_fMaxAlt, 1000.0f);
    EXPECT_EQ(doc.m_paths[2].m_fMinAlt, 1500.0f);
    // 0.2 degrees of latitude along one meridian, by the two possible samples.
    EXPECT_NEAR(doc.m_fTotalLength, 0.2 * 111.137, 0.001);
    for (int j : {0, 1, 3, 4, 6})
        EXPECT_TRUE(std::isnan(doc.m_samples[j].m_fX)) << j;
}

TEST_F(DocumentModel, SamplesOutsideEveryPathAreNeitherCountedNorChanged)
{
    AddPath(doc, {SampleAt(0, 0), SampleAt(1, 1), SampleAt(5, 5)});
    doc.RecalcExtents();
    const PathSample before = doc.m_samples[0];
    doc.m_paths[0].m_nFirstSample = 1;  // as Delete to Start leaves it
    doc.m_samples[0].m_fLat = -50;
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLat, 1.0f);
    EXPECT_EQ(doc.m_fRefLat, 1.0f);
    EXPECT_EQ(doc.m_samples[0].m_fX, before.m_fX);
    EXPECT_EQ(doc.m_samples[1].m_fX, 0.0f);
}

TEST_F(DocumentModel, RecalcOfAllEmptyPathsGivesZeroLength)
{
    AddPath(doc, {});
    doc.m_fTotalLength = 12;
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fTotalLength, 0.0f);
}

TEST_F(DocumentModel, LongitudesAcrossTheMeridianTakeTheNarrowerBoxAndNoSamplesChangeNothing)
{
    // -170 and 170: 20 degrees across the meridian rather than 340 the other way.
    AddPath(doc, {SampleAt(0, -170), SampleAt(0, 170)});
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLon, 170.0f);
    EXPECT_EQ(doc.m_fMaxLon, 190.0f);
    // Around the globe both ways are wider than half of it: the plain box stays,
    // and stays when no sample is left to measure.
    doc.m_paths.clear();
    AddPath(doc, {SampleAt(0, -170), SampleAt(0, -50), SampleAt(0, 70)});
    doc.RecalcExtents();
    doc.m_paths.front().m_nLastSample = -1;
    doc.RecalcExtents();
    EXPECT_EQ(doc.m_fMinLon, -170.0f);
    EXPECT_EQ(doc.m_fMaxLon, 70.0f);
}
