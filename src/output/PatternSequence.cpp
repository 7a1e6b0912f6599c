// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/PatternSequence.h"

#include "document/ImpossibleValues.h"
#include "document/VehicleSettings.h"
#include "output/BglEncoding.h"
#include "processing/Geodesy.h"
#include "processing/PathSegmentation.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kFixInterval = 15;
// Turns and attitude changes of at most a degree are left out.
constexpr float kNegligibleDegrees = 1;
// A move that changes altitude by less than this many feet stays level.
constexpr float kLevelFeet = 3;
// A take-off or landing is a change of more than this many feet from the
// ground altitude, the altitude of the path's first sample.
constexpr double kAirborneFeet = 0.5;
// Kind 3 is read as a move as well.
constexpr int kAlternativeMoveSegment = 3;

std::string PatternName(int patternNumber)
{
    return "PATTERN" + std::to_string(patternNumber);
}

float Normalised(float heading)
{
    return heading < 0 ? heading + 360.0f : heading;
}

// Faster would not fit the rate field; the vehicle then turns at the fastest.
double Held(double rate)
{
    return std::clamp(rate, -bgl::kFastestRate, bgl::kFastestRate);
}

// The whole-number rate, signed like the change, that covers at least one
// degree more than the change in the segment's seconds; none for a change of
// at most a degree. The smallest whole number from ceil(|change| / seconds)
// up with rate x seconds >= |change| + 1 is ceil((|change| + 1) / seconds).
std::optional<double> AttitudeRate(float change, int seconds)
{
    const double size = std::fabs(change);
    if (!(size > kNegligibleDegrees))
        return std::nullopt;
    const double rate = std::ceil((size + 1) / seconds);
    return Held(change < 0 ? -rate : rate);
}

// The position of a sample, at an altitude the compiled format can hold.
pattern::SetPos PositionOf(const PathSample& sample, int index, int patternNumber)
{
    const pattern::SetPos position{sample.m_fLat, sample.m_fLon, sample.m_fAlt * geodesy::kFeetToMetres};
    try {
        bgl::Altitude32(static_cast<float>(position.dAltMetres));
    } catch (const bgl::ValueDoesNotFit&) {
        throw pattern::Refusal(PatternName(patternNumber) +
                               " has a position or altitude beyond what a scenery file holds: sample " +
                               std::to_string(index) + " is more than 32767 m above or below sea level.");
    }
    return position;
}

void AppendHold(std::vector<pattern::Command>& commands, int seconds)
{
    for (; seconds > bgl::kMaxSeconds; seconds -= bgl::kMaxSeconds)
        commands.push_back(pattern::Hold{bgl::kMaxSeconds});
    commands.push_back(pattern::Hold{seconds});
}

// Metres east, north (and up) of a move, or of one of the moves in a row
// that a move too long for one is written as.
using Metres = std::array<double, 3>;
struct MovePiece {
    int nSeconds;
    Metres metres;
};

// The move cut into the given number of pieces: seconds shared out as evenly
// as possible (the first pieces take a second more when they do not divide),
// the distance in proportion to them, rounded half up where each piece ends,
// so that the pieces add up to the rounded whole. None when a piece would
// not fit.
std::optional<std::vector<MovePiece>> CutMove(int seconds, const Metres& metres, std::size_t axes,
                                              int pieceCount)
{
    std::vector<MovePiece> pieces;
    Metres done{};
    int elapsed = 0;
    for (int p = 0; p < pieceCount; ++p) {
        MovePiece piece{seconds / pieceCount + (p < seconds % pieceCount ? 1 : 0), {}};
        if (piece.nSeconds > bgl::kMaxSeconds)
            return std::nullopt;
        elapsed += piece.nSeconds;
        for (std::size_t axis = 0; axis < axes; ++axis) {
            const double upTo = elapsed == seconds ? bgl::Nearest(metres[axis])
                                                   : bgl::Nearest(metres[axis] * elapsed / seconds);
            piece.metres[axis] = upTo - done[axis];
            done[axis] = upTo;
            if (piece.metres[axis] < bgl::kMinMetres || piece.metres[axis] > bgl::kMaxMetres)
                return std::nullopt;
        }
        pieces.push_back(piece);
    }
    return pieces;
}

