// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string_view>

namespace forms {

// What can go wrong while a handler runs. Each ends the program through the error report.
enum class ErrorKind {
    PlatformFailed, // the window system refused an operation
    Overflow, // a counter or a calculation outgrew its range
    OutOfMemory,
    IndexOutOfRange, // a table was read or written outside its bounds
    DivisionByZero,
    Internal, // anything else that escaped a handler
};

// The report for a pupil and a teacher, in German: what went wrong, in plain words.
std::string_view describe(ErrorKind kind);

// What every report adds: that the program ends, and what to do about it.
inline constexpr std::string_view ReportAdvice =
    "Das Programm wird jetzt beendet. Starte es neu, um weiterzuarbeiten. Wenn der Fehler "
    "wieder auftritt, sag bitte deiner Lehrerin oder deinem Lehrer Bescheid.";

// A run-time error. It ends the handler at the step that raised it; the dispatcher turns it
// into the error report and ends the program.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorKind kind)
        : m_kind(kind)
    { }

    ErrorKind kind() const { return m_kind; }
    std::string_view description() const { return describe(m_kind); }
    const char *what() const noexcept override { return "run-time error in a handler"; }

private:
    ErrorKind m_kind;
};

} // namespace forms
