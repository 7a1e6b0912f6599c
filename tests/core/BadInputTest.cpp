// What the program makes of logs and documents that are broken, hostile or
// strange: every one gives a clear message or a well-defined document, and
// nothing impossible gets into the extents or the outputs.

#include "document/ByteStream.h"
#include "document/ImpossibleValues.h"
#include "document/VolantorDoc.h"
#include "output/BglCompiler.h"
#include "output/MapExport.h"
#include "support/FakeUserInterface.h"
#include "support/RecorderLog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

namespace {

using Kind = UserInterface::MessageKind;

const std::string kHeader = "# ORVEX Flight Data Recorder version 6\nline two\ncolumns\n";
const std::string kGoodLine = "1 12:00:00 47.5 -122.25 1000 2 -1 90 0 0 0 0 0 0 u x y";

std::string RandomBytes(std::mt19937& random, std::size_t size)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() % 256);
    return bytes;
}

// Whether a sample holds a number the reader or the loader would replace.
bool HoldsImpossibleValues(const PathSample& sample)
{
    PathSample copy = sample;
    return ReplaceImpossibleValues(copy, PathSample());
}

class BadLog : public ::testing::Test {
protected:
    void Read(const std::string& log)
    {
        std::istringstream in(log);
        doc.ReadFlightPath(in, "bad.dat");
    }

    void ExpectRefusedWith(const std::string& message)
    {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, Kind::Failure);
        EXPECT_EQ(ui.messages[0].text, message);
        EXPECT_TRUE(doc.m_paths.empty());
        EXPECT_TRUE(doc.m_samples.empty());
    }

    // Whatever was read, the document's numbers are ones a flight can have.
    void ExpectOnlyPossibleNumbers()
    {
        for (const PathSample& sample : doc.m_samples) {
            EXPECT_FALSE(HoldsImpossibleValues(sample));
            EXPECT_TRUE(std::isfinite(sample.m_fX) && std::isfinite(sample.m_fY) &&
                        std::isfinite(sample.m_fZ));
        }
        for (float extent : {doc.m_fMinLat, doc.m_fMaxLat, doc.m_fMinLon, doc.m_fMaxLon, doc.m_fWidth,
                             doc.m_fHeight, doc.m_fTotalLength})
            EXPECT_TRUE(std::isfinite(extent));
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
};

}  // namespace

TEST_F(BadLog, EmptyFileAndHeaderOnlyAreRefused)
{
    Read("");
    ExpectRefusedWith("Error Reading Header");
    ui.messages.clear();
    Read("# ORVEX Flight Data Recorder version 6\n");
    ExpectRefusedWith("Error reading data file line 2!");
}

TEST_F(BadLog, BinaryGarbageIsNotADataFile)
{
    std::mt19937 random(11);
    for (int attempt = 0; attempt < 50; ++attempt) {
        ui.messages.clear();
        Read(RandomBytes(random, 1 + random() % 4096));
        ExpectRefusedWith("Not a valid data file!");
    }
}

TEST_F(BadLog, BinaryGarbageAfterTheHeaderGivesOneSampleALineOfPossibleNumbers)
{
    std::mt19937 random(12);
    const std::string garbage = RandomBytes(random, 64 * 1024);
    Read(kHeader + garbage);
    ASSERT_EQ(doc.m_paths.size(), 1u);
    const auto lines = std::count(garbage.begin(), garbage.end(), '\n') + (garbage.back() != '\n');
    EXPECT_EQ(doc.m_samples.size(), static_cast<std::size_t>(lines));
    ExpectOnlyPossibleNumbers();
}

TEST_F(BadLog, TenMegabyteLineIsOneSample)
{
    std::string line = "1 12:00:00 47.5 -122.25 1000 2 -1 90 0 0 0 0 0 0 u x y ";
    line.append(10 * 1024 * 1024, 'Z');
    Read(kHeader + line + "\n" + kGoodLine + "\n");
    ASSERT_EQ(doc.m_samples.size(), 2u);
    EXPECT_EQ(doc.m_samples[0].m_fLat, 47.5f);
    EXPECT_EQ(doc.m_samples[0].m_cGear, 'u');
    EXPECT_EQ(doc.m_samples[1], doc.m_samples[0]);
}

