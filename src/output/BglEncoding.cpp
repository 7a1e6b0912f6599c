// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/BglEncoding.h"

#include "processing/Geodesy.h"

#include <cmath>
#include <limits>

namespace bgl {

namespace {

constexpr double kTwoTo16 = 65536.0;
constexpr double kTwoTo32 = 4294967296.0;

double Truncated(double value)
{
    if (!std::isfinite(value))
        throw ValueDoesNotFit();
    return std::trunc(value);
}

std::int32_t Checked32(double whole)
{
    if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max())
        throw ValueDoesNotFit();
    return static_cast<std::int32_t>(whole);
}

// The low bits of a whole number in two's complement.
std::uint16_t Low16(double whole)
{
    return static_cast<std::uint16_t>(static_cast<std::int32_t>(std::fmod(whole, kTwoTo16)));
}

std::uint32_t Low32(double whole)
{
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::fmod(whole, kTwoTo32)));
}

}  // namespace

std::int32_t Lat32(double degrees)
{
    return Checked32(Truncated(degrees * geodesy::kBglLatitudeFactor));
}

std::int32_t Lon32(double degrees)
{
    return static_cast<std::int32_t>(Low32(Truncated(degrees * geodesy::kBglLongitudeFactor)));
}

std::uint16_t Lat512(double degrees)
{
    // An arithmetic shift right by 8 bits.
    return Low16(std::floor(Truncated(degrees * geodesy::kBglAreaLatitudeFactor) / 256));
}

std::uint16_t Lon16(double degrees)
{
    return static_cast<std::uint16_t>(Lon32(degrees) >> 16);
}

std::uint16_t Angle16(double degrees)
{
    return Low16(Truncated(degrees * geodesy::kBglAngleFactor));
}

std::uint16_t Rate16(double degreesPerSecond)
{
    const double units = Truncated(degreesPerSecond * geodesy::kBglAngleFactor);
    if (units < std::numeric_limits<std::int16_t>::min() || units > std::numeric_limits<std::int16_t>::max())
        throw ValueDoesNotFit();
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(units));
}

std::int32_t Altitude32(float metres)
{
    return Checked32(Truncated(metres * geodesy::kBglAltitudeFactor));
}

double Nearest(double metres)
{
    return std::floor(metres + 0.5);
}

}  // namespace bgl