// The fewest pieces whose seconds and metres fit their fields; none when the
// distance is not finite or too fast for any.
std::optional<std::vector<MovePiece>> MovePieces(int seconds, const Metres& metres, std::size_t axes)
{
    double largest = 0;
    for (std::size_t axis = 0; axis < axes; ++axis) {
        if (!std::isfinite(metres[axis]))
            return std::nullopt;
        largest = std::max(largest, std::fabs(metres[axis]));
    }
    // A piece's metres are its share of the move give or take one metre of
    // rounding, so no piece longer than this many seconds can fit; every
    // piece lasts at least a second.
    const double longestPiece = std::floor((-bgl::kMinMetres + 1) * seconds / largest);
    if (longestPiece < 1)
        return std::nullopt;
    int pieceCount = static_cast<int>(std::max(std::ceil(static_cast<double>(seconds) / bgl::kMaxSeconds),
                                               std::ceil(seconds / longestPiece)));
    for (; pieceCount <= seconds; ++pieceCount) {
        if (auto pieces = CutMove(seconds, metres, axes, pieceCount))
            return pieces;
    }
    return std::nullopt;
}

// A level move (east, north) or a climbing one (east, up, north).
void AppendMove(std::vector<pattern::Command>& commands, int seconds, const Metres& metres, bool climbs,
                int start, int patternNumber)
{
    const std::size_t axes = climbs ? 3 : 2;
    const auto pieces = MovePieces(seconds, metres, axes);
    if (!pieces)
        throw pattern::Refusal("the move of " + PatternName(patternNumber) + " from sample " +
                               std::to_string(start) + " over " + std::to_string(seconds) +
                               " seconds is not a finite distance, or faster than the 32767 m a second a "
                               "BGL move can carry.");
    const auto append = [&](int pieceSeconds, const Metres& m) {
        if (climbs)
            commands.push_back(pattern::Move3D{pieceSeconds, m[0], m[1], m[2]});
        else
            commands.push_back(pattern::MoveXY{pieceSeconds, m[0], m[1]});
    };
    if (pieces->size() == 1) {
        append(seconds, metres);
        return;
    }
    for (const MovePiece& piece : *pieces)
        append(piece.nSeconds, piece.metres);
}

// The path's colours and its first sample's position and attitude, taken at
// once.
void AppendPrologue(std::vector<pattern::Command>& commands, const VehiclePath& path, int patternNumber,
                    const PathSample& first)
{
    for (int slot = 0; slot < static_cast<int>(path.m_nColor.size()); ++slot) {
        const int color = path.m_nColor[slot];
        if (color < 0 || color > bgl::kMaxColor)
            throw pattern::Refusal("colour " + std::to_string(slot) + " of " + PatternName(patternNumber) +
                                   " is " + std::to_string(color) + ", not a palette index from 0 to 255.");
        commands.push_back(pattern::SetColor{slot, color});
    }
    commands.push_back(PositionOf(first, path.m_nFirstSample, patternNumber));
    commands.push_back(pattern::Heading{Normalised(first.m_fHeading)});
    const auto fastest = [](float angle) { return angle < 0 ? -bgl::kFastestRate : bgl::kFastestRate; };
    commands.push_back(pattern::PitchTo{first.m_fPitch, fastest(first.m_fPitch)});
    commands.push_back(pattern::BankTo{first.m_fBank, fastest(first.m_fBank)});
}

}  // namespace

std::optional<std::string> ImpossibleSampleIn(const std::vector<PathSample>& samples, const VehiclePath& path,
                                              int patternNumber)
{
    for (int j = path.m_nFirstSample; j <= path.m_nLastSample; ++j) {
        if (HoldsImpossibleNumbers(samples[j]))
            return "sample " + std::to_string(j) + " of " + PatternName(patternNumber) +
                   " holds numbers no flight has (not a number, infinite, or off the globe).";
    }
    return std::nullopt;
}

