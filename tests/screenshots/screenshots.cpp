// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the program's real windows on a real display, walks through a lesson as a pupil would,
// and saves what the screen shows at every stop, for people to look at:
//
//     screenshots <folder>
//
// form1-start, form1-isotope-<isotope> for each of the five, form1-press1 to form1-press8,
// form2-start, form2-plot (after "Start"), form1-back, and form1-press9: "Ende" held down, the
// moment before the program ends. Run it under a virtual X display (scripts/screenshots.sh
// does). The pictures come from the display server, not from the program's own painting.

#include "comparison/form2.h"
#include "desktopprogram.h"
#include "lesson/form1.h"
#include "windowtest.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The isotopes in the list's order, as file names; Uran 238 is chosen last, for the presses.
const struct
{
    int row;
    QString name;
} Isotopes[] = {{0, u"kalium40"_s},
                {1, u"thorium232"_s},
                {2, u"uran235"_s},
                {4, u"kohlenstoff14"_s},
                {3, u"uran238"_s}};

class Photographer
{
public:
    explicit Photographer(const QDir &folder)
        : m_folder(folder)
    { }

    // Saves the form's window as the screen shows it; false if nothing could be grabbed.
    bool shoot(const forms::Form &form, const QString &name)
    {
        QWidget *window = qtface::windowOf(form);
        if (!QTest::qWaitForWindowExposed(window))
            return false;
        QTest::qWait(150); // let the display server catch up with the last repaint
        const QRect client = window->geometry();
        const QPixmap shot = window->screen()->grabWindow(0, client.x(), client.y(), client.width(),
                                                          client.height());
        const QString path = m_folder.filePath(name + u".png"_s);
        if (shot.isNull() || !shot.save(path))
            return false;
        std::printf("%s\n", qPrintable(path));
        return true;
    }

private:
    QDir m_folder;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots <folder>\n");
        return 2;
    }
    Photographer camera(QDir(QString::fromLocal8Bit(argv[1])));
    DesktopProgram desktop;
    if (!desktop.start())
        return 1;
    Form1 &lesson = desktop.program().form1();

    bool ok = camera.shoot(lesson, u"form1-start"_s);
    for (const auto &isotope : Isotopes) {
        testsupport::choose(lesson.List1, isotope.row);
        ok = ok && camera.shoot(lesson, u"form1-isotope-"_s + isotope.name);
    }
    for (int press = 1; press <= 8; ++press) {
        testsupport::press(lesson.Command1);
        ok = ok && camera.shoot(lesson, u"form1-press%1"_s.arg(press));
    }

    // The excursion, before and after "Start", and back to the lesson.
    testsupport::press(lesson.Command2);
    Form2 &comparison = desktop.program().form2();
    ok = ok && camera.shoot(comparison, u"form2-start"_s);
    testsupport::press(comparison.Command1);
    ok = ok && camera.shoot(comparison, u"form2-plot"_s);
    testsupport::press(comparison.Command2);
    ok = ok && camera.shoot(lesson, u"form1-back"_s);

    // The ninth press: "Ende" held down, then let go, which ends the program.
    QWidget *ende = testsupport::widget(lesson.Command1);
    QTest::mousePress(ende, Qt::LeftButton);
    ok = ok && camera.shoot(lesson, u"form1-press9"_s);
    QTest::mouseRelease(ende, Qt::LeftButton);
    const bool ended = desktop.runtime().hasEnded() && desktop.runtime().exitStatus() == 0 &&
        !qtface::windowOf(lesson)->isVisible();
    if (!ended)
        std::fprintf(stderr, "the ninth press did not end the program\n");
    return ok && ended ? 0 : 1;
}
