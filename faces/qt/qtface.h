// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/face.h"

#include <QLocale>
#include <cstddef>
#include <memory>
#include <string>

class QWidget;

namespace forms {
class Form;
class WidgetControl;
} // namespace forms

// The desktop face: each form a window of Qt Widgets, painted from the form's state.
namespace qtface {

// Prepares the application for the face's windows: the compiled-in faces as every window's
// font, one light style and palette on every desktop (the layouts fix text colours such as
// black that a dark scheme would hide), and what screen readers see of the windows. Call once,
// after the application object exists and before the first window.
void prepareApplication();

// The user's decimal separator in UTF-8, as the locale gives it, or "," where the compiled-in
// faces cannot draw it: no caption may show a missing glyph.
std::string decimalSeparator(const QLocale &locale);

class ForcedCloseWatch;

class QtFace : public forms::Face
{
public:
    // Call with the application object in place.
    QtFace();
    ~QtFace() override;

    std::unique_ptr<forms::WindowView> createView(forms::Form &form) override;
    // Writes the report to standard error and shows it in a modal message box.
    void showReport(const forms::RuntimeError &error) override;
    // Leaves the application's event loop with the program's exit status.
    void programEnded(int exitStatus) override;

private:
    // Address space held back for the report: when a handler has run out of memory, the
    // message box still needs its own pixels, or the pupil sees nothing and waits. Never
    // touched, so it takes no real memory.
    std::unique_ptr<std::byte[]> m_reportReserve;
    std::unique_ptr<ForcedCloseWatch> m_forcedCloseWatch;
};

// For tests and tools that act as a user does: the window that shows a form, and the widget
// that shows one of its buttons or list boxes. Handlers never need them.
QWidget *windowOf(const forms::Form &form);
QWidget *widgetOf(const forms::WidgetControl &control);

} // namespace qtface
