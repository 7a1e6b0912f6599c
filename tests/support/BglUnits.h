// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// The BGL format's number encodings, worked out from degrees and metres on
// the test's side, for holding the compiled file against the SCASM text. Each
// gives the whole number before it is cut to the low bits of its field, so
// that a range of inputs maps onto a range of whole numbers.
namespace bgl_units {

inline long long Truncated(double value)
{
    return static_cast<long long>(std::trunc(value));
}

inline long long FloorDiv(long long value, long long divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Metres north of the equator.
inline long long Lat32(double degrees)
{
    return Truncated(degrees * 111130.55556);
}

// 2^32 units to the full turn.
inline long long Lon32(double degrees)
{
    return Truncated(degrees * 11930464.71168);
}

// Units of 512 m: half-metres shifted right by 8 bits.
inline long long Lat512(double degrees)
{
    return FloorDiv(Truncated(degrees * 55565.27778), 256);
}

// The upper half of Lon32.
inline long long Lon16(double degrees)
{
    return FloorDiv(Lon32(degrees), 65536);
}

inline long long Angle16(double degrees)
{
    return Truncated(degrees * 182.04);
}

// 16.16 fixed-point metres of the altitude rounded to single precision.
inline long long Altitude32(double metres)
{
    return Truncated(static_cast<float>(metres) * 65536.0);
}

// How far the value behind a number printed with six decimals may lie from it.
inline constexpr double kSixDecimalsHalfWidth = 0.5e-6 * (1 + 1e-9);

// Whether field, the low `bits` bits (at most 32) of an encoding, is what
// encode makes of some value within halfWidth of printed.
template <typename Encode>
bool EncodesWithin(long long field, int bits, double printed, double halfWidth, Encode encode)
{
    const unsigned long long mask = (1ULL << bits) - 1;
    const long long low = encode(printed - halfWidth);
    const long long high = encode(printed + halfWidth);
    for (long long candidate = low; candidate <= high; ++candidate) {
        if (((static_cast<unsigned long long>(candidate) - static_cast<unsigned long long>(field)) & mask) == 0)
            return true;
    }
    return false;
}

}  // namespace bgl_units
