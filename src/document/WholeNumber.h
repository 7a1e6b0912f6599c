// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

// The number that is the whole of the text, read the C locale's way whatever
// the person's locale: nothing when the text is empty, holds anything more,
// or the value does not fit T.
template <typename T> std::optional<T> WholeNumber(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
