// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

namespace forms {

// The platform's default number-to-text conversion: rounded to at most 15 significant digits
// for a double and 7 for a single, trailing zeros dropped, no digit grouping, integral values
// without a separator. Very small and very large magnitudes are written with an exponent
// ("1,5E-05", "1E+15"). The decimal separator is passed in so callers choose the locale.
QString doubleToText(double value, QChar decimalSeparator);
QString singleToText(float value, QChar decimalSeparator);

} // namespace forms
