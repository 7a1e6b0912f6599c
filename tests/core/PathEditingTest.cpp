// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

class PathEditing : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }

    // A path of n samples heading north in steps of about 11 m, looping back
    // so that its sample `back` lies on its first one.
    VehiclePath& AddLoop(int n, int back)
    {
        std::vector<PathSample> samples;
        for (int i = 0; i < n; ++i) {
            const int step = i <= back ? (i < back / 2 ? i : back - i) : i - back + 50;
            samples.push_back(SampleAt(47.0f + step * 0.0001f, 8.0f + (i < back / 2 ? 0 : 0.0002f), 1000));
        }
        samples[back] = samples[0];
        samples[back].m_fHeading = 123;
        VehiclePath& path = AddPath(doc, samples);
        doc.RecalcExtents();
        return path;
    }

    void Segment(int from, int to)
    {
        doc.m_samples[from].m_nSegKind = 2;
        doc.m_samples[from].m_nSegEnd = to;
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(PathEditing, LoopQuestionMarksBothSamplesAndYesTrimsTheRange)
{
    AddPath(doc, {SampleAt(0, 0)});
    AddLoop(60, 40);
    const int first = doc.m_paths[1].m_nFirstSample;
    Segment(first + 45, first + 55);
    ui.answers.push_back(true);
    doc.OnFindLoopPoint();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "Create Loop From 1 to 41?");
    const VehiclePath& path = doc.m_paths[1];
    EXPECT_EQ(path.m_nFirstSample, 1);
    EXPECT_EQ(path.m_nLastSample, 41);
    EXPECT_FALSE(doc.m_samples[1].m_bMarked);
    EXPECT_FALSE(doc.m_samples[41].m_bMarked);
    // Only position moves onto the first sample; the attitude stays.
    EXPECT_EQ(doc.m_samples[41].m_fLat, doc.m_samples[1].m_fLat);
    EXPECT_EQ(doc.m_samples[41].m_fHeading, 123.0f);
    // Segments that could reach past the new range are gone.
    EXPECT_EQ(doc.m_samples[first + 45].m_nSegKind, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ui.redraws, 2);
}

TEST_F(PathEditing, SamplesAreMarkedOnlyWhileTheQuestionIsOpen)
{
    AddLoop(60, 40);
    class Watching : public FakeUserInterface {
    public:
        explicit Watching(const CVolantorDoc*& doc) : m_doc(doc) {}
        bool AskYesNo(const std::string& question) override
        {
            markedWhileAsked = m_doc->m_samples[0].m_bMarked && m_doc->m_samples[40].m_bMarked;
            return FakeUserInterface::AskYesNo(question);
        }
        bool markedWhileAsked = false;

    private:
        const CVolantorDoc*& m_doc;
    };
    const CVolantorDoc* watched = nullptr;
    Watching watching(watched);
    CVolantorDoc other(watching);
    other.m_paths = doc.m_paths;
    other.m_samples = doc.m_samples;
    other.m_nCurPath = 0;
    watched = &other;
    const auto before = other.m_samples;
    other.OnFindLoopPoint();  // answered No
    EXPECT_TRUE(watching.markedWhileAsked);
    EXPECT_EQ(other.m_samples, before);
    EXPECT_EQ(other.m_paths[0].m_nLastSample, 59);
    EXPECT_FALSE(other.IsModified());
}

TEST_F(PathEditing, NoLoopCandidateChangesNothing)
{
    AddPath(doc, std::vector<PathSample>(21, SampleAt(1, 1)));
    const auto before = doc.m_samples;
    doc.OnFindLoopPoint();
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"No loop point found!"});
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(doc.m_samples, before);

    CVolantorDoc empty(ui);
    empty.OnFindLoopPoint();
    EXPECT_EQ(ui.LastText(), "No path loaded!");
}

TEST_F(PathEditing, EndMatchStartMovesPositionAndHeadingOnYes)
{
    std::vector<PathSample> samples{SampleAt(1, 2, 300), SampleAt(1.1f, 2, 400), SampleAt(1.2f, 2.1f, 500)};
    samples[0].m_fHeading = 90;
    samples[2].m_fPitch = 4;
    AddPath(doc, samples);
    doc.OnMakeEndMatchStart();  // No
    EXPECT_EQ(doc.m_samples[2].m_fLat, 1.2f);
    ui.answers.push_back(true);
    doc.OnMakeEndMatchStart();
    EXPECT_EQ(ui.questions.back(), "Make end point match first point?");
    EXPECT_EQ(doc.m_samples[2].m_fLat, 1.0f);
    EXPECT_EQ(doc.m_samples[2].m_fLon, 2.0f);
    EXPECT_EQ(doc.m_samples[2].m_fAlt, 300.0f);
    EXPECT_EQ(doc.m_samples[2].m_fHeading, 90.0f);
    EXPECT_EQ(doc.m_samples[2].m_fPitch, 4.0f);
    EXPECT_EQ(doc.m_fMaxLat, 1.1f);

    CVolantorDoc empty(ui);
    empty.OnMakeEndMatchStart();
    EXPECT_EQ(ui.LastText(), "Nothing loaded!");
}

