// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace forms {

// A colour as layouts and handlers give it: 0x00BBGGRR, blue in the high byte. With the top
// bit set, the low byte instead names a colour of the desktop's scheme.
using Colour = std::uint32_t;

// A pixel as both faces hand it to the screen: red, green, blue and alpha bytes in memory
// order, so 0xAABBGGRR as a number on the little-endian machines we run on. Zero is
// transparent.
using Rgba = std::uint32_t;

namespace SystemColour {
inline constexpr Colour Window = 0x80000005;
inline constexpr Colour MenuText = 0x80000007;
inline constexpr Colour WindowText = 0x80000008;
inline constexpr Colour HighlightText = 0x8000000E;
inline constexpr Colour ButtonFace = 0x8000000F;
inline constexpr Colour ButtonText = 0x80000012;
} // namespace SystemColour

constexpr bool isSystemColour(Colour colour)
{
    return (colour & 0x80000000u) != 0;
}

// Every window is drawn in one light scheme, on every desktop and in every browser: the
// layouts fix some text colours, such as black, that a dark scheme would hide. These are the
// scheme's colours for the desktop's colour indices; the Qt face gives its widgets the same.
constexpr Colour schemeColour(unsigned index)
{
    switch (index) {
    case 4: // menu
    case 15: // button face
    case 22: // 3D light
        return 0x00EFEFEF;
    case 5: // window background
    case 20: // button highlight
        return 0x00FFFFFF;
    case 13: // highlight: red 48, green 140, blue 198
        return 0x00C68C30;
    case 9: // caption text
    case 14: // highlighted text
        return 0x00FFFFFF;
    case 16: // button shadow
        return 0x009F9F9F;
    case 17: // grey text
        return 0x00BEBEBE;
    case 21: // 3D dark shadow
        return 0x00767676;
    case 24: // tooltip background: red 255, green 255, blue 220
        return 0x00DCFFFF;
    default: // menu text, window text, button text, tooltip text and the rest
        return 0x00000000;
    }
}

// Any colour as an opaque pixel, a system colour through the scheme.
constexpr Rgba toRgba(Colour colour)
{
    const Colour bgr = isSystemColour(colour) ? schemeColour(colour & 0xFFu) : colour;
    return 0xFF000000u | (bgr & 0x00FFFFFFu);
}

constexpr int red(Rgba pixel)
{
    return static_cast<int>(pixel & 0xFFu);
}
constexpr int green(Rgba pixel)
{
    return static_cast<int>((pixel >> 8) & 0xFFu);
}
constexpr int blue(Rgba pixel)
{
    return static_cast<int>((pixel >> 16) & 0xFFu);
}

} // namespace forms
