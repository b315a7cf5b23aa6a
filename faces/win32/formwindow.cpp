// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "formwindow.h"

#include "forms/errors.h"
#include "forms/form.h"
#include "text.h"

#include <algorithm>
#include <cmath>

namespace win32face {

namespace {

constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

COLORREF toColorRef(forms::Colour colour)
{
    return forms::toRgba(colour) & 0x00FFFFFFu; // 0x00BBGGRR, as GDI takes it
}

UINT alignmentFlags(forms::Alignment alignment)
{
    switch (alignment) {
    case forms::Alignment::Right:
        return DT_RIGHT;
    case forms::Alignment::Centre:
        return DT_CENTER;
    case forms::Alignment::Left:
        break;
    }
    return DT_LEFT;
}

forms::DeviceScale scaleAt(const forms::Form &form, unsigned dpi)
{
    const forms::PixelRect client = form.clientBox();
    return forms::DeviceScale::atDensity(client.width, client.height, dpi / 96.0);
}

} // namespace

FormWindow::FormWindow(forms::Form &form, HINSTANCE instance)
    : m_form(form)
{
    const forms::PixelRect client = form.clientBox();
    const std::wstring caption = toWide(form.caption());
    // Made at its logical size first; layOut() sizes it for the dpi of the screen it is on.
    m_window = CreateWindowExW(0, FormWindowClass, caption.c_str(), WindowStyle, client.x, client.y,
                               client.width, client.height, nullptr, nullptr, instance, this);
    if (!m_window)
        throw forms::RuntimeError(forms::ErrorKind::PlatformFailed);
    m_listBrush = nullptr;
    createWidgets(instance);
    layOut(GetDpiForWindow(m_window));
}

FormWindow::~FormWindow()
{
    if (m_accessible) {
        m_accessible->detach();
        m_accessible->Release();
    }
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
    if (m_listBrush)
        DeleteObject(m_listBrush);
}

void FormWindow::createWidgets(HINSTANCE instance)
{
    // In the tab order, which is also the order IsDialogMessage moves the focus in.
    int id = FirstControlId;
    for (forms::WidgetControl *control : m_form.tabOrder()) {
        DWORD style = WS_CHILD | WS_TABSTOP | (control->isVisible() ? WS_VISIBLE : 0);
        const wchar_t *windowClass = L"BUTTON";
        DWORD extended = 0;
        auto *list = dynamic_cast<forms::ListBox *>(control);
        if (list) {
            // Drawn by us, so the chosen entry shows the scheme's highlight.
            windowClass = L"LISTBOX";
            style |= LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                WS_VSCROLL;
            extended = WS_EX_CLIENTEDGE;
        } else {
            style |= BS_PUSHBUTTON;
        }
        HWND window =
            CreateWindowExW(extended, windowClass, L"", style, 0, 0, 0, 0, m_window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        if (!window)
            throw forms::RuntimeError(forms::ErrorKind::PlatformFailed);
        m_widgets.push_back({control, window, nullptr});
        Widget &widget = m_widgets.back();
        EnableWindow(window, control->isEnabled());
        if (list) {
            if (!m_listBrush)
                m_listBrush = CreateSolidBrush(toColorRef(list->backColor()));
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            widget.standardProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listProc)));
            showItems(widget);
        } else {
            showButton(widget);
        }
        ++id;
    }
}

void FormWindow::layOut(unsigned dpi)
{
    m_dpi = dpi ? dpi : 96;
    const forms::DeviceScale scale = scaleAt(m_form, m_dpi);
    m_picture.resize(scale);
    m_picture.paint(m_form, {0, 0, scale.deviceWidth(), scale.deviceHeight()});

    // The window's place scales with the dpi too; its size is the client area's and the frame.
    const forms::PixelRect client = m_form.clientBox();
    const double density = m_dpi / 96.0;
    RECT frame{0, 0, scale.deviceWidth(), scale.deviceHeight()};
    AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, m_dpi);
    SetWindowPos(m_window, nullptr, static_cast<int>(std::lround(client.x * density)) + frame.left,
                 static_cast<int>(std::lround(client.y * density)) + frame.top,
                 frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);

    m_fonts.clear();
    for (const Widget &widget : m_widgets) {
        const RECT box = deviceBox(widget.control->box());
        SetWindowPos(widget.window, nullptr, box.left, box.top, box.right - box.left,
                     box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(widget.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.get(widget.control->font(), m_dpi)), TRUE);
        if (const auto *list = dynamic_cast<const forms::ListBox *>(widget.control))
            SendMessageW(widget.window, LB_SETITEMHEIGHT, 0, listItemHeight(*list));
    }
    InvalidateRect(m_window, nullptr, FALSE);
}

