// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsprogram.h"

WindowsProgram::WindowsProgram(HINSTANCE instance)
    : m_face(instance)
    , m_runtime(m_face, win32face::Win32Face::decimalSeparator())
    , m_program(m_runtime)
{ }

bool WindowsProgram::start()
{
    if (!m_face.isReady())
        return false;
    m_program.start();
    return !m_runtime.hasEnded();
}

int WindowsProgram::run()
{
    if (!start())
        return m_runtime.hasEnded() ? m_runtime.exitStatus() : forms::RuntimeErrorExitStatus;
    return m_face.run();
}
