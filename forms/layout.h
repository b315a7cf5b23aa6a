// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "units.h"

#include <optional>
#include <span>
#include <string_view>

// A window's layout as plain data: the window's settings and one row per control. A window
// builds itself from it; nothing is created, moved or resized afterwards. Texts are UTF-8.
namespace forms {

enum class ControlKind { Label, Line, CommandButton, ListBox };
enum class Alignment { Left, Right, Centre };
enum class LineStyle { Solid, Dotted };

// A font as layouts name it; an empty face means the window's own font.
struct LayoutFont
{
    std::string_view face = {};
    double points = 0; // size [pt]
    bool bold = false;
    bool italic = false;

    // The size in pixels at 96 dpi, as both faces draw it: text keeps its place in a layout
    // measured in twips whatever the screen's own dpi.
    int pixelSize() const { return static_cast<int>(points * 96.0 / 72.0 + 0.5); }
    friend bool operator==(const LayoutFont &, const LayoutFont &) = default;
};

// One control. Which fields matter depends on the kind; what a row leaves out takes the
// platform's default.
struct ControlLayout
{
    std::string_view name;
    ControlKind kind;
    std::string_view caption = {};
    TwipsRect box = {}; // labels, buttons and list boxes
    TwipsLine ends = {}; // lines
    std::optional<Colour> backColor = {}; // lines: unused
    std::optional<Colour> foreColor = {}; // lines: BorderColor
    LayoutFont font = {};
    Alignment alignment = Alignment::Left;
    bool transparent = false; // labels: only the text is painted
    LineStyle lineStyle = LineStyle::Solid;
    int borderWidth = 1; // [pixels]
    bool visible = true;
    bool enabled = true;
    int tabIndex = 0;
};

struct FormLayout
{
    std::string_view name;
    std::string_view caption;
    TwipsRect client; // client area: position on the screen and size
    std::optional<Colour> backColor = {};
    std::optional<Colour> foreColor = {};
    LayoutFont font = {};
    UserScale scale = {};
    std::span<const ControlLayout> controls = {};
};

// The platform's defaults for what a layout leaves out.
namespace Default {
inline constexpr Colour FormBackColor = SystemColour::ButtonFace;
inline constexpr Colour FormForeColor = SystemColour::ButtonText;
inline constexpr Colour LabelBackColor = SystemColour::ButtonFace;
inline constexpr Colour LabelForeColor = SystemColour::ButtonText;
inline constexpr Colour LineColor = SystemColour::WindowText;
inline constexpr Colour ListBackColor = SystemColour::Window;
inline constexpr Colour ListForeColor = SystemColour::WindowText;
inline constexpr LayoutFont Font = {"MS Sans Serif", 8.25, false, false};
} // namespace Default

} // namespace forms
