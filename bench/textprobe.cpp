// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A reference beside the start-up floor: the bare window with one line of text on it, to show
// what any text costs before its first frame (the font configuration read, a face loaded,
// glyphs rendered), which the empty window never pays.

#include "firstframe.h"

#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel window(u"Der radioaktive Zerfall"_s);
    window.resize(954, 651); // the lesson window's client size in logical pixels
    const FirstFrame firstFrame(window);
    window.show();
    return application.exec();
}
