// SPDX-License-Identifier: GPL-3.0-or-later
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

#if defined(__SANITIZE_ADDRESS__)
#define VOLANTOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VOLANTOR_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(__linux__) && !defined(VOLANTOR_ADDRESS_SANITIZER)
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

// Lets this process take only a little more memory than it holds now, as a
// machine short of memory would. Only where the system offers an address-space
// limit and the address sanitizer, which reserves far more, is not built in.
class MemoryLimit {
public:
    static constexpr bool Available() { return true; }

    explicit MemoryLimit(rlim_t moreBytes)
    {
        getrlimit(RLIMIT_AS, &m_previous);
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        rlimit limit = m_previous;
        limit.rlim_cur =
            std::min(pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + moreBytes, m_previous.rlim_max);
        setrlimit(RLIMIT_AS, &limit);
    }
    ~MemoryLimit() { setrlimit(RLIMIT_AS, &m_previous); }
    MemoryLimit(const MemoryLimit&) = delete;
    MemoryLimit& operator=(const MemoryLimit&) = delete;

private:
    rlimit m_previous{};
};
#else
class MemoryLimit {
public:
    static constexpr bool Available() { return false; }
    explicit MemoryLimit(unsigned long) {}
};
#endif

namespace {

using Kind = UserInterface::MessageKind;

// The room a test under a memory limit leaves; its files are a quarter of it,
// their samples need more than all of it.
constexpr std::size_t kMemoryLeft = 32 << 20;

const std::string kHeader = "# ORVEX Flight Data Recorder version 6\nline two\ncolumns\n";
const std::string kGoodLine = "1 12:00:00 47.5 -122.25 1000 2 -1 90 0 0 0 0 0 0 u x y";

std::string RandomBytes(std::mt19937& random, std::size_t size)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() % 256);
    return bytes;
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
            EXPECT_FALSE(HoldsImpossibleNumbers(sample));
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

TEST_F(BadLog, BinaryGarbageAfterAGoodLineGivesOneSampleALineOfPossibleNumbers)
{
    std::mt19937 random(12);
    const std::string garbage = RandomBytes(random, 64 * 1024);
    Read(kHeader + kGoodLine + "\n" + garbage);
    ASSERT_EQ(doc.m_paths.size(), 1u);
    const auto lines = std::count(garbage.begin(), garbage.end(), '\n') + (garbage.back() != '\n');
    EXPECT_EQ(doc.m_samples.size(), static_cast<std::size_t>(lines) + 1);
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
    // A field the program does not use keeps what the line says.
    EXPECT_TRUE(std::isnan(s[4].m_fField9));
    ExpectOnlyPossibleNumbers();

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "5 Sample Points");
    EXPECT_EQ(ui.messages[1].kind, Kind::Information);
    EXPECT_EQ(ui.messages[1].text, "3 line(s)" + kImpossibleValuesHeld +
                                       ", the first on line 5; they keep the previous line's values.");
}

