// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "errors.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <optional>

// The arithmetic rules handlers run under: 16-bit counters that report overflow, tables with
// fixed bounds, and floating-point results that must stay finite.
namespace forms {

// A 16-bit signed integer whose increment reports overflow instead of wrapping.
class Int16
{
public:
    constexpr Int16() = default;
    constexpr explicit Int16(std::int16_t value)
        : m_value(value)
    { }

    constexpr std::int16_t value() const { return m_value; }
    constexpr operator std::int16_t() const { return m_value; }

    // Adds one; at 32767 raises the overflow error and keeps the old value.
    void increment()
    {
        if (m_value == INT16_MAX)
            throw RuntimeError(ErrorKind::Overflow);
        ++m_value;
    }

private:
    std::int16_t m_value = 0;
};

// A loop counter that is empty until a loop first assigns it, then holds a 16-bit integer.
class OptionalInt16
{
public:
    bool isEmpty() const { return !m_value; }
    std::optional<std::int16_t> value() const
    {
        if (m_value)
            return m_value->value();
        return std::nullopt;
    }
    // The counter it holds; assigning makes it non-empty.
    Int16 &counter()
    {
        if (!m_value)
            m_value.emplace();
        return *m_value;
    }

private:
    std::optional<Int16> m_value;
};

// A counting loop with a 16-bit counter: tests before every pass and leaves the counter one
// past the last value, as the platform's own loops do.
template<typename Body>
void forEach(Int16 &counter, std::int16_t first, std::int16_t last, Body body)
{
    counter = Int16(first);
    while (counter.value() <= last) {
        body(counter.value());
        counter.increment();
    }
}

// A table with fixed bounds Low..High; reaching outside them raises the out-of-range error.
template<typename T, int Low, int High> class FixedArray
{
public:
    T &operator[](int index) { return m_items[checked(index)]; }
    const T &operator[](int index) const { return m_items[checked(index)]; }

private:
    static std::size_t checked(int index)
    {
        if (index < Low || index > High)
            throw RuntimeError(ErrorKind::IndexOutOfRange);
        return static_cast<std::size_t>(index - Low);
    }
    std::array<T, High - Low + 1> m_items{};
};

// Division in double precision with the platform's faults: x / 0 raises division by zero,
// 0 / 0 and an infinite quotient raise overflow.
inline double checkedDivide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw RuntimeError(dividend == 0.0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    const double quotient = dividend / divisor;
    if (!std::isfinite(quotient))
        throw RuntimeError(ErrorKind::Overflow);
    return quotient;
}

// A double-precision result checked for an invalid operation or overflow; underflow is fine.
inline double checkedResult(double value)
{
    if (!std::isfinite(value))
        throw RuntimeError(ErrorKind::Overflow);
    return value;
}

// Rounds to single precision. Too large raises overflow; too small becomes 0 without error.
inline float toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX))
        throw RuntimeError(ErrorKind::Overflow);
    return static_cast<float>(value);
}

} // namespace forms
