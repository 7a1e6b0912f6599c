// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RecorderLine.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

namespace {

// A sample whose every field differs from its initial value, so that a field
// the line leaves alone is seen to keep its value.
PathSample PreviousSample()
{
    PathSample s;
    s.m_fField1 = 101;
    s.m_strField2 = "prev";
    s.m_fLat = 3;
    s.m_fLon = 4;
    s.m_fAlt = 5;
    s.m_fPitch = 6;
    s.m_fBank = 7;
    s.m_fHeading = 8;
    s.m_fField9 = 9;
    s.m_fField10 = 10;
    s.m_fField11 = 11;
    s.m_fField12 = 12;
    s.m_fField13 = 13;
    s.m_fField14 = 14;
    s.m_cGear = 'G';
    s.m_cField16 = 'P';
    s.m_cField17 = 'Q';
    return s;
}

std::vector<std::uint32_t> FloatBits(const PathSample& s)
{
    std::vector<std::uint32_t> bits;
    for (float f : {s.m_fField1, s.m_fLat, s.m_fLon, s.m_fAlt, s.m_fPitch, s.m_fBank, s.m_fHeading, s.m_fField9,
                    s.m_fField10, s.m_fField11, s.m_fField12, s.m_fField13, s.m_fField14})
        bits.push_back(std::bit_cast<std::uint32_t>(f));
    return bits;
}

// Converts the line both ways from the same starting sample and compares
// every field bit for bit.
void ExpectSameAsScanf(std::string_view line)
{
    PathSample fast = PreviousSample();
    PathSample reference = PreviousSample();
    recorder::ParseSampleLine(line, fast);
    recorder::ParseSampleLineWithScanf(line, reference);
    const std::string shown = ::testing::PrintToString(std::string(line));
    EXPECT_EQ(FloatBits(fast), FloatBits(reference)) << shown;
    EXPECT_EQ(fast.m_strField2, reference.m_strField2) << shown;
    EXPECT_EQ(fast.m_cGear, reference.m_cGear) << shown;
    EXPECT_EQ(fast.m_cField16, reference.m_cField16) << shown;
    EXPECT_EQ(fast.m_cField17, reference.m_cField17) << shown;
}

PathSample Parsed(std::string_view line)
{
    PathSample sample = PreviousSample();
    recorder::ParseSampleLine(line, sample);
    return sample;
}

}  // namespace

TEST(RecorderHeader, First38CharactersIgnoringCase)
{
    EXPECT_TRUE(recorder::IsHeaderLine("# ORVEX Flight Data Recorder version 6"));
    EXPECT_TRUE(recorder::IsHeaderLine("# orvex FLIGHT data recorder VERSION 6 (build 12)\r"));
    EXPECT_FALSE(recorder::IsHeaderLine("# ORVEX Flight Data Recorder version 5"));
    EXPECT_FALSE(recorder::IsHeaderLine("# ORVEX Flight Data Recorder version"));
    EXPECT_FALSE(recorder::IsHeaderLine(""));
    EXPECT_FALSE(recorder::IsHeaderLine(" # ORVEX Flight Data Recorder version 6"));
}

TEST(RecorderLine, FullLineFillsEveryField)
{
    const PathSample s =
        Parsed("7 12:00:07 47.450001 -122.308998 1200.5 2.5 -3.25 270 9 10 11 12 13 14 up down x");
    EXPECT_EQ(s.m_fField1, 7.0f);
    EXPECT_EQ(s.m_strField2, "12:00:07");
    EXPECT_EQ(s.m_fLat, 47.450001f);
    EXPECT_EQ(s.m_fLon, -122.308998f);
    EXPECT_EQ(s.m_fAlt, 1200.5f);
    EXPECT_EQ(s.m_fPitch, 2.5f);
    EXPECT_EQ(s.m_fBank, -3.25f);
    EXPECT_EQ(s.m_fHeading, 270.0f);
    EXPECT_EQ(s.m_fField14, 14.0f);
    EXPECT_EQ(s.m_cGear, 'u');
    EXPECT_EQ(s.m_cField16, 'd');
    EXPECT_EQ(s.m_cField17, 'x');
}

TEST(RecorderLine, MissingFieldsKeepThePreviousValues)
{
    const PathSample blank = Parsed("");
    EXPECT_EQ(FloatBits(blank), FloatBits(PreviousSample()));
    EXPECT_EQ(blank.m_strField2, "prev");

    const PathSample shortLine = Parsed("1 t 20 30");
    EXPECT_EQ(shortLine.m_fLon, 30.0f);
    EXPECT_EQ(shortLine.m_fAlt, 5.0f);
    EXPECT_EQ(shortLine.m_cGear, 'G');

    // A text where a number belongs ends the conversion of the whole line.
    const PathSample stopped = Parsed("1 t 20 north 40 50 60 70 9 9 9 9 9 9 u u u");
    EXPECT_EQ(stopped.m_fLat, 20.0f);
    EXPECT_EQ(stopped.m_fLon, 4.0f);
    EXPECT_EQ(stopped.m_fAlt, 5.0f);
    EXPECT_EQ(stopped.m_cGear, 'G');
}

