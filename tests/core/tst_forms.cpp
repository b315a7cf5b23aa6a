// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The forms core on its own: the twips-to-pixel mapping, number-to-text, the checked
// arithmetic, and the dispatcher with its error report, one repaint per handler and End.

#include "forms/checked.h"
#include "forms/form.h"
#include "forms/numbertext.h"
#include "recordingface.h"

#include <cmath>
#include <doctest.h>
#include <limits>

using namespace forms;
using testsupport::RecordingFace;

namespace {

// A small window: 100 × 50 pixels, user units of one pixel with y growing upwards from the
// bottom edge, one label and one button.
const ControlLayout probeControls[] = {
    {.name = "Caption", .kind = ControlKind::Label, .caption = "A", .box = {150, 150, 600, 300}},
    {.name = "Go", .kind = ControlKind::CommandButton, .caption = "Los", .box = {0, 0, 300, 300}},
};
const FormLayout probeLayout{
    .name = "Probe",
    .caption = "Probe",
    .client = {0, 0, 1500, 750},
    .scale = {.left = 0, .top = 50, .unitWidth = 15, .unitHeight = -15},
    .controls = probeControls,
};

struct Probe
{
    RecordingFace face;
    Runtime runtime{face, ","};
    Form form{runtime, probeLayout};
};

} // namespace

TEST_CASE("twips map to the pixel that contains them, and non-finite places to none")
{
    CHECK(twipsToPixel(0) == 0);
    CHECK(twipsToPixel(14) == 0);
    CHECK(twipsToPixel(15) == 1);
    CHECK(twipsToPixel(-1) == -1); // floor, not truncation
    CHECK(twipsToPixel(5122.4) == std::optional(341));
    CHECK(twipsToPixel(-0.5) == std::optional(-1));
    CHECK(twipsToPixel(std::numeric_limits<double>::quiet_NaN()) == std::nullopt);
    CHECK(twipsToPixel(std::numeric_limits<double>::infinity()) == std::nullopt);
    CHECK(twipsToPixel(-1e30) == std::nullopt);
    CHECK(TwipsRect{555, 1830, 14310, 9765}.toPixels() == PixelRect{37, 122, 954, 651});
}

TEST_CASE("PSet draws inside the window and silently drops everything else")
{
    Probe probe;
    Form &form = probe.form;
    probe.runtime.dispatch([&] {
        form.PSet(0, 50); // the top-left pixel: y grows upwards from 50
        form.PSet(99, 1, 0x000000FF); // the bottom-right one
        form.PSet(100, 1); // one past the right edge
        form.PSet(0, 0); // one below the bottom edge
        form.PSet(50, 1e30f);
        form.PSet(std::numeric_limits<float>::quiet_NaN(), 10);
        form.PSet(-std::numeric_limits<float>::infinity(), 10);
        form.PSet(std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest());
    });
    CHECK(probe.face.reports.empty());
    CHECK(form.points().at({0, 0}) == toRgba(Default::FormForeColor));
    CHECK(form.points().at({99, 49}) == 0xFF0000FFu); // red, in RGBA memory order
    int set = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            set += form.points().at({x, y}) != 0;
    CHECK(set == 2);
    // Every PSet is a platform operation, drawn or not.
    CHECK(probe.runtime.callCount() == 8);
}

TEST_CASE("a handler's changes reach the face as one repaint of the pixels they touch")
{
    Probe probe;
    auto &view = RecordingFace::viewOf(probe.form);
    probe.runtime.dispatch([&] {
        probe.form.label("Caption").setCaption("B");
        for (int x = 60; x < 90; ++x)
            probe.form.PSet(float(x), 10);
    });
    REQUIRE(view.repaints.size() == 1);
    // the label's box, columns 10 to 49 and rows 10 to 29, and the points in row 40
    // (600 twips down), columns 60 to 89
    CHECK(view.repaints[0] == PixelRect{10, 10, 80, 31});

    probe.runtime.dispatch([&] { probe.form.label("Caption").setCaption("B"); });
    CHECK(view.repaints.size() == 1); // nothing changed, nothing to paint
    probe.runtime.dispatch([] {});
    CHECK(view.repaints.size() == 1);
}

TEST_CASE("number to text: 15 or 7 significant digits, no grouping, the separator passed in")
{
    CHECK(doubleToText(1280, ",") == "1280");
    CHECK(doubleToText(14050, ",") == "14050");
    CHECK(doubleToText(703.8, ",") == "703,8");
    CHECK(doubleToText(703.8, ".") == "703.8");
    CHECK(doubleToText(703.8, "\xD9\xAB") ==
          "703\xD9\xAB"
          "8"); // U+066B, two bytes in UTF-8
    CHECK(doubleToText(0.00573, ",") == "0,00573");
    CHECK(doubleToText(0.1 + 0.2, ",") == "0,3");
    CHECK(doubleToText(123456.789012345, ",") == "123456,789012345");
    CHECK(doubleToText(-2.5, ",") == "-2,5");
    CHECK(doubleToText(-0.0, ",") == "0");
    CHECK(doubleToText(999999999999999.0, ",") == "999999999999999");
    CHECK(doubleToText(1e15, ",") == "1E+15");
    CHECK(doubleToText(1.5e-7, ",") == "1,5E-07");
    CHECK(doubleToText(0.00001, ",") == "0,00001");
    CHECK(doubleToText(1.25e-300, ",") == "1,25E-300");
    // The single nearest 2 × 703.8 is 1407.5999755859375; seven digits round it back.
    CHECK(singleToText(2 * 703.8f, ",") == "1407,6");
    CHECK(singleToText(0.01146f, ",") == "0,01146");
    CHECK(singleToText(16777216.0f, ",") == "1,677722E+07");
}

