#include "document/VehicleSettings.h"

#include <charconv>

std::optional<std::string> CheckVehicleText(std::string_view text)
{
    if (text.size() <= kMaxVehicleText)
        return std::nullopt;
    return "Vehicle: enter no more than " + std::to_string(kMaxVehicleText) + " characters.";
}

std::optional<std::string> ParseVehicleColor(int slot, std::string_view text, int& color)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kMaxColorIndex)
        return "Color " + std::to_string(slot) + ": enter a whole number between 0 and " +
               std::to_string(kMaxColorIndex) + ".";
    color = value;
    return std::nullopt;
}
