// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-up floor: a bare Qt program showing one empty window of the lesson window's size.

#include "firstframe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(954, 651); // the lesson window's client size in logical pixels
    const FirstFrame firstFrame(window);
    window.show();
    return application.exec();
}
