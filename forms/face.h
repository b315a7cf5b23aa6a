// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "units.h"

#include <memory>
#include <string>

// What a face does for the forms core: it shows each window, paints it from the window's state,
// feeds the user's clicks and keys back to the controls, shows the error report and ends the
// program. The core calls it; it never calls the core's handlers except through the controls
// (CommandButton::press, ListBox::choose), which run them through the dispatcher.
namespace forms {

class Control;
class Form;
class RuntimeError;

// Which property of a control a handler changed.
enum class Change { Caption, Colour, Width, Visibility, Enabled, Items, Selection, Name };

// One window on screen, made by the face for a Form.
class WindowView
{
public:
    virtual ~WindowView() = default;

    virtual void show() = 0;
    virtual void hide() = 0;
    // The pixels inside `rect` show something else now: paint them again from the window's
    // state. Called once after each handler that changed anything on the window.
    virtual void repaint(const PixelRect &rect) = 0;
    // A control's property changed: the face updates its real widgets and tells assistive
    // technology. Painted controls are repainted through repaint() anyway.
    virtual void controlChanged(const Control &control, Change what) = 0;
    // The window's description of its drawing changed (Form::drawingDescription).
    virtual void drawingDescriptionChanged() = 0;
    // Something a screen reader should say now, in the words given; see Form::announce.
    virtual void announce(const std::string &text) = 0;
};

class Face
{
public:
    virtual ~Face() = default;

    // Makes the window that shows `form`; it stays hidden until WindowView::show.
    virtual std::unique_ptr<WindowView> createView(Form &form) = 0;
    // Shows the report of a run-time error and returns once the user has read it.
    virtual void showReport(const RuntimeError &error) = 0;
    // The program has ended, every window is hidden, and no handler will run any more.
    virtual void programEnded(int exitStatus) = 0;
};

} // namespace forms
