// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decay.h"

#include "forms/checked.h"

#include <cmath>

namespace decay {

using namespace forms;

Point lessonPoint(std::int16_t index)
{
    const double x = checkedDivide(index, 10);
    const double half = checkedDivide(1, 2);
    // 4 × 1500 still fits a 16-bit integer. The quotient equals index / 250 exactly, since
    // both divisions round the same real number, so the guided lesson's highlighted pieces
    // fall on the very pixels of this curve.
    const double exponent = checkedDivide(4 * index, 1000);
    const double y = checkedResult(100.0 * std::pow(half, exponent));
    return {toSingle(x), toSingle(y)};
}

float remainingOfSample(float years, float halfLife)
{
    constexpr double FullSample = 10000; // the undecayed sample, 100 % [user units]
    const double exponent = checkedDivide(double(years), double(halfLife));
    // Cs-137 falls below the smallest single after about 4900 years: it becomes 0.
    return toSingle(checkedResult(FullSample * std::pow(0.5, exponent)));
}

} // namespace decay
