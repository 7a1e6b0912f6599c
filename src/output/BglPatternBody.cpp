#include "output/BglPatternBody.h"

#include "document/ByteStream.h"
#include "output/BglEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr std::uint8_t kSetColorCode = 0x31;
constexpr std::uint8_t kSetPosCode = 0x33;
constexpr std::uint8_t kHeadingCode = 0x07;
constexpr std::uint8_t kPitchToCode = 0x01;
constexpr std::uint8_t kBankToCode = 0x02;
constexpr std::uint8_t kYawToCode = 0x03;
constexpr std::uint8_t kHoldCode = 0x27;
constexpr std::uint8_t kMoveXYCode = 0x15;
constexpr std::uint8_t kMove3DCode = 0x18;
constexpr std::uint8_t kGearCode = 0x04;
constexpr std::uint8_t kJumpCode = 0x24;
constexpr std::uint8_t kGearUp = 0x00;
constexpr std::uint8_t kGearDown = 0x01;
constexpr std::uint16_t kColorPalette = 0xF000;

constexpr int kMaxColor = 255;
constexpr int kMaxSeconds = 65535;
constexpr double kMinMetres = -32768;
constexpr double kMaxMetres = 32767;
// The jump back is a signed 16-bit distance.
constexpr std::size_t kFarthestJumpBack = 32768;

// One of the consecutive moves a long move is written as.
struct MovePiece {
    int nSeconds;
    std::array<double, 3> metres;
};

// The move cut into the given number of pieces: seconds shared out as evenly
// as possible, the distance in proportion to them and rounded so that the
// pieces add up to the rounded whole. None when a piece would not fit.
std::optional<std::vector<MovePiece>> CutMove(int seconds, const std::array<double, 3>& metres,
                                              std::size_t axes, int pieceCount)
{
    std::vector<MovePiece> pieces;
    std::array<double, 3> done{};
    int elapsed = 0;
    for (int p = 0; p < pieceCount; ++p) {
        MovePiece piece{seconds / pieceCount + (p < seconds % pieceCount ? 1 : 0), {}};
        if (piece.nSeconds > kMaxSeconds)
            return std::nullopt;
        elapsed += piece.nSeconds;
        for (std::size_t axis = 0; axis < axes; ++axis) {
            const double upTo = elapsed == seconds ? bgl::Nearest(metres[axis])
                                                   : bgl::Nearest(metres[axis] * elapsed / seconds);
            piece.metres[axis] = upTo - done[axis];
            done[axis] = upTo;
            if (piece.metres[axis] < kMinMetres || piece.metres[axis] > kMaxMetres)
                return std::nullopt;
        }
        pieces.push_back(piece);
    }
    return pieces;
}

// Writes a move (east, north or east, up, north) as the fewest consecutive
// moves whose seconds and metres fit their 16-bit fields.
void PutMove(ByteWriter& body, std::uint8_t code, int seconds, const std::array<double, 3>& metres,
             std::size_t axes)
{
    double largest = 0;
    for (std::size_t axis = 0; axis < axes; ++axis) {
        if (!std::isfinite(metres[axis]))
            throw bgl::ValueDoesNotFit();
        largest = std::max(largest, std::fabs(metres[axis]));
    }
    // A piece's metres are its share of the move give or take one metre of
    // rounding, so no piece longer than this many seconds can fit; every
    // piece lasts at least a second.
    const double longestPiece = std::floor((-kMinMetres + 1) * seconds / largest);
    if (longestPiece < 1)
        throw bgl::ValueDoesNotFit();
    int pieceCount = static_cast<int>(
        std::max(std::ceil(static_cast<double>(seconds) / kMaxSeconds), std::ceil(seconds / longestPiece)));
    for (; pieceCount <= seconds; ++pieceCount) {
        if (const auto pieces = CutMove(seconds, metres, axes, pieceCount)) {
            for (const MovePiece& piece : *pieces) {
                body.PutU8(code);
                body.PutU16(static_cast<std::uint16_t>(piece.nSeconds));
                for (std::size_t axis = 0; axis < axes; ++axis)
                    body.PutI16(static_cast<std::int16_t>(piece.metres[axis]));
            }
            return;
        }
    }
    throw bgl::ValueDoesNotFit();
}

