// SPDX-License-Identifier: GPL-3.0-or-later
// Recorder logs: what each shape of log becomes; numbers read as the C library's "%f" reads them.

#include "document/ImpossibleValues.h"  // the message about impossible numbers
#include "document/RecorderLine.h"
#include "document/VolantorDoc.h"
#include "support/FakeUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <iterator>
#include <sstream>

using namespace std::string_literals;

namespace {

using Texts = std::vector<std::string>;

const std::string kHeader = "# ORVEX Flight Data Recorder version 6\n";
const std::string kH = kHeader + "b\nc\n";
const std::string kCrLf = "# orvex FLIGHT data RECORDER version 6 (b)\r\nb\r\nc\r\n1 t 1 2 3 0 0 90\r\n";

const auto Line = [](const std::string& first8) { return first8 + " 0 0 0 0 0 0 u x y\n"; };  // all 17 fields

const std::string kGood = Line("1 t 47.5 -122.25 1000 2 -1 90");
const std::string kG = "47.5 -122.25 1000 90 u";  // kGood's sample as Samples shows it
const std::string kU = "47.5 -122.25 1000 0 -";   // a sample before kGood that had no position
const Texts kInvalid{"Not a valid data file!"}, kOne{"1 Sample Points"}, kTwo{"2 Sample Points"};
const std::string kUnplacedFirst = "\n1 t nan nan nan nan nan nan\n1 t 47.6 200 1200\n";
const std::string kImpossible = Line("2 t nan -122.5 inf 1 1 -inf") + Line("3 t 90.5 180.5 1e999 1 1 92");
const Texts kNoPosition{
    "No line of the flight path file \"test.dat\" gives a position a flight can have; nothing was loaded."};
const Texts kHeld{"3 Sample Points", "2 line(s)" + kImpossibleValuesHeld +
                                         ", the first on line 5; they keep the previous line's values."};

struct LogCase {
    const char* name;
    std::string log;
    Texts messages;
    Texts samples;  // latitude, longitude, altitude, heading and gear of each sample
};

const LogCase kLogs[] = {
    {"empty file", "", {"Error Reading Header"}, {}},
    {"header only", kHeader, {"Error reading data file line 2!"}, {}},
    {"no definitions line", kHeader + "b", {"Error reading data file definitions!"}, {}},
    {"another version", "# ORVEX Flight Data Recorder version 5\nb\nc\n" + kGood, kInvalid, {}},
    {"header cut short", "# ORVEX Flight Data Recorder version\nb\nc\n", kInvalid, {}},
    {"any case, more text, CR LF", kCrLf, kOne, {"1 2 3 90 -"}},
    {"no data lines", kH, {"0 Sample Points"}, {}},
    {"short line", kH + kGood + "2 t 48 -121\n", kTwo, {kG, "48 -121 1000 90 u"}},
    {"text for a number", kH + kGood + Line("2 t 48 east 500 0 0 7"), kTwo, {kG, "48 -122.25 1000 90 u"}},
    {"NUL ends the line", kH + kGood + "2 t 48 -121\0 500 0 0 7\n"s, kTwo, {kG, "48 -121 1000 90 u"}},
    {"colon ends a number", kH + kGood + "2 t 48:5 -121\n", kTwo, {kG, "48 -122.25 1000 90 u"}},
    {"C library's reading keeps the gear", kH + kGood + "2 t 48 0x10 500\n", kTwo, {kG, "48 16 500 90 u"}},
    {"number as field 2", kH + Line("1 2 47.5 -122.25 1000 0 0 90"), kOne, {kG}},
    {"exactly 15 fields", kH + "1 t 1 2 3 0 0 90 0 0 0 0 0 0 5\n", kOne, {"1 2 3 90 5"}},
    {"megabyte line", kH + kGood.substr(0, kGood.size() - 1) + std::string(1 << 20, 'Z') + "\n", kOne, {kG}},
    {"just under a halfway", kH + Line("1 t 8.000001430511474 1 2 0 0 90"), kOne, {"8.00000095 1 2 90 u"}},
    {"zeros", kH + Line("1 t 0.000000000000000000000000000000 0e7 -0e7 0 0 90"), kOne, {"0 0 -0 90 u"}},
    {"poles and date line", kH + Line("1 t -90 -180 1300 0 0 93"), kOne, {"-90 -180 1300 93 u"}},
    {"impossible", kH + kGood + kImpossible, kHeld, {kG, "47.5 -122.5 1000 90 u", "47.5 -122.5 1000 92 u"}},
    {"unplaced first lines", kH + kUnplacedFirst + kGood, {"4 Sample Points"}, {kU, kU, kU, kG}},
    {"no position anywhere", kH + "\n1 t 47.5\n1 t nan -122 1000\n1 t 91 -122 1000\n", kNoPosition, {}},
};

Texts Samples(const CVolantorDoc& doc)
{
    Texts shown;
    for (const PathSample& s : doc.m_samples) {
        char text[128];
        std::snprintf(text, sizeof text, "%.9g %.9g %.9g %.9g %c", s.m_fLat, s.m_fLon, s.m_fAlt, s.m_fHeading,
                      s.m_cGear ? s.m_cGear : '-');
        shown.push_back(text);
    }
    return shown;
}

}  // namespace