int FormWindow::listItemHeight(const forms::ListBox &list)
{
    // One line of the list's font, as the other faces make their entries.
    HDC dc = GetDC(m_window);
    HGDIOBJ old = SelectObject(dc, m_fonts.get(list.font(), m_dpi));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_window, dc);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

RECT FormWindow::deviceBox(const forms::PixelRect &box) const
{
    const forms::PixelRect device = m_picture.scale().toDevice(box);
    return {device.x, device.y, device.right(), device.bottom()};
}

ClientAccessible &FormWindow::accessible()
{
    // Made when a screen reader first asks: a pupil without one never loads what it needs.
    if (!m_accessible)
        m_accessible = new ClientAccessible(*this);
    return *m_accessible;
}

long FormWindow::childIdOf(const forms::Control &control) const
{
    const auto &order = m_form.readingOrder();
    const auto found = std::find(order.begin(), order.end(), &control);
    return found == order.end() ? 0 : static_cast<long>(found - order.begin()) + 1;
}

HWND FormWindow::widgetHandle(const forms::WidgetControl &control) const
{
    const Widget *widget = widgetOf(control);
    return widget ? widget->window : nullptr;
}

const FormWindow::Widget *FormWindow::widgetOf(const forms::Control &control) const
{
    for (const Widget &widget : m_widgets)
        if (widget.control == &control)
            return &widget;
    return nullptr;
}

// --- What the core asks for ----------------------------------------------------------------

void FormWindow::show()
{
    ShowWindow(m_window, SW_SHOW);
    // Painted afresh from the picture: a window shown again must not keep what covered it.
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SetForegroundWindow(m_window);
    // The keyboard's user must see at once where the focus is: on the first control that takes it.
    HWND focus = GetFocus();
    if (focus && IsChild(m_window, focus))
        return;
    for (const Widget &widget : m_widgets) {
        if (IsWindowEnabled(widget.window) && IsWindowVisible(widget.window)) {
            SetFocus(widget.window);
            SendMessageW(m_window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            return;
        }
    }
}

void FormWindow::hide()
{
    ShowWindow(m_window, SW_HIDE);
}

void FormWindow::repaint(const forms::PixelRect &rect)
{
    const forms::PixelRect device = m_picture.scale().toDevice(rect);
    if (device.isEmpty())
        return;
    m_picture.paint(m_form, device);
    const RECT dirty{device.x, device.y, device.right(), device.bottom()};
    InvalidateRect(m_window, &dirty, FALSE);
}

void FormWindow::controlChanged(const forms::Control &control, forms::Change what)
{
    if (const Widget *widget = widgetOf(control)) {
        if (what == forms::Change::Items)
            showItems(*widget);
        else if (dynamic_cast<const forms::ListBox *>(&control))
            showSelection(*widget);
        else
            showButton(*widget);
        return;
    }
    // A label's pixels come with the repaint after the handler; a screen reader hears now.
    if (const long id = childIdOf(control)) {
        if (what == forms::Change::Caption)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_window, OBJID_CLIENT, id);
        else if (what == forms::Change::Visibility)
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, m_window, OBJID_CLIENT, id);
    }
}

void FormWindow::drawingDescriptionChanged()
{
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, m_window, OBJID_CLIENT, CHILDID_SELF);
}

