// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

class UserInterface;

// The twelve process-wide tuning values: segmentation thresholds, the margins
// of the scenery header areas, and the spacing of the view's indicator marks.
// They hold their defaults from start-up and are never saved.
extern float g_fCourseThreshold;  // fraction; the dialog shows percent
extern float g_fClimbThreshold;   // fraction; the dialog shows percent
extern float g_fYawThreshold;     // degrees
extern float g_fPitchThreshold;   // degrees
extern float g_fBankThreshold;    // degrees
extern float g_fArea1Offset;      // degrees
extern float g_fArea2Offset;      // degrees
extern float g_fHeaderOffset;     // degrees
extern int g_nAltGraySpacing;     // feet
extern int g_nAltBlueSpacing;     // feet
extern int g_nTimeGraySpacing;    // seconds
extern int g_nTimeBlueSpacing;    // seconds

void SetDefaultPreferences();

// The values as the Preferences dialog edits them: the two thresholds in percent.
struct PreferencesDialogData {
    float m_fBank = 0;
    float m_fClimb = 0;
    float m_fCourse = 0;
    float m_fPitch = 0;
    float m_fYaw = 0;
    float m_fArea1 = 0;
    float m_fArea2 = 0;
    float m_fHeader = 0;
    int m_nAltBlue = 0;
    int m_nAltGray = 0;
    int m_nTimeGray = 0;
    int m_nTimeBlue = 0;
};

PreferencesDialogData LoadPreferencesDialog();
void StorePreferencesDialog(const PreferencesDialogData& data);

// One edit of the dialog, in the order the dialog validates them, and the
// preference value it stands for.
struct PreferenceField {
    int nControlId;
    std::string_view strLabel;    // as the dialog names it in messages
    std::string_view strCliName;  // the NAME of volantor-cli's --set NAME=VALUE
    double fMin;
    double fMax;
    float PreferencesDialogData::*pFloat;  // exactly one of these pairs is set
    float* pfPreference;
    int PreferencesDialogData::*pInt;
    int* pnPreference;
    bool bPercent;  // the edit shows the fraction in percent
};
extern const std::array<PreferenceField, 12> kPreferenceFields;

const PreferenceField* FindPreferenceField(std::string_view cliName);

// Stores this one field's edit as OK stores it and leaves every other value
// as it is (the percentages would drift if they went through the dialog again).
void StorePreferenceField(const PreferenceField& field, const PreferencesDialogData& data);

// The text an edit shows for the field's current value.
std::string FormatPreferenceField(const PreferenceField& field, const PreferencesDialogData& data);

// Converts and range-checks the text of one edit into the data. Returns the
// refusal message when the text is not a number or lies outside the range.
std::optional<std::string> ParsePreferenceField(const PreferenceField& field, std::string_view text,
                                                PreferencesDialogData& data);

// The Preferences command: edit the values in the dialog, store them on OK,
// and redraw either way.
void EditPreferences(UserInterface& ui);
