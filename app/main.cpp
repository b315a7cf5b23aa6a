// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"
#include "platformstart.h"
#include "runtimefolder.h"

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
    DesktopProgram program;
    return program.run();
}