std::vector<pattern::Command> PatternSequencer::Sequence(const std::vector<PathSample>& samples,
                                                         const VehiclePath& path, int patternNumber)
{
    if (const auto impossible = ImpossibleSampleIn(samples, path, patternNumber))
        throw pattern::Refusal(*impossible);
    const int first = path.m_nFirstSample;
    const int last = path.m_nLastSample;
    const PathSample& f = samples[first];
    std::vector<pattern::Command> commands;
    AppendPrologue(commands, path, patternNumber, f);

    float yaw = f.m_fHeading;
    float pitch = f.m_fPitch;
    float bank = f.m_fBank;
    char gear = f.m_cGear;
    const float groundAlt = f.m_fAlt;
    bool tookOff = false;
    bool landed = false;

    for (int j = first; j <= last; ++j) {
        const PathSample& a = samples[j];
        const bool hold = a.m_nSegKind == kHoldSegment;
        const bool move = a.m_nSegKind == kMoveSegment || a.m_nSegKind == kAlternativeMoveSegment;
        // A segment that does not end after its start inside the path (one
        // left behind by trimming, say) is no segment.
        if ((!hold && !move) || a.m_nSegEnd <= j || a.m_nSegEnd > last)
            continue;
        const int seconds = a.m_nSegEnd - j;
        if (hold) {
            AppendHold(commands, seconds);
            continue;
        }

        const PathSample& b = samples[a.m_nSegEnd];
        const float target = Normalised(b.m_fHeading);
        float turn = target - yaw;
        if (turn > 180)
            turn -= 360;
        if (turn < -180)
            turn += 360;
        if (std::fabs(turn) > kNegligibleDegrees) {
            double rate = 2.0 * turn / seconds;
            if (std::fabs(rate) < 1)
                rate = rate < 0 ? -1 : 1;
            commands.push_back(pattern::YawTo{target, Held(rate)});
            yaw = target;
        }
        if (const auto rate = AttitudeRate(b.m_fBank - bank, seconds)) {
            commands.push_back(pattern::BankTo{b.m_fBank, *rate});
            bank = b.m_fBank;
        }
        if (const auto rate = AttitudeRate(b.m_fPitch - pitch, seconds)) {
            commands.push_back(pattern::PitchTo{b.m_fPitch, *rate});
            pitch = b.m_fPitch;
        }

        // Single-precision differences, as every other one of the sequence.
        const float east = b.m_fX - a.m_fX;
        const float north = b.m_fY - a.m_fY;
        const float up = b.m_fZ - a.m_fZ;
        if (std::fabs(a.m_fAlt - b.m_fAlt) < kLevelFeet)
            AppendMove(commands, seconds, {east, north, 0}, false, j, patternNumber);
        else
            AppendMove(commands, seconds, {east, up, north}, true, j, patternNumber);

        if (b.m_cGear != gear) {
            commands.push_back(pattern::Gear{b.m_cGear == 'u'});
            gear = b.m_cGear;
        }

        if (!tookOff && b.m_fAlt - groundAlt > kAirborneFeet) {
            tookOff = true;
            commands.push_back(pattern::TakeoffNote{});
        }
        if (tookOff && !landed && std::fabs(b.m_fAlt - groundAlt) < kAirborneFeet)
            landed = true;

        // A landing always gets a fix. (A move never starts at the last sample.)
        const bool landing = tookOff && landed;
        if (j > m_nNextFixIndex || landing) {
            commands.push_back(pattern::ElapsedNote{j - first});
            commands.push_back(PositionOf(b, a.m_nSegEnd, patternNumber));
            if (landing) {
                commands.push_back(pattern::LandingNote{});
                tookOff = landed = false;
            }
            m_nNextFixIndex = j + kFixInterval;
        }
    }

    commands.push_back(pattern::Jump{patternNumber});
    return commands;
}

std::string_view VehicleCode(const VehiclePath& path)
{
    return std::string_view(path.m_strVehicle).substr(0, 5);
}

bool IsHelicopter(const VehiclePath& path)
{
    return IsHelicopterText(path.m_strVehicle);
}
