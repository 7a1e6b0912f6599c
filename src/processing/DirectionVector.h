// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// A displacement in metres (east, north, up) with its unit direction, as path
// segmentation compares one-second steps. A displacement of length 0 has no
// direction: its unit components are all 0.
struct DirectionVector {
    float x = 0;
    float y = 0;
    float z = 0;
    float ux = 0;
    float uy = 0;
    float uz = 0;

    DirectionVector() = default;
    DirectionVector(float east, float north, float up) : x(east), y(north), z(up)
    {
        const double length =
            std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z);
        if (length > 0) {
            ux = static_cast<float>(x / length);
            uy = static_cast<float>(y / length);
            uz = static_cast<float>(z / length);
        }
    }

    // True when no displacement was taken (all raw components exactly 0).
    bool IsZero() const { return x == 0 && y == 0 && z == 0; }
};
