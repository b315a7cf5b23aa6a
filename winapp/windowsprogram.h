// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faces/win32/win32face.h"
#include "forms/runtime.h"
#include "program/program.h"

#include <optional>

// Zerfallsfrist on Windows, put together in the order every start-up uses: the face, the
// runtime in the user's number format, and the program with its two windows.
class WindowsProgram
{
public:
    explicit WindowsProgram(HINSTANCE instance);
    WindowsProgram(const WindowsProgram &) = delete;
    WindowsProgram &operator=(const WindowsProgram &) = delete;

    Program &program() { return m_program; }
    forms::Runtime &runtime() { return m_runtime; }
    win32face::Win32Face &face() { return m_face; }

    // Shows the lesson window; false if the program ended on the way there, after the error
    // report if the window could not be made.
    bool start();
    // The status the program ends with.
    int exitStatus() const;

private:
    win32face::Win32Face m_face;
    forms::Runtime m_runtime;
    Program m_program;
    bool m_failedToStart = false;
};
