// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

// What screen readers and other assistive technology see of a window. Buttons and list boxes
// are real widgets and speak for themselves. Labels and lines are painted by the window, so
// the window's accessible interface adds them: each label as static text named by its caption,
// at its box, with its caption as text too; lines not at all, since they carry no words. The
// points the window's program sets are one more child, a graphic named by the form's
// description of its drawing (forms::Form::setDrawingDescription). The window itself has the
// frame role of a main window.
//
// Children come in the order of the layout's TabIndex, which the layout gives every control,
// then the drawing, then the window's announcer: a notification that carries the form's last
// announcement (forms::Form::announce) along the window's bottom edge.
//
// A part is in the tree only while it has something to say: a label while it is shown and has a
// caption, the drawing while it is described, the announcer once it has spoken. Screen readers
// keep what they once learnt of an object's states, and Qt tells them when an object starts or
// stops showing but never when it becomes visible: a label met once while hidden would stay
// hidden to them for good. So a part in the tree is always visible, and a label that appears or
// disappears enters or leaves the tree instead.
namespace forms {
class Label;
}

namespace qtface {

class FormWindow;

namespace accessibility {

// Makes the face's windows use the interface above. Call once the application exists: a
// factory installed earlier loses to Qt's own.
void install();

// Tell assistive technology what changed, if any is listening: a label's caption or visibility,
// the drawing's description.
void labelChanged(const FormWindow &window, const forms::Label &label);
void drawingChanged(const FormWindow &window);
// Has the window's announcer say the form's announcement now: it shows itself anew, which a
// screen reader speaks even away from the focus.
void announce(const FormWindow &window);

} // namespace accessibility
} // namespace qtface
