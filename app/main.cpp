// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    DesktopProgram program;
    return program.run();
}