TEST(RecorderReader, EveryShapeOfLog)
{
    for (const LogCase& c : kLogs) {
        SCOPED_TRACE(c.name);
        FakeUserInterface ui;
        CVolantorDoc doc(ui);
        std::istringstream in(c.log);
        doc.ReadFlightPath(in, "test.dat");
        EXPECT_EQ(ui.Texts(), c.messages);
        EXPECT_EQ(Samples(doc), c.samples);
        // A refused log leaves the document and the screen as they were.
        const bool loaded = ui.messages.at(0).kind == UserInterface::MessageKind::Information;
        EXPECT_EQ(doc.m_paths.size(), loaded ? 1u : 0u);
        EXPECT_EQ(doc.IsModified(), loaded);
        EXPECT_EQ(ui.redraws, loaded ? 1 : 0);
        EXPECT_EQ(ui.panes[2], loaded ? "PATTERN0" : "");
    }
}

TEST(RecorderReader, EachLogIsANewCurrentPathAfterTheOthers)
{
    TempDir dir;
    FakeUserInterface ui;
    CVolantorDoc doc(ui);
    ui.filesToOpen = {dir.Write("a.dat", kH + kGood + kGood),
                      dir.Write("b.dat", kH + Line("1 t 48 -122 9 0 0 0"))};
    doc.OnOpenFlightPath();
    doc.OnNextPath();
    doc.OnOpenFlightPath();
    doc.ReadFlightPathFile("/no/such.dat");
    EXPECT_EQ(ui.Texts(), (Texts{"2 Sample Points", "3 Sample Points",
                                 "Can't open the flight path file \"/no/such.dat\"."}));
    EXPECT_EQ(doc.m_paths.at(1).m_nFirstSample, 2);
    EXPECT_EQ(ui.panes[2], "PATTERN1");
    EXPECT_EQ(doc.m_fMaxLat, 48.0f);  // derived at once
}

TEST(RecorderLine, NumbersAreReadAsTheCLibraryReadsThem)
{
    std::istringstream listed(
        "+1 -.5 5. +0.0 -0 1E-3 2.5e+2 0001.100 12345678901234567890 1.5.3 12abc - . e5 +-1 "
        "1e 1e+ 1e+x 0x10 0X1p3 inf nan -Infinity nan(123) infinit na 1e50 -1e50 1e-50 1e-40 "
        "3.4028235e38 3.4028236e38 1.17549435e-38 1,5 5e-324 16777217 9999999.5 8388609.5 "
        "4194304.25 8388609.4999999 8388609.5000001 0.5000000298023223876953125 131072.0078125 "
        "3.14159265358979323846264338327950288419716939937510");
    std::vector<std::string> numbers{std::istream_iterator<std::string>(listed), {}};
    for (int exponent = -30; exponent <= 30; ++exponent)
        numbers.push_back("3e" + std::to_string(exponent));
    for (const std::string& number : numbers) {
        PathSample read, expected;
        read.m_fField1 = expected.m_fField1 = 101;  // kept when there is no number
        recorder::ParseSampleLine(number + " t", read);
        std::sscanf(number.c_str(), "%f", &expected.m_fField1);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(read.m_fField1),
                  std::bit_cast<std::uint32_t>(expected.m_fField1))
            << number;
    }
}
