// SPDX-License-Identifier: GPL-3.0-or-later
#include "processing/PatternReplay.h"

#include "processing/Geodesy.h"

#include <algorithm>
#include <cmath>

namespace {

double HeadingWithinTurn(double angle)
{
    const double wrapped = std::fmod(angle, 360.0);
    return wrapped < 0 ? wrapped + 360 : wrapped;
}

// A turn toward a target at a rate, from the angle the old turn got to.
ReplayTurn TurnToward(const ReplayTurn& old, double target, double rate, double now)
{
    const double from = old.AngleAt(now);
    return {from, target - from, std::abs(rate), now};
}

// The heading turns the way the rate's sign says, however far round that is.
ReplayTurn YawToward(const ReplayTurn& old, double target, double rate, double now)
{
    const double from = HeadingWithinTurn(old.AngleAt(now));
    const double right = HeadingWithinTurn(target - from);
    const double by = rate >= 0 ? right : (right == 0 ? 0 : right - 360);
    return {from, by, std::abs(rate), now};
}

}  // namespace

double ReplayTurn::AngleAt(double seconds) const
{
    const double turned = std::min(dRate * std::max(seconds - dSince, 0.0), std::abs(dBy));
    return dFrom + std::copysign(turned, dBy);
}

ReplayedLap::ReplayedLap(const std::vector<pattern::Command>& commands, float refLat, float refLon)
    : m_fRefLat(refLat), m_fRefLon(refLon)
{
    const GeoPoint reference = GeoPoint::At(refLat, refLon);
    ReplayPiece now;  // the state as the next piece would start with it
    bool placed = false;
    const auto fly = [&](int seconds, double east, double north, double up) {
        ReplayPiece& piece = m_pieces.emplace_back(now);
        piece.nSeconds = seconds;
        piece.to[0] = now.from[0] + east;
        piece.to[1] = now.from[1] + north;
        piece.to[2] = now.from[2] + up;
        std::copy(std::begin(piece.to), std::end(piece.to), std::begin(now.from));
        now.nStart += seconds;
    };
    for (const pattern::Command& command : commands) {
        if (std::holds_alternative<pattern::Jump>(command))
            break;
        std::visit(pattern::Overloaded{
                       [&](const pattern::SetPos& c) {
                           const LocalOffset at =
                               LocalOffsetOf(refLat, refLon, 0, reference, static_cast<float>(c.dLat),
                                             static_cast<float>(c.dLon), 0, GeoPoint::At(c.dLat, c.dLon));
                           const double to[3] = {at.fEast, at.fNorth, c.dAltMetres};
                           // The first placing comes from nowhere: no line leads to it.
                           if (!placed)
                               std::copy(std::begin(to), std::end(to), std::begin(now.from));
                           placed = true;
                           fly(0, to[0] - now.from[0], to[1] - now.from[1], to[2] - now.from[2]);
                       },
                       [&](const pattern::Heading& c) {
                           now.heading = {c.fAngle, 0, 0, 0};
                       },
                       [&](const pattern::YawTo& c) {
                           now.heading = YawToward(now.heading, c.fAngle, c.dRate, now.nStart);
                       },
                       [&](const pattern::PitchTo& c) {
                           now.pitch = TurnToward(now.pitch, c.fAngle, c.dRate, now.nStart);
                       },
                       [&](const pattern::BankTo& c) {
                           now.bank = TurnToward(now.bank, c.fAngle, c.dRate, now.nStart);
                       },
                       [&](const pattern::Hold& c) {
                           fly(c.nSeconds, 0, 0, 0);
                           ++m_nHolds;
                       },
                       [&](const pattern::MoveXY& c) {
                           fly(c.nSeconds, c.dEast, c.dNorth, 0);
                           ++m_nMoves;
                       },
                       [&](const pattern::Move3D& c) {
                           fly(c.nSeconds, c.dEast, c.dNorth, c.dUp);
                           ++m_nMoves;
                       },
                       [&](const pattern::Gear& c) { now.bGearUp = c.bUp; },
                       [](const auto&) {},
                   },
                   command);
    }
    // The state the lap ends in, with what changed after its last piece.
    fly(0, 0, 0, 0);
    m_nSeconds = now.nStart;
}

ReplayPlace ReplayedLap::PlaceAt(const double (&metres)[3]) const
{
    const GeoPosition position = PositionAtOffset(m_fRefLat, m_fRefLon, metres[0], metres[1]);
    return {metres[0], metres[1], metres[2], position.dLat, position.dLon};
}

ReplayedState ReplayedLap::At(double seconds) const
{
    seconds = std::clamp(seconds, 0.0, static_cast<double>(m_nSeconds));
    // The last piece begun by then: a position fix wins over the piece it ends.
    const auto next = std::upper_bound(m_pieces.begin(), m_pieces.end(), seconds,
                                       [](double t, const ReplayPiece& piece) { return t < piece.nStart; });
    const ReplayPiece& piece = *std::prev(next);
    const double part = piece.nSeconds > 0 ? std::min((seconds - piece.nStart) / piece.nSeconds, 1.0) : 1.0;
    double metres[3];
    for (int axis = 0; axis < 3; ++axis)
        metres[axis] = piece.from[axis] + part * (piece.to[axis] - piece.from[axis]);
    return {PlaceAt(metres), HeadingWithinTurn(piece.heading.AngleAt(seconds)), piece.pitch.AngleAt(seconds),
            piece.bank.AngleAt(seconds), piece.bGearUp};
}

std::vector<ReplayPlace> ReplayedLap::Course() const
{
    std::vector<ReplayPlace> corners{PlaceAt(m_pieces.front().from)};
    for (const ReplayPiece& piece : m_pieces) {
        const ReplayPlace& last = corners.back();
        if (piece.to[0] != last.dEast || piece.to[1] != last.dNorth || piece.to[2] != last.dAltMetres)
            corners.push_back(PlaceAt(piece.to));
    }
    return corners;
}