TEST_F(BadLog, NulByteEndsTheLineLikeTheCLibrary)
{
    // The C conversion sees a string that stops at the NUL, so the later
    // fields keep the previous line's values.
    std::string line = "2 12:00:01 48.5 -121";
    line += '\0';
    line += " 500 9 9 9 0 0 0 0 0 0 d x y";
    Read(kHeader + kGoodLine + "\n" + line + "\n");
    ASSERT_EQ(doc.m_samples.size(), 2u);
    const PathSample& second = doc.m_samples[1];
    EXPECT_EQ(second.m_fLat, 48.5f);
    EXPECT_EQ(second.m_fLon, -121.0f);
    EXPECT_EQ(second.m_fAlt, 1000.0f);
    EXPECT_EQ(second.m_cGear, 'u');
}

TEST_F(BadLog, NonNumericFieldStopsTheLineAndKeepsTheRest)
{
    Read(kHeader + kGoodLine + "\n2 12:00:01 48.5 east 500 9 9 9 0 0 0 0 0 0 d x y\n");
    ASSERT_EQ(doc.m_samples.size(), 2u);
    EXPECT_EQ(doc.m_samples[1].m_fLat, 48.5f);
    EXPECT_EQ(doc.m_samples[1].m_fLon, -122.25f);
    EXPECT_EQ(doc.m_samples[1].m_fAlt, 1000.0f);
    EXPECT_EQ(doc.m_samples[1].m_cGear, 'u');
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(BadLog, ImpossibleNumbersKeepThePreviousLinesValuesAndAreReported)
{
    const std::string log =
        kHeader + kGoodLine + "\n" + "2 t nan -122.3 inf 1 1 -inf 0 0 0 0 0 0 u x y\n" +  // line 5
        "3 t 47.6 -122.4 1e999 1 1 91 0 0 0 0 0 0 u x y\n" +
        "4 t 90.5 180.5 1200 1 1 92 0 0 0 0 0 0 u x y\n" + "5 t -90 -180 1300 1 1 93 nan 0 0 0 0 0 u x y\n";
    Read(log);
    ASSERT_EQ(doc.m_samples.size(), 5u);
    const auto& s = doc.m_samples;
    EXPECT_EQ(s[1].m_fLat, 47.5f);
    EXPECT_EQ(s[1].m_fLon, -122.3f);
    EXPECT_EQ(s[1].m_fAlt, 1000.0f);
    EXPECT_EQ(s[1].m_fHeading, 90.0f);
    EXPECT_EQ(s[2].m_fLat, 47.6f);
    EXPECT_EQ(s[2].m_fAlt, 1000.0f);  // 1e999 does not fit a float: infinite
    EXPECT_EQ(s[3].m_fLat, 47.6f);
    EXPECT_EQ(s[3].m_fLon, -122.4f);
    EXPECT_EQ(s[3].m_fAlt, 1200.0f);
    // The poles and the date line themselves are places a flight can be.
    EXPECT_EQ(s[4].m_fLat, -90.0f);
    EXPECT_EQ(s[4].m_fLon, -180.0f);
    EXPECT_EQ(s[4].m_fField9, 0.0f);
    ExpectOnlyPossibleNumbers();

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "5 Sample Points");
    EXPECT_EQ(ui.messages[1].kind, Kind::Information);
    EXPECT_EQ(ui.messages[1].text, "4 line(s)" + kImpossibleValuesHeld +
                                       ", the first on line 5; they keep the previous line's values.");
}

TEST_F(BadLog, ImpossibleFirstLineFallsBackToZero)
{
    Read(kHeader + "1 t nan nan nan nan nan nan 0 0 0 0 0 0 u x y\n" + kGoodLine + "\n");
    ASSERT_EQ(doc.m_samples.size(), 2u);
    EXPECT_EQ(doc.m_samples[0].m_fLat, 0.0f);
    EXPECT_EQ(doc.m_samples[0].m_fAlt, 0.0f);
    EXPECT_EQ(doc.m_samples[1].m_fLat, 47.5f);
    ExpectOnlyPossibleNumbers();
}

TEST_F(BadLog, OutputsOfAnImpossibleLogAreWellDefined)
{
    Read(kHeader + kGoodLine + "\n2 t nan inf -inf nan nan nan 0 0 0 0 0 0 u x y\n" + kGoodLine + "\n");
    doc.OnGeneratePath();
    std::string scasm;
    ASSERT_TRUE(doc.WriteScasmSource(scasm));
    EXPECT_EQ(scasm.find("nan"), std::string::npos);
    EXPECT_EQ(scasm.find("inf"), std::string::npos);
    std::string refusal;
    EXPECT_TRUE(CompileBgl(doc, refusal)) << refusal;
    EXPECT_EQ(MapText(doc).find("nan"), std::string::npos);
}

