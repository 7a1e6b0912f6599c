// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/Preferences.h"

#include "document/UserInterface.h"
#include "document/WholeNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

float g_fCourseThreshold;
float g_fClimbThreshold;
float g_fYawThreshold;
float g_fPitchThreshold;
float g_fBankThreshold;
float g_fArea1Offset;
float g_fArea2Offset;
float g_fHeaderOffset;
int g_nAltGraySpacing;
int g_nAltBlueSpacing;
int g_nTimeGraySpacing;
int g_nTimeBlueSpacing;

void SetDefaultPreferences()
{
    g_fCourseThreshold = 0.2f;
    g_fClimbThreshold = 0.05f;
    g_fYawThreshold = 10;
    g_fPitchThreshold = 10;
    g_fBankThreshold = 25;
    g_fArea1Offset = 0;
    g_fArea2Offset = 0.05f;
    g_fHeaderOffset = 0.1f;
    g_nAltGraySpacing = 100;
    g_nAltBlueSpacing = 500;
    g_nTimeGraySpacing = 10;
    g_nTimeBlueSpacing = 60;
}

namespace {

using D = PreferencesDialogData;

constexpr PreferenceField FloatField(int id, std::string_view label, std::string_view cliName, double min,
                                     double max, float D::*member, float* preference)
{
    return {id, label, cliName, min, max, member, preference, nullptr, nullptr, false};
}

constexpr PreferenceField PercentField(int id, std::string_view label, std::string_view cliName,
                                       float D::*member, float* preference)
{
    return {id, label, cliName, 0, 100, member, preference, nullptr, nullptr, true};
}

constexpr PreferenceField IntField(int id, std::string_view label, std::string_view cliName, int D::*member,
                                   int* preference)
{
    return {id, label, cliName, 0, 32767, nullptr, nullptr, member, preference, false};
}

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n\f\v";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::string FormatNumber(double value)
{
    // At most six significant digits, as the edits show floats.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

std::string RangeMessage(const PreferenceField& field)
{
    const char* kind = field.pInt ? "a whole number" : "a number";
    return std::string(field.strLabel) + ": enter " + kind + " between " + FormatNumber(field.fMin) +
           " and " + FormatNumber(field.fMax) + ".";
}

// The edits also take a leading '+'.
template <typename T> std::optional<T> SignedWholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return WholeNumber<T>(text);
}

}  // namespace

const std::array<PreferenceField, 12> kPreferenceFields{{
    FloatField(1008, "Bank", "bank", 0, 45, &D::m_fBank, &g_fBankThreshold),
    PercentField(1006, "Climb", "climb", &D::m_fClimb, &g_fClimbThreshold),
    PercentField(1005, "Course", "course", &D::m_fCourse, &g_fCourseThreshold),
    FloatField(1009, "Pitch", "pitch", 0, 45, &D::m_fPitch, &g_fPitchThreshold),
    FloatField(1007, "Yaw", "yaw", 0, 45, &D::m_fYaw, &g_fYawThreshold),
    FloatField(1011, "Area 1", "area1", -180, 180, &D::m_fArea1, &g_fArea1Offset),
    FloatField(1012, "Area 2", "area2", -180, 180, &D::m_fArea2, &g_fArea2Offset),
    FloatField(1013, "Header", "header", -180, 180, &D::m_fHeader, &g_fHeaderOffset),
    IntField(1030, "Altitude Blue Spacing (feet)", "alt-blue", &D::m_nAltBlue, &g_nAltBlueSpacing),
    IntField(1029, "Altitude Gray Spacing (feet)", "alt-gray", &D::m_nAltGray, &g_nAltGraySpacing),
    IntField(1031, "Time Gray Spacing (seconds)", "time-gray", &D::m_nTimeGray, &g_nTimeGraySpacing),
    IntField(1032, "Time Blue Spacing (seconds)", "time-blue", &D::m_nTimeBlue, &g_nTimeBlueSpacing),
}};

PreferencesDialogData LoadPreferencesDialog()
{
    PreferencesDialogData data;
    for (const PreferenceField& field : kPreferenceFields) {
        if (field.pInt)
            data.*field.pInt = *field.pnPreference;
        else
            data.*field.pFloat = field.bPercent ? *field.pfPreference * 100 : *field.pfPreference;
    }
    return data;
}

void StorePreferenceField(const PreferenceField& field, const PreferencesDialogData& data)
{
    if (field.pInt)
        *field.pnPreference = data.*field.pInt;
    else
        *field.pfPreference = field.bPercent ? data.*field.pFloat * 0.01f : data.*field.pFloat;
}

void StorePreferencesDialog(const PreferencesDialogData& data)
{
    for (const PreferenceField& field : kPreferenceFields)
        StorePreferenceField(field, data);
}

const PreferenceField* FindPreferenceField(std::string_view cliName)
{
    const auto it = std::find_if(kPreferenceFields.begin(), kPreferenceFields.end(),
                                 [&](const PreferenceField& field) { return field.strCliName == cliName; });
    return it == kPreferenceFields.end() ? nullptr : &*it;
}

std::string FormatPreferenceField(const PreferenceField& field, const PreferencesDialogData& data)
{
    if (field.pInt)
        return std::to_string(data.*field.pInt);
    return FormatNumber(data.*field.pFloat);
}

std::optional<std::string> ParsePreferenceField(const PreferenceField& field, std::string_view text,
                                                PreferencesDialogData& data)
{
    text = Trimmed(text);
    if (field.pInt) {
        const auto value = SignedWholeNumber<long long>(text);
        if (!value || static_cast<double>(*value) < field.fMin || static_cast<double>(*value) > field.fMax)
            return RangeMessage(field);
        data.*field.pInt = static_cast<int>(*value);
        return std::nullopt;
    }
    const auto value = SignedWholeNumber<float>(text);
    if (!value || !std::isfinite(*value) || *value < field.fMin || *value > field.fMax)
        return RangeMessage(field);
    data.*field.pFloat = *value;
    return std::nullopt;
}

void EditPreferences(UserInterface& ui)
{
    PreferencesDialogData data = LoadPreferencesDialog();
    if (ui.RunDialog(data))
        StorePreferencesDialog(data);
    ui.UpdateAllViews();
}
