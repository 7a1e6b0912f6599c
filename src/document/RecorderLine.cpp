// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/RecorderLine.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdio>
#include <cstdint>
#include <string>

namespace recorder {

namespace {

// The members that fields 1, 3 to 14 fill, in field order; fields 2, 15, 16
// and 17 are text.
constexpr std::array<float PathSample::*, 13> kNumberMembers{
    &PathSample::m_fField1, &PathSample::m_fLat,     &PathSample::m_fLon,     &PathSample::m_fAlt,
    &PathSample::m_fPitch,  &PathSample::m_fBank,    &PathSample::m_fHeading, &PathSample::m_fField9,
    &PathSample::m_fField10, &PathSample::m_fField11, &PathSample::m_fField12, &PathSample::m_fField13,
    &PathSample::m_fField14};

// White space as the C library's conversions skip it.
constexpr std::array<bool, 256> kSpaces = [] {
    std::array<bool, 256> spaces{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        spaces[c] = true;
    return spaces;
}();

constexpr bool IsSpace(char c)
{
    return kSpaces[static_cast<unsigned char>(c)];
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

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr double kInversePowersOfTen[] = {1e-0,  1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                          1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                          1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};

constexpr std::uint64_t kFloatDroppedBits = (std::uint64_t{1} << 29) - 1;
constexpr std::uint64_t kFloatHalfway = std::uint64_t{1} << 28;

// mantissa / 10^places, as a double that rounds to the same float as the
// exact quotient. Multiplying by the rounded inverse is within a few units in
// the last place of the quotient; only when that lands near a halfway point
// between two floats is the correctly rounded division needed.
double DecimalFraction(double mantissa, int places)
{
    const double approximate = mantissa * kInversePowersOfTen[places];
    const std::uint64_t dropped = std::bit_cast<std::uint64_t>(approximate) & kFloatDroppedBits;
    if (dropped - (kFloatHalfway - 16) > 32)
        return approximate;
    return mantissa / kPowersOfTen[places];
}

// Rounds a double to float as a direct decimal-to-float conversion would,
// unless the double lies exactly halfway between two floats: only there can
// rounding twice differ from rounding once.
bool NarrowsExactly(double value)
{
    return (std::bit_cast<std::uint64_t>(value) & kFloatDroppedBits) != kFloatHalfway;
}

// Converts the number at p of the form [sign] digits [. digits] [e [sign] digits]
// with at least one mantissa digit, and returns where it ends. Short mantissas
// with small exponents are computed exactly in double; longer ones go through
// from_chars. Returns nullptr for anything else, and for values out of float
// range, whose handling is left to the C library.
const char* ConvertPlainDecimal(const char* p, const char* const end, float& value)
{
    const char* const start = p;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-'))
        ++p;
    const char* const number = negative ? start : p;
    // One pass over the digits on both sides of the point. Up to 19 digits fit
    // the 64-bit mantissa; longer numbers go to from_chars.
    std::uint64_t mantissa = 0;
    const char* point = nullptr;
    const char* const digitsStart = p;
    for (; p != end; ++p) {
        const auto digit = static_cast<unsigned>(*p - '0');
        if (digit <= 9)
            mantissa = mantissa * 10 + digit;
        else if (*p == '.' && !point)
            point = p;
        else
            break;
    }
    int scale = point ? -static_cast<int>(p - point - 1) : 0;
    const int digits = static_cast<int>(p - digitsStart) - (point ? 1 : 0);
    if (digits == 0)
        return nullptr;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool negativeExponent = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char* const exponentStart = p;
        int exponent = 0;
        for (; p != end && IsDigit(*p); ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 100000);
        if (p == exponentStart)
            return nullptr;
        scale += negativeExponent ? -exponent : exponent;
    }

    if (digits <= 19 && mantissa < (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
        // Below 2^53 the signed conversion is exact and the cheaper one.
        const auto whole = static_cast<double>(static_cast<std::int64_t>(mantissa));
        const double exact = scale < 0 ? DecimalFraction(whole, -scale) : whole * kPowersOfTen[scale];
        if (NarrowsExactly(exact) && exact < 3.0e38 && (exact == 0 || exact > 1.2e-38)) {
            value = static_cast<float>(negative ? -exact : exact);
            return p;
        }
    }
    const auto [last, error] = std::from_chars(number, p, value);
    return error == std::errc() && last == p ? p : nullptr;
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

// Walks the fields of one line for the direct conversion.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : m_p(line.data()), m_end(line.data() + line.size()) {}

    // Moves to the next field; false at the end of the line.
    bool Next()
    {
        while (m_p != m_end && IsSpace(*m_p))
            ++m_p;
        return m_p != m_end;
    }

    std::string_view Text()
    {
        const char* const start = m_p;
        while (m_p != m_end && !IsSpace(*m_p))
            ++m_p;
        return std::string_view(start, static_cast<std::size_t>(m_p - start));
    }

    // The number must be the whole field, or "%f" would stop inside it.
    bool Number(float& value)
    {
        m_p = ConvertPlainDecimal(m_p, m_end, value);
        return m_p && (m_p == m_end || IsSpace(*m_p));
    }

private:
    const char* m_p;
    const char* m_end;
};

// Converts the line when every number field it supplies is a plain decimal in
// range; returns false, leaving the sample untouched, for anything else.
bool ParsePlainLine(std::string_view line, PathSample& sample)
{
    FieldCursor cursor(line);
    float field1 = 0;
    std::string_view field2;
    std::array<float, 12> numbers;  // fields 3 to 14
    std::array<std::string_view, 3> texts;  // fields 15 to 17
    int count = 0;
    if (cursor.Next()) {
        if (!cursor.Number(field1))
            return false;
        ++count;
        if (cursor.Next()) {
            field2 = cursor.Text();
            ++count;
            for (float& number : numbers) {
                if (!cursor.Next())
                    break;
                if (!cursor.Number(number))
                    return false;
                ++count;
            }
            for (std::string_view& text : texts) {
                if (count < 14 || !cursor.Next())
                    break;
                text = cursor.Text();
                ++count;
            }
        }
    }

    if (count >= 1)
        sample.m_fField1 = field1;
    if (count >= 2)
        StoreText(2, field2, sample);
    for (int i = 0; i < 12 && i + 3 <= count; ++i)
        sample.*kNumberMembers[i + 1] = numbers[i];
    for (int i = 0; i < 3 && i + 15 <= count; ++i)
        StoreText(i + 15, texts[i], sample);
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
