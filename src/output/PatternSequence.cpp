#include "output/PatternSequence.h"

#include "processing/Geodesy.h"
#include "processing/PathSegmentation.h"

#include <cmath>
#include <optional>

namespace {

constexpr int kFixInterval = 15;
constexpr double kPrologueRate = 180;
// Turns and attitude changes of at most a degree are left out.
constexpr float kNegligibleDegrees = 1;
// A move that changes altitude by less than this many feet stays level.
constexpr float kLevelFeet = 3;
// A take-off or landing is a change of more than this many feet from the
// ground altitude, the altitude of the path's first sample.
constexpr double kAirborneFeet = 0.5;
// Kind 3 is read as a move as well.
constexpr int kAlternativeMoveSegment = 3;

float Normalised(float heading)
{
    return heading < 0 ? heading + 360.0f : heading;
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
    return change < 0 ? -rate : rate;
}

}  // namespace

std::vector<pattern::Command> PatternSequencer::Sequence(const std::vector<PathSample>& samples,
                                                         const VehiclePath& path, int patternNumber)
{
    const int first = path.m_nFirstSample;
    const int last = path.m_nLastSample;
    const PathSample& f = samples[first];
    std::vector<pattern::Command> commands;

    for (int slot = 0; slot < static_cast<int>(path.m_nColor.size()); ++slot)
        commands.push_back(pattern::SetColor{slot, path.m_nColor[slot]});
    commands.push_back(pattern::SetPos{f.m_fLat, f.m_fLon, f.m_fAlt * geodesy::kFeetToMetres});
    commands.push_back(pattern::Heading{Normalised(f.m_fHeading)});
    commands.push_back(pattern::PitchTo{f.m_fPitch, f.m_fPitch < 0 ? -kPrologueRate : kPrologueRate});
    commands.push_back(pattern::BankTo{f.m_fBank, f.m_fBank < 0 ? -kPrologueRate : kPrologueRate});

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
            commands.push_back(pattern::Hold{seconds});
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
            commands.push_back(pattern::YawTo{target, rate});
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

        const double east = static_cast<double>(b.m_fX) - a.m_fX;
        const double north = static_cast<double>(b.m_fY) - a.m_fY;
        if (std::fabs(a.m_fAlt - b.m_fAlt) < kLevelFeet)
            commands.push_back(pattern::MoveXY{seconds, east, north, j});
        else
            commands.push_back(
                pattern::Move3D{seconds, east, static_cast<double>(b.m_fZ) - a.m_fZ, north, j});

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
            commands.push_back(pattern::SetPos{b.m_fLat, b.m_fLon, b.m_fAlt * geodesy::kFeetToMetres});
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
    return path.m_strVehicle.starts_with('H');
}
