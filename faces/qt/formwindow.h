// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "announcer.h"
#include "forms/face.h"
#include "painting.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace forms {
class Form;
class WidgetControl;
} // namespace forms

namespace qtface {

// A window on the desktop for a Form: the client area at the layout's place and size showing
// the form's picture, as the core paints it at the screen's density, with the labels' texts
// over it and the form's buttons and list boxes as real widgets on top.
class FormWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit FormWindow(forms::Form &form);
    ~FormWindow() override;

    forms::Form &form() const { return m_form; }
    // The real widget that shows a button or a list box of the form.
    QWidget *widgetOf(const forms::WidgetControl &control) const;

    void showWindow();
    // The changed pixels show something else now: they are painted again from the form's
    // state before the window is next shown on screen.
    void repaintChanged(const forms::PixelRect &changed);
    void controlChanged(const forms::Control &control, forms::Change what);
    // Another program destroyed the window on screen: it cannot come back, so the program ends
    // as when the window is closed.
    void closedByForce();

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    LabelText *textOf(const forms::Control &control);
    void focusFirstControl();
    // Paints the window's picture under the region at the painter's density; false when it
    // found no memory, which has ended the program through the error report.
    bool paintPicture(QPainter &painter, const QRegion &region);

    forms::Form &m_form;
    std::vector<std::unique_ptr<LabelText>> m_labelTexts; // in the order of form.labels()
    std::vector<std::pair<const forms::WidgetControl *, QWidget *>> m_widgets;
};

// The window as the forms core sees it. It owns the widget; should anything else destroy the
// widget first, the program ends, as when the window is closed.
class WindowViewAdapter final : public forms::WindowView
{
public:
    explicit WindowViewAdapter(forms::Form &form);
    ~WindowViewAdapter() override;

    FormWindow *window() const { return m_window; }

    void show() override;
    void hide() override;
    void repaint(const forms::PixelRect &rect) override;
    void controlChanged(const forms::Control &control, forms::Change what) override;
    void drawingDescriptionChanged() override;
    void announce(const std::string &text) override;

private:
    FormWindow *m_window;
    Announcer m_announcer;
    QMetaObject::Connection m_destroyed;
};

} // namespace qtface
