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
// go to a temporary file beside the target, which replaces the target only
// after everything was written and closed. A target that exists but is not a
// regular file (a device, say) is written directly. Returns false with the
// reason in error.
bool SaveFileSafely(const std::string& name, std::span<const std::uint8_t> bytes, std::string& error);

// The same for a text file, written byte for byte (line feeds stay line feeds).
bool SaveFileSafely(const std::string& name, std::string_view text, std::string& error);
