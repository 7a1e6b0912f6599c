// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/Canvas.h"

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

}  // namespace view_colour
