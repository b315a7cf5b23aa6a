// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson window's handlers as a pupil drives them: choosing isotopes and the nine presses
// of "Weiter", checked through the controls and the points the window holds.

#include "decay/decay.h"
#include "lesson/form1.h"
#include "lessoncurve.h"
#include "recordingface.h"

#include <algorithm>
#include <cmath>
#include <doctest.h>
#include <set>
#include <string>
#include <vector>

using namespace forms;
using namespace testsupport::lesson;
using testsupport::RecordingFace;

namespace {

constexpr Colour Black = 0x00000000;
// The platform calls of choosing an isotope: the list's ListIndex, the half-life and the six
// axis values as text, eight captions (those seven and the name), a point for each of the
// curve's 1501 indices, and Enabled of "Weiter".
constexpr std::int64_t ChoiceCalls = 1 + 7 + 8 + 1501 + 1;

struct Lesson
{
    explicit Lesson(std::string separator = ",")
        : runtime(face, std::move(separator))
    {
        form.load();
        runtime.dispatch([this] { form.Show(); });
    }
    void choose(int row) { form.List1.choose(row); }
    void press(int times)
    {
        for (int n = 0; n < times; ++n)
            form.Command1.press();
    }
    Rgba curve(int index) const
    {
        const auto point = decay::lessonPoint(static_cast<std::int16_t>(index));
        return testsupport::pointAt(form, point.x, point.y);
    }
    std::vector<std::string> axis() const
    {
        std::vector<std::string> captions;
        for (const Label *label :
             {&form.Label5, &form.Label6, &form.Label7, &form.Label8, &form.Label9, &form.Label13})
            captions.push_back(label->caption());
        return captions;
    }

    RecordingFace face;
    Runtime runtime;
    Form1 form{runtime};
};

} // namespace

TEST_CASE("the lesson starts with five isotopes, nothing chosen and no curve")
{
    Lesson lesson;
    const std::vector<std::string> names{"Kalium 40", "Thorium 232", "Uran 235", "Uran 238",
                                         "Kohlenstoff 14"};
    CHECK(lesson.form.List1.items() == names);
    CHECK(lesson.form.List1.selectedIndex() == -1);
    CHECK(!lesson.form.Command1.isEnabled());
    CHECK(lesson.form.points().isEmpty());
    CHECK(RecordingFace::viewOf(lesson.form).shown);
}

TEST_CASE("choosing an isotope captions its half-life and the time axis")
{
    struct Row
    {
        int row;
        const char *separator;
        std::string halfLife;
        std::vector<std::string> axis; // Label5, 6, 7, 8, 9, 13
    };
    // The singles nearest to 2, 3 and 4 × 703.8 have long expansions; seven digits round them
    // back to 1407,6, 2111,4 and 2815,2, and 5 × 703.8 = 3519 shows no separator.
    const Row rows[] = {
        {0, ",", "1280", {"0", "1280", "2560", "3840", "5120", "6400"}},
        {1, ",", "14050", {"0", "14050", "28100", "42150", "56200", "70250"}},
        {2, ",", "703,8", {"0", "703,8", "1407,6", "2111,4", "2815,2", "3519"}},
        {2, ".", "703.8", {"0", "703.8", "1407.6", "2111.4", "2815.2", "3519"}},
        {3, ",", "4468", {"0", "4468", "8936", "13404", "17872", "22340"}},
        {4, ",", "0,00573", {"0", "0,00573", "0,01146", "0,01719", "0,02292", "0,02865"}},
    };
    for (const Row &row : rows) {
        CAPTURE(row.halfLife);
        Lesson lesson(row.separator);
        lesson.choose(row.row);
        CHECK(lesson.form.Label11.caption() ==
              "Zerfallsfrist =  " + row.halfLife + " Millionen Jahre");
        CHECK(lesson.form.Label10.caption() == lesson.form.List1.items()[row.row]);
        CHECK(lesson.axis() == row.axis);
        CHECK(lesson.form.Command1.isEnabled());
        CHECK(lesson.face.reports.empty());
    }
}

