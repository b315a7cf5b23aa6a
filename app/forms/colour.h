// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace forms {

// A colour as layouts and handlers give it: 0x00BBGGRR, blue in the high byte. With the top
// bit set, the low byte instead names a colour of the desktop's scheme.
using Colour = std::uint32_t;

namespace SystemColour {
inline constexpr Colour Window = 0x80000005;
inline constexpr Colour MenuText = 0x80000007;
inline constexpr Colour WindowText = 0x80000008;
inline constexpr Colour HighlightText = 0x8000000E;
inline constexpr Colour ButtonFace = 0x8000000F;
inline constexpr Colour ButtonText = 0x80000012;
} // namespace SystemColour

inline constexpr bool isSystemColour(Colour colour)
{
    return (colour & 0x80000000u) != 0;
}

// An explicit colour as a Qt RGB value; no palette is needed for these.
inline constexpr QRgb explicitRgb(Colour colour)
{
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// Resolves any colour, a system colour through the given palette.
QColor resolveColour(Colour colour, const QPalette &palette);

} // namespace forms
