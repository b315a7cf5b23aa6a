// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace forms {

namespace {

QString toText(double value, int significantDigits, QChar separator)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also -0: the sign of zero is not shown
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");

    // Scientific form rounds to exactly the wanted number of significant digits and, unlike
    // printf, never looks at the process locale.
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::scientific, significantDigits - 1);
    Q_ASSERT(error == std::errc());
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));

    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int count = static_cast<int>(digits.size());

    QString result;
    if (negative)
        result += QLatin1Char('-');
    if (exponent < -5 || exponent >= significantDigits) {
        result += QLatin1Char(digits[0]);
        if (count > 1) {
            result += separator;
            result += QLatin1String(digits.data() + 1, count - 1);
        }
        result += QLatin1Char('E');
        result += QLatin1Char(exponent < 0 ? '-' : '+');
        result += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    } else if (exponent < 0) {
        result += QLatin1Char('0');
        result += separator;
        result += QString(-exponent - 1, QLatin1Char('0'));
        result += QLatin1String(digits.data(), count);
    } else {
        const int integral = exponent + 1;
        if (count <= integral) {
            result += QLatin1String(digits.data(), count);
            result += QString(integral - count, QLatin1Char('0'));
        } else {
            result += QLatin1String(digits.data(), integral);
            result += separator;
            result += QLatin1String(digits.data() + integral, count - integral);
        }
    }
    return result;
}

} // namespace

QString doubleToText(double value, QChar decimalSeparator)
{
    return toText(value, 15, decimalSeparator);
}

QString singleToText(float value, QChar decimalSeparator)
{
    return toText(static_cast<double>(value), 7, decimalSeparator);
}

} // namespace forms