TEST_CASE("the curve's 1501 points are exact and all set")
{
    // A choice sets the 1501 points by a call each, and draws nothing else. Where the curve is
    // flat several points share a pixel, so only the calls show a point left out.
    Lesson lesson;
    const auto before = lesson.runtime.callCount();
    lesson.choose(3);
    CHECK(lesson.runtime.callCount() - before == ChoiceCalls);
    std::set<std::pair<int, int>> expected, drawn;
    for (int index = 0; index <= decay::LessonLastIndex; ++index) {
        // The guided lesson describes its pieces as 100 × 0.5 ^ (i / 250); that must be the
        // very same single for every index, or a highlighted piece would stray from the curve.
        const float x = static_cast<float>(index / 10.0);
        const float y = static_cast<float>(100.0 * std::pow(0.5, index / 250.0));
        const auto point = decay::lessonPoint(static_cast<std::int16_t>(index));
        REQUIRE((point.x == x && point.y == y));
        const auto pixel = lesson.form.scale().toPixel(x, y);
        REQUIRE((pixel && lesson.form.points().contains(*pixel)));
        expected.insert({pixel->x, pixel->y});
    }
    for (int y = 0; y < lesson.form.points().height(); ++y)
        for (int x = 0; x < lesson.form.points().width(); ++x)
            if (const Rgba colour = lesson.form.points().at({x, y})) {
                CHECK(colour == toRgba(Foreground));
                drawn.insert({x, y});
            }
    CHECK(drawn == expected);
}

TEST_CASE("each press of Weiter shows its texts, guides, colours and curve segment")
{
    const std::set<std::string> texts{"Label17", "Label18", "Label19"};
    const std::vector<std::set<std::string>> shownAfter{
        {}, {"Label17"}, {"Label17", "Label18"}, texts, texts, texts, texts, texts, texts};
    const std::vector<std::set<std::string>> redLinesAfter{{},
                                                           {},
                                                           {},
                                                           {},
                                                           {"Line4", "Line7"},
                                                           {"Line4", "Line7", "Line5", "Line9"},
                                                           {"Line5", "Line9", "Line6", "Line8"},
                                                           {"Line6", "Line8", "Line10", "Line11"},
                                                           {}};
    const std::vector<std::set<std::string>> redLabelsAfter{
        {},
        {},
        {},
        {},
        {"Label1", "Label2", "Label5", "Label6"},
        {"Label2", "Label3", "Label6", "Label7"},
        {"Label3", "Label4", "Label7", "Label8"},
        {"Label4", "Label8", "Label9", "Label12"},
        {}};
    const std::vector<std::vector<std::string>> guides{
        {"Line4", "Line7"}, {"Line5", "Line9"}, {"Line6", "Line8"}, {"Line11", "Line10"}};
    // Platform calls of each press: a colour and a width per guide line set, a colour per
    // label, 251 points per segment drawn, and the eighth press's caption.
    constexpr int Segment = 251;
    const std::int64_t callsOfPress[] = {0,
                                         1,
                                         1,
                                         15,
                                         2 * 2 + 4 + Segment,
                                         2 + Segment + 2 * 2 + 4 + Segment,
                                         2 * 2 + 2 + Segment + 2 * 2 + 2 + Segment,
                                         2 * 2 + 2 + Segment + 2 * 2 + 2 + Segment,
                                         4 * 2 + 4 + Segment + 1};

    Lesson lesson;
    lesson.choose(3);
    Form1 &form = lesson.form;
    for (int presses = 0; presses <= 8; ++presses) {
        CAPTURE(presses);
        const auto before = lesson.runtime.callCount();
        if (presses > 0)
            lesson.press(1);
        CHECK(lesson.runtime.callCount() - before == callsOfPress[presses]);
        CHECK(form.intClicks.value() == presses);
        for (const std::string &name : texts)
            CHECK(form.label(name).isVisible() == shownAfter[presses].contains(name));
        for (const char *name : {"Line12", "Line18", "Label3", "Label4", "Label12"})
            CHECK(form.control<GraphicalControl>(name).isVisible() == (presses >= 3));

        // Guides: red and 2 wide while highlighted, then black and 1 wide; those never
        // highlighted keep the layout's colour.
        const int settledUpTo = presses == 8 ? 4 : presses - 4;
        for (int segment = 1; segment <= 4; ++segment) {
            for (const std::string &name : guides[segment - 1]) {
                const Line &guide = form.line(name);
                if (redLinesAfter[presses].contains(name)) {
                    CHECK(guide.borderColor() == Red);
                    CHECK(guide.borderWidth() == 2);
                } else {
                    CHECK(guide.borderWidth() == 1);
                    CHECK((guide.borderColor() == Black) == (segment <= settledUpTo));
                }
            }
        }
        for (const Label *label : form.labels())
            CHECK((label->foreColor() == Red) == redLabelsAfter[presses].contains(label->name()));

        // inside each segment and at the shared ends; 1001 would share 1000's pixel
        for (int index : {0, 125, 249, 250, 251, 375, 500, 625, 750, 875, 1000, 1005, 1250, 1500})
            CHECK(lesson.curve(index) == toRgba(expectedCurveColour(presses, index)));
        CHECK(form.Command1.caption() == (presses == 8 ? "Ende" : "Weiter"));
    }
    CHECK(lesson.face.reports.empty());
}

