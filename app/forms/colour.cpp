// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour.h"

namespace forms {

namespace {

// The desktop scheme's colour indices, mapped onto the nearest palette role.
QPalette::ColorRole roleForSystemIndex(unsigned index)
{
    switch (index) {
    case 4: // menu
    case 15: // button face
        return QPalette::Button;
    case 5: // window background
        return QPalette::Base;
    case 13: // highlight
        return QPalette::Highlight;
    case 9: // caption text
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Dark;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 22: // 3D light
        return QPalette::Midlight;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    case 8: // window text
        return QPalette::Text;
    case 7: // menu text
    default:
        return QPalette::WindowText;
    }
}

} // namespace

QColor resolveColour(Colour colour, const QPalette &palette)
{
    if (!isSystemColour(colour))
        return QColor::fromRgb(explicitRgb(colour));
    if ((colour & 0xFFu) == 17) // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    return palette.color(QPalette::Active, roleForSystemIndex(colour & 0xFFu));
}

} // namespace forms
