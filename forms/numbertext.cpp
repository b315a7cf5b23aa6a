// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {

std::string toText(double value, int significantDigits, std::string_view separator)
{
    if (value == 0.0)
        return "0"; // also -0: the sign of zero is not shown
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Inf" : "-Inf";

    // Scientific form rounds to exactly the wanted number of significant digits. Whatever
    // decimal point the process locale gives printf, only the digits are taken from it below.
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    assert(length > 0 && length < static_cast<int>(sizeof buffer));
    std::string_view text(buffer, static_cast<std::size_t>(length));

    const bool negative = text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const auto e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const auto count = digits.size();

    std::string result;
    if (negative)
        result += '-';
    if (exponent < -5 || exponent >= significantDigits) {
        result += digits[0];
        if (count > 1) {
            result += separator;
            result += digits.substr(1);
        }
        const int magnitude = std::abs(exponent);
        result += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10)
            result += '0';
        result += std::to_string(magnitude);
    } else if (exponent < 0) {
        result += '0';
        result += separator;
        result.append(static_cast<std::size_t>(-exponent - 1), '0');
        result += digits;
    } else {
        const auto integral = static_cast<std::size_t>(exponent + 1);
        if (count <= integral) {
            result += digits;
            result.append(integral - count, '0');
        } else {
            result += digits.substr(0, integral);
            result += separator;
            result += digits.substr(integral);
        }
    }
    return result;
}

} // namespace

std::string doubleToText(double value, std::string_view decimalSeparator)
{
    return toText(value, 15, decimalSeparator);
}

std::string singleToText(float value, std::string_view decimalSeparator)
{
    return toText(static_cast<double>(value), 7, decimalSeparator);
}

} // namespace forms