TEST(RecorderLine, LongTextFieldIsCutTo79Characters)
{
    const std::string longText(300, 'z');
    const PathSample s = Parsed("1 " + longText + " 2 3 4 5 6 7 0 0 0 0 0 0 " + longText + " b c");
    EXPECT_EQ(s.m_strField2, std::string(79, 'z'));
    EXPECT_EQ(s.m_fLat, 2.0f);
    EXPECT_EQ(s.m_cGear, 'z');
    EXPECT_EQ(s.m_cField17, 'c');
}

TEST(RecorderLine, ConvertsExactlyAsTheCLibraryDoes)
{
    for (const char* line : {
             "1 a 2 3 4 5 6 7 8 9 10 11 12 13 u d x",
             "  \t1\t\ta\v2\f3\r4 5 6 7 8 9 10 11 12 13 u d x\r",
             "+1 a -.5 5. .25 +0.0 -0 1e5 1E-3 2.5e+2 0001.100 12345678901234567890 3 4 u d x",
             "1.5.3 a 2", "12abc def 1 2 3", "- a 2", ". a 2", "e5 a 2", "+-1 a 2", "1e a 2",
             "1e+ a 2", "1e+x a 2", "0x10 a 0X1p3 0x1.8p1 4", "inf a nan INFINITY -Infinity nan(123) 5",
             "infinit a 2", "na a 2", "1e50 a -1e50 1e-50 1e-40 3.4028235e38 3.4028236e38 1.17549435e-38",
             "0.000000000000000000000000000000000000000000001 a 2",
             "3.14159265358979323846264338327950288419716939937510582097494459 a 1",
             "1 a 2 3 4 5 6 7 8 9 10 11 12 13 u d x extra fields here",
             "1 a 2 3 4 5 6 7 8 9 10 11 12 13", "1 a", "1", "   ", "",
             "1 a 2\0 3 4",
             "1,5 a 2,5 3",
             "16777217 a 16777219 0.1 0.2 0.3 1e-7 123456.789 9999999.5 5e-324",
         }) {
        ExpectSameAsScanf(line);
    }
    ExpectSameAsScanf(std::string_view("1 a 2\0 3 4", 10));
}

TEST(RecorderLine, RandomLinesConvertAsTheCLibraryDoes)
{
    std::mt19937 random(20261206);
    const std::string alphabet = "0123456789012345678901234567890123456789..--++eEeExXpPnNiIaAfF      \t";
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        const int length = static_cast<int>(random() % 80);
        for (int i = 0; i < length; ++i)
            line += alphabet[random() % alphabet.size()];
        ExpectSameAsScanf(line);
        if (HasFailure())
            break;
    }
}

TEST(RecorderLine, RecorderStyleNumbersConvertAsTheCLibraryDoes)
{
    std::mt19937 random(6);
    std::uniform_real_distribution<double> degrees(-180, 180);
    for (int n = 0; n < 5000; ++n) {
        char line[256];
        std::snprintf(line, sizeof line, "%d 10:%02d:%02d %.6f %.6f %.2f %.3f %.3f %.3f %.9g %g 0 0 0 0 %c d n", n,
                      n % 60, n % 59, degrees(random) / 2, degrees(random), degrees(random) * 100,
                      degrees(random) / 8, degrees(random) / 4, degrees(random) + 180, degrees(random) * 1e-6,
                      degrees(random) * 1e9, n % 3 ? 'u' : 'd');
        ExpectSameAsScanf(line);
    }
}

TEST(RecorderLine, NumbersHalfwayBetweenTwoFloatsRoundAsTheCLibraryDoes)
{
    for (const char* number : {"8388609.5", "8388610.5", "4194304.25", "4194304.75", "1048576.0625",
                               "1048577.1875", "16777217", "16777219", "33554434", "8388609.4999999",
                               "8388609.5000001", "0.5000000298023223876953125", "-8388609.5", "131072.0078125"})
        ExpectSameAsScanf(std::string(number) + " a");
}

TEST(RecorderLine, RandomDecimalsConvertAsTheCLibraryDoes)
{
    std::mt19937_64 random(42);
    for (int n = 0; n < 200000; ++n) {
        std::string number = random() % 4 ? "" : "-";
        const int whole = static_cast<int>(random() % 10);
        const int fraction = static_cast<int>(random() % 12);
        for (int i = 0; i < whole; ++i)
            number += static_cast<char>('0' + random() % 10);
        if (fraction > 0 || whole == 0)
            number += '.';
        for (int i = 0; i < fraction || (whole == 0 && i == 0); ++i)
            number += static_cast<char>('0' + random() % 10);
        PathSample sample;
        recorder::ParseSampleLine(number, sample);
        const float expected = std::strtof(number.c_str(), nullptr);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(sample.m_fField1), std::bit_cast<std::uint32_t>(expected)) << number;
    }
}
