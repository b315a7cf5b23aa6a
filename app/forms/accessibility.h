// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

// What screen readers and other assistive technology see of a window built from a layout.
// Buttons and list boxes are real widgets and speak for themselves. Labels and lines are
// painted by the window, so the window's accessible interface adds them: each label as static
// text named by its caption, at its box; lines not at all, since they carry no words. The
// points the window's program sets are one more child, a graphic named by the description of
// the drawing that the program gives the window (Form::setDrawingDescription).
//
// Children come in the order of the layout's TabIndex, which the layout gives every control,
// and the drawing last.
namespace forms {

class Form;
class GraphicalControl;

namespace accessibility {

// Makes windows built from layouts use the interface above; preparePlatform() calls it.
void install();

// Tell assistive technology what changed, if any is listening: a control's caption
// (QAccessible::NameChanged) or visibility (ObjectShow, ObjectHide), and the drawing's
// description.
void controlChanged(const Form &form, const GraphicalControl &control, QAccessible::Event event);
void drawingChanged(const Form &form);

} // namespace accessibility
} // namespace forms
