// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole session of the real program, for checks made from outside it (memory):
// Uran 238 chosen, eight presses of "Weiter", the excursion, "Start", back to the lesson, and
// the ninth press, which ends the program through its own event loop. Prints "session
// complete" and exits with 0 only if the session went as it should.

#include "comparison/form2.h"
#include "desktopprogram.h"
#include "lesson/form1.h"
#include "windowtest.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    DesktopProgram desktop;
    Program &program = desktop.program();

    bool asExpected = false;
    QTimer::singleShot(0, [&] {
        Form1 &lesson = program.form1();
        testsupport::choose(lesson.List1, 3);
        for (int press = 1; press <= 8; ++press)
            testsupport::press(lesson.Command1);
        testsupport::press(lesson.Command2);
        Form2 &comparison = program.form2();
        testsupport::press(comparison.Command1);
        asExpected = lesson.Label10.caption() == "Uran 238" &&
            lesson.Command1.caption() == "Ende" && comparison.Label5.isVisible() &&
            comparison.intIso.value() == 5;
        testsupport::press(comparison.Command2);
        asExpected = asExpected && qtface::windowOf(lesson)->isVisible() &&
            !qtface::windowOf(comparison)->isVisible();
        testsupport::press(lesson.Command1); // the ninth press: the program ends
    });
    const int status = desktop.run();
    if (status != 0 || !asExpected || program.form1().intClicks.value() != 9) {
        std::fprintf(stderr, "session went wrong: status %d\n", status);
        return 1;
    }
    std::puts("session complete");
    return 0;
}
