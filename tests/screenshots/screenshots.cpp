// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the program's real windows on a real display, walks through a lesson as a pupil would,
// and saves what the screen shows at each stop, for people to look at:
//
//     screenshots <folder>
//
// Run it under a virtual X display (scripts/screenshots.sh does). The pictures come from the
// display server, not from the program's own painting.

#include "form1.h"
#include "form2.h"
#include "forms/platform.h"
#include "forms/runtime.h"
#include "program.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Saves the window's area of the screen; returns false if nothing could be grabbed.
bool shoot(QWidget &window, const QString &path)
{
    QTest::qWait(150); // let the display server catch up with the last repaint
    const QPixmap shot =
        window.screen()->grabWindow(0, window.x(), window.y(), window.width(), window.height());
    if (shot.isNull() || !shot.save(path))
        return false;
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"Zerfallsfrist"_s);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    forms::preparePlatform();
    forms::Runtime runtime;
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    if (!QTest::qWaitForWindowExposed(&lesson))
        return 1;

    bool ok = shoot(lesson, folder.filePath(u"form1-start.png"_s));
    auto *list = qobject_cast<QListWidget *>(lesson.List1.widget());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center()); // "Uran 238"
    ok = ok && shoot(lesson, folder.filePath(u"form1-uran238.png"_s));
    for (int press = 1; press <= 8; ++press) {
        QTest::mouseClick(lesson.Command1.button(), Qt::LeftButton);
        if (press == 3 || press == 5 || press == 8)
            ok = ok && shoot(lesson, folder.filePath(u"form1-press%1.png"_s.arg(press)));
    }

    // The excursion, before and after "Start", and back to the lesson.
    QTest::mouseClick(lesson.Command2.button(), Qt::LeftButton);
    Form2 &comparison = program.form2();
    ok = ok && QTest::qWaitForWindowExposed(&comparison);
    ok = ok && shoot(comparison, folder.filePath(u"form2-start.png"_s));
    QTest::mouseClick(comparison.Command1.button(), Qt::LeftButton);
    ok = ok && shoot(comparison, folder.filePath(u"form2-plot.png"_s));
    QTest::mouseClick(comparison.Command2.button(), Qt::LeftButton);
    ok = ok && QTest::qWaitForWindowExposed(&lesson);
    ok = ok && shoot(lesson, folder.filePath(u"form1-back.png"_s));
    return ok && !runtime.hasEnded() ? 0 : 1;
}
