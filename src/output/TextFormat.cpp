// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TextFormat.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace {

void AppendNumber(std::string& text, const FormatArgument& argument, int decimals)
{
    // Enough for the longest fixed-notation double with six decimals.
    std::array<char, 400> buffer;
    std::to_chars_result result;
    if (decimals < 0) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::get<int>(argument));
    } else {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::get<double>(argument),
                               std::chars_format::fixed, decimals);
    }
    text.append(buffer.data(), result.ptr);
}

}  // namespace

void AppendFormat(std::string& text, std::string_view format, std::initializer_list<FormatArgument> arguments)
{
    const FormatArgument* next = arguments.begin();
    const auto take = [&]() -> const FormatArgument& {
        if (next == arguments.end())
            throw std::logic_error("too few arguments for \"" + std::string(format) + "\"");
        return *next++;
    };
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            text += format[i];
            continue;
        }
        const std::string_view conversion = format.substr(i + 1);
        if (conversion.starts_with("d")) {
            AppendNumber(text, take(), -1);
            i += 1;
        } else if (conversion.starts_with("f")) {
            AppendNumber(text, take(), 6);
            i += 1;
        } else if (conversion.starts_with(".0f")) {
            AppendNumber(text, take(), 0);
            i += 3;
        } else if (conversion.starts_with("s")) {
            text += std::get<std::string_view>(take());
            i += 1;
        } else {
            throw std::logic_error("unknown conversion in \"" + std::string(format) + "\"");
        }
    }
    if (next != arguments.end())
        throw std::logic_error("too many arguments for \"" + std::string(format) + "\"");
}
