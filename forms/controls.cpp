// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "form.h"

#include <algorithm>
#include <cstdlib>

namespace forms {

// --- Control -----------------------------------------------------------------------------

Control::Control(Form &form, const ControlLayout &row)
    : m_form(form)
    , m_name(row.name)
    , m_kind(row.kind)
    , m_tabIndex(row.tabIndex)
{ }

void Control::platformCall() const
{
    m_form.runtime().call();
}

void Control::changed(Change what, const PixelRect &pixels) const
{
    m_form.controlChanged(*this, what, pixels);
}

GraphicalControl::GraphicalControl(Form &form, const ControlLayout &row)
    : Control(form, row)
    , m_visible(row.visible)
{ }

void GraphicalControl::setVisible(bool visible)
{
    platformCall();
    if (m_visible == visible)
        return;
    m_visible = visible;
    changed(Change::Visibility, bounds());
}

// --- Label -------------------------------------------------------------------------------

Label::Label(Form &form, const ControlLayout &row)
    : GraphicalControl(form, row)
    , m_caption(row.caption)
    , m_box(row.box.toPixels())
    , m_foreColor(row.foreColor.value_or(Default::LabelForeColor))
    , m_backColor(row.backColor.value_or(Default::LabelBackColor))
    , m_font(row.font.face.empty() ? form.font() : row.font)
    , m_alignment(row.alignment)
    , m_transparent(row.transparent)
{ }

void Label::setCaption(std::string caption)
{
    platformCall();
    if (m_caption == caption)
        return;
    m_caption = std::move(caption);
    changed(Change::Caption, m_box);
}

void Label::setForeColor(Colour colour)
{
    platformCall();
    if (m_foreColor == colour)
        return;
    m_foreColor = colour;
    changed(Change::Colour, m_box);
}

void Label::setBackColor(Colour colour)
{
    platformCall();
    if (m_backColor == colour)
        return;
    m_backColor = colour;
    changed(Change::Colour, m_box);
}

// --- Line --------------------------------------------------------------------------------

namespace {

PixelPoint pixelOf(int xTwips, int yTwips)
{
    return {twipsToPixel(xTwips), twipsToPixel(yTwips)};
}

// A line whose ends lie less than a pixel apart across its run stands straight at their mean,
// instead of stepping by one pixel halfway along.
void straighten(int from, int to, int &startPixel, int &endPixel)
{
    if (std::abs(to - from) < TwipsPerPixel)
        startPixel = endPixel = *twipsToPixel((from + to) / 2.0);
}

} // namespace

Line::Line(Form &form, const ControlLayout &row)
    : GraphicalControl(form, row)
    , m_start(pixelOf(row.ends.x1, row.ends.y1))
    , m_end(pixelOf(row.ends.x2, row.ends.y2))
    , m_colour(row.foreColor.value_or(Default::LineColor))
    , m_width(row.borderWidth)
    , m_style(row.lineStyle)
{
    straighten(row.ends.x1, row.ends.x2, m_start.x, m_end.x);
    straighten(row.ends.y1, row.ends.y2, m_start.y, m_end.y);
}

void Line::setBorderColor(Colour colour)
{
    platformCall();
    if (m_colour == colour)
        return;
    m_colour = colour;
    changed(Change::Colour, bounds());
}

void Line::setBorderWidth(int pixels)
{
    platformCall();
    if (pixels < 1)
        throw RuntimeError(ErrorKind::PlatformFailed);
    if (m_width == pixels)
        return;
    const PixelRect before = bounds();
    m_width = pixels;
    changed(Change::Width, before.united(bounds()));
}

PixelRect Line::bounds() const
{
    // Wide enough for the pen's width and square caps on either side, and for a face's
    // smoothing of a slanted line.
    const int margin = m_width + 1;
    const int left = std::min(m_start.x, m_end.x) - margin;
    const int top = std::min(m_start.y, m_end.y) - margin;
    return {left, top, std::max(m_start.x, m_end.x) + margin + 1 - left,
            std::max(m_start.y, m_end.y) + margin + 1 - top};
}

// --- Widget controls ---------------------------------------------------------------------

WidgetControl::WidgetControl(Form &form, const ControlLayout &row)
    : Control(form, row)
    , m_box(row.box.toPixels())
    , m_font(row.font.face.empty() ? form.font() : row.font)
    , m_visible(row.visible)
    , m_enabled(row.enabled)
{ }

void WidgetControl::raiseClick() const
{
    if (m_clickHandler)
        form().runtime().dispatch(m_clickHandler);
}

CommandButton::CommandButton(Form &form, const ControlLayout &row)
    : WidgetControl(form, row)
    , m_caption(row.caption)
{ }

void CommandButton::setCaption(std::string caption)
{
    platformCall();
    if (m_caption == caption)
        return;
    m_caption = std::move(caption);
    changed(Change::Caption, {});
}

void CommandButton::setEnabled(bool enabled)
{
    platformCall();
    if (isEnabled() == enabled)
        return;
    setEnabledState(enabled);
    changed(Change::Enabled, {});
}

void CommandButton::press() const
{
    if (isEnabled() && isVisible())
        raiseClick();
}

ListBox::ListBox(Form &form, const ControlLayout &row)
    : WidgetControl(form, row)
    , m_backColor(row.backColor.value_or(Default::ListBackColor))
    , m_foreColor(row.foreColor.value_or(Default::ListForeColor))
{ }

void ListBox::AddItem(std::string text)
{
    platformCall();
    m_items.push_back(std::move(text));
    changed(Change::Items, {});
}

int ListBox::ListIndex() const
{
    platformCall();
    return m_selected;
}

void ListBox::choose(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()) || !isEnabled())
        return;
    if (m_selected != index) {
        m_selected = index;
        changed(Change::Selection, {});
    }
    raiseClick();
}

void ListBox::setAccessibleName(std::string name)
{
    m_accessibleName = std::move(name);
    changed(Change::Name, {});
}

} // namespace forms
