// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The current path's vehicle settings as volantor-cli takes them, checked as
// the Vehicle Settings dialog checks its fields. Each returns the refusal
// message, or nothing with the value stored.

// The --vehicle help: the vehicle box's choices and the typed texts taken besides.
std::string VehicleArgumentHelp();
// Refuses a vehicle text (the bytes the document keeps) that the two scenery
// writers would fly as different objects; the message names the choices.
std::optional<std::string> CheckKnownVehicle(std::string_view typed, std::string_view bytes);

// "C0,C1,C2,C3,C4": five palette indices 0 to 255.
std::optional<std::string> ParseColorsArgument(std::string_view text, std::array<int, 5>& colors);
// A whole number of flag bits; only the four known bits are kept.
std::optional<std::string> ParseTrafficArgument(std::string_view text, int& flags);
// A whole number 0 (Very Sparse) to 4 (Very Dense).
std::optional<std::string> ParseDensityArgument(std::string_view text, int& density);
