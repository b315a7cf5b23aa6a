// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "face.h"
#include "layout.h"

#include <functional>
#include <string>
#include <vector>

// The controls of a window as state: what a handler sets, what a face shows. Every property a
// handler changes is a platform operation, which can fail before it takes effect.
namespace forms {

class Form;

class Control
{
public:
    Control(Form &form, const ControlLayout &row);
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control() = default;

    const std::string &name() const { return m_name; }
    ControlKind kind() const { return m_kind; }
    int tabIndex() const { return m_tabIndex; }
    Form &form() const { return m_form; }

protected:
    void platformCall() const;
    // Tells the window what changed; `pixels` must be painted again (empty for widgets).
    void changed(Change what, const PixelRect &pixels) const;

private:
    Form &m_form;
    std::string m_name;
    ControlKind m_kind;
    int m_tabIndex;
};

// A control the window paints itself: it never takes the keyboard focus.
class GraphicalControl : public Control
{
public:
    GraphicalControl(Form &form, const ControlLayout &row);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    // The logical pixels it may paint on.
    virtual PixelRect bounds() const = 0;

private:
    bool m_visible;
};

class Label final : public GraphicalControl
{
public:
    Label(Form &form, const ControlLayout &row);

    const std::string &caption() const { return m_caption; }
    void setCaption(std::string caption);
    Colour foreColor() const { return m_foreColor; }
    void setForeColor(Colour colour);
    Colour backColor() const { return m_backColor; }
    // Whether the label has anything to show or say: it is shown and has a caption. Only then
    // do faces draw its text and screen readers meet it.
    bool isReadable() const { return isVisible() && !m_caption.empty(); }
    void setBackColor(Colour colour);

    bool isTransparent() const { return m_transparent; }
    const LayoutFont &font() const { return m_font; }
    Alignment alignment() const { return m_alignment; }
    PixelRect box() const { return m_box; }
    PixelRect bounds() const override { return m_box; }

private:
    std::string m_caption;
    PixelRect m_box;
    Colour m_foreColor;
    Colour m_backColor;
    LayoutFont m_font;
    Alignment m_alignment;
    bool m_transparent;
};

class Line final : public GraphicalControl
{
public:
    Line(Form &form, const ControlLayout &row);

    Colour borderColor() const { return m_colour; }
    void setBorderColor(Colour colour);
    int borderWidth() const { return m_width; }
    void setBorderWidth(int pixels);
    LineStyle style() const { return m_style; }
    // The end points in logical pixels. A line of odd width is centred on the pixels its ends
    // name; an even one extends right of and below them.
    PixelPoint start() const { return m_start; }
    PixelPoint end() const { return m_end; }
    PixelRect bounds() const override;

private:
    PixelPoint m_start;
    PixelPoint m_end;
    Colour m_colour;
    int m_width;
    LineStyle m_style;
};

// A control the face shows as a real widget: it takes the keyboard focus and raises Click.
class WidgetControl : public Control
{
public:
    WidgetControl(Form &form, const ControlLayout &row);

    PixelRect box() const { return m_box; }
    const LayoutFont &font() const { return m_font; }
    bool isVisible() const { return m_visible; }
    bool isEnabled() const { return m_enabled; }
    // Click, as the handler bound to it sees it: run through the program's dispatcher.
    void onClick(std::function<void()> handler) { m_clickHandler = std::move(handler); }

protected:
    void raiseClick() const;
    void setEnabledState(bool enabled) { m_enabled = enabled; }

private:
    std::function<void()> m_clickHandler;
    PixelRect m_box;
    LayoutFont m_font;
    bool m_visible;
    bool m_enabled;
};

class CommandButton final : public WidgetControl
{
public:
    CommandButton(Form &form, const ControlLayout &row);

    const std::string &caption() const { return m_caption; }
    void setCaption(std::string caption);
    void setEnabled(bool enabled);

    // The user pressed the button: raises Click, unless the button is disabled.
    void press() const;

private:
    std::string m_caption;
};

class ListBox final : public WidgetControl
{
public:
    ListBox(Form &form, const ControlLayout &row);

    // Appends an entry at the end.
    void AddItem(std::string text);
    // The selected entry's index from 0; -1 when none is. A platform operation.
    int ListIndex() const;

    const std::vector<std::string> &items() const { return m_items; }
    // The same as ListIndex, for faces and tests: no platform operation.
    int selectedIndex() const { return m_selected; }
    Colour backColor() const { return m_backColor; }
    Colour foreColor() const { return m_foreColor; }

    // The user chose an entry, by mouse or keyboard, or clicked the selected one again: it is
    // selected and Click is raised. The user cannot choose nothing, so an index outside the
    // list changes nothing and raises nothing.
    void choose(int index);

    // What assistive technology calls the list, which has no caption of its own.
    const std::string &accessibleName() const { return m_accessibleName; }
    void setAccessibleName(std::string name);

private:
    std::vector<std::string> m_items;
    int m_selected = -1;
    Colour m_backColor;
    Colour m_foreColor;
    std::string m_accessibleName;
};

} // namespace forms
