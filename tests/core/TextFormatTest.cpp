// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TextFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace {

std::string Formatted(std::string_view format, std::initializer_list<FormatArgument> arguments)
{
    std::string text;
    AppendFormat(text, format, arguments);
    return text;
}

std::string Printf(const char* format, double value)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

TEST(TextFormat, FixedNumbersMatchPrintfInTheCLocale)
{
    for (double value : {0.0, -0.0, 0.5, 1.5, 2.5, -0.4, -0.5, 47.600000001490116, 47.149999998509884,
                         -122.55000000074506, 335.28000000000003, 30.479999542236328, 1e-7, 5e-7, 123456789.125,
                         -3.9, 3.4, 1e20, -1e300}) {
        EXPECT_EQ(Formatted("%f", {value}), Printf("%f", value)) << value;
        EXPECT_EQ(Formatted("%.0f", {value}), Printf("%.0f", value)) << value;
    }
}

TEST(TextFormat, MixesTextIntegersAndNumbers)
{
    EXPECT_EQ(Formatted("  Pattern( :PATTERN%d %s %d %d )\n", {12, std::string_view("0FE0B"), -3, 0}),
              "  Pattern( :PATTERN12 0FE0B -3 0 )\n");
    EXPECT_EQ(Formatted("\"%s\" 5 0 200\n", {std::string_view("Area1")}), "\"Area1\" 5 0 200\n");
    EXPECT_EQ(Formatted("%f %f\n", {47.5f, -122.25f}), "47.500000 -122.250000\n");
    EXPECT_EQ(Formatted("no conversions", {}), "no conversions");
}

TEST(TextFormat, MismatchedArgumentsAreProgrammingErrors)
{
    EXPECT_THROW(Formatted("%d %d", {1}), std::logic_error);
    EXPECT_THROW(Formatted("%d", {1, 2}), std::logic_error);
    EXPECT_THROW(Formatted("%x", {1}), std::logic_error);
    EXPECT_THROW(Formatted("%d", {1.5}), std::bad_variant_access);
}
