// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include "app/HelpFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A temporary tree laid out as the build lays it out: the program in bin/, the
// manual in share/doc/volantor/manual/, and a separate current folder.
struct HelpCase {
    const char* name;
    bool bHelpDocument;
    bool bManual;
    const char* expected; // relative to the tree, or empty for nothing
};

class HelpFileToOpenTest : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpFileToOpenTest, PrefersTheHelpDocumentThenTheManual)
{
    const HelpCase& row = GetParam();
    TempDir tree;
    std::filesystem::create_directories(tree.File("bin"));
    std::filesystem::create_directories(tree.File("work"));
    std::filesystem::create_directories(tree.File("share/doc/volantor/manual"));
    if (row.bHelpDocument)
        tree.Write("work/VolHelp.doc", "help");
    if (row.bManual)
        tree.Write("share/doc/volantor/manual/index.html", "<html></html>");

    const std::optional<QString> chosen =
        HelpFileToOpen(QString::fromStdString(tree.File("work")), QString::fromStdString(tree.File("bin")));

    if (*row.expected == '\0') {
        EXPECT_FALSE(chosen.has_value());
        return;
    }
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(std::filesystem::path(chosen->toStdString()), std::filesystem::path(tree.File(row.expected)));
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpFileToOpenTest,
                         ::testing::Values(HelpCase{"HelpDocumentAndManual", true, true, "work/VolHelp.doc"},
                                           HelpCase{"HelpDocumentOnly", true, false, "work/VolHelp.doc"},
                                           HelpCase{"ManualOnly", false, true,
                                                    "share/doc/volantor/manual/index.html"},
                                           HelpCase{"Neither", false, false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