TEST_F(PathEditing, TrimsNarrowTheRangeKeepTheSamplesAndClearStaleSegments)
{
    AddPath(doc, {SampleAt(0, 0), SampleAt(1, 1), SampleAt(2, 2), SampleAt(3, 3)});
    AddPath(doc, {SampleAt(9, 9), SampleAt(10, 10)});
    Segment(0, 3);
    Segment(4, 5);
    // Trims at a path's own ends change nothing and keep its segments.
    doc.m_nSelSample = 3;
    doc.OnDeleteToEnd();
    doc.m_nSelSample = 4;
    doc.OnDeleteToStart();
    EXPECT_EQ(doc.m_samples[0].m_nSegKind, 2);
    EXPECT_EQ(doc.m_samples[4].m_nSegKind, 2);
    EXPECT_FALSE(doc.IsModified());

    doc.m_nSelSample = 1;
    doc.OnDeleteToStart();
    EXPECT_EQ(doc.m_paths[0].m_nFirstSample, 1);
    EXPECT_EQ(doc.m_samples.size(), 6u);
    EXPECT_EQ(doc.m_fMinLat, 1.0f);
    EXPECT_EQ(doc.m_samples[0].m_nSegKind, 0);
    EXPECT_EQ(doc.m_samples[4].m_nSegKind, 2);  // the other path keeps its segments

    doc.m_nSelSample = 1;
    doc.OnDeleteToEnd();  // on the path's first sample: one sample left
    EXPECT_EQ(doc.m_paths[0].m_nFirstSample, 1);
    EXPECT_EQ(doc.m_paths[0].m_nLastSample, 1);
    EXPECT_EQ(doc.m_fMaxLat, 10.0f);
    EXPECT_TRUE(doc.IsModified());

    // A sample outside every path changes nothing.
    doc.m_nSelSample = 0;
    doc.OnDeleteToStart();
    EXPECT_EQ(doc.m_paths[0].m_nFirstSample, 1);
}

TEST_F(PathEditing, NextAndPreviousWrapAround)
{
    AddPath(doc, {SampleAt(0, 0)});
    AddPath(doc, {SampleAt(1, 1)});
    AddPath(doc, {SampleAt(2, 2)});
    doc.OnNextPath();
    EXPECT_EQ(doc.m_nCurPath, 0);
    EXPECT_EQ(ui.panes[2], "PATTERN0");
    doc.OnPreviousPath();
    EXPECT_EQ(doc.m_nCurPath, 2);
    EXPECT_EQ(ui.panes[2], "PATTERN2");
    doc.OnPreviousPath();
    EXPECT_EQ(ui.panes[2], "PATTERN1");

    CVolantorDoc empty(ui);
    ui.panes.clear();
    empty.OnNextPath();
    empty.OnPreviousPath();
    EXPECT_TRUE(ui.panes.empty());
    EXPECT_EQ(empty.m_nCurPath, -1);
}

TEST_F(PathEditing, DeleteRecomputesAndFollowsWithPaneTwo)
{
    AddPath(doc, {SampleAt(0, 0)});
    AddPath(doc, {SampleAt(5, 5)});
    doc.RecalcExtents();
    doc.OnDeletePath();  // the last in the list: the previous one becomes current
    EXPECT_EQ(doc.m_paths.size(), 1u);
    EXPECT_EQ(doc.m_nCurPath, 0);
    EXPECT_EQ(doc.m_fMaxLat, 0.0f);
    EXPECT_EQ(ui.panes[2], "PATTERN0");
    EXPECT_EQ(doc.m_samples.size(), 2u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(PathEditing, DeletingTheLastPathLeavesAnEmptyDocumentThatKeepsThe3DView)
{
    AddPath(doc, {SampleAt(3, 3)});
    doc.RecalcExtents();
    doc.m_b3DView = true;
    doc.m_fZoom = 4;
    doc.OnDeletePath();
    EXPECT_TRUE(doc.m_paths.empty());
    EXPECT_TRUE(doc.m_samples.empty());
    EXPECT_EQ(doc.m_nCurPath, -1);
    EXPECT_EQ(doc.m_fMaxLat, 0.0f);
    EXPECT_EQ(doc.m_fZoom, 1.0f);
    EXPECT_TRUE(doc.m_b3DView);
    EXPECT_EQ(ui.panes[2], "No Flight Path Loaded");
    // Nothing is left that a save could write.
    EXPECT_FALSE(doc.IsModified());
}
