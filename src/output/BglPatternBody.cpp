// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/BglPatternBody.h"

#include "document/ByteStream.h"
#include "output/BglEncoding.h"
#include "output/BglFormat.h"

#include <cmath>
#include <string>

namespace {

// The jump back is a signed 16-bit distance.
constexpr std::size_t kFarthestJumpBack = 32768;

// The sequence has already cut and held every value to fit; a value that
// does not is refused, never changed.
std::uint16_t Seconds16(int seconds)
{
    if (seconds < 0 || seconds > bgl::kMaxSeconds)
        throw bgl::ValueDoesNotFit();
    return static_cast<std::uint16_t>(seconds);
}

std::int16_t Metres16(double metres)
{
    const double whole = bgl::Nearest(metres);
    if (!(whole >= bgl::kMinMetres && whole <= bgl::kMaxMetres))
        throw bgl::ValueDoesNotFit();
    return static_cast<std::int16_t>(whole);
}

void PutAttitude(ByteWriter& body, std::uint8_t code, double angle, double rate)
{
    body.PutU8(code);
    body.PutU16(bgl::Angle16(angle));
    body.PutU16(bgl::Rate16(rate));
}

}  // namespace

std::vector<std::uint8_t> EncodePatternBody(const std::vector<pattern::Command>& commands,
                                            std::string_view patternName)
{
    ByteWriter body;
    const auto encode = pattern::Overloaded{
        [&](const pattern::SetColor& c) {
            if (c.nColor < 0 || c.nColor > bgl::kMaxColor)
                throw bgl::ValueDoesNotFit();
            body.PutU8(bgl::kSetColorCode);
            body.PutU8(static_cast<std::uint8_t>(c.nSlot));
            body.PutU8(static_cast<std::uint8_t>(c.nColor));
            body.PutU8(bgl::kColorPalette);
        },
        [&](const pattern::SetPos& c) {
            body.PutU8(bgl::kSetPosCode);
            body.PutU16(0);
            body.PutI32(bgl::Lat32(c.dLat));
            body.PutU16(0);
            body.PutI32(bgl::Lon32(c.dLon));
            body.PutI32(bgl::Altitude32(static_cast<float>(c.dAltMetres)));
            body.PutU16(0);
        },
        [&](const pattern::Heading& c) {
            body.PutU8(bgl::kHeadingCode);
            body.PutU16(bgl::Angle16(c.fAngle));
        },
        [&](const pattern::PitchTo& c) { PutAttitude(body, bgl::kPitchToCode, c.fAngle, c.dRate); },
        [&](const pattern::BankTo& c) { PutAttitude(body, bgl::kBankToCode, c.fAngle, c.dRate); },
        // The compiled yaw rate is rounded toward zero.
        [&](const pattern::YawTo& c) { PutAttitude(body, bgl::kYawToCode, c.fAngle, std::trunc(c.dRate)); },
        [&](const pattern::Hold& c) {
            body.PutU8(bgl::kHoldCode);
            body.PutU16(Seconds16(c.nSeconds));
        },
        [&](const pattern::MoveXY& c) {
            body.PutU8(bgl::kMoveXYCode);
            body.PutU16(Seconds16(c.nSeconds));
            body.PutI16(Metres16(c.dEast));
            body.PutI16(Metres16(c.dNorth));
        },
        [&](const pattern::Move3D& c) {
            body.PutU8(bgl::kMove3DCode);
            body.PutU16(Seconds16(c.nSeconds));
            body.PutI16(Metres16(c.dEast));
            body.PutI16(Metres16(c.dUp));
            body.PutI16(Metres16(c.dNorth));
        },
        [&](const pattern::Gear& c) {
            body.PutU8(bgl::kGearCode);
            body.PutU8(c.bUp ? bgl::kGearUp : bgl::kGearDown);
        },
        [&](const pattern::TakeoffNote&) {},
        [&](const pattern::ElapsedNote&) {},
        [&](const pattern::LandingNote&) {},
        [&](const pattern::Jump&) {
            // Back to the body's first byte.
            if (body.Size() > kFarthestJumpBack)
                throw bgl::Refusal("Can't create the BGL file: the pattern of " + std::string(patternName) +
                                   " takes " + std::to_string(body.Size()) + " bytes, more than the " +
                                   std::to_string(kFarthestJumpBack) +
                                   " its closing jump can reach back. Generate it with wider thresholds "
                                   "or trim the path.");
            const auto distance = static_cast<std::int16_t>(-static_cast<int>(body.Size()));
            body.PutU8(bgl::kJumpCode);
            body.PutI16(distance);
        },
    };
    try {
        for (const pattern::Command& command : commands)
            std::visit(encode, command);
    } catch (const bgl::ValueDoesNotFit&) {
        throw bgl::Refusal("Can't create the BGL file: " + std::string(patternName) +
                           " holds a value that its BGL field cannot hold.");
    }
    return body.Bytes();
}
