// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace forms {

// The platform's default number-to-text conversion: rounded to at most 15 significant digits
// for a double and 7 for a single, trailing zeros dropped, no digit grouping, integral values
// without a separator. Very small and very large magnitudes are written with an exponent
// ("1,5E-05", "1E+15"). The decimal separator (UTF-8) is passed in, so the caller chooses the
// locale and no process-wide setting is read.
std::string doubleToText(double value, std::string_view decimalSeparator);
std::string singleToText(float value, std::string_view decimalSeparator);

} // namespace forms
