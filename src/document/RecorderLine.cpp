#include "document/RecorderLine.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string>

namespace recorder {

namespace {

constexpr int kFieldCount = 17;
// Fields 2, 15, 16 and 17 are text; all others are numbers.
constexpr bool IsTextField(int field)
{
    return field == 2 || field >= 15;
}

// The members that fields 1, 3 to 14 fill, in field order.
constexpr std::array<float PathSample::*, 13> kNumberMembers{
    &PathSample::m_fField1, &PathSample::m_fLat,     &PathSample::m_fLon,     &PathSample::m_fAlt,
    &PathSample::m_fPitch,  &PathSample::m_fBank,    &PathSample::m_fHeading, &PathSample::m_fField9,
    &PathSample::m_fField10, &PathSample::m_fField11, &PathSample::m_fField12, &PathSample::m_fField13,
    &PathSample::m_fField14};

// White space as the C library's conversions skip it.
constexpr bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The C library sees a line only up to its first NUL character.
std::string_view UpToNul(std::string_view line)
{
    return line.substr(0, line.find('\0'));
}

// A whole token of the form [sign] digits [. digits] [e [sign] digits], with at
// least one mantissa digit: exactly the tokens "%f" consumes whole.
bool IsPlainDecimal(std::string_view token)
{
    std::size_t i = 0;
    const std::size_t n = token.size();
    if (i < n && (token[i] == '+' || token[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(token[i]))
        ++i, ++digits;
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && IsDigit(token[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < n && (token[i] == '+' || token[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(token[i]))
            ++i, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

void StoreText(int field, std::string_view text, PathSample& sample)
{
    switch (field) {
    case 2:
        sample.m_strField2.assign(text.substr(0, kMaxTextField));
        break;
    case 15:
        sample.m_cGear = text.front();
        break;
    case 16:
        sample.m_cField16 = text.front();
        break;
    default:
        sample.m_cField17 = text.front();
        break;
    }
}

// Converts the line when every number field it supplies is a plain decimal in
// range; returns false, leaving the sample untouched, for anything else.
bool ParsePlainLine(std::string_view line, PathSample& sample)
{
    std::array<std::string_view, kFieldCount> tokens;
    std::array<float, kFieldCount> numbers{};
    int count = 0;
    std::size_t pos = 0;
    while (count < kFieldCount) {
        while (pos < line.size() && IsSpace(line[pos]))
            ++pos;
        if (pos == line.size())
            break;
        const std::size_t start = pos;
        while (pos < line.size() && !IsSpace(line[pos]))
            ++pos;
        const std::string_view token = line.substr(start, pos - start);
        const int field = count + 1;
        if (!IsTextField(field)) {
            if (!IsPlainDecimal(token))
                return false;
            const std::string_view digits = token.front() == '+' ? token.substr(1) : token;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), numbers[count]);
            // Overflow and underflow are left to the C library's rules.
            if (error != std::errc() || end != digits.data() + digits.size())
                return false;
        }
        tokens[count++] = token;
    }

    int numberIndex = 0;
    for (int i = 0; i < count; ++i) {
        const int field = i + 1;
        if (IsTextField(field))
            StoreText(field, tokens[i], sample);
        else
            sample.*kNumberMembers[numberIndex++] = numbers[i];
    }
    return true;
}

}  // namespace

bool IsHeaderLine(std::string_view line)
{
    if (line.size() < kHeader.size())
        return false;
    for (std::size_t i = 0; i < kHeader.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(line[i]) != lower(kHeader[i]))
            return false;
    }
    return true;
}

void ParseSampleLine(std::string_view line, PathSample& sample)
{
    line = UpToNul(line);
    if (!ParsePlainLine(line, sample))
        ParseSampleLineWithScanf(line, sample);
}

void ParseSampleLineWithScanf(std::string_view line, PathSample& sample)
{
    const std::string text(UpToNul(line));
    // A text field can be no longer than the line itself.
    std::string field2(text.size() + 1, '\0');
    std::string field15(text.size() + 1, '\0');
    std::string field16(text.size() + 1, '\0');
    std::string field17(text.size() + 1, '\0');
    PathSample& s = sample;
    const int converted = std::sscanf(
        text.c_str(), "%f %s %f %f %f %f %f %f %f %f %f %f %f %f %s %s %s", &s.m_fField1, field2.data(),
        &s.m_fLat, &s.m_fLon, &s.m_fAlt, &s.m_fPitch, &s.m_fBank, &s.m_fHeading, &s.m_fField9,
        &s.m_fField10, &s.m_fField11, &s.m_fField12, &s.m_fField13, &s.m_fField14, field15.data(),
        field16.data(), field17.data());
    // Text fields count in field order; the numbers were stored by the conversion.
    if (converted >= 2)
        StoreText(2, field2.c_str(), sample);
    if (converted >= 15)
        StoreText(15, field15.c_str(), sample);
    if (converted >= 16)
        StoreText(16, field16.c_str(), sample);
    if (converted >= 17)
        StoreText(17, field17.c_str(), sample);
}

}  // namespace recorder
