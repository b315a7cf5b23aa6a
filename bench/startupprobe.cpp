// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up up to the first frame of the lesson window: what app/main.cpp does,
// with a watch on that window.

#include "firstframe.h"
#include "form1.h"
#include "forms/platform.h"
#include "forms/runtime.h"
#include "identity.h"
#include "program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    identity::apply();
    forms::preparePlatform();

    forms::Runtime runtime;
    Program program(runtime);
    // Creating the window first, as start() would on its own, lets the watch be in place
    // before it is shown.
    const FirstFrame firstFrame(program.form1());
    program.start();
    return runtime.hasEnded() ? runtime.exitStatus() : application.exec();
}
