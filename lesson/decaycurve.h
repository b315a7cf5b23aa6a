// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The lesson's decay curve, the same for every isotope: only the captions of the time axis
// tell the isotopes apart.
namespace decaycurve {

inline constexpr std::int16_t LastIndex = 1500; // the curve has points 0 to 1500
inline constexpr std::int16_t StepsPerHalfLife = 250; // y halves every 250 points, 25 units of x

// Point `index` of the curve in the lesson window's user units, rounded to single precision:
// x = index / 10 and y = 100 × 0.5 ^ (4 × index / 1000), so y is the share left in per cent.
struct Point
{
    float x;
    float y;
};
Point point(std::int16_t index);

} // namespace decaycurve