void PutHold(ByteWriter& body, int seconds)
{
    // A long hold becomes several that add up to it.
    while (seconds > 0) {
        const int piece = std::min(seconds, kMaxSeconds);
        body.PutU8(kHoldCode);
        body.PutU16(static_cast<std::uint16_t>(piece));
        seconds -= piece;
    }
}

void PutAttitude(ByteWriter& body, std::uint8_t code, double angle, double rate)
{
    body.PutU8(code);
    body.PutU16(bgl::Angle16(angle));
    body.PutU16(bgl::Rate16(rate));
}

// What the person is told when a command's values cannot be encoded.
std::string WhyNotEncoded(const pattern::Command& command, std::string_view patternName)
{
    const std::string prefix = "Can't create the BGL file: ";
    const std::string name(patternName);
    const auto moveReason = [&](int seconds, int sample) {
        return prefix + "the move of " + name + " from sample " + std::to_string(sample) + " over " +
               std::to_string(seconds) + " seconds is not a finite distance, or faster than the 32767 m " +
               "a second a BGL move can carry.";
    };
    return std::visit(pattern::Overloaded{
                          [&](const pattern::MoveXY& c) { return moveReason(c.nSeconds, c.nSample); },
                          [&](const pattern::Move3D& c) { return moveReason(c.nSeconds, c.nSample); },
                          [&](const pattern::SetPos&) {
                              return prefix + name +
                                     " has a position or altitude that a BGL file cannot hold "
                                     "(not a number, or beyond the range of its field).";
                          },
                          [&](const auto&) { return prefix + name + " has an angle that is not a number."; },
                      },
                      command);
}

}  // namespace

std::vector<std::uint8_t> EncodePatternBody(const std::vector<pattern::Command>& commands,
                                            std::string_view patternName)
{
    ByteWriter body;
    const auto encode = pattern::Overloaded{
        [&](const pattern::SetColor& c) {
            if (c.nColor < 0 || c.nColor > kMaxColor)
                throw bgl::Refusal("Can't create the BGL file: colour " + std::to_string(c.nSlot) + " of " +
                                   std::string(patternName) + " is " + std::to_string(c.nColor) +
                                   ", not a palette index from 0 to 255.");
            body.PutU8(kSetColorCode);
            body.PutU8(static_cast<std::uint8_t>(c.nSlot));
            body.PutU16(static_cast<std::uint16_t>(c.nColor + kColorPalette));
        },
        [&](const pattern::SetPos& c) {
            body.PutU8(kSetPosCode);
            body.PutU16(0);
            body.PutI32(bgl::Lat32(c.fLat));
            body.PutU16(0);
            body.PutI32(bgl::Lon32(c.fLon));
            body.PutI32(bgl::Altitude32(static_cast<float>(c.dAltMetres)));
            body.PutU16(0);
        },
        [&](const pattern::Heading& c) {
            body.PutU8(kHeadingCode);
            body.PutU16(bgl::Angle16(c.fAngle));
        },
        [&](const pattern::PitchTo& c) { PutAttitude(body, kPitchToCode, c.fAngle, c.dRate); },
        [&](const pattern::BankTo& c) { PutAttitude(body, kBankToCode, c.fAngle, c.dRate); },
        // The compiled yaw rate is rounded toward zero.
        [&](const pattern::YawTo& c) { PutAttitude(body, kYawToCode, c.fAngle, std::trunc(c.dRate)); },
        [&](const pattern::Hold& c) { PutHold(body, c.nSeconds); },
        [&](const pattern::MoveXY& c) {
            PutMove(body, kMoveXYCode, c.nSeconds, {c.dEast, c.dNorth, 0}, 2);
        },
        [&](const pattern::Move3D& c) {
            PutMove(body, kMove3DCode, c.nSeconds, {c.dEast, c.dUp, c.dNorth}, 3);
        },
        [&](const pattern::Gear& c) {
            body.PutU8(kGearCode);
            body.PutU8(c.bUp ? kGearUp : kGearDown);
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
            body.PutU8(kJumpCode);
            body.PutI16(distance);
        },
    };
    for (const pattern::Command& command : commands) {
        try {
            std::visit(encode, command);
        } catch (const bgl::ValueDoesNotFit&) {
            throw bgl::Refusal(WhyNotEncoded(command, patternName));
        }
    }
    return body.Bytes();
}
