// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/PathSample.h"
#include "document/VehiclePath.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The movement commands that replay one path's segments in the simulator:
// colours, start position and attitude, one hold or move per segment with the
// turns, gear changes and position fixes it needs, and a jump back to the
// start. The SCASM writer prints them and the BGL compiler encodes them, so
// both outputs always describe the same movement; every value already fits
// its field of the compiled format. Angles are in degrees, rates in degrees
// per second, distances in metres, durations in seconds.
namespace pattern {

// Why a path cannot be written as scenery, in words for the person, naming
// the path; each output puts its own opening before it.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct SetColor {
    int nSlot;
    int nColor;
};
struct SetPos {
    double dLat;
    double dLon;
    double dAltMetres;
};
struct Heading {
    float fAngle;
};
struct PitchTo {
    float fAngle;
    double dRate;
};
struct BankTo {
    float fAngle;
    double dRate;
};
struct YawTo {
    float fAngle;
    double dRate;  // not a whole number: each writer rounds it its own way
};
struct Hold {
    int nSeconds;
};
// A move keeps its fractions of a metre (each writer rounds them its own
// way); the pieces of a move too long for one are whole metres.
struct MoveXY {
    int nSeconds;
    double dEast;
    double dNorth;
};
struct Move3D {
    int nSeconds;
    double dEast;
    double dUp;
    double dNorth;
};
struct Gear {
    bool bUp;
};
// Notes for the person reading the SCASM source; they encode to nothing.
struct TakeoffNote {};
struct ElapsedNote {
    int nSeconds;
};
struct LandingNote {};
struct Jump {
    int nPattern;
};

using Command = std::variant<SetColor, SetPos, Heading, PitchTo, BankTo, YawTo, Hold, MoveXY, Move3D, Gear,
                             TakeoffNote, ElapsedNote, LandingNote, Jump>;

// Lets std::visit take one lambda per kind of command.
template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace pattern

// Derives the command sequences of the paths of one output file, in path
// order. A position fix is due once a move starts more than 15 samples after
// the last one, counted in document sample indices over the whole file, so
// one sequencer serves one file.
class PatternSequencer {
public:
    // The sequence of a path that holds at least one sample. A hold or move
    // too long for one command becomes several in a row that add up to it,
    // and a rate beyond 180 degrees a second is held at 180. Throws
    // pattern::Refusal when a sample holds an impossible number or a value
    // cannot be written at all.
    std::vector<pattern::Command> Sequence(const std::vector<PathSample>& samples, const VehiclePath& path,
                                           int patternNumber);

private:
    int m_nNextFixIndex = 15;
};

// Why no scenery can be written of the path: its first sample that holds a
// number no flight has, named with the path; nothing when there is none.
std::optional<std::string> ImpossibleSampleIn(const std::vector<PathSample>& samples, const VehiclePath& path,
                                              int patternNumber);

// The scenery object code of a path's vehicle: the first five characters of
// its vehicle text.
std::string_view VehicleCode(const VehiclePath& path);
// The helicopter entry is the one vehicle text starting with an upper-case 'H'.
bool IsHelicopter(const VehiclePath& path);
