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
class Line;
} // namespace forms

// How the Qt face paints what a window draws itself: its lines and labels.
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

// Whether a line is stroked smoothed: one that runs slanted rather than along a row or a column.
bool isSmoothed(const forms::Line &line);

// Strokes a line with its pen: its colour and width, dotted or solid. A line of odd width is
// centred on the pixels its ends name; an even one extends right of and below them. Either way
// it covers the pixels of the points computed at its ends.
void paintLine(QPainter &painter, const forms::Line &line);

// A label's caption laid out for painting: wrapped at the label's box, in its font and
// alignment. Laid out once per caption, when first painted.
class LabelText
{
public:
    explicit LabelText(const forms::Label &label);

    const forms::Label &label() const { return m_label; }
    // The label's caption changed.
    void update();
    // The whole label as the window shows it: its background unless it is transparent, then
    // its text, clipped to its box.
    void paint(QPainter &painter) const;
    // The text alone, unclipped, at its place in the window: what a reader's eye sees.
    void paintText(QPainter &painter) const;

private:
    const forms::Label &m_label;
    QFont m_font;
    QStaticText m_text;
};

} // namespace qtface
