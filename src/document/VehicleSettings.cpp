// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/VehicleSettings.h"

#include "document/DocumentEdits.h"
#include "document/UserInterface.h"
#include "document/VehiclePath.h"
#include "document/VolantorDoc.h"
#include "document/WholeNumber.h"

#include <algorithm>
#include <memory>

namespace {

constexpr std::size_t kObjectCodeLength = 5;

bool SameObjectCode(std::string_view text, std::string_view choice)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return text.size() >= kObjectCodeLength &&
           std::equal(choice.begin(), choice.begin() + kObjectCodeLength, text.begin(),
                      [&](char a, char b) { return lower(a) == lower(b); });
}

}  // namespace

bool IsHelicopterText(std::string_view text)
{
    return text.starts_with('H');
}

std::optional<std::size_t> ObjectCodeChoice(std::string_view text)
{
    for (std::size_t k = 0; k < kVehicleChoices.size(); ++k) {
        if (!IsHelicopterText(kVehicleChoices[k]) && SameObjectCode(text, kVehicleChoices[k]))
            return k;
    }
    return std::nullopt;
}

bool IsKnownVehicle(std::string_view text)
{
    return IsHelicopterText(text) || ObjectCodeChoice(text).has_value();
}

std::optional<std::string> VehicleTextBytes(std::u32string_view text, std::string& bytes)
{
    constexpr char32_t kLastLatin1 = 0xFF;
    if (text.size() > kMaxVehicleText)
        return "Vehicle: enter no more than " + std::to_string(kMaxVehicleText) + " characters.";
    if (std::any_of(text.begin(), text.end(), [](char32_t c) { return c > kLastLatin1; }))
        return "Vehicle: enter only Western European (Latin-1) characters.";
    bytes.assign(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(), [](char32_t c) { return static_cast<char>(c); });
    return std::nullopt;
}

std::optional<std::string> ParseVehicleColor(int slot, std::string_view text, int& color)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const auto value = WholeNumber<int>(text);
    if (!value || *value < 0 || *value > kMaxColorIndex)
        return "Color " + std::to_string(slot) + ": enter a whole number between 0 and " +
               std::to_string(kMaxColorIndex) + ".";
    color = *value;
    return std::nullopt;
}

namespace {

// The density buttons' states, in density order 0 to 4.
std::array<int VehicleDialogData::*, 5> DensityStates()
{
    return {&VehicleDialogData::m_nVerySparse, &VehicleDialogData::m_nSparse, &VehicleDialogData::m_nNormal,
            &VehicleDialogData::m_nDense, &VehicleDialogData::m_nVeryDense};
}

}  // namespace

VehicleDialogData LoadVehicleDialog(const VehiclePath& path)
{
    VehicleDialogData data;
    data.m_strVehicle = path.m_strVehicle;
    data.m_bAirTraffic = (path.m_nTrafficFlags & kAirTraffic) ? 1 : 0;
    data.m_bGroundTraffic = (path.m_nTrafficFlags & kGroundTraffic) ? 1 : 0;
    data.m_bServiceTraffic = (path.m_nTrafficFlags & kServiceTraffic) ? 1 : 0;
    data.m_bOutsideTraffic = (path.m_nTrafficFlags & kOutsideTraffic) ? 1 : 0;
    data.m_nColor0 = path.m_nColor[0];
    data.m_nColor1 = path.m_nColor[1];
    data.m_nColor2 = path.m_nColor[2];
    data.m_nColor3 = path.m_nColor[3];
    data.m_nColor4 = path.m_nColor[4];
    const auto states = DensityStates();
    for (auto state : states)
        data.*state = 1;
    if (path.m_nDensity >= 0 && path.m_nDensity < static_cast<int>(states.size()))
        data.*states[path.m_nDensity] = 0;
    return data;
}

void StoreVehicleDialog(const VehicleDialogData& data, VehiclePath& path)
{
    path.m_strVehicle = data.m_strVehicle;
    path.m_nTrafficFlags =
        (data.m_bAirTraffic ? kAirTraffic : 0) | (data.m_bGroundTraffic ? kGroundTraffic : 0) |
        (data.m_bServiceTraffic ? kServiceTraffic : 0) | (data.m_bOutsideTraffic ? kOutsideTraffic : 0);
    path.m_nColor = {data.m_nColor0, data.m_nColor1, data.m_nColor2, data.m_nColor3, data.m_nColor4};
    const auto states = DensityStates();
    for (int density = 0; density < static_cast<int>(states.size()); ++density)
        if (data.*states[density] == 0)
            path.m_nDensity = density;
}

void CVolantorDoc::OnVehicleSettings()
{
    if (m_paths.empty()) {
        m_pUI->ShowFailure("Nothing loaded!");
        return;
    }
    VehiclePath path = m_paths[m_nCurPath];
    VehicleDialogData data = LoadVehicleDialog(path);
    if (!m_pUI->RunDialog(data))
        return;
    StoreVehicleDialog(data, path);
    if (!(path == m_paths[m_nCurPath]))
        Perform(std::make_unique<PathSettingsEdit>("Vehicle Settings", m_nCurPath, std::move(path)));
}
