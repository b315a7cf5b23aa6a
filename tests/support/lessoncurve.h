// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/colour.h"

#include <algorithm>

// What the lesson's curve must show along the way, for the tests of the handlers and of the
// window alike. Standard C++ only.
namespace testsupport::lesson {

inline constexpr forms::Colour Foreground = 0x00FF0000; // the window's ForeColor: blue 255
inline constexpr forms::Colour Red = 0x000000FF;
inline constexpr forms::Colour Settled = 0x00F00000; // blue 240

// The colour point `index` of the curve shows after `press` presses of "Weiter": press 3 + k
// draws segment k (indices 250 (k − 1) to 250 k) in red over the settled segments before it;
// press 8 settles all four.
inline forms::Colour expectedCurveColour(int press, int index)
{
    if (press <= 3)
        return Foreground;
    const int segment = std::min(press - 3, 4);
    const int first = 250 * (segment - 1), last = 250 * segment;
    if (press == 8)
        return index <= last ? Settled : Foreground;
    if (index >= first && index <= last)
        return Red;
    return index < first ? Settled : Foreground;
}

} // namespace testsupport::lesson
