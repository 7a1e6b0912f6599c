#include "document/FileIO.h"

#include <fstream>
#include <random>
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

std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    std::random_device seed;
    std::filesystem::path temporary = target;
    temporary += ".~" + std::to_string(seed() % 1000000) + ".tmp";
    return temporary;
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
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
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

    const std::filesystem::path temporary = TemporaryBeside(target);
    if (!WriteAndClose(temporary, bytes)) {
        std::filesystem::remove(temporary, code);
        error = "it cannot be written (is the folder writable and the disk not full?)";
        return false;
    }
    std::filesystem::rename(temporary, target, code);
    if (code) {
        std::filesystem::remove(temporary, code);
        error = "it cannot be replaced";
        return false;
    }
    return true;
}

bool SaveFileSafely(const std::string& name, std::string_view text, std::string& error)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return SaveFileSafely(name, std::span<const std::uint8_t>(bytes, text.size()), error);
}
