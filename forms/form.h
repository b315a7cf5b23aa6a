// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checked.h"
#include "controls.h"
#include "face.h"
#include "layout.h"
#include "pointimage.h"
#include "runtime.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// A window built from a layout table: the controls the table lists, a user coordinate system
// for setting points, the points set so far, and the load event. It holds state only; the
// face makes the window on screen from it (Face::createView) and paints it from that state.
// Handlers reach controls by name.
class Form
{
public:
    Form(Runtime &runtime, const FormLayout &windowLayout);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Raises the load event; the window's owner calls it once, right after creating it.
    void load();

    // Show and Hide, as handlers call them.
    void Show();
    void Hide();
    bool isShown() const { return m_shown; }

    // Sets one point at user coordinates, in the given colour or else the ForeColor. A point
    // outside the window, or at coordinates that name no pixel, is not drawn.
    void PSet(float x, float y) { setPoint(x, y, m_foreColor); }
    void PSet(float x, float y, Colour colour) { setPoint(x, y, colour); }

    const std::string &name() const { return m_name; }
    const std::string &caption() const { return m_caption; }
    // The client area: its place on the screen and its size, in logical pixels.
    PixelRect clientBox() const { return m_clientBox; }
    Colour backColor() const { return m_backColor; }
    Colour foreColor() const { return m_foreColor; }
    const LayoutFont &font() const { return m_font; }
    const UserScale &scale() const { return m_scale; }
    const PointImage &points() const { return m_points; }

    Runtime &runtime() const { return m_runtime; }
    WindowView &view() const { return *m_view; }

    // Controls by name, as the layout table names them; a name the table lacks is a
    // programming error and throws std::invalid_argument.
    template<typename T> T &control(std::string_view name) const;
    Label &label(std::string_view name) const { return control<Label>(name); }
    Line &line(std::string_view name) const { return control<Line>(name); }
    CommandButton &commandButton(std::string_view name) const
    {
        return control<CommandButton>(name);
    }
    ListBox &listBox(std::string_view name) const { return control<ListBox>(name); }

    const std::vector<std::unique_ptr<Control>> &controls() const { return m_controls; }
    // Painted first, in the layout's order; labels are painted over lines, so a guide line
    // that runs into a value's box stops there instead of striking through the number.
    const std::vector<const Line *> &lines() const { return m_lines; }
    const std::vector<const Label *> &labels() const { return m_labels; }
    // The controls that take the keyboard focus, in the order of their TabIndex.
    const std::vector<WidgetControl *> &tabOrder() const { return m_tabOrder; }
    // Labels and widgets in the order of their TabIndex: the order in which the keyboard and a
    // screen reader meet them. Lines are only drawn.
    const std::vector<const Control *> &readingOrder() const { return m_readingOrder; }

    // What the points set on the window show, in words, for screen readers. Not a platform
    // operation: nothing on screen changes, and it cannot fail.
    void setDrawingDescription(std::string description);
    const std::string &drawingDescription() const { return m_drawingDescription; }
    // Has a screen reader say what a handler just did, without moving the focus. Not a
    // platform operation either; the last announcement stays readable.
    void announce(std::string text);
    const std::string &announcement() const { return m_announcement; }

    // For the controls: `what` changed on `control`, and these pixels must be painted again.
    void controlChanged(const Control &control, Change what, const PixelRect &pixels);
    // For the runtime: hands the changes of the handler that just ran to the face, as one
    // repaint of one rectangle.
    void flushChanges();
    // For the runtime: the program has ended.
    void hideAtEnd();

protected:
    // The load event's handler; runs before the window is first shown.
    virtual void Form_Load() { }

private:
    void setPoint(float x, float y, Colour colour);

    Runtime &m_runtime;
    std::string m_name;
    std::string m_caption;
    PixelRect m_clientBox;
    Colour m_backColor;
    Colour m_foreColor;
    LayoutFont m_font;
    UserScale m_scale;
    std::vector<std::unique_ptr<Control>> m_controls; // in the order of the layout
    std::vector<const Line *> m_lines;
    std::vector<const Label *> m_labels;
    std::vector<WidgetControl *> m_tabOrder;
    std::vector<const Control *> m_readingOrder;
    PointImage m_points;
    PixelRect m_changed; // since the last repaint, in logical pixels
    bool m_shown = false;
    std::string m_drawingDescription;
    std::string m_announcement;
    std::unique_ptr<WindowView> m_view; // last: it goes first, while the controls still exist
};

// Inline: a handler sets thousands of points in a row, and this is all a point costs.
inline void Form::setPoint(float x, float y, Colour colour)
{
    m_runtime.call();
    const auto pixel = m_scale.toPixel(x, y);
    if (!pixel || !m_points.contains(*pixel))
        return; // not drawn: outside the window
    m_points.set(*pixel, toRgba(colour));
    m_changed = m_changed.united({pixel->x, pixel->y, 1, 1});
}

template<typename T> T &Form::control(std::string_view name) const
{
    for (const auto &control : m_controls) {
        if (control->name() == name) {
            if (auto *typed = dynamic_cast<T *>(control.get()))
                return *typed;
            break;
        }
    }
    throw std::invalid_argument("no control of that name and kind in the window's layout: " +
                                std::string(name));
}

} // namespace forms
