// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole: the switch between the two windows, which keep their state. Which
// window shows when is tst_switching's, with real windows.

#include "comparison/form2.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "recordingface.h"

#include <doctest.h>

using namespace forms;
using testsupport::RecordingFace;

namespace {

struct Session
{
    Session() { program.start(); }

    RecordingFace face;
    Runtime runtime{face, ","};
    Program program{runtime};
};

} // namespace

TEST_CASE("the way back keeps the lesson's place and hides the legend until the next Start")
{
    Session session;
    Form1 &lesson = session.program.form1();
    lesson.List1.choose(3);
    for (int n = 0; n < 5; ++n)
        lesson.Command1.press();

    lesson.Command2.press();
    Form2 &comparison = session.program.form2();
    comparison.Command1.press();
    comparison.Command2.press();
    for (const Label *legend : {&comparison.Label1, &comparison.Label2, &comparison.Label3,
                                &comparison.Label4, &comparison.Label5})
        CHECK(!legend->isVisible());
    CHECK(lesson.intClicks.value() == 5);
    CHECK(RecordingFace::viewOf(lesson).announcements.back() ==
          "Zurück im Fenster „Die Zerfallsfrist“, nach Schritt 5 von 9.");
    lesson.Command1.press();
    CHECK(lesson.intClicks.value() == 6); // the next press is the sixth

    // Back again: the legend stays hidden until the next Start has drawn everything.
    lesson.Command2.press();
    CHECK(!comparison.Label1.isVisible());
    CHECK(comparison.Label1.caption() == "Cs-137 (Cäsium -137)");
    CHECK(session.face.reports.empty());
}

TEST_CASE("Zurück before any Start hides the empty legend without an error")
{
    Session session;
    session.program.form1().Command2.press();
    session.program.form2().Command2.press();
    CHECK(session.face.reports.empty());
    CHECK(!session.program.form2().Label3.isVisible());
}

TEST_CASE("a separator that is dear to find is looked up once, when the first number is shown")
{
    RecordingFace face;
    int lookups = 0;
    Runtime runtime{face, [&lookups] {
                        ++lookups;
                        return std::string(".");
                    }};
    Program program{runtime};
    program.start();
    CHECK(lookups == 0); // the lesson starts with no number on it
    Form1 &lesson = program.form1();
    lesson.List1.choose(2); // Uran 235
    CHECK(lookups == 1);
    CHECK(lesson.Label6.caption() == "703.8");
    lesson.List1.choose(4);
    lesson.Command1.press();
    CHECK(lookups == 1);
    CHECK(lesson.Label6.caption() == "0.00573");
}
