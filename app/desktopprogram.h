// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faces/qt/qtface.h"
#include "forms/runtime.h"
#include "program/program.h"

// Zerfallsfrist on the desktop, put together in the one order every start-up uses: the
// program's identity and the face's look for the application, the Qt face, the runtime in the
// user's number format, and the program with its two windows. The program itself, the
// benchmark probes, the screenshot tool and the test session all start it so.
class DesktopProgram
{
public:
    // Call with the application object in place.
    DesktopProgram();
    DesktopProgram(const DesktopProgram &) = delete;
    DesktopProgram &operator=(const DesktopProgram &) = delete;

    Program &program() { return m_program; }
    forms::Runtime &runtime() { return m_runtime; }

    // Shows the lesson window; false if the program ended on the way there: a run-time error
    // while the window loads, or no memory for the windows' pixels at the screen's density.
    bool start();
    // Starts, then runs the event loop until the program ends; returns its exit status.
    int run();

private:
    qtface::QtFace m_face;
    forms::Runtime m_runtime;
    Program m_program;
};
