// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web face's device image at whole and fractional densities: a part of a window painted
// alone, even one reaching beyond the window, is exactly the whole painting's pixels there,
// and it touches no pixel outside. The sanitizer build runs this natively, where a write
// beyond the image's bounds ends the test.

#include "comparison/form2.h"
#include "faces/web/deviceimage.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "recordingface.h"

#include <cmath>
#include <doctest.h>
#include <string>
#include <vector>

using namespace forms;
using webface::DeviceImage;
using webface::DeviceScale;

namespace {

// The first device pixel inside `clip` where the part differs from the whole, or touched
// outside it; empty if none.
std::string firstDifference(const Rgba *part, const Rgba *whole, const DeviceScale &scale,
                            const PixelRect &clip, const char *layer)
{
    for (int y = 0; y < scale.deviceHeight(); ++y) {
        for (int x = 0; x < scale.deviceWidth(); ++x) {
            const std::size_t at =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(scale.deviceWidth()) +
                static_cast<std::size_t>(x);
            const Rgba expected = clip.contains({x, y}) ? whole[at] : 0;
            if (part[at] != expected)
                return std::string(layer) + " differs at " + std::to_string(x) + "," +
                    std::to_string(y);
        }
    }
    return {};
}

} // namespace

TEST_CASE("device image: any part, at any density, is the whole painting's and no more")
{
    testsupport::RecordingFace face;
    Runtime runtime(face, ",");
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    lesson.List1.choose(3);
    for (int press = 0; press < 7; ++press) // the fourth half-life red, the others settled
        lesson.Command1.press();
    Form2 &comparison = program.form2();
    comparison.Command1.press();
    REQUIRE(face.reports.empty());

    for (const Form *form :
         {static_cast<const Form *>(&lesson), static_cast<const Form *>(&comparison)}) {
        const int width = form->clientBox().width;
        const int height = form->clientBox().height;
        // Parts as the face repaints them, in logical pixels: edges, corners, a stretch of the
        // curve, and more than the whole window.
        const PixelRect parts[] = {
            {width - 1, 0, 1, height},       {0, height - 1, width, 1},
            {width - 5, height - 5, 30, 30}, {-20, -20, 60, 45},
            {width / 3, height / 2, 57, 43}, {-20, -20, width + 40, height + 40}};
        for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.5}) {
            CAPTURE(form->name());
            CAPTURE(ratio);
            const DeviceScale scale(width, height, static_cast<int>(std::lround(width * ratio)),
                                    static_cast<int>(std::lround(height * ratio)));
            DeviceImage whole;
            whole.resize(scale);
            whole.paint(*form, {0, 0, scale.deviceWidth(), scale.deviceHeight()});
            for (const PixelRect &logical : parts) {
                CAPTURE(logical.x);
                CAPTURE(logical.y);
                const PixelRect clip = scale.toDevice(logical);
                DeviceImage part;
                part.resize(scale);
                part.paint(*form, clip);
                CHECK(firstDifference(part.base(), whole.base(), scale, clip, "base") == "");
                if (!scale.isOneToOne())
                    CHECK(firstDifference(part.points(*form), whole.points(*form), scale, clip,
                                          "points") == "");
            }
            // A clip handed in wider than the image: painted as the whole, and no further.
            DeviceImage beyond;
            beyond.resize(scale);
            beyond.paint(*form, {-7, -7, scale.deviceWidth() + 14, scale.deviceHeight() + 14});
            CHECK(firstDifference(beyond.base(), whole.base(), scale,
                                  {0, 0, scale.deviceWidth(), scale.deviceHeight()}, "base") == "");
        }
    }
}
