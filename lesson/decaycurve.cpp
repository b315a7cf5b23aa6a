// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decaycurve.h"

#include "forms/checked.h"

#include <cmath>

namespace decaycurve {

Point point(std::int16_t index)
{
    using namespace forms;
    const double x = checkedDivide(index, 10);
    const double half = checkedDivide(1, 2);
    // 4 × 1500 still fits a 16-bit integer. The quotient equals index / 250 exactly, since
    // both divisions round the same real number, so the guided lesson's highlighted pieces
    // fall on the very pixels of this curve.
    const double exponent = checkedDivide(4 * index, 1000);
    const double y = checkedResult(100.0 * std::pow(half, exponent));
    return {toSingle(x), toSingle(y)};
}

} // namespace decaycurve
