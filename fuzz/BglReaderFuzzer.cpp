// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes as a compiled scenery file: refused with a byte of the file
// named, or read into bodies that lie back to back, each closed by the jump
// back to itself, with values inside the ranges their fields can hold.

#include "FuzzCheck.h"
#include "output/BglFormat.h"
#include "output/BglReader.h"
#include "output/SceneryReplay.h"

#include <cmath>

#include <cstdint>
#include <string>
#include <variant>

namespace {

// A signed 16-bit angle or rate reads as at most this many degrees either
// way; an unsigned one as 0 up to a hair over 360 (give or take the rounding
// of the float an angle is read into).
constexpr double kFloatRounding = 1e-4;
constexpr double kWidestAngle = 32768 / 182.04 + kFloatRounding;
constexpr double kFullestTurn = 65535 / 182.04 + kFloatRounding;

bool Within(double value, double low, double high)
{
    return value >= low && value <= high;
}

void RequireFieldRanges(const pattern::Command& command)
{
    std::visit(
        pattern::Overloaded{
            [](const pattern::Heading& c) {
                Require(Within(c.fAngle, 0, kFullestTurn), "a heading is unsigned");
            },
            [](const pattern::YawTo& c) {
                Require(Within(c.fAngle, 0, kFullestTurn) && Within(c.dRate, -kWidestAngle, kWidestAngle),
                        "a yaw target is unsigned, its rate signed");
            },
            [](const pattern::PitchTo& c) {
                Require(Within(c.fAngle, -kWidestAngle, kWidestAngle) &&
                            Within(c.dRate, -kWidestAngle, kWidestAngle),
                        "a pitch and its rate are signed");
            },
            [](const pattern::BankTo& c) {
                Require(Within(c.fAngle, -kWidestAngle, kWidestAngle) &&
                            Within(c.dRate, -kWidestAngle, kWidestAngle),
                        "a bank and its rate are signed");
            },
            [](const pattern::SetColor& c) { Require(Within(c.nColor, 0, 255), "a colour is a byte"); },
            [](const pattern::Hold& c) { Require(Within(c.nSeconds, 0, 65535), "seconds are unsigned"); },
            [](const auto&) {},
        },
        command);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CompiledScenery scenery;
    try {
        scenery = ReadCompiledScenery({data, size});
    } catch (const BglFault& fault) {
        const std::string message = fault.what();
        Require(message.starts_with("at byte ") && std::stoul(message.substr(8)) <= size,
                "a refusal names a byte of the file, or its end");
        return 0;
    }

    Require(bgl::kBlockSizeCountsFrom + scenery.nBlockSize + scenery.strNotice.size() == size,
            "the size word counts up to the end of the last body, and the notice follows it");
    for (std::size_t k = 0; k < scenery.patterns.size(); ++k) {
        const CompiledPattern& pattern = scenery.patterns[k];
        if (k > 0) {
            const CompiledPattern& before = scenery.patterns[k - 1];
            Require(pattern.nBodyOffset == before.nBodyOffset + before.nBodyBytes, "bodies lie back to back");
        }
        for (std::size_t c = 0; c < pattern.commands.size(); ++c) {
            const auto* jump = std::get_if<pattern::Jump>(&pattern.commands[c]);
            Require((c + 1 == pattern.commands.size()) == (jump != nullptr) &&
                        (!jump || jump->nPattern == static_cast<int>(k)),
                    "each body ends with its one jump, back to itself");
            RequireFieldRanges(pattern.commands[c]);
        }
    }
    if (!scenery.patterns.empty()) {
        const CompiledPattern& last = scenery.patterns.back();
        Require(last.nBodyOffset + last.nBodyBytes + scenery.strNotice.size() == size,
                "the notice is all that follows the last body");
    }
    // What any file read makes its vehicles do can be shown.
    for (const ReplayedPattern& replay : ReplayCompiledScenery(scenery)) {
        for (const double second :
             {0.0, replay.lap.Seconds() / 2.0, static_cast<double>(replay.lap.Seconds())}) {
            const ReplayedState state = replay.lap.At(second);
            Require(std::isfinite(state.place.dLat) && Within(state.place.dLon, -180, 180) &&
                        std::isfinite(state.place.dAltMetres) && Within(state.dHeading, 0, 360),
                    "a replayed vehicle is somewhere");
        }
    }
    return 0;
}
