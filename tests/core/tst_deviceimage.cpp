// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A window's picture in device pixels, the one every face shows: hand-worked pixels of a small
// window at whole and fractional densities, and the real windows painted in parts and in bands.
// The sanitizer build runs this natively, where a write beyond the image ends the test.

#include "comparison/form2.h"
#include "forms/deviceimage.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "recordingface.h"

#include <algorithm>
#include <cmath>
#include <doctest.h>
#include <string>

using namespace forms;
using testsupport::RecordingFace;

namespace {

constexpr Colour White = 0x00FFFFFF;
constexpr Colour Black = 0x00000000;
constexpr Colour Red = 0x000000FF;

// A window of 20 × 12 logical pixels, positions in twips of 15 to the pixel:
//  - a solid line 1 pixel wide along row 2, columns 2 to 9;
//  - a solid line 3 pixels wide along row 6, columns 2 to 9;
//  - a dotted line 1 pixel wide down column 14, rows 1 to 10;
//  - a dotted line 2 pixels wide along row 9, columns 2 to 12.
const ControlLayout sampleLines[] = {
    {.name = "Thin", .kind = ControlKind::Line, .ends = {30, 30, 135, 30}, .foreColor = Black},
    {.name = "Thick",
     .kind = ControlKind::Line,
     .ends = {30, 90, 135, 90},
     .foreColor = Black,
     .borderWidth = 3},
    {.name = "Dots",
     .kind = ControlKind::Line,
     .ends = {210, 15, 210, 150},
     .foreColor = Black,
     .lineStyle = LineStyle::Dotted},
    {.name = "WideDots",
     .kind = ControlKind::Line,
     .ends = {30, 135, 180, 135},
     .foreColor = Black,
     .lineStyle = LineStyle::Dotted,
     .borderWidth = 2},
};
const FormLayout sampleLayout{
    .name = "Sample",
    .caption = "Sample",
    .client = {0, 0, 300, 180},
    .backColor = White,
    .controls = sampleLines,
};

struct Sample
{
    RecordingFace face;
    Runtime runtime{face, ","};
    Form form{runtime, sampleLayout};

    Sample() { form.PSet(17 * 15 + 7, 3 * 15 + 7, Red); } // the point: logical pixel (17, 3)
};

DeviceImage paintedAt(const Form &form, double density, PixelOrder order = PixelOrder::Rgba)
{
    DeviceImage image(order);
    image.resize(DeviceScale::atDensity(form.clientBox().width, form.clientBox().height, density));
    image.paint(form, {0, 0, image.scale().deviceWidth(), image.scale().deviceHeight()});
    return image;
}

// Device pixels along a column (or a row): '#' black, 'o' red, '.' white, '?' anything else.
std::string pixelsAlong(const DeviceImage &image, int at, bool downwards)
{
    std::string pixels;
    const int count = downwards ? image.scale().deviceHeight() : image.scale().deviceWidth();
    for (int i = 0; i < count; ++i) {
        const Rgba pixel = downwards ? image.at(at, i) : image.at(i, at);
        pixels += pixel == toRgba(Black) ? '#'
            : pixel == toRgba(Red)       ? 'o'
            : pixel == toRgba(White)     ? '.'
                                         : '?';
    }
    return pixels;
}

std::string column(const DeviceImage &image, int x)
{
    return pixelsAlong(image, x, true);
}

std::string row(const DeviceImage &image, int y)
{
    return pixelsAlong(image, y, false);
}

} // namespace

