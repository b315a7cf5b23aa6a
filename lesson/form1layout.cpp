// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

using namespace forms;

namespace {

constexpr Colour Peach = 0x00C0E0FF; // red 255, green 224, blue 192
constexpr Colour Blue = 0x00FF0000; // red 0, green 0, blue 255
constexpr Colour DarkBlue = 0x00C00000; // red 0, green 0, blue 192

constexpr LayoutFont SansSmall{"MS Sans Serif", 9.75};
constexpr LayoutFont SansSmallItalic{"MS Sans Serif", 9.75, false, true};
constexpr LayoutFont SansBold{"MS Sans Serif", 12, true};
constexpr LayoutFont SansLargeBold{"MS Sans Serif", 13.5, true};
constexpr LayoutFont Text{"Arial", 11.25};

using K = ControlKind;

// Every control of the window, in the order the window holds them. Boxes and line ends in
// twips; the comments give the place in the diagram's user units.
// One control per row reads better than one field per line.
// clang-format off
const ControlLayout controls[] = {
    {.name = "Command2", .kind = K::CommandButton,
     .caption = "Exkurs: Zerfallsfristen im Vergleich", .box = {9480, 5880, 4455, 615},
     .font = SansSmallItalic, .tabIndex = 21},
    {.name = "Command1", .kind = K::CommandButton, .caption = "Weiter",
     .box = {12000, 6600, 1935, 615}, .font = SansLargeBold, .enabled = false, .tabIndex = 20},
    {.name = "List1", .kind = K::ListBox, .box = {4560, 960, 3975, 1035}, .backColor = Peach,
     .foreColor = Blue, .tabIndex = 9},
    // tick marks of the vertical axis at y = 50 and y = 100
    {.name = "Line13", .kind = K::Line, .ends = {598, 4928, 854, 4928}},
    {.name = "Line3", .kind = K::Line, .ends = {598, 821, 854, 821}},
    // the three explanatory texts, shown by the first three presses of "Weiter"
    {.name = "Label19", .kind = K::Label,
     .caption = "Betrachte im Diagramm die Verdeutlichung des Begriffes. Mathematisch "
                "beschreibt man ein solches Verhalten als Exponentialgesetz.",
     .box = {4680, 5040, 9375, 615}, .font = Text, .visible = false, .tabIndex = 19},
    // "vorhandenen" is spelt right here; a teaching text must not teach a misspelling.
    {.name = "Label18", .kind = K::Label,
     .caption = "Was versteht man unter dem Begriff \"Zerfallsfrist\"? Nun, es bedeutet, dass "
                "sich die Menge an noch vorhandenen radioaktiven Kernen (also denen, die noch "
                "nicht zerfallen sind!) immer nach einer ganz bestimmten Zeitspanne halbiert. "
                "Diese Zeit ist typisch für ein bestimmtes Isotop. Aus der Liste kannst Du "
                "einige Zerfallsfristen entnehmen. Oft sind diese sehr groß - sie können aber "
                "auch im Minutenbereich liegen. Dann ist das Isotop sehr stark radioaktiv und "
                "zerfällt entsprechend schnell.",
     .box = {4680, 3240, 9255, 1695}, .font = Text, .visible = false, .tabIndex = 18},
    {.name = "Label17", .kind = K::Label,
     .caption = "Wenn Du Dir die verschiedenen Kurven anschaust, stellst Du fest, dass deren "
                "Verlauf identisch ist. Lediglich die Zeitachse verändert ihre Werte in "
                "Abhängigkeit der jeweiligen Zerfallsfrist des ausgewählten Isotops.",
     .box = {4680, 2280, 9375, 855}, .font = Text, .visible = false, .tabIndex = 17},
    {.name = "Label16", .kind = K::Label, .caption = "Anteil des radioaktiven Isotops in der Probe",
     .box = {1320, 360, 2895, 735}, .font = SansBold, .tabIndex = 16},
    {.name = "Label15", .kind = K::Label,
     .caption = "Wähle aus der Liste ein Isotop aus, um Dir dessen radioaktiven Zerfall "
                "anzuschauen.",
     .box = {5280, 120, 8655, 735}, .foreColor = Blue, .font = SansLargeBold, .tabIndex = 15},
    {.name = "Label14", .kind = K::Label, .caption = "Zeit in Millionen Jahren",
     .box = {10680, 8040, 3015, 375}, .font = SansBold, .alignment = Alignment::Right,
     .tabIndex = 14},
    // time-axis value under x = 125 (five half-lives)
    {.name = "Label13", .kind = K::Label, .box = {10800, 9120, 1575, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 13},
    {.name = "Label12", .kind = K::Label, .caption = "6,25%", .box = {120, 8400, 495, 255},
     .visible = false, .tabIndex = 12},
    // vertical guide of the fifth half-life, (125, 3)–(125, 0)
    {.name = "Line18", .kind = K::Line, .ends = {11526, 8787, 11526, 9034},
     .lineStyle = LineStyle::Dotted, .visible = false},
    // arrowheads: the time axis's at (150, 0), the vertical axis's at (0, 105.6)
    {.name = "Line17", .kind = K::Line, .ends = {13404, 9280, 13660, 9034}, .borderWidth = 3},
    {.name = "Line16", .kind = K::Line, .ends = {13404, 8760, 13660, 9034}, .borderWidth = 3},
    {.name = "Line15", .kind = K::Line, .ends = {600, 600, 840, 360}, .borderWidth = 3},
    {.name = "Line14", .kind = K::Line, .ends = {1080, 600, 854, 360}, .borderWidth = 3},
    // horizontal guides of the fifth (y = 3.125) and fourth (y = 6.25) half-lives
    {.name = "Line12", .kind = K::Line, .ends = {854, 8777, 11526, 8777},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line11", .kind = K::Line, .ends = {600, 8520, 9391, 8520},
     .lineStyle = LineStyle::Dotted, .visible = false},
    // the two display fields of the selected isotope
    {.name = "Label11", .kind = K::Label, .caption = "Zerfallsfrist",
     .box = {8640, 1560, 5535, 375}, .backColor = Peach, .foreColor = DarkBlue, .font = SansBold,
     .tabIndex = 11},
    {.name = "Label10", .kind = K::Label, .caption = "Isotop", .box = {8640, 1080, 5535, 375},
     .backColor = Peach, .foreColor = DarkBlue, .font = SansBold, .tabIndex = 10},
    // time-axis values under x = 100, 75, 50, 25 and 0
    {.name = "Label9", .kind = K::Label, .box = {8520, 9165, 1710, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 8},
    {.name = "Label8", .kind = K::Label, .box = {6360, 9165, 1710, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 7},
    {.name = "Label7", .kind = K::Label, .box = {4320, 9165, 1710, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 6},
    {.name = "Label6", .kind = K::Label, .box = {2160, 9165, 1710, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 5},
    {.name = "Label5", .kind = K::Label, .box = {240, 9165, 1710, 495}, .font = SansSmall,
     .alignment = Alignment::Centre, .tabIndex = 4},
    // vertical guides of the fourth, second, third and first half-lives
    {.name = "Line10", .kind = K::Line, .ends = {9390, 9299, 9390, 8520},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line9", .kind = K::Line, .ends = {5122, 9280, 5122, 6981},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line8", .kind = K::Line, .ends = {7257, 9280, 7257, 8007},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line7", .kind = K::Line, .ends = {2988, 9280, 2988, 4928},
     .lineStyle = LineStyle::Dotted, .visible = false},
    // per-cent labels beside y = 12.5, 25, 50 and 100
    {.name = "Label4", .kind = K::Label, .caption = "12,5%", .box = {120, 7920, 540, 255},
     .visible = false, .tabIndex = 3},
    {.name = "Label3", .kind = K::Label, .caption = "25%", .box = {165, 6840, 420, 255},
     .visible = false, .tabIndex = 2},
    {.name = "Label2", .kind = K::Label, .caption = "50%", .box = {165, 4800, 420, 255},
     .tabIndex = 1},
    {.name = "Label1", .kind = K::Label, .caption = "100%", .box = {171, 720, 427, 255},
     .tabIndex = 0},
    // horizontal guides of the third, second and first half-lives
    {.name = "Line6", .kind = K::Line, .ends = {598, 8007, 7257, 8007},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line5", .kind = K::Line, .ends = {598, 6981, 5122, 6981},
     .lineStyle = LineStyle::Dotted, .visible = false},
    {.name = "Line4", .kind = K::Line, .ends = {598, 4928, 2988, 4928},
     .lineStyle = LineStyle::Dotted, .visible = false},
    // the time axis, (0, 0)–(150, 0), and the vertical axis, (0, 0)–(0, 105.6)
    {.name = "Line2", .kind = K::Line, .ends = {855, 9034, 13660, 9034}, .borderWidth = 3},
    {.name = "Line1", .kind = K::Line, .ends = {855, 9030, 854, 360}, .borderWidth = 3},
};
// clang-format on

// x runs from −10 to 157.6 and y from 110 down to −8.9; one half-life spans 25 units of x.
const FormLayout form{
    .name = "Form1",
    .caption = "Die Zerfallsfrist",
    .client = {555, 1830, 14310, 9765},
    .foreColor = Blue, // the colour of the decay curve
    .scale = {.left = -10, .top = 110, .unitWidth = 85.37524, .unitHeight = -82.12508},
    .controls = controls,
};

} // namespace

const FormLayout &Form1::layout()
{
    return form;
}
