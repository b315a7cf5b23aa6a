// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

// What screen readers and other assistive technology see of a window. Buttons and list boxes
// are real widgets and speak for themselves. Labels and lines are painted by the window, so
// the window's accessible interface adds them: each label as static text named by its caption,
// at its box; lines not at all, since they carry no words. The points the window's program sets
// are one more child, a graphic named by the form's description of its drawing
// (forms::Form::setDrawingDescription). The window itself has the frame role of a main window.
//
// Children come in the order of the layout's TabIndex, which the layout gives every control,
// and the drawing last.
namespace forms {
class Label;
}

namespace qtface {

class FormWindow;

namespace accessibility {

// Makes the face's windows use the interface above. Call once the application exists: a
// factory installed earlier loses to Qt's own.
void install();

// Tell assistive technology what changed, if any is listening: a label's caption
// (QAccessible::NameChanged) or visibility (ObjectShow, ObjectHide), and the drawing's
// description.
void labelChanged(const FormWindow &window, const forms::Label &label, QAccessible::Event event);
void drawingChanged(const FormWindow &window);

} // namespace accessibility
} // namespace qtface
