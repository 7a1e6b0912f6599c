// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// Text formatted as the C library's printf formats it in the "C" locale, so
// that the scenery and map files keep their decimal points whatever locale
// the program runs in. Understands %d, %s, %f (six decimals) and %.0f (a whole
// number, ties to even as printf rounds them); each argument must suit its
// conversion.
using FormatArgument = std::variant<int, double, std::string_view>;

void AppendFormat(std::string& text, std::string_view format,
                  std::initializer_list<FormatArgument> arguments);
