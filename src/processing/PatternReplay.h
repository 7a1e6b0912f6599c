// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/PatternSequence.h"

#include <vector>

// How the simulator flies one pattern, as far as we know it; the replay
// states it in code so that a designer sees it before the simulator does.
//
// - Commands other than Hold and the moves take no time. SetPos puts the
//   vehicle at once where it says, Heading turns it at once, Gear changes at
//   once, SetColor only paints.
// - YawTo, PitchTo and BankTo start a turn that goes on while the vehicle
//   holds or moves. The heading turns the way the rate's sign says (positive
//   to the right) at the rate's size in degrees a second until it reaches the
//   target; pitch and bank move toward theirs at the rate's size. A new turn
//   of the same axis takes over from where the old one got to.
// - Hold n keeps the vehicle where it is for n seconds.
// - MoveXY n and Move3D n move it in a straight line at constant speed by
//   their metres east, north (and up) over n seconds.
// - Metres east and north are those the document measures its samples in
//   (along the reference latitude and meridian): a move is turned back into
//   degrees through the inverse of that measure, about the reference point.
// - Jump ends the lap: the vehicle starts over from the first command, so
//   the lap's last second is at once replaced by its first.

// A place in the replay: metres east and north of the reference point,
// metres above sea level, and the same in degrees.
struct ReplayPlace {
    double dEast = 0;
    double dNorth = 0;
    double dAltMetres = 0;
    double dLat = 0;
    double dLon = 0;
};

// Where the vehicle is and how it sits at one moment of the lap.
struct ReplayedState {
    ReplayPlace place;
    double dHeading = 0;  // 0 to 360
    double dPitch = 0;
    double dBank = 0;
    bool bGearUp = false;
};

// An angle on its way to a target, from the second the turn began.
struct ReplayTurn {
    double dFrom = 0;
    double dBy = 0;    // signed degrees to turn in all
    double dRate = 0;  // degrees a second
    double dSince = 0;
    double AngleAt(double seconds) const;
};

// What the vehicle does from one second of the lap until the next piece:
// stand (from == to), move, or jump to a position fix (no seconds).
struct ReplayPiece {
    int nStart = 0;
    int nSeconds = 0;
    double from[3] = {0, 0, 0};  // east, north, metres above sea level
    double to[3] = {0, 0, 0};
    bool bGearUp = false;
    ReplayTurn heading, pitch, bank;
};

// One lap of a pattern command sequence, replayed about a reference point.
class ReplayedLap {
public:
    ReplayedLap(const std::vector<pattern::Command>& commands, float refLat, float refLon);

    // Seconds from the first command to the jump back.
    int Seconds() const { return m_nSeconds; }
    // The state at a moment of the lap, held to 0..Seconds().
    ReplayedState At(double seconds) const;
    // The corners of the course in order: where it starts, then where each
    // hold, move and position fix ends, the same place not twice in a row.
    std::vector<ReplayPlace> Course() const;
    const std::vector<ReplayPiece>& Pieces() const { return m_pieces; }
    // The holds and moves it flew, as commands (a move too long for one counts each piece).
    int Holds() const { return m_nHolds; }
    int Moves() const { return m_nMoves; }

private:
    ReplayPlace PlaceAt(const double (&metres)[3]) const;

    float m_fRefLat;
    float m_fRefLon;
    std::vector<ReplayPiece> m_pieces;
    int m_nSeconds = 0;
    int m_nHolds = 0;
    int m_nMoves = 0;
};
