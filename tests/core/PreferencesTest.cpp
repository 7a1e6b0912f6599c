// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

struct Preferences : ::testing::Test {
    void SetUp() override { SetDefaultPreferences(); }
    void TearDown() override { SetDefaultPreferences(); }
};

// Per edit: the ends of its range, just past them, and text that is no number of its kind.
const std::pair<const char*, const char*> kAccepted[] = {
    {"bank", "45"},    {"pitch", "0"},    {"yaw", " 12.5 "},      {"yaw", "+1e1"},      {"course", "0"},
    {"climb", "100"},  {"area1", "-180"}, {"area1", "180"},       {"area2", "-180"},    {"header", "-180"},
    {"header", "180"}, {"alt-gray", "0"}, {"time-blue", "32767"}, {"alt-blue", " +7 "},
};
const std::pair<const char*, const char*> kRefused[] = {
    {"bank", "46"},      {"bank", "45.01"},      {"pitch", "-0.01"},   {"yaw", ""},
    {"yaw", "abc"},      {"yaw", "1,5"},         {"yaw", "12x"},       {"yaw", "nan"},
    {"yaw", "inf"},      {"yaw", "1e999"},       {"climb", "-1"},      {"area1", "-180.5"},
    {"area2", "-180.5"}, {"area2", "180.001"},   {"header", "-180.5"}, {"header", "180.5"},
    {"alt-gray", "-1"},  {"time-gray", "32768"}, {"alt-blue", "1.5"},  {"alt-blue", "0x10"},
};

}  // namespace

TEST_F(Preferences, EachEditTakesItsRangeAndNothingElse)
{
    PreferencesDialogData data = LoadPreferencesDialog();
    for (const auto& [field, text] : kAccepted)
        EXPECT_FALSE(ParsePreferenceField(*FindPreferenceField(field), text, data)) << field << text;
    data = LoadPreferencesDialog();
    for (const auto& [field, text] : kRefused)
        EXPECT_TRUE(ParsePreferenceField(*FindPreferenceField(field), text, data)) << field << text;
    EXPECT_EQ(ParsePreferenceField(*FindPreferenceField("bank"), "46", data),
              "Bank: enter a number between 0 and 45.");
    EXPECT_EQ(ParsePreferenceField(*FindPreferenceField("alt-gray"), "-1", data),
              "Altitude Gray Spacing (feet): enter a whole number between 0 and 32767.");
}

TEST_F(Preferences, DefaultsAsTheDialogShowsThemInValidationOrder)
{
    const PreferencesDialogData data = LoadPreferencesDialog();
    std::vector<std::string> shown;
    for (const PreferenceField& field : kPreferenceFields)
        shown.push_back(std::string(field.strCliName) + "=" + FormatPreferenceField(field, data) + " #" +
                        std::to_string(field.nControlId));
    EXPECT_EQ(shown,
              (std::vector<std::string>{"bank=25 #1008", "climb=5 #1006", "course=20 #1005", "pitch=10 #1009",
                                        "yaw=10 #1007", "area1=0 #1011", "area2=0.05 #1012",
                                        "header=0.1 #1013", "alt-blue=500 #1030", "alt-gray=100 #1029",
                                        "time-gray=10 #1031", "time-blue=60 #1032"}));
}

TEST_F(Preferences, OkStoresTheEditsCancelKeepsThemAndBothRedraw)
{
    FakeUserInterface ui;
    EditPreferences(ui);  // Cancel
    ui.preferencesEdit = LoadPreferencesDialog();
    ui.preferencesEdit->m_fCourse = 35;
    EditPreferences(ui);
    EXPECT_EQ(g_fCourseThreshold, 35 * 0.01f);
    EXPECT_EQ(g_fClimbThreshold, 0.05f * 100 * 0.01f);  // unedited: through percent and back
    EXPECT_EQ(g_fHeaderOffset, 0.1f);
    EXPECT_EQ(ui.redraws, 2);
}
