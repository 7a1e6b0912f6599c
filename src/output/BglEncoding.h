// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The number encodings of the BGL scenery format: degrees and metres to the
// integers the file holds, with the format's own scale factors, truncating
// toward zero. Angles and longitudes wrap in their bits, as a full turn does;
// a value that cannot be held without changing its meaning is refused.
namespace bgl {

// What the fields of the pattern commands hold.
inline constexpr int kMaxSeconds = 65535;     // of a hold or a move
inline constexpr double kMinMetres = -32768;  // of a move along each axis
inline constexpr double kMaxMetres = 32767;
inline constexpr double kFastestRate = 180;  // degrees a second, 0x7FFF
inline constexpr int kMaxColor = 255;        // a palette index

// A value that is not a finite number, or out of its field's range.
struct ValueDoesNotFit : std::runtime_error {
    ValueDoesNotFit() : std::runtime_error("the value does not fit its field") {}
};

// Why a document cannot be compiled, in words for the person.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Metres north of the equator.
std::int32_t Lat32(double degrees);
// 2^32 units to 360 degrees.
std::int32_t Lon32(double degrees);
// Units of 512 m, for area bounds.
std::uint16_t Lat512(double degrees);
// 65536 units to 360 degrees, for area bounds.
std::uint16_t Lon16(double degrees);
std::uint16_t Angle16(double degrees);
// A rate does not wrap: one beyond 16 bits would turn the other way.
std::uint16_t Rate16(double degreesPerSecond);
// 16.16 fixed-point metres, from the altitude rounded to single precision.
std::int32_t Altitude32(float metres);
// floor(metres + 0.5): moves round to the nearest metre, halves upward.
double Nearest(double metres);

}  // namespace bgl
