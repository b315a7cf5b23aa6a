// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/colour.h"
#include "forms/units.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStaticText>

class QPainter;

namespace forms {
class Label;
} // namespace forms

// What the Qt face draws itself over a window's picture: the labels' texts.
namespace qtface {

inline QColor toQColor(forms::Colour colour)
{
    const forms::Rgba pixel = forms::toRgba(colour);
    return QColor(forms::red(pixel), forms::green(pixel), forms::blue(pixel));
}

inline QRect toQRect(const forms::PixelRect &rect)
{
    return {rect.x, rect.y, rect.width, rect.height};
}

// A label's caption laid out for painting: wrapped at the label's box, in its font and
// alignment. Laid out once per caption, when first painted.
class LabelText
{
public:
    explicit LabelText(const forms::Label &label);

    const forms::Label &label() const { return m_label; }
    // The label's caption changed.
    void update();
    // The label's text as the window shows it, clipped to its box; nothing unless the label
    // is readable. Its background is part of the window's picture.
    void paint(QPainter &painter) const;
    // The text alone, unclipped, at its place in the window: what a reader's eye sees.
    void paintText(QPainter &painter) const;

private:
    const forms::Label &m_label;
    QFont m_font;
    QStaticText m_text;
};

} // namespace qtface
