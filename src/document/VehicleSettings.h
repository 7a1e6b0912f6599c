// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The vehicle that flies one path in the scenery: what the Vehicle Settings
// dialog offers and how it checks what is typed.

// The vehicle box's choices, in the sorted order the box shows them. The first
// five characters of the text are the scenery object code; a text starting
// with an upper-case 'H' is the helicopter.
inline constexpr std::array<std::string_view, 7> kVehicleChoices{
    "0FE0B - Cessna", "0FE0C - LearJet", "0FE0D - Big Jet", "0FE0E - Military Jet",
    "0FE0F - Boat",   "0FE10 - Truck",   "Helicopter (FS98)"};
inline constexpr std::size_t kMaxVehicleText = 20;

// Traffic flag bits and their check-box texts, in bit order.
inline constexpr int kAirTraffic = 1;
inline constexpr int kGroundTraffic = 2;
inline constexpr int kServiceTraffic = 4;
inline constexpr int kOutsideTraffic = 8;
inline constexpr int kKnownTrafficFlags = kAirTraffic | kGroundTraffic | kServiceTraffic | kOutsideTraffic;
inline constexpr std::array<std::string_view, 4> kTrafficFlagTexts{
    "Air Traffic", "Aircraft Ground  Traffic", "Airport Service Traffic", "Traffic Outside Airport"};

// Minimum scenery densities 0 to 4.
inline constexpr std::array<std::string_view, 5> kDensityTexts{"Very Sparse", "Sparse", "Normal", "Dense",
                                                              "Very Dense"};
inline constexpr int kMaxColorIndex = 255;

// The members the Vehicle Settings dialog edits. Check states are 0 or 1; a
// density state of 0 means that button is selected, any other value not.
struct VehicleDialogData {
    std::string m_strVehicle;
    int m_nColor0 = 0;
    int m_nColor1 = 0;
    int m_nColor2 = 0;
    int m_nColor3 = 0;
    int m_nColor4 = 0;
    int m_bAirTraffic = 0;
    int m_bGroundTraffic = 0;
    int m_bOutsideTraffic = 0;
    int m_bServiceTraffic = 0;
    int m_nDense = -1;
    int m_nNormal = -1;
    int m_nSparse = -1;
    int m_nVeryDense = -1;
    int m_nVerySparse = -1;
};

struct VehiclePath;

// The dialog's members as they open for a path: the check states from the
// flag bits, exactly one density button selected (none for a density outside
// 0 to 4).
VehicleDialogData LoadVehicleDialog(const VehiclePath& path);

// Stores the dialog's members into the path: unknown flag bits are dropped,
// and of several selected density buttons the last in the order Very Sparse
// to Very Dense wins; with none selected the density stays.
void StoreVehicleDialog(const VehicleDialogData& data, VehiclePath& path);

// The helicopter is the one vehicle whose text starts with an upper-case 'H'.
bool IsHelicopterText(std::string_view text);
// Which of the choices before the helicopter the text's object code (its first
// five characters, in any case) names; none for any other code.
std::optional<std::size_t> ObjectCodeChoice(std::string_view text);

// Whether both scenery writers fly the same object for this text: it starts
// with the upper-case 'H' of the helicopter, or its first five characters are
// the object code of a choice in any case (the compiler flies anything else
// as the Cessna while the SCASM text keeps it as typed).
bool IsKnownVehicle(std::string_view text);

// The document keeps the vehicle text as one byte per character (Latin-1).
// Converts an edited text to those bytes; returns the refusal message instead
// when it is longer than the box takes or holds a character beyond Latin-1.
std::optional<std::string> VehicleTextBytes(std::u32string_view text, std::string& bytes);

// Converts the text of colour edit 0 to 4; returns the refusal message when it
// is not a whole number from 0 to 255.
std::optional<std::string> ParseVehicleColor(int slot, std::string_view text, int& color);
