// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsprogram.h"

#include <new>

WindowsProgram::WindowsProgram(HINSTANCE instance)
    : m_face(instance)
    , m_runtime(m_face, win32face::Win32Face::decimalSeparator())
    , m_program(m_runtime)
{ }

bool WindowsProgram::start()
{
    // The lesson window is made before any handler runs, so a failure there is reported here.
    std::optional<forms::RuntimeError> error;
    if (!m_face.isReady()) {
        error = forms::RuntimeError(forms::ErrorKind::PlatformFailed); // no fonts, no windows
    } else {
        try {
            m_program.start();
        } catch (const forms::RuntimeError &raised) {
            error = raised;
        } catch (const std::bad_alloc &) {
            error = forms::RuntimeError(forms::ErrorKind::OutOfMemory);
        }
    }
    if (error) {
        m_face.showReport(*error);
        m_failedToStart = true;
        return false;
    }
    return !m_runtime.hasEnded();
}

int WindowsProgram::exitStatus() const
{
    return m_failedToStart ? forms::RuntimeErrorExitStatus : m_runtime.exitStatus();
}