void FormWindow::announce(const std::string &text)
{
    // Readers of the window's tree find it as its last child; Windows 10 and later also say it.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, m_window, OBJID_CLIENT,
                   static_cast<LONG>(m_form.readingOrder().size()) + 1);
    if (!m_announcer)
        m_announcer = std::make_unique<Announcer>(m_window);
    m_announcer->announce(text);
}

void FormWindow::showButton(const Widget &widget)
{
    const auto &button = static_cast<const forms::CommandButton &>(*widget.control);
    SetWindowTextW(widget.window, toWide(button.caption()).c_str());
    EnableWindow(widget.window, button.isEnabled());
}

void FormWindow::showItems(const Widget &widget)
{
    const auto &list = static_cast<const forms::ListBox &>(*widget.control);
    SendMessageW(widget.window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(widget.window, LB_RESETCONTENT, 0, 0);
    for (const std::string &item : list.items())
        SendMessageW(widget.window, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(toWide(item).c_str()));
    SendMessageW(widget.window, WM_SETREDRAW, TRUE, 0);
    showSelection(widget);
    InvalidateRect(widget.window, nullptr, TRUE);
}

void FormWindow::showSelection(const Widget &widget)
{
    const auto &list = static_cast<const forms::ListBox &>(*widget.control);
    if (SendMessageW(widget.window, LB_GETCURSEL, 0, 0) != list.selectedIndex())
        SendMessageW(widget.window, LB_SETCURSEL, static_cast<WPARAM>(list.selectedIndex()), 0);
    EnableWindow(widget.window, list.isEnabled());
}

// --- Painting ------------------------------------------------------------------------------

void FormWindow::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    if (!dc)
        return;
    // The core's picture, pixel for pixel; the clip region keeps it to what needs painting.
    const forms::DeviceScale &scale = m_picture.scale();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = scale.deviceWidth();
    info.bmiHeader.biHeight = -scale.deviceHeight(); // the top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(scale.deviceWidth()),
                      static_cast<DWORD>(scale.deviceHeight()), 0, 0, 0,
                      static_cast<UINT>(scale.deviceHeight()), m_picture.pixels(), &info,
                      DIB_RGB_COLORS);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    for (const forms::Label *label : m_form.labels())
        paintLabel(dc, *label, ps.rcPaint);
    SelectObject(dc, font);
    EndPaint(m_window, &ps);
}

void FormWindow::paintLabel(HDC dc, const forms::Label &label, const RECT &dirty)
{
    if (!label.isReadable())
        return;
    RECT box = deviceBox(label.box());
    RECT overlap;
    if (!IntersectRect(&overlap, &box, &dirty))
        return;
    SelectObject(dc, m_fonts.get(label.font(), m_dpi));
    SetTextColor(dc, toColorRef(label.foreColor()));
    const std::wstring text = toWide(label.caption());
    // Wrapped at the box and clipped to it; an "&" is a character, not a shortcut's mark.
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_WORDBREAK | DT_NOPREFIX | alignmentFlags(label.alignment()));
}

