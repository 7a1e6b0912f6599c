// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/VehicleArguments.h"

#include "document/VehicleSettings.h"
#include "document/WholeNumber.h"

#include <climits>

namespace {

std::optional<int> NumberWithin(std::string_view text, int min, int max)
{
    const auto value = WholeNumber<int>(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::string QuotedVehicleChoices(std::string_view separator)
{
    std::string text;
    for (std::string_view choice : kVehicleChoices) {
        if (!text.empty())
            text.append(separator);
        text.append("\"").append(choice).append("\"");
    }
    return text;
}

}  // namespace

std::string VehicleArgumentHelp()
{
    // Continued lines line up with the help column of the usage text.
    constexpr std::string_view kNextLine = "\n                        ";
    std::string help = "set the current path's vehicle (at most 20 characters), one of:";
    help.append(kNextLine).append("  ").append(QuotedVehicleChoices(std::string(kNextLine) + "  "));
    help.append(kNextLine).append("or a text that starts with the code of one (its first five");
    help.append(kNextLine).append("characters, in any case), or with \"H\" for the helicopter");
    return help;
}

std::optional<std::string> CheckKnownVehicle(std::string_view typed, std::string_view bytes)
{
    if (IsKnownVehicle(bytes))
        return std::nullopt;
    std::string refusal = "unknown vehicle \"";
    refusal.append(typed).append("\": give one of ").append(QuotedVehicleChoices(", "));
    refusal.append(", or a text that starts with the code of one");
    return refusal;
}

std::optional<std::string> ParseColorsArgument(std::string_view text, std::array<int, 5>& colors)
{
    std::array<int, 5> parsed{};
    for (int slot = 0; slot < static_cast<int>(parsed.size()); ++slot) {
        const std::size_t comma = text.find(',');
        const bool lastSlot = slot + 1 == static_cast<int>(parsed.size());
        if (lastSlot != (comma == std::string_view::npos))
            return "give five colours separated by commas, as 4,5,4,3,2";
        if (auto refusal = ParseVehicleColor(slot, text.substr(0, comma), parsed[slot]))
            return refusal;
        text.remove_prefix(lastSlot ? text.size() : comma + 1);
    }
    colors = parsed;
    return std::nullopt;
}

std::optional<std::string> ParseTrafficArgument(std::string_view text, int& flags)
{
    const auto value = NumberWithin(text, 0, INT_MAX);
    if (!value)
        return "traffic flags are a whole number of bits: 1 Air Traffic, 2 Aircraft Ground Traffic, "
               "4 Airport Service Traffic, 8 Traffic Outside Airport";
    flags = *value & kKnownTrafficFlags;
    return std::nullopt;
}

std::optional<std::string> ParseDensityArgument(std::string_view text, int& density)
{
    const auto value = NumberWithin(text, 0, static_cast<int>(kDensityTexts.size()) - 1);
    if (!value)
        return "density: enter a whole number between 0 (Very Sparse) and 4 (Very Dense)";
    density = *value;
    return std::nullopt;
}
