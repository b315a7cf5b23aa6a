// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The decay law as both windows draw it: after a time t, the share 0.5 ^ (t / T) of an isotope
// with half-life T is left. Computed in double precision and rounded to single precision, with
// the floating-point checks every handler runs under.
namespace decay {

// The lesson's curve, the same for every isotope: only the captions of the time axis tell the
// isotopes apart.
inline constexpr std::int16_t LessonLastIndex = 1500; // the curve has points 0 to 1500
inline constexpr std::int16_t StepsPerHalfLife = 250; // y halves every 250 points, 25 units of x

struct Point
{
    float x;
    float y;
};

// Point `index` of the lesson's curve in the lesson window's user units: x = index / 10 and
// y = 100 × 0.5 ^ (4 × index / 1000), so y is the share left in per cent.
Point lessonPoint(std::int16_t index);

// The comparison's curves: what is left of a sample of 10000 units after `years`, for an
// isotope of the given half-life [years]. The quotient t / T is formed in double precision.
float remainingOfSample(float years, float halfLife);

} // namespace decay
