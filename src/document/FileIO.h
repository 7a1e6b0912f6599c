// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// File names travel through the program as UTF-8 text.
std::filesystem::path PathFromUtf8(const std::string& name);

// The whole content of a file, or nothing with the reason in error.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& name, std::string& error);

// Writes a file so that a failure never destroys the previous one: the bytes
// go to a new temporary file beside the target and onto the disk, and only
// then does it take the target's name. The saved file keeps the permissions
// of the one it replaces; a read-only target is refused. Other hard links to
// the target keep the old contents. A target that exists but is not a
// regular file (a device, say) is written directly. Returns false with the
// reason in error.
bool SaveFileSafely(const std::string& name, std::span<const std::uint8_t> bytes, std::string& error);

// The same for a text file, written byte for byte (line feeds stay line feeds).
bool SaveFileSafely(const std::string& name, std::string_view text, std::string& error);