TEST_CASE("checked arithmetic raises our errors instead of wrapping or going non-finite")
{
    Int16 counter(32766);
    counter.increment();
    CHECK(counter.value() == 32767);
    CHECK_THROWS_AS(counter.increment(), RuntimeError);
    CHECK(counter.value() == 32767); // the failed increment keeps the old value

    FixedArray<float, 0, 10> table;
    table[10] = 1;
    CHECK_THROWS_AS(table[11], RuntimeError);
    CHECK_THROWS_AS(table[-1], RuntimeError);

    const auto kindOf = [](auto &&operation) {
        try {
            operation();
        } catch (const RuntimeError &error) {
            return error.kind();
        }
        return ErrorKind::Internal;
    };
    CHECK(kindOf([] { checkedDivide(1, 0); }) == ErrorKind::DivisionByZero);
    CHECK(kindOf([] { checkedDivide(0, 0); }) == ErrorKind::Overflow);
    CHECK(kindOf([] { toSingle(1e39); }) == ErrorKind::Overflow);
    CHECK(toSingle(1e-50) == 0.0f); // underflow is no error
    CHECK(kindOf([] { checkedResult(std::nan("")); }) == ErrorKind::Overflow);
}

TEST_CASE("a run-time error shows the report once, ends the program and stops all handlers")
{
    Probe probe;
    auto &view = RecordingFace::viewOf(probe.form);
    probe.runtime.dispatch([&] { probe.form.Show(); });
    int ran = 0;
    probe.runtime.failCall(2);
    probe.runtime.dispatch([&] {
        probe.form.label("Caption").setCaption("first"); // call 1: takes effect
        probe.form.label("Caption").setCaption("second"); // call 2: fails before it does
        ++ran;
    });
    CHECK(ran == 0);
    CHECK(probe.form.label("Caption").caption() == "first");
    CHECK(probe.face.reports == std::vector{ErrorKind::PlatformFailed});
    CHECK(probe.face.endedWith == RuntimeErrorExitStatus);
    CHECK(!view.shown);
    CHECK(!view.repaints.empty()); // what was done before the error reached the screen

    probe.runtime.dispatch([&] { ++ran; });
    probe.form.commandButton("Go").onClick([&] { ++ran; });
    probe.form.commandButton("Go").press();
    CHECK(ran == 0);
    CHECK(probe.face.reports.size() == 1);

    CHECK(!describe(ErrorKind::Overflow).empty());
    CHECK(describe(ErrorKind::Overflow) != describe(ErrorKind::DivisionByZero));
}

TEST_CASE("End and the desktop's close end the program at once, with status 0")
{
    Probe probe;
    int after = 0;
    probe.runtime.dispatch([&] {
        probe.runtime.End();
        ++after;
    });
    CHECK(after == 0);
    CHECK(probe.runtime.hasEnded());
    CHECK(probe.face.endedWith == 0);

    Probe closed;
    closed.runtime.endProgram(0);
    closed.runtime.endProgram(RuntimeErrorExitStatus); // a second end changes nothing
    CHECK(closed.runtime.exitStatus() == 0);
}

TEST_CASE("out of memory and stray exceptions end in the report, not in a crash")
{
    Probe probe;
    probe.runtime.dispatch([] { throw std::bad_alloc(); });
    CHECK(probe.face.reports == std::vector{ErrorKind::OutOfMemory});

    Probe other;
    other.runtime.dispatch([] { throw std::logic_error("bug"); });
    CHECK(other.face.reports == std::vector{ErrorKind::Internal});
}

TEST_CASE("controls check their names and take effect only after their platform call")
{
    Probe probe;
    CHECK_THROWS_AS(probe.form.label("Nope"), std::invalid_argument);
    CHECK_THROWS_AS(probe.form.line("Caption"), std::invalid_argument); // a label, not a line

    auto &button = probe.form.commandButton("Go");
    probe.runtime.failCall(1);
    probe.runtime.dispatch([&] { button.setCaption("Weg"); });
    CHECK(button.caption() == "Los");

    Probe again;
    auto &other = again.form.commandButton("Go");
    const auto calls = again.runtime.callCount();
    again.runtime.dispatch([&] { other.setEnabled(false); });
    CHECK(again.runtime.callCount() == calls + 1);
    CHECK(!other.isEnabled());
    int clicks = 0;
    other.onClick([&] { ++clicks; });
    other.press(); // a disabled button raises no Click
    CHECK(clicks == 0);
}
