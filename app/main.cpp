// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"
#include "platformstart.h"

int main(int argc, char *argv[])
{
    platformstart::keepSessionBusFromStarting();
    const std::unique_ptr<QApplication> application = platformstart::openApplication(argc, argv);
    if (!application)
        return platformstart::CannotShowExitStatus;
    DesktopProgram program;
    return program.run();
}
