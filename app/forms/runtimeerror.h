// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>

namespace forms {

// The run-time errors the platform raises, by their numbers.
namespace ErrorNumber {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int Internal = 51;
} // namespace ErrorNumber

// The German text the error report shows for an error number.
QString errorDescription(int number);

// A run-time error. It ends the handler at the step that raised it; the dispatcher turns it
// into the error report and ends the program.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(int number)
        : m_number(number)
    { }

    int number() const { return m_number; }
    QString description() const { return errorDescription(m_number); }
    const char *what() const noexcept override { return "run-time error"; }

private:
    int m_number;
};

} // namespace forms
