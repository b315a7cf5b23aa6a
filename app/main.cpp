// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/platform.h"
#include "forms/runtime.h"
#include "identity.h"
#include "program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    identity::apply(); // "Zerfallsfrist" 1.00, its launcher's name and its icon
    forms::preparePlatform();

    forms::Runtime runtime;
    Program program(runtime);
    program.start();
    // A run-time error while the lesson window loads ends the program before the loop runs.
    return runtime.hasEnded() ? runtime.exitStatus() : application.exec();
}
