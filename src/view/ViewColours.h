// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

#include <iterator>

// The colours the path view draws with.
namespace view_colour {

inline constexpr Rgb kBlue{0, 0, 240};            // current path, blue indicators
inline constexpr Rgb kGray{128, 128, 128};        // header areas, other paths, 3D box and drop lines
inline constexpr Rgb kLightGray{192, 192, 192};   // squares of other paths, legend panel
inline constexpr Rgb kDarkGreen{0, 128, 48};      // frame around a marked sample
inline constexpr Rgb kGreen{0, 192, 64};          // altitude profile
inline constexpr Rgb kRed{240, 0, 0};             // segment markers and move lines
inline constexpr Rgb kBlack{0, 0, 0};             // legend frame, 3D paths, profile dots
inline constexpr Rgb kWindowBackground{255, 255, 255};

// The replayed courses and their vehicles, one colour a path, cycling: apart
// from the colours above and from each other.
inline constexpr Rgb kReplayColours[] = {{240, 128, 0}, {200, 0, 200},  {0, 160, 176},
                                         {150, 110, 0}, {110, 50, 210}, {240, 90, 140}};
inline constexpr Rgb ReplayColour(int nPattern)
{
    constexpr int count = static_cast<int>(std::size(kReplayColours));
    return kReplayColours[(nPattern % count + count) % count];
}

}  // namespace view_colour