namespace {

class BadDocument : public ::testing::Test {
protected:
    // Opens the bytes as a document file; returns whether it was taken.
    bool Open(const std::string& bytes)
    {
        ui.messages.clear();
        return doc.OnOpenDocument(dir.Write("bad.vol", bytes));
    }

    void ExpectRefused(const std::string& bytes)
    {
        EXPECT_FALSE(Open(bytes));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, Kind::Failure);
        EXPECT_NE(ui.messages[0].text.find("it is not a complete Volantor document"), std::string::npos)
            << ui.messages[0].text;
        EXPECT_TRUE(doc.m_paths.empty());
    }

    static std::string Text(const ByteWriter& writer)
    {
        return std::string(writer.Bytes().begin(), writer.Bytes().end());
    }

    FakeUserInterface ui;
    CVolantorDoc doc{ui};
    TempDir dir;
};

// One path whose samples hold the given latitudes, everything else ordinary.
std::string DocumentWithLatitudes(const std::vector<float>& latitudes)
{
    ByteWriter w;
    w.PutU16(1);
    for (int color : VehiclePath::kDefaultColors)
        w.PutI32(color);
    w.PutI32(5);
    w.PutText("0FE0B");
    w.PutI32(0);
    w.PutI32(3);
    w.PutI32(0);
    w.PutI32(static_cast<std::int32_t>(latitudes.size()) - 1);
    for (float lat : latitudes) {
        for (float value : {1.0f, lat, -122.0f, 500.0f, 0.0f, 0.0f, 90.0f})
            w.PutF32(value);
        w.PutChar('d');
        w.PutChar('x');
        w.PutChar('y');
    }
    return std::string(w.Bytes().begin(), w.Bytes().end());
}

}  // namespace

TEST_F(BadDocument, EveryCountAtItsMaximumIsRefusedAtOnce)
{
    ByteWriter w;
    w.PutU16(0xFFFF);
    for (int field = 0; field < 10; ++field)
        w.PutI32(INT_MAX);
    ExpectRefused(Text(w));
}

TEST_F(BadDocument, RecorderLogOpenedAsADocumentIsRefused)
{
    ExpectRefused(RecorderLog({{47.5f, -122.25f, 1000}, {47.6f, -122.25f, 1100}}));
}

TEST_F(BadDocument, BinaryGarbageIsRefused)
{
    std::mt19937 random(21);
    for (int attempt = 0; attempt < 200; ++attempt)
        ExpectRefused(RandomBytes(random, random() % 2048));
}

TEST_F(BadDocument, GarbageSampleRecordsLoadWithPossibleNumbersOnly)
{
    std::mt19937 random(22);
    int repaired = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int samples = 1 + static_cast<int>(random() % 50);
        std::string bytes = DocumentWithLatitudes(std::vector<float>(samples, 0.0f));
        const std::size_t recordsStart = bytes.size() - 31 * samples;
        const std::string garbage = RandomBytes(random, 31 * samples);
        bytes.replace(recordsStart, garbage.size(), garbage);
        ASSERT_TRUE(Open(bytes)) << ui.LastText();
        for (const PathSample& sample : doc.m_samples)
            EXPECT_FALSE(HoldsImpossibleValues(sample));
        repaired += doc.IsModified();
    }
    // Random latitudes are nearly always off the globe.
    EXPECT_GT(repaired, 90);
}

TEST_F(BadDocument, ImpossibleSampleValuesAreRepairedAndLeaveTheDocumentToSave)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(Open(DocumentWithLatitudes({47.0f, nan, 95.0f, 48.0f})));
    ASSERT_EQ(doc.m_samples.size(), 4u);
    EXPECT_EQ(doc.m_samples[1].m_fLat, 47.0f);
    EXPECT_EQ(doc.m_samples[2].m_fLat, 47.0f);
    EXPECT_EQ(doc.m_fMaxLat, 48.0f);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text,
              "2 sample(s)" + kImpossibleValuesHeld + "; they keep the previous sample's values.");

    ASSERT_TRUE(Open(DocumentWithLatitudes({47.0f, 48.0f})));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ui.messages.size(), 1u);
}
