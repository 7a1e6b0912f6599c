// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"
#include "support/FakeUserInterface.h"

#include <gtest/gtest.h>

namespace {

class Preferences : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultPreferences(); }
    void TearDown() override { SetDefaultPreferences(); }

    const PreferenceField& Field(std::string_view name) { return *FindPreferenceField(name); }

    // True when the dialog accepts the text for the field.
    bool Accepts(std::string_view name, std::string_view text)
    {
        PreferencesDialogData data = LoadPreferencesDialog();
        return !ParsePreferenceField(Field(name), text, data).has_value();
    }
};

}  // namespace

TEST_F(Preferences, DefaultsAsTheDialogShowsThem)
{
    const PreferencesDialogData data = LoadPreferencesDialog();
    std::vector<std::string> shown;
    for (const PreferenceField& field : kPreferenceFields)
        shown.push_back(FormatPreferenceField(field, data));
    // In validation order: bank, climb, course, pitch, yaw, the three offsets, the four spacings.
    EXPECT_EQ(shown, (std::vector<std::string>{"25", "5", "20", "10", "10", "0", "0.05", "0.1", "500", "100",
                                               "10", "60"}));
}

TEST_F(Preferences, OkWithoutEditsKeepsAllButThePercentagesBitForBit)
{
    StorePreferencesDialog(LoadPreferencesDialog());
    EXPECT_EQ(g_fYawThreshold, 10.0f);
    EXPECT_EQ(g_fArea2Offset, 0.05f);
    EXPECT_EQ(g_fHeaderOffset, 0.1f);
    EXPECT_EQ(g_nAltBlueSpacing, 500);
    EXPECT_EQ(g_nTimeBlueSpacing, 60);
    // Percent and back in single precision.
    EXPECT_EQ(g_fCourseThreshold, 0.2f * 100 * 0.01f);
    EXPECT_EQ(g_fClimbThreshold, 0.05f * 100 * 0.01f);
}

TEST_F(Preferences, RangesAreInclusive)
{
    EXPECT_TRUE(Accepts("bank", "45"));
    EXPECT_FALSE(Accepts("bank", "46"));
    EXPECT_FALSE(Accepts("bank", "45.01"));
    EXPECT_TRUE(Accepts("course", "0"));
    EXPECT_TRUE(Accepts("climb", "100"));
    EXPECT_FALSE(Accepts("climb", "-1"));
    EXPECT_TRUE(Accepts("area1", "-180"));
    EXPECT_TRUE(Accepts("header", "180"));
    EXPECT_FALSE(Accepts("area2", "180.001"));
    EXPECT_TRUE(Accepts("alt-gray", "0"));
    EXPECT_TRUE(Accepts("time-blue", "32767"));
    EXPECT_FALSE(Accepts("time-gray", "32768"));
}

TEST_F(Preferences, TextThatIsNotANumberIsRefused)
{
    for (const char* text : {"", "abc", "1,5", "12x", "nan", "inf", "1e999"})
        EXPECT_FALSE(Accepts("yaw", text)) << text;
    for (const char* text : {"1.5", "100000", "0x10", "-5"})
        EXPECT_FALSE(Accepts("alt-blue", text)) << text;
    EXPECT_TRUE(Accepts("yaw", " 12.5 "));
    EXPECT_TRUE(Accepts("yaw", "+1e1"));
}

TEST_F(Preferences, RefusalNamesTheFieldAndItsRange)
{
    PreferencesDialogData data = LoadPreferencesDialog();
    EXPECT_EQ(ParsePreferenceField(Field("bank"), "46", data), "Bank: enter a number between 0 and 45.");
    EXPECT_EQ(ParsePreferenceField(Field("header"), "x", data), "Header: enter a number between -180 and 180.");
    EXPECT_EQ(ParsePreferenceField(Field("alt-gray"), "-1", data),
              "Altitude Gray Spacing (feet): enter a whole number between 0 and 32767.");
    EXPECT_EQ(data.m_fBank, 25.0f);
}

TEST_F(Preferences, ValidationOrderAndControlIds)
{
    std::vector<int> ids;
    for (const PreferenceField& field : kPreferenceFields)
        ids.push_back(field.nControlId);
    EXPECT_EQ(ids, (std::vector<int>{1008, 1006, 1005, 1009, 1007, 1011, 1012, 1013, 1030, 1029, 1031, 1032}));
}

TEST_F(Preferences, CommandStoresOnOkAndRedrawsEitherWay)
{
    FakeUserInterface ui;
    EditPreferences(ui);  // Cancel
    EXPECT_EQ(g_fCourseThreshold, 0.2f);
    EXPECT_EQ(ui.redraws, 1);

    PreferencesDialogData edited = LoadPreferencesDialog();
    edited.m_fCourse = 35;
    edited.m_nAltGray = 250;
    ui.preferencesEdit = edited;
    EditPreferences(ui);
    EXPECT_EQ(g_fCourseThreshold, 35 * 0.01f);
    EXPECT_EQ(g_nAltGraySpacing, 250);
    EXPECT_EQ(ui.redraws, 2);
    EXPECT_EQ(ui.dialogsRun, 2);
}