void FormWindow::drawListItem(const DRAWITEMSTRUCT &item)
{
    const Widget *widget = nullptr;
    for (const Widget &each : m_widgets)
        if (each.window == item.hwndItem)
            widget = &each;
    if (!widget || item.itemID == static_cast<UINT>(-1))
        return;
    if (item.itemAction == ODA_FOCUS) {
        // Only the focus frame comes or goes (it is drawn inverting): the entry stays as it
        // stands, rather than flashing through its bare background.
        DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const auto &list = static_cast<const forms::ListBox &>(*widget->control);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    // The scheme's highlight, as the other faces show the chosen entry.
    const COLORREF back =
        selected ? toColorRef(forms::schemeColour(13)) : toColorRef(list.backColor());
    const COLORREF fore =
        selected ? toColorRef(forms::schemeColour(14)) : toColorRef(list.foreColor());
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(item.hDC, &item.rcItem, brush);
    DeleteObject(brush);
    if (item.itemID < list.items().size()) {
        const std::wstring text = toWide(list.items()[item.itemID]);
        RECT box = item.rcItem;
        box.left += MulDiv(2, static_cast<int>(m_dpi), 96);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, fore);
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

// --- Input -----------------------------------------------------------------------------------

void FormWindow::command(int id, int code)
{
    if (id == IDOK) {
        pressFocusedButton(); // Enter, through the dialog manager
        return;
    }
    const int index = id - FirstControlId;
    if (index < 0 || index >= static_cast<int>(m_widgets.size()))
        return;
    const Widget widget = m_widgets[static_cast<std::size_t>(index)];
    if (auto *button = dynamic_cast<forms::CommandButton *>(widget.control)) {
        if (code == BN_CLICKED)
            button->press();
    } else if (auto *list = dynamic_cast<forms::ListBox *>(widget.control)) {
        if (code != LBN_SELCHANGE)
            return;
        const int chosen = static_cast<int>(SendMessageW(widget.window, LB_GETCURSEL, 0, 0));
        // Nothing selected is no choice: the control's selection comes back.
        if (chosen >= 0 && chosen != list->selectedIndex())
            list->choose(chosen);
        showSelection(widget);
    }
}

void FormWindow::pressFocusedButton()
{
    const HWND focus = GetFocus();
    for (const Widget &widget : m_widgets)
        if (widget.window == focus)
            if (auto *button = dynamic_cast<forms::CommandButton *>(widget.control))
                button->press();
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<FormWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<FormWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers every pixel
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The layouts have no handler for closing: either window's close control ends the
        // program, so no hidden window keeps it alive.
        m_form.runtime().endProgram(0);
        return 0;
    case WM_DPICHANGED:
        // The picture at the new size may find no memory: that ends the program through the
        // report, as in a handler.
        m_form.runtime().dispatch([this, wParam] { layOut(HIWORD(wParam)); });
        return 0;
    case WM_MEASUREITEM: {
        auto &item = *reinterpret_cast<MEASUREITEMSTRUCT *>(lParam);
        for (const Widget &widget : m_widgets)
            if (widget.window && GetDlgCtrlID(widget.window) == static_cast<int>(item.CtlID))
                item.itemHeight = static_cast<UINT>(
                    listItemHeight(static_cast<const forms::ListBox &>(*widget.control)));
        return TRUE;
    }
    case WM_DRAWITEM:
        drawListItem(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_CTLCOLORLISTBOX:
        if (m_listBrush)
            return reinterpret_cast<LRESULT>(m_listBrush);
        break;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT)
            return LresultFromObject(IID_IAccessible, wParam, &accessible());
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<FormWindow *>(GetWindowLongPtrW(list, GWLP_USERDATA));
    for (const Widget &widget : self->m_widgets)
        if (widget.window == list)
            return self->handleListMessage(widget, message, wParam, lParam);
    return DefWindowProcW(list, message, wParam, lParam);
}

LRESULT FormWindow::handleListMessage(const Widget &widget, UINT message, WPARAM wParam,
                                      LPARAM lParam)
{
    auto &list = static_cast<forms::ListBox &>(*widget.control);
    const HWND window = widget.window;
    const WNDPROC standard = widget.standardProc;
    if (message == WM_LBUTTONDOWN) {
        // A click on the entry already chosen is a Click too, which the list itself does not
        // report.
        const int before = list.selectedIndex();
        const LRESULT result = CallWindowProcW(standard, window, message, wParam, lParam);
        const auto hit = static_cast<DWORD>(SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam));
        if (before >= 0 && HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) == before &&
            list.selectedIndex() == before)
            list.choose(before);
        return result;
    }
    if (message == WM_KEYDOWN && (wParam == VK_DOWN || wParam == VK_UP) &&
        list.selectedIndex() < 0 && !list.items().empty()) {
        // With nothing chosen yet, the first arrow chooses the entry under the caret.
        const auto caret = static_cast<int>(SendMessageW(window, LB_GETCARETINDEX, 0, 0));
        list.choose(std::max(caret, 0));
        return 0;
    }
    return CallWindowProcW(standard, window, message, wParam, lParam);
}

} // namespace win32face
