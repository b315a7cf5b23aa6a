// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole: the start with the lesson window and the switch between the two
// windows, which keep their state.

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
    bool shown(const Form &form) const { return RecordingFace::viewOf(form).shown; }

    RecordingFace face;
    Runtime runtime{face, ","};
    Program program{runtime};
};

} // namespace

TEST_CASE("the program starts with the lesson window alone")
{
    Session session;
    CHECK(session.shown(session.program.form1()));
    CHECK(session.program.form1().List1.items().size() == 5);
    CHECK(session.program.form1().isShown());
}

TEST_CASE("the excursion and the way back swap the windows and keep the lesson's place")
{
    Session session;
    Form1 &lesson = session.program.form1();
    lesson.List1.choose(3);
    for (int n = 0; n < 5; ++n)
        lesson.Command1.press();

    lesson.Command2.press();
    Form2 &comparison = session.program.form2();
    CHECK(!session.shown(lesson));
    CHECK(session.shown(comparison));
    comparison.Command1.press();
    for (const Label *legend : {&comparison.Label1, &comparison.Label5})
        CHECK(legend->isVisible());
    // The legend is read out in the order of the half-lives, shortest first.
    const std::string legend = RecordingFace::viewOf(comparison).announcements.back();
    const auto at = [&](const char *entry) { return legend.find(entry); };
    CHECK(at("Cs-137") < at("Am-241"));
    CHECK(at("Am-241") < at("Ra-226"));
    CHECK(at("Ra-226") < at("C-14"));
    CHECK(at("C-14") < at("Pu-239 (Plutonium -239) in Magenta"));

    comparison.Command2.press();
    CHECK(session.shown(lesson));
    CHECK(!session.shown(comparison));
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
    CHECK(&session.program.form2() == &comparison);
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
    CHECK(session.shown(session.program.form1()));
}

TEST_CASE("a failing Hide on the way out ends the program through the report")
{
    Session session;
    session.runtime.failCall(1);
    session.program.form1().Command2.press();
    CHECK(session.face.reports == std::vector{ErrorKind::PlatformFailed});
    CHECK(session.runtime.hasEnded());
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
