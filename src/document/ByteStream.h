// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Little-endian bytes written and read one field at a time, so that a file
// layout can be held against the code line by line, whatever the machine.
class ByteWriter {
public:
    void PutU8(std::uint8_t value) { m_bytes.push_back(value); }
    void PutU16(std::uint16_t value)
    {
        PutU8(static_cast<std::uint8_t>(value));
        PutU8(static_cast<std::uint8_t>(value >> 8));
    }
    void PutU32(std::uint32_t value)
    {
        PutU16(static_cast<std::uint16_t>(value));
        PutU16(static_cast<std::uint16_t>(value >> 16));
    }
    void PutI16(std::int16_t value) { PutU16(static_cast<std::uint16_t>(value)); }
    void PutI32(std::int32_t value) { PutU32(static_cast<std::uint32_t>(value)); }
    void PutF32(float value) { PutU32(std::bit_cast<std::uint32_t>(value)); }
    void PutChar(char value) { PutU8(static_cast<std::uint8_t>(value)); }
    void PutText(std::string_view text)
    {
        for (char c : text)
            PutChar(c);
    }
    void PutBytes(std::span<const std::uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    // Overwrites two bytes already written, for values known only later.
    void PatchU16(std::size_t offset, std::uint16_t value)
    {
        m_bytes.at(offset) = static_cast<std::uint8_t>(value);
        m_bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
    }

    std::size_t Size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads fields back from a byte span. Reading past the end throws
// ByteReader::Truncated, so a short file can never be read as data.
class ByteReader {
public:
    struct Truncated : std::runtime_error {
        Truncated() : std::runtime_error("the file ends too early") {}
    };

    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t GetU8()
    {
        Require(1);
        return m_bytes[m_offset++];
    }
    std::uint16_t GetU16() { return static_cast<std::uint16_t>(GetLittleEndian(2)); }
    std::uint32_t GetU32() { return static_cast<std::uint32_t>(GetLittleEndian(4)); }
    std::int32_t GetI32() { return static_cast<std::int32_t>(GetU32()); }
    float GetF32() { return std::bit_cast<float>(GetU32()); }
    char GetChar() { return static_cast<char>(GetU8()); }
    std::string GetText(std::size_t length)
    {
        Require(length);
        std::string text(reinterpret_cast<const char*>(m_bytes.data() + m_offset), length);
        m_offset += length;
        return text;
    }

    std::size_t Remaining() const { return m_bytes.size() - m_offset; }

private:
    std::uint64_t GetLittleEndian(std::size_t size)
    {
        Require(size);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= std::uint64_t{m_bytes[m_offset + i]} << (8 * i);
        m_offset += size;
        return value;
    }

    void Require(std::size_t count) const
    {
        if (count > Remaining())
            throw Truncated();
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};
