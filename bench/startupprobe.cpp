// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up up to the first frame of the lesson window: what app/main.cpp does,
// with a watch on that window.

#include "desktopprogram.h"
#include "firstframe.h"
#include "lesson/form1.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    DesktopProgram desktop;
    // Creating the window first, as starting would on its own, lets the watch be in place
    // before it is shown.
    const FirstFrame firstFrame(*qtface::windowOf(desktop.program().form1()));
    return desktop.run();
}