TEST_CASE("the ninth press ends the program, and nothing runs after it")
{
    Lesson lesson;
    lesson.choose(1);
    lesson.press(8);
    CHECK(!lesson.runtime.hasEnded());
    lesson.press(1);
    CHECK(lesson.runtime.hasEnded());
    CHECK(lesson.face.endedWith == 0);
    CHECK(!RecordingFace::viewOf(lesson.form).shown);
    CHECK(lesson.form.intClicks.value() == 9);
    lesson.choose(0);
    lesson.press(1);
    CHECK(lesson.form.Isotop == "Thorium 232");
    CHECK(lesson.form.intClicks.value() == 9);
}

TEST_CASE("a new isotope mid-lesson redraws the curve and the lesson goes on")
{
    Lesson lesson;
    lesson.choose(3);
    lesson.press(5);
    lesson.choose(0); // Kalium 40: the whole curve again in the foreground colour
    CHECK(lesson.form.intClicks.value() == 5);
    CHECK(lesson.form.Label6.caption() == "1280");
    CHECK(lesson.form.Label6.foreColor() == Red); // mark colours stay as they were
    for (int index : {0, 125, 250, 375, 500})
        CHECK(lesson.curve(index) == toRgba(Foreground));

    lesson.press(1); // the sixth step: segment 2 settles, segment 3 turns red
    for (int index : {0, 125, 248})
        CHECK(lesson.curve(index) == toRgba(Foreground));
    for (int index : {251, 375, 499})
        CHECK(lesson.curve(index) == toRgba(Settled));
    for (int index : {500, 625, 750})
        CHECK(lesson.curve(index) == toRgba(Red));
    CHECK(lesson.form.Label8.caption() == "3840");
}

TEST_CASE("the pupil cannot choose nothing; choosing again redraws")
{
    Lesson lesson;
    lesson.choose(3);
    lesson.choose(-1);
    lesson.choose(5);
    CHECK(lesson.form.List1.selectedIndex() == 3);
    CHECK(lesson.form.Label10.caption() == "Uran 238");
    const auto calls = lesson.runtime.callCount();
    lesson.choose(3); // a click on the selected entry raises Click too: the curve again
    CHECK(lesson.runtime.callCount() - calls == ChoiceCalls);
}

TEST_CASE("every result of a choice or a press is announced for screen readers, in German")
{
    Lesson lesson;
    const auto &said = RecordingFace::viewOf(lesson.form).announcements;
    const auto last = [&] { return said.empty() ? std::string() : said.back(); };
    const auto says = [&](const std::string &part) {
        return last().find(part) != std::string::npos;
    };
    lesson.choose(0); // what the first arrow press does
    CHECK(says("Kalium 40: Zerfallsfrist 1280 Millionen Jahre."));
    CHECK(says("Zerfallskurve ist gezeichnet"));
    lesson.choose(3);
    CHECK(says("Uran 238: Zerfallsfrist 4468 Millionen Jahre."));

    lesson.press(1);
    CHECK(last() == lesson.form.Label17.caption());
    lesson.press(1);
    CHECK(last() == lesson.form.Label18.caption());
    lesson.press(1);
    CHECK(says(lesson.form.Label19.caption()));
    CHECK(says("Hilfslinien"));
    CHECK(says("25%, 12,5% und 6,25%"));
    lesson.press(1);
    CHECK(says("erste Zerfallsfrist: zwischen 0 und 4468 Millionen Jahren sinkt der Anteil von "
               "100% auf 50%"));
    lesson.press(3);
    CHECK(says("vierte Zerfallsfrist: zwischen 13404 und 17872 Millionen Jahren sinkt der Anteil "
               "von 12,5% auf 6,25%"));
    lesson.press(1);
    CHECK(says("Hervorhebung ist aufgehoben"));
    CHECK(says("Der nächste Druck beendet das Programm"));
    CHECK(said.size() == 10); // one announcement per action, so none cuts off another
}
