// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "accessibility.h"
#include "fonts.h"
#include "forms/deviceimage.h"
#include "forms/face.h"

#include <vector>
#include <windows.h>

namespace forms {
class Form;
class Label;
class ListBox;
class WidgetControl;
} // namespace forms

namespace win32face {

// The window class every form's window belongs to; registered once per process.
inline constexpr wchar_t FormWindowClass[] = L"Zerfallsfrist.Fenster";
// Child control ids start here, clear of IDOK and IDCANCEL, which the dialog manager sends.
inline constexpr int FirstControlId = 1000;

// One form on screen: a top-level window with the form's client size at the screen's dpi, the
// core's picture copied to it unscaled, the labels' texts drawn over that, and a real button
// or list box for each widget. The user's clicks and keys go back to the controls.
class FormWindow final : public forms::WindowView
{
public:
    FormWindow(forms::Form &form, HINSTANCE instance);
    ~FormWindow() override;
    FormWindow(const FormWindow &) = delete;
    FormWindow &operator=(const FormWindow &) = delete;

    void show() override;
    void hide() override;
    void repaint(const forms::PixelRect &rect) override;
    void controlChanged(const forms::Control &control, forms::Change what) override;
    void drawingDescriptionChanged() override;
    void announce(const std::string &text) override;

    forms::Form &form() const { return m_form; }
    HWND handle() const { return m_window; }
    unsigned dpi() const { return m_dpi; }
    // The device pixels of a box in logical pixels, in client coordinates.
    RECT deviceBox(const forms::PixelRect &box) const;
    HWND widgetHandle(const forms::WidgetControl &control) const;
    // What screen readers get for the client area, and a control's child id in it (0: none).
    ClientAccessible &accessible();
    long childIdOf(const forms::Control &control) const;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Widget
    {
        forms::WidgetControl *control;
        HWND window;
        WNDPROC standardProc; // lists only: the class's own, which ours passes on to
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleListMessage(const Widget &widget, UINT message, WPARAM wParam, LPARAM lParam);

    void createWidgets(HINSTANCE instance);
    // Sizes everything for a dpi: the window, the picture, the fonts and the widgets.
    void layOut(unsigned dpi);
    void paint();
    void paintLabel(HDC dc, const forms::Label &label, const RECT &dirty);
    void command(int id, int code);
    void pressFocusedButton();
    void drawListItem(const DRAWITEMSTRUCT &item);
    void showItems(const Widget &widget);
    void showSelection(const Widget &widget);
    void showButton(const Widget &widget);
    const Widget *widgetOf(const forms::Control &control) const;
    int listItemHeight(const forms::ListBox &list);

    forms::Form &m_form;
    HWND m_window = nullptr;
    unsigned m_dpi = 96;
    forms::DeviceImage m_picture{forms::PixelOrder::Bgra}; // as GDI takes it
    FontCache m_fonts;
    std::vector<Widget> m_widgets; // in the tab order; the control id is FirstControlId + index
    HBRUSH m_listBrush = nullptr;
    ClientAccessible *m_accessible = nullptr;
    std::unique_ptr<Announcer> m_announcer; // made at the first announcement
};

} // namespace win32face
