// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/FileIO.h"

#include "document/PlatformFile.h"

#include <cstdio>
#include <fstream>
#include <system_error>

std::filesystem::path PathFromUtf8(const std::string& name)
{
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& name, std::string& error)
{
    const std::filesystem::path path = PathFromUtf8(name);
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        error = "it is a folder";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "it cannot be opened";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    // One allocation for the usual case of a file that does not grow meanwhile.
    const auto size = std::filesystem::file_size(path, code);
    if (!code)
        bytes.reserve(size);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (in.bad()) {
        error = "it cannot be read";
        return std::nullopt;
    }
    return bytes;
}

namespace {

// Leftovers of saves that were cut short may hold the first names.
constexpr int kTemporaryNames = 100;

bool WriteAndClose(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    out.close();
    return !out.fail();
}

// A save replaces the file, which a plain write into a read-only file could
// not do: refuse what such a write would refuse, a file without any write
// permission or one the system will not open for writing.
bool IsWritable(const std::filesystem::path& target, std::filesystem::perms permissions)
{
    using std::filesystem::perms;
    if ((permissions & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return false;
    // Opening to append changes nothing in the file.
    return std::ofstream(target, std::ios::binary | std::ios::app).is_open();
}

struct TemporaryFile {
    std::filesystem::path path;
    std::FILE* file = nullptr;
};

// A new file beside the target, so that the rename stays on one disk. A file
// that happens to have the name is never opened: the next name is tried.
std::optional<TemporaryFile> CreateTemporaryBeside(const std::filesystem::path& target)
{
    for (int n = 1; n <= kTemporaryNames; ++n) {
        std::filesystem::path candidate = target;
        candidate += ".~" + std::to_string(n) + ".tmp";
        if (std::FILE* file = CreateNewFile(candidate))
            return TemporaryFile{candidate, file};
        std::error_code code;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, code)))
            return std::nullopt;  // free, yet it cannot be created
    }
    return std::nullopt;
}

void Discard(TemporaryFile& temporary)
{
    std::fclose(temporary.file);
    std::error_code code;
    std::filesystem::remove(temporary.path, code);
}

// The new file is no more open to others than the one it replaces, from
// before its first byte. False discards it.
bool GivePermissions(TemporaryFile& temporary, std::filesystem::perms permissions)
{
    std::error_code code;
    std::filesystem::permissions(temporary.path, permissions, code);
    if (code)
        Discard(temporary);
    return !code;
}

bool WriteToDisk(std::FILE* file, std::span<const std::uint8_t> bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return false;
    return FlushToDisk(file);
}

// Fills the temporary file and closes it; false leaves nothing behind.
bool FillTemporary(TemporaryFile& temporary, std::span<const std::uint8_t> bytes)
{
    const bool written = WriteToDisk(temporary.file, bytes);
    const bool closed = std::fclose(temporary.file) == 0;
    if (written && closed)
        return true;
    std::error_code code;
    std::filesystem::remove(temporary.path, code);
    return false;
}

const std::string kCannotWrite = "it cannot be written (is the folder writable and the disk not full?)";

// Writes a regular file, or one not there yet, through a temporary file that
// takes its name only once it is complete.
bool ReplaceThroughTemporary(const std::filesystem::path& target, const std::filesystem::file_status& status,
                             std::span<const std::uint8_t> bytes, std::string& error)
{
    const bool replacing = std::filesystem::exists(status);
    if (replacing && !IsWritable(target, status.permissions())) {
        error = "it is read-only";
        return false;
    }
    std::optional<TemporaryFile> temporary = CreateTemporaryBeside(target);
    if (!temporary) {
        error = kCannotWrite;
        return false;
    }
    if (replacing && !GivePermissions(*temporary, status.permissions())) {
        error = "its permissions cannot be kept";
        return false;
    }
    if (!FillTemporary(*temporary, bytes)) {
        error = kCannotWrite;
        return false;
    }
    std::error_code code;
    std::filesystem::rename(temporary->path, target, code);
    if (code) {
        std::filesystem::remove(temporary->path, code);
        error = "it cannot be replaced";
        return false;
    }
    return true;
}

}  // namespace

bool SaveFileSafely(const std::string& name, std::span<const std::uint8_t> bytes, std::string& error)
{
    std::filesystem::path target = PathFromUtf8(name);
    std::error_code code;
    // Saving through a link updates the file it points to and keeps the link.
    if (std::filesystem::is_symlink(target, code)) {
        const std::filesystem::path linked = std::filesystem::weakly_canonical(target, code);
        if (!code)
            target = linked;
    }
    const auto status = std::filesystem::status(target, code);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return ReplaceThroughTemporary(target, status, bytes, error);
    if (std::filesystem::is_directory(status)) {
        error = "it is a folder";
        return false;
    }
    if (!WriteAndClose(target, bytes)) {
        error = "it cannot be written";
        return false;
    }
    return true;
}

bool SaveFileSafely(const std::string& name, std::string_view text, std::string& error)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return SaveFileSafely(name, std::span<const std::uint8_t>(bytes, text.size()), error);
}