// Worked out by hand from the rules: a device pixel belongs to the logical pixel that holds
// its centre; a line of odd width is centred on its pixels, an even one lies right of and
// below them; solid lines reach half their width beyond either end; dots are as long as the
// line is wide with gaps as long, from the line's start.
TEST_CASE("the picture's pixels at densities 1, 1.25, 1.5 and 2, worked out by hand")
{
    const Sample sample;
    SUBCASE("density 1")
    {
        const DeviceImage image = paintedAt(sample.form, 1);
        CHECK(column(image, 5) == "..#..###...."); // thin, thick; a gap of the wide dots
        CHECK(column(image, 14) == "..#.#.#.#.#."); // the dots, from row 2 on
        CHECK(row(image, 2) == "..########....#.....");
        CHECK(row(image, 3) == ".................o..");
        CHECK(row(image, 9) == "...##..##..##.......");
        // The same picture in the other byte order, red and blue swapped in memory.
        const DeviceImage bgra = paintedAt(sample.form, 1, PixelOrder::Bgra);
        CHECK(row(bgra, 3) == row(image, 3));
        CHECK(bgra.pixels()[3 * 20 + 17] == 0xFFFF0000u);
    }
    SUBCASE("density 1.25")
    {
        const DeviceImage image = paintedAt(sample.form, 1.25);
        REQUIRE(image.scale().deviceWidth() == 25);
        CHECK(column(image, 6) == "..##..####.....");
        CHECK(column(image, 17) == "..#.##.#.##.#..");
        CHECK(column(image, 18) == column(image, 17));
        CHECK(row(image, 4).substr(17, 6) == "##..o."); // the dots' columns, then the point
    }
    SUBCASE("density 1.5")
    {
        const DeviceImage image = paintedAt(sample.form, 1.5);
        CHECK(column(image, 7) == "...#...#####.###..");
        CHECK(column(image, 21) == "..##.##.##.##.##..");
        CHECK(column(image, 25).substr(3, 4) == ".oo.");
    }
    SUBCASE("density 2")
    {
        const DeviceImage image = paintedAt(sample.form, 2);
        CHECK(column(image, 10) == "....##....######........");
        CHECK(column(image, 28) == "...##..##..##..##..##...");
        CHECK(column(image, 29) == column(image, 28));
        CHECK(column(image, 30) == "........................");
        CHECK(row(image, 18).substr(4, 24) == "..####....####....####..");
        CHECK(row(image, 6).substr(33, 4) == ".oo.");
        CHECK(row(image, 7).substr(33, 4) == ".oo.");
    }
}

// Shrunk, as on a phone or half a screen, nothing may vanish: a line, a dot and a point each
// keep at least one device pixel; dots closer than a pixel run together.
TEST_CASE("the picture at density 0.5 keeps every line and point, worked out by hand")
{
    const Sample sample;
    const DeviceImage image = paintedAt(sample.form, 0.5);
    REQUIRE(image.scale().deviceWidth() == 10);
    CHECK(row(image, 1) == ".####..#o."); // the thin line, the dots, the point
    CHECK(column(image, 7) == ".####.");
    CHECK(row(image, 4) == "..#.#.##..");
    CHECK(column(image, 2) == ".####."); // thin, thick over two rows, a wide dot
}

TEST_CASE("a part of a real window painted alone, or band by band, is the whole painting's there")
{
    RecordingFace face;
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
        // Parts as a face repaints them, in logical pixels: edges, corners, a stretch of the
        // curve, and more than the whole window.
        const PixelRect parts[] = {
            {width - 1, 0, 1, height},       {0, height - 1, width, 1},
            {width - 5, height - 5, 30, 30}, {-20, -20, 60, 45},
            {width / 3, height / 2, 57, 43}, {-20, -20, width + 40, height + 40}};
        for (const double density : {0.5, 0.64, 1.0, 1.25, 1.5, 1.75, 2.5}) {
            CAPTURE(form->name());
            CAPTURE(density);
            const DeviceImage whole = paintedAt(*form, density);
            const DeviceScale &scale = whole.scale();
            for (const PixelRect &logical : parts) {
                CAPTURE(logical.x);
                CAPTURE(logical.y);
                const PixelRect clip = scale.toDevice(logical);
                DeviceImage part;
                part.resize(scale);
                part.paint(*form, clip);
                int differing = 0;
                for (int y = 0; y < scale.deviceHeight(); ++y)
                    for (int x = 0; x < scale.deviceWidth(); ++x)
                        differing += part.at(x, y) != (clip.contains({x, y}) ? whole.at(x, y) : 0);
                CHECK(differing == 0);
            }
            // Band by band, as the browser's face paints it: each band's rows are the whole's.
            for (const int bandRows : {1, 7, 64}) {
                CAPTURE(bandRows);
                DeviceImage band;
                band.resize(scale, bandRows);
                CHECK(band.rows() == std::min(bandRows, scale.deviceHeight()));
                int differing = 0;
                for (int y = 0; y < scale.deviceHeight();) {
                    const PixelRect painted =
                        band.paint(*form, {0, y, scale.deviceWidth(), scale.deviceHeight() - y});
                    REQUIRE(painted.y == y);
                    REQUIRE(painted.height > 0);
                    for (int row = painted.y; row < painted.bottom(); ++row)
                        for (int x = 0; x < scale.deviceWidth(); ++x)
                            differing += band.at(x, row) != whole.at(x, row);
                    y = painted.bottom();
                }
                CHECK(differing == 0);
            }
        }
    }
}
