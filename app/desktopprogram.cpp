// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"

#include "identity.h"
#include "windowmemory.h"

#include <QApplication>

namespace {

// The application's name, icon and look. Returns the user's decimal separator, which depends
// on the faces loaded here.
std::string prepareApplication()
{
    identity::apply(); // "Zerfallsfrist" 1.00, its launcher's name and its icon
    qtface::prepareApplication();
    return qtface::decimalSeparator(QLocale());
}

} // namespace

DesktopProgram::DesktopProgram()
    : m_runtime(m_face, prepareApplication())
    , m_program(m_runtime)
{ }

bool DesktopProgram::start()
{
    if (!windowmemory::windowsFit()) {
        m_runtime.reportAndEnd(forms::RuntimeError(forms::ErrorKind::OutOfMemory));
        return false;
    }
    m_program.start();
    return !m_runtime.hasEnded();
}

int DesktopProgram::run()
{
    // A run-time error while the lesson window loads ends the program before the loop runs.
    if (!start())
        return m_runtime.exitStatus();
    return QApplication::exec();
}
