// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole session of the real program, for checks made from outside it (system calls, memory):
// Uran 238 chosen, eight presses of "Weiter", the excursion, "Start", back to the lesson, and
// the ninth press, which ends the program through its own event loop. Prints "session
// complete" and exits with 0 only if the session went as it should.

#include "form1.h"
#include "form2.h"
#include "forms/platform.h"
#include "forms/runtime.h"
#include "program.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void click(forms::CommandButton &button)
{
    QTest::mouseClick(button.button(), Qt::LeftButton);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Zerfallsfrist"_s);
    forms::preparePlatform();
    forms::Runtime runtime;
    Program program(runtime);
    program.start();

    bool asExpected = false;
    QTimer::singleShot(0, [&] {
        Form1 &lesson = program.form1();
        QListWidget *list = lesson.List1.listWidget();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(3)).center());
        for (int press = 1; press <= 8; ++press)
            click(lesson.Command1);
        click(lesson.Command2);
        Form2 &comparison = program.form2();
        click(comparison.Command1);
        asExpected = lesson.Label10.caption() == u"Uran 238"_s &&
            lesson.Command1.caption() == u"Ende"_s && comparison.Label5.isVisible() &&
            comparison.intIso.value() == 5;
        click(comparison.Command2);
        asExpected = asExpected && lesson.isVisible() && !comparison.isVisible();
        click(lesson.Command1); // the ninth press: the program ends
    });
    const int status = application.exec();
    if (status != 0 || !asExpected || program.form1().intClicks.value() != 9) {
        std::fprintf(stderr, "session went wrong: status %d\n", status);
        return 1;
    }
    std::puts("session complete");
    return 0;
}
