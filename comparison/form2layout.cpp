// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"

using namespace forms;

namespace {

constexpr LayoutFont SansLegend{"MS Sans Serif", 9.75, true};
constexpr LayoutFont Sans{"MS Sans Serif", 12};
constexpr LayoutFont SansBold{"MS Sans Serif", 12, true};
constexpr LayoutFont SansLargeBold{"MS Sans Serif", 13.5, true};

using K = ControlKind;

// Every control of the window, in the order the window holds them. Boxes and line ends in
// twips; the comments give the place in the diagram's user units (x in years, y = 10000 is
// 100 %). Every label is transparent, so the curves stay visible under the legend.
// One row per control reads as the table it is, so the formatter leaves it alone.
// clang-format off
const ControlLayout controls[] = {
    {.name = "Command2", .kind = K::CommandButton, .caption = "Zurück",
     .box = {10800, 120, 1815, 615}, .font = SansBold, .tabIndex = 6},
    {.name = "Command1", .kind = K::CommandButton, .caption = "Start",
     .box = {8520, 120, 2055, 615}, .font = SansBold, .tabIndex = 0},
    // axis titles
    {.name = "Label12", .kind = K::Label, .caption = "Zeit in Jahren",
     .box = {11520, 9960, 2655, 495}, .font = SansLargeBold, .transparent = true, .tabIndex = 13},
    {.name = "Label11", .kind = K::Label,
     .caption = "Anteil des radioaktiven Isotops in der Probe", .box = {1440, 240, 6135, 495},
     .font = SansLargeBold, .transparent = true, .tabIndex = 12},
    // time values under the long ticks at x = 5000 and x = 0
    {.name = "Label10", .kind = K::Label, .caption = "5.000", .box = {7200, 10800, 615, 255},
     .font = Sans, .transparent = true, .tabIndex = 11},
    {.name = "Label9", .kind = K::Label, .caption = "0", .box = {1200, 10800, 495, 255},
     .font = Sans, .transparent = true, .tabIndex = 10},
    // per-cent labels beside y = 0, 5000 and 10000
    {.name = "Label8", .kind = K::Label, .caption = "0%", .box = {240, 10440, 735, 375},
     .font = Sans, .alignment = Alignment::Centre, .transparent = true, .tabIndex = 9},
    {.name = "Label7", .kind = K::Label, .caption = "50%", .box = {120, 5640, 870, 375},
     .font = Sans, .alignment = Alignment::Centre, .transparent = true, .tabIndex = 8},
    {.name = "Label6", .kind = K::Label, .caption = "100%", .box = {120, 840, 870, 375},
     .font = Sans, .alignment = Alignment::Centre, .transparent = true, .tabIndex = 7},
    // ticks of the vertical axis at y = 10000, 5000 and 0, from x = −250 to 0
    {.name = "Line18", .kind = K::Line, .ends = {932, 960, 1242, 960}},
    {.name = "Line17", .kind = K::Line, .ends = {932, 5760, 1242, 5760}},
    {.name = "Line16", .kind = K::Line, .ends = {932, 10560, 1242, 10560}},
    // ticks of the time axis at x = 8000 down to 0; long ones (to y = −250) at 5000 and 0
    {.name = "Line15", .kind = K::Line, .ends = {11182, 10560, 11182, 10656}},
    {.name = "Line14", .kind = K::Line, .ends = {9940, 10560, 9940, 10656}},
    {.name = "Line13", .kind = K::Line, .ends = {8698, 10560, 8698, 10656}},
    {.name = "Line12", .kind = K::Line, .ends = {7455, 10560, 7455, 10800}},
    {.name = "Line11", .kind = K::Line, .ends = {6212, 10560, 6212, 10656}},
    {.name = "Line10", .kind = K::Line, .ends = {4970, 10560, 4970, 10656}},
    {.name = "Line9", .kind = K::Line, .ends = {3727, 10560, 3727, 10656}},
    {.name = "Line8", .kind = K::Line, .ends = {2485, 10560, 2485, 10656}},
    {.name = "Line7", .kind = K::Line, .ends = {1242, 10560, 1242, 10800}},
    // the legend, entries 4 down to 0, each just above the stretch of its own curve
    {.name = "Label5", .kind = K::Label, .box = {11280, 2280, 2490, 390}, .font = SansLegend,
     .transparent = true, .tabIndex = 5},
    {.name = "Label4", .kind = K::Label, .box = {9960, 6000, 2490, 390}, .font = SansLegend,
     .transparent = true, .tabIndex = 4},
    {.name = "Label3", .kind = K::Label, .box = {5640, 7920, 2490, 390},
     .foreColor = SystemColour::WindowText, .font = SansLegend, .transparent = true, .tabIndex = 3},
    {.name = "Label2", .kind = K::Label, .box = {3120, 9000, 2850, 390}, .font = SansLegend,
     .transparent = true, .tabIndex = 2},
    {.name = "Label1", .kind = K::Label, .box = {1560, 10080, 2370, 390}, .font = SansLegend,
     .transparent = true, .tabIndex = 1},
    // arrowheads: the time axis's at (10000, 0), the vertical axis's at (0, 10500)
    {.name = "Line6", .kind = K::Line, .ends = {13419, 10704, 13667, 10560}, .borderWidth = 2},
    {.name = "Line5", .kind = K::Line, .ends = {13419, 10416, 13667, 10560}, .borderWidth = 2},
    {.name = "Line4", .kind = K::Line, .ends = {1432, 672, 1245, 480}, .borderWidth = 2},
    {.name = "Line3", .kind = K::Line, .ends = {1050, 672, 1236, 480}, .borderWidth = 2},
    // the vertical axis, (0, 0)–(0, 10500), and the time axis, (0, 0)–(9998, 0)
    {.name = "Line2", .kind = K::Line, .ends = {1242, 10560, 1242, 480}, .borderWidth = 2},
    {.name = "Line1", .kind = K::Line, .ends = {1242, 10560, 13665, 10560}, .borderWidth = 2},
};
// clang-format on

// x runs from −1000 to 10118.7 years and y from 11000 down to −578.1; y = 10000 is 100 %.
const FormLayout form{
    .name = "Form2",
    .caption = "Der radioaktive Zerfall ausgewählter Isotope im Vergleich",
    .client = {45, 435, 13815, 11115},
    .backColor = SystemColour::HighlightText,
    .foreColor = SystemColour::MenuText, // never drawn with: every curve has its own colour
    .scale = {.left = -1000, .top = 11000, .unitWidth = 1.2425, .unitHeight = -0.96},
    .controls = controls,
};

} // namespace

const FormLayout &Form2::layout()
{
    return form;
}
