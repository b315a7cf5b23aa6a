// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Both windows' layout tables: sound as data, and the diagrams' user coordinates on the very
// pixels of the lines drawn for them.

#include "comparison/form2.h"
#include "lesson/form1.h"
#include "recordingface.h"

#include <cmath>
#include <doctest.h>
#include <set>
#include <string_view>

using namespace forms;

namespace {

struct Windows
{
    testsupport::RecordingFace face;
    Runtime runtime{face, ","};
    Form1 lesson{runtime};
    Form2 comparison{runtime};
};

} // namespace

TEST_CASE("every control has its own name and lies in its window")
{
    for (const FormLayout *layout : {&Form1::layout(), &Form2::layout()}) {
        CAPTURE(layout->name);
        const PixelRect client = layout->client.toPixels();
        const PixelRect inside{0, 0, client.width, client.height};
        std::set<std::string_view> names;
        for (const ControlLayout &row : layout->controls) {
            CAPTURE(row.name);
            CHECK(names.insert(row.name).second);
            if (row.kind == ControlKind::Line) {
                CHECK(inside.contains({twipsToPixel(row.ends.x1), twipsToPixel(row.ends.y1)}));
                CHECK(inside.contains({twipsToPixel(row.ends.x2), twipsToPixel(row.ends.y2)}));
            } else if (row.kind == ControlKind::Label) {
                // "Zeit in Jahren" reaches past the comparison's right edge; its text does not.
                CHECK(row.box.toPixels().intersects(inside));
            } else {
                const PixelRect box = row.box.toPixels();
                CHECK(box.intersected(inside) == box);
            }
        }
    }
    CHECK(Windows().comparison.clientBox() == PixelRect{3, 29, 921, 741});
}

TEST_CASE("the lesson's half-life points lie on their guides' crossings")
{
    Windows windows;
    const Form1 &form = windows.lesson;
    struct Guide
    {
        double x, y;
        const char *horizontal, *vertical;
    };
    const Guide guides[] = {{25, 50, "Line4", "Line7"},
                            {50, 25, "Line5", "Line9"},
                            {75, 12.5, "Line6", "Line8"},
                            {100, 6.25, "Line11", "Line10"},
                            {125, 3.125, "Line12", "Line18"}};
    for (const Guide &guide : guides) {
        CAPTURE(guide.x);
        const PixelPoint pixel = *form.scale().toPixel(guide.x, guide.y);
        const Line &horizontal = form.line(guide.horizontal);
        const Line &vertical = form.line(guide.vertical);
        CHECK(pixel.y == horizontal.start().y);
        CHECK(pixel.y == horizontal.end().y);
        CHECK(pixel.x == horizontal.end().x); // the horizontal guide reaches the point
        CHECK(pixel.x == vertical.start().x);
        CHECK(std::min(vertical.start().y, vertical.end().y) == pixel.y); // and rises to it
        CHECK(!horizontal.isVisible());
        CHECK(horizontal.style() == LineStyle::Dotted);
    }
    // The first curve point lies on the tick at 100 %, the axes meet at (0, 0).
    CHECK(form.scale().toPixel(0, 100)->y == form.line("Line3").start().y);
    CHECK(*form.scale().toPixel(0, 0) ==
          PixelPoint{form.line("Line1").start().x, form.line("Line2").start().y});
}

TEST_CASE("the comparison's user units stand where its axes and ticks do, to a twip")
{
    Windows windows;
    const Form2 &form = windows.comparison;
    struct Place
    {
        double x, y;
        double xTwips, yTwips; // ((x + 1000) × 1.2425, (11000 − y) × 0.96)
        const char *line; // a line that starts (or ends) on the point's pixel
        bool atStart;
    };
    const Place places[] = {
        {0, 0, 1242, 10560, "Line1", true},     {0, 10000, 1242, 960, "Line18", false},
        {0, 5000, 1242, 5760, "Line17", false}, {10000, 0, 13667, 10560, "Line5", false},
        {5000, 0, 7455, 10560, "Line12", true}, {8000, 0, 11182, 10560, "Line15", true}};
    for (const Place &place : places) {
        CAPTURE(place.x);
        CAPTURE(place.y);
        CHECK(std::abs(form.scale().xToTwips(place.x) - place.xTwips) <= 1);
        CHECK(std::abs(form.scale().yToTwips(place.y) - place.yTwips) <= 1);
        const Line &line = form.line(place.line);
        CHECK(*form.scale().toPixel(place.x, place.y) ==
              (place.atStart ? line.start() : line.end()));
    }
}
