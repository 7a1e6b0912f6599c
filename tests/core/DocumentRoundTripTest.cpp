// SPDX-License-Identifier: GPL-3.0-or-later
// A saved document reopens with every saved field bit for bit, and saving
// what was reopened writes the same file again, for documents of every shape.

#include "document/VolantorDoc.h"
#include "support/DocumentBuilder.h"
#include "support/FakeUserInterface.h"
#include "support/SavedSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

// Any finite float, drawn from all bit patterns so that signed zeros,
// subnormals and the largest values turn up as well as ordinary ones.
float AnyFinite(std::mt19937& random)
{
    for (;;) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(value))
            return value;
    }
}

// Any float at all: not-a-numbers and infinities too.
float AnyBits(std::mt19937& random)
{
    return std::bit_cast<float>(static_cast<std::uint32_t>(random()));
}

// A value within magnitude limit, with the limits themselves and the zeros
// coming up often.
float Within(std::mt19937& random, float limit)
{
    switch (random() % 8) {
    case 0:
        return limit;
    case 1:
        return -limit;
    case 2:
        return -0.0f;
    case 3:
        return std::numeric_limits<float>::denorm_min();
    default:
        return std::uniform_real_distribution<float>(-limit, limit)(random);
    }
}

char AnyChar(std::mt19937& random)
{
    return static_cast<char>(random() % 256);
}

PathSample RandomSample(std::mt19937& random)
{
    PathSample s;
    // Numbers no flight has are kept as they are, like every other value.
    s.m_fField1 = AnyBits(random);
    s.m_fLat = random() % 8 ? Within(random, 90) : AnyBits(random);
    s.m_fLon = random() % 8 ? Within(random, 180) : AnyBits(random);
    s.m_fAlt = AnyFinite(random);
    s.m_fPitch = AnyFinite(random);
    s.m_fBank = AnyFinite(random);
    s.m_fHeading = AnyFinite(random);
    s.m_cGear = AnyChar(random);
    s.m_cField16 = AnyChar(random);
    s.m_cField17 = AnyChar(random);
    return s;
}

void BuildRandomDocument(CVolantorDoc& doc, std::mt19937& random)
{
    const int paths = 1 + static_cast<int>(random() % 5);
    for (int i = 0; i < paths; ++i) {
        std::vector<PathSample> samples(random() % 4 == 0 ? 0 : random() % 60);
        for (PathSample& sample : samples)
            sample = RandomSample(random);
        VehiclePath& path = AddPath(doc, samples);
        for (int& color : path.m_nColor)
            color = static_cast<int>(random());
        path.m_strVehicle.clear();
        for (std::size_t k = random() % 40; k > 0; --k)
            path.m_strVehicle += AnyChar(random);
        path.m_nDensity = static_cast<int>(random());
        path.m_nTrafficFlags = static_cast<int>(random());
    }
    doc.RecalcExtents();
}

void ExpectSameSavedFields(const CVolantorDoc& loaded, const CVolantorDoc& saved)
{
    ASSERT_EQ(loaded.m_paths.size(), saved.m_paths.size());
    for (std::size_t i = 0; i < saved.m_paths.size(); ++i) {
        const VehiclePath& a = loaded.m_paths[i];
        const VehiclePath& b = saved.m_paths[i];
        EXPECT_EQ(a.m_nColor, b.m_nColor);
        EXPECT_EQ(a.m_strVehicle, b.m_strVehicle);
        EXPECT_EQ(a.m_nDensity, b.m_nDensity);
        EXPECT_EQ(a.m_nTrafficFlags, b.m_nTrafficFlags);
        ASSERT_EQ(a.SampleCount(), b.SampleCount());
        for (int k = 0; k < b.SampleCount(); ++k) {
            const PathSample& s = loaded.m_samples[a.m_nFirstSample + k];
            const PathSample& was = saved.m_samples[b.m_nFirstSample + k];
            SCOPED_TRACE("path " + std::to_string(i) + " sample " + std::to_string(k));
            ExpectSameSavedSample(s, was);
        }
    }
}

class DocumentRoundTrip : public ::testing::Test {
protected:
    // Saves doc to a new file and opens it into loaded; returns the file's bytes.
    std::string SaveAndReopen(CVolantorDoc& from, CVolantorDoc& into)
    {
        const std::string file = dir.File("round" + std::to_string(files++) + ".vol");
        EXPECT_TRUE(from.OnSaveDocument(file)) << ui.LastText();
        EXPECT_TRUE(into.OnOpenDocument(file)) << ui.LastText();
        EXPECT_FALSE(into.IsModified());
        return TempDir::Read(file);
    }

    FakeUserInterface ui;
    TempDir dir;
    int files = 0;
};

}  // namespace

TEST_F(DocumentRoundTrip, RandomDocumentsKeepEverySavedFieldAndSaveTheSameFileAgain)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        CVolantorDoc doc(ui), loaded(ui), again(ui);
        BuildRandomDocument(doc, random);

        const std::string first = SaveAndReopen(doc, loaded);
        ExpectSameSavedFields(loaded, doc);
        const std::string second = SaveAndReopen(loaded, again);
        EXPECT_EQ(second, first);
        ExpectSameSavedFields(again, doc);
    }
}

TEST_F(DocumentRoundTrip, TrimmedPathsSettleAfterTheFirstReopen)
{
    // Trimming leaves ranges that no longer run from 0 without gaps; they are
    // written as held, renumbered on load, and from then on stay put.
    std::mt19937 random(7);
    CVolantorDoc doc(ui), loaded(ui), again(ui), third(ui);
    BuildRandomDocument(doc, random);
    std::vector<PathSample> samples(30);
    for (PathSample& sample : samples)
        sample = RandomSample(random);
    AddPath(doc, samples);
    doc.m_nSelSample = doc.m_paths.back().m_nFirstSample + 10;
    doc.OnDeleteToStart();
    ASSERT_EQ(doc.m_paths.back().SampleCount(), 20);

    SaveAndReopen(doc, loaded);
    ExpectSameSavedFields(loaded, doc);
    const std::string second = SaveAndReopen(loaded, again);
    EXPECT_EQ(SaveAndReopen(again, third), second);
    ExpectSameSavedFields(third, doc);
}
