// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"
#include "forms/runtime.h"
#include "platformstart.h"
#include "runtimefolder.h"

#include <new>

int main(int argc, char *argv[])
{
    // The bus is looked for in the desktop's runtime folder, before the program gives Qt one.
    platformstart::keepSessionBusFromStarting();
    // Outlives the application object, and goes on exit() too, which Qt calls where the
    // connection to the X server breaks.
    static platformstart::RuntimeFolder runtimeFolder;
    const std::unique_ptr<QApplication> application =
        platformstart::openApplication(argc, argv, runtimeFolder);
    if (!application)
        return platformstart::CannotShowExitStatus;
    try {
        DesktopProgram program;
        return program.run();
    } catch (const std::bad_alloc &) {
        // Too little memory for the program's own start, before it could keep back the room
        // its report needs.
        platformstart::sayOutOfMemory();
        return forms::RuntimeErrorExitStatus;
    }
}
