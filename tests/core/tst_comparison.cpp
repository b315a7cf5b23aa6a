// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What "Start" does to the comparison window: the legend and the five curves in the points the
// window holds. A fault at each of its steps is tst_faultsweep's.

#include "comparison/form2.h"
#include "decay/decay.h"
#include "recordingface.h"

#include <doctest.h>
#include <string>
#include <vector>

using namespace forms;
using testsupport::RecordingFace;

namespace {

// The legend as a pupil must read it, entry by entry, and as a screen reader names each
// entry's colour; colours are 0x00BBGGRR.
struct LegendEntry
{
    const char *caption;
    Colour colour;
    const char *colourWord;
};
constexpr LegendEntry Legend[] = {
    {"Cs-137 (Cäsium -137)", 0x008080FF, "Hellrot"}, // red 255, green 128, blue 128
    {"Am-241 (Americium -241)", 0x00C00000, "Dunkelblau"}, // blue 192
    {"Ra-226 (Radium -226)", 0x000000FF, "Rot"}, // red 255
    {"C-14 (Kohlenstoff -14)", 0x000040C0, "Dunkelorange"}, // red 192, green 64
    // plutonium's own symbol, not platinum's
    {"Pu-239 (Plutonium -239)", 0x00FF00FF, "Magenta"}, // red 255, blue 255
};

struct Comparison
{
    Comparison()
    {
        runtime.dispatch([this] { form.Show(); });
    }
    const Label *legend(int entry) const
    {
        const Label *labels[] = {&form.Label1, &form.Label2, &form.Label3, &form.Label4,
                                 &form.Label5};
        return labels[entry];
    }

    RecordingFace face;
    Runtime runtime{face, ","};
    Form2 form{runtime};
};

} // namespace

TEST_CASE("Start captions and colours the legend, draws 50005 points, then shows the legend")
{
    Comparison comparison;
    Form2 &form = comparison.form;
    const auto before = comparison.runtime.callCount();
    form.Command1.press();
    // A caption and a colour per legend label, a point per year 0 to 10000 of each curve, then
    // Visible of each label.
    CHECK(comparison.runtime.callCount() - before == 10 + 5 * 10001 + 5);
    for (int entry = 0; entry < 5; ++entry) {
        CAPTURE(entry);
        CHECK(comparison.legend(entry)->caption() == Legend[entry].caption);
        CHECK(comparison.legend(entry)->foreColor() == Legend[entry].colour);
        CHECK(comparison.legend(entry)->isVisible());
    }
    CHECK(RecordingFace::viewOf(form).repaints.size() == 1);
    CHECK(comparison.face.reports.empty());
}

TEST_CASE("screen readers hear the legend in order, each entry with its colour's name")
{
    Comparison comparison;
    comparison.form.Command1.press();
    std::string entries;
    for (const LegendEntry &entry : Legend)
        entries +=
            std::string(entries.empty() ? "" : ", ") + entry.caption + " in " + entry.colourWord;
    CHECK(RecordingFace::viewOf(comparison.form).announcements ==
          std::vector<std::string>{"Fünf Zerfallskurven sind gezeichnet. Die Legende, von der "
                                   "kürzesten zur längsten Zerfallsfrist: " +
                                   entries + "."});
    CHECK(comparison.form.drawingDescription() ==
          "Zerfallskurven von fünf Isotopen über 10000 Jahre, jede in ihrer Farbe: " + entries +
              ". Sie sind nach der Zerfallsfrist geordnet, von der kürzesten zur längsten; je "
              "kürzer sie ist, desto schneller fällt die Kurve.");
}

TEST_CASE("the five curves' points, in their colours")
{
    Comparison comparison;
    comparison.form.Command1.press();
    const auto colourAt = [&](float x, float y) {
        return testsupport::pointAt(comparison.form, x, y);
    };
    // Every curve starts at (0, 10000); Pu-239 is drawn last, so its colour stays.
    CHECK(colourAt(0, 10000) == toRgba(Legend[4].colour));
    // From 4899 years on, Cs-137's value is below half the smallest single: 0, on the axis.
    CHECK(decay::remainingOfSample(4900, 30) == 0.0f);
    CHECK(colourAt(7000, 0) == toRgba(Legend[0].colour));
    // 432 / 432.20001 half-lives: 10000 × 2^−0.999537 ≈ 5001.6, a pixel row above y = 5000.
    CHECK(colourAt(432, 5001.6f) == toRgba(Legend[1].colour));
    CHECK(decay::remainingOfSample(1600, 1600) == 5000.0f); // whole half-lives exactly
    CHECK(colourAt(1600, 5000) == toRgba(Legend[2].colour));
    CHECK(colourAt(5730, 5000) == toRgba(Legend[3].colour));
    CHECK(colourAt(10000, 131.39f) == toRgba(Legend[2].colour));
    CHECK(colourAt(10000, 2982.92f) == toRgba(Legend[3].colour));
    CHECK(colourAt(10000, 7501.41f) == toRgba(Legend[4].colour));
    // A point under a label's box stays: the labels are transparent.
    const auto underLabel1 = *comparison.form.scale().toPixel(2000, 404.5f);
    CHECK(comparison.form.Label1.box().contains(underLabel1));
    CHECK(comparison.form.points().at(underLabel1) == toRgba(Legend[1].colour));
}