TEST_F(BadLog, LinesBeforeTheFirstPositionTakeThatPosition)
{
    struct Case {
        const char* name;
        std::string firstLines;
    };
    const Case cases[] = {
        {"empty first line", "\n"},
        {"first line without a longitude", "1 t 47.6\n"},
        {"first line of not-a-numbers", "1 t nan nan nan nan nan nan 0 0 0 0 0 0 u x y\n"},
        {"first line off the globe", "1 t 47.6 200 1200 1 1 1 0 0 0 0 0 0 u x y\n"},
        {"two lines without a position", "\n1 t 47.6\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        doc.OnNewDocument();
        Read(kHeader + c.firstLines + kGoodLine + "\n");
        ASSERT_EQ(ui.messages.size(), 1u);
        const PathSample& first = doc.m_samples.at(0);
        EXPECT_EQ(first.m_fLat, 47.5f);
        EXPECT_EQ(first.m_fLon, -122.25f);
        EXPECT_EQ(first.m_fAlt, 1000.0f);
        EXPECT_EQ(doc.m_fMinLat, 47.5f);
        EXPECT_EQ(doc.m_fMinAlt, 1000.0f);
        EXPECT_EQ(doc.m_fWidth, 0.0f);
        ExpectOnlyPossibleNumbers();
    }
}

TEST_F(BadLog, LogWithoutAnyPositionIsRefused)
{
    struct Case {
        const char* name;
        std::string lines;
    };
    const Case cases[] = {
        {"only empty lines", "\n\n"},
        {"only a latitude", "1 t 47.5\n"},
        {"not a number, then off the globe", "1 t nan -122 1000\n2 t 91 -122 1000\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        Read(kHeader + c.lines);
        ExpectRefusedWith("No line of the flight path file \"bad.dat\" gives a position a flight can have; "
                          "nothing was loaded.");
    }
}

TEST_F(BadLog, LogTooLargeForTheMemoryLeftIsRefused)
{
    if (!MemoryLimit::Available())
        GTEST_SKIP() << "no memory limit here";
    // Every empty line repeats the sample before it.
    const std::string log = kHeader + kGoodLine + "\n" + std::string(kMemoryLeft / 100, '\n');
    {
        MemoryLimit limit(kMemoryLeft);
        Read(log);
    }
    ExpectRefusedWith(
        "There is not enough memory to read the flight path file \"bad.dat\"; nothing was loaded.");
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

TEST_F(BadDocument, GarbageSampleRecordsLoadAsStoredAndStayOutOfTheExtents)
{
    std::mt19937 random(22);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int samples = 1 + static_cast<int>(random() % 50);
        std::string bytes = DocumentWithLatitudes(std::vector<float>(samples, 0.0f));
        const std::size_t recordsStart = bytes.size() - 31 * samples;
        const std::string garbage = RandomBytes(random, 31 * samples);
        bytes.replace(recordsStart, garbage.size(), garbage);
        ASSERT_TRUE(Open(bytes)) << ui.LastText();
        EXPECT_FALSE(doc.IsModified());
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("again.vol")));
        EXPECT_EQ(TempDir::Read(dir.File("again.vol")), bytes);
        for (float extent : {doc.m_fMinLat, doc.m_fMaxLat, doc.m_fMinLon, doc.m_fMaxLon, doc.m_fMinAlt,
                             doc.m_fMaxAlt, doc.m_fWidth, doc.m_fHeight, doc.m_fTotalLength})
            EXPECT_TRUE(std::isfinite(extent));
    }
}

TEST_F(BadDocument, ImpossibleSampleValuesOpenAsStoredAndAreReportedOnce)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // The path's last sample is one of them, and is counted too.
    const std::string bytes = DocumentWithLatitudes({47.0f, nan, 48.0f, 95.0f});
    ASSERT_TRUE(Open(bytes));
    ASSERT_EQ(doc.m_samples.size(), 4u);
    EXPECT_TRUE(std::isnan(doc.m_samples[1].m_fLat));
    EXPECT_EQ(doc.m_samples[3].m_fLat, 95.0f);
    EXPECT_EQ(doc.m_fMinLat, 47.0f);
    EXPECT_EQ(doc.m_fMaxLat, 48.0f);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].kind, Kind::Information);
    EXPECT_EQ(ui.messages[1].text,
              "2 sample(s)" + kImpossibleValuesHeld +
                  ", the first in PATTERN0 at sample 1; they are left out of the view and "
                  "no scenery is written for their paths.");
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("again.vol")));
    EXPECT_EQ(TempDir::Read(dir.File("again.vol")), bytes);

    ASSERT_TRUE(Open(DocumentWithLatitudes({47.0f, 48.0f})));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(BadDocument, LargeFilesUnderAMemoryLimitAreRefusedAndLeaveTheDocument)
{
    if (!MemoryLimit::Available())
        GTEST_SKIP() << "no memory limit here";
    const std::size_t size = kMemoryLeft / 4;
    const int count = static_cast<int>(size / 31) - 2;
    ByteWriter onePath;
    onePath.PutU16(1);
    for (int field = 0; field < 9; ++field)  // colours, vehicle text length, density, traffic, first sample
        onePath.PutI32(0);
    onePath.PutI32(count - 1);
    struct Case {
        const char* name;
        std::string bytes;
        std::string refusal;
    };
    const Case cases[] = {
        {"a file of 0x01 bytes", std::string(size, '\x01'),
         "it is not a complete Volantor document (the vehicle name of path 1 of 257 has an impossible "
         "length)."},
        {"samples that need more memory than is left", Text(onePath) + std::string(31 * count, '\0'),
         "there is not enough memory to load it."},
    };
    ASSERT_TRUE(Open(DocumentWithLatitudes({47.0f, 48.0f})));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.Write("large.vol", c.bytes);
        ui.messages.clear();
        {
            MemoryLimit limit(kMemoryLeft);
            EXPECT_FALSE(doc.OnOpenDocument(file));
        }
        EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Can't open \"" + file + "\": " + c.refusal});
        EXPECT_EQ(doc.m_samples.size(), 2u);
    }
}
