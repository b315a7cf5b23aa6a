// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows face's real windows under Wine: what a screen reader finds in them, asked the
// way a screen reader asks (the window's accessible object, through WM_GETOBJECT), the list's
// Click on the entry already chosen and how the list's entries are drawn. Wine's own
// screen-reader side cannot be heard; these are the provider's answers.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "comparison/form2.h"
#include "faces/win32/formwindow.h"
#include "faces/win32/text.h"
#include "lesson/form1.h"
#include "windowsprogram.h"

#include <algorithm>
#include <cstdint>
#include <doctest.h>
#include <oleacc.h>
#include <string>

using win32face::FormWindow;

namespace {

struct Com
{
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Com() { CoUninitialize(); }
};

FormWindow &windowOf(const forms::Form &form)
{
    return static_cast<FormWindow &>(form.view());
}

// Delivers what is waiting, as the program's loop would.
void deliver()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The client area's object, as a screen reader gets it from the window.
IAccessible *clientObject(const forms::Form &form)
{
    IAccessible *object = nullptr;
    const HRESULT result =
        AccessibleObjectFromWindow(windowOf(form).handle(), static_cast<DWORD>(OBJID_CLIENT),
                                   IID_IAccessible, reinterpret_cast<void **>(&object));
    REQUIRE(SUCCEEDED(result));
    REQUIRE(object);
    return object;
}

VARIANT child(long id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::string nameOf(IAccessible &object, long id)
{
    BSTR name = nullptr;
    if (FAILED(object.get_accName(child(id), &name)) || !name)
        return {};
    const std::string text = win32face::toUtf8(name);
    SysFreeString(name);
    return text;
}

std::string descriptionOf(IAccessible &object)
{
    BSTR text = nullptr;
    if (object.get_accDescription(child(CHILDID_SELF), &text) != S_OK || !text)
        return {};
    const std::string result = win32face::toUtf8(text);
    SysFreeString(text);
    return result;
}

long stateOf(IAccessible &object, long id)
{
    VARIANT state;
    VariantInit(&state);
    REQUIRE(object.get_accState(child(id), &state) == S_OK);
    return state.lVal;
}

long roleOf(IAccessible &object, long id)
{
    VARIANT role;
    VariantInit(&role);
    REQUIRE(object.get_accRole(child(id), &role) == S_OK);
    return role.lVal;
}

// What a control says of itself: a label its caption, a button its caption, a list its name.
std::string expectedName(const forms::Control &control)
{
    if (const auto *label = dynamic_cast<const forms::Label *>(&control))
        return label->caption();
    if (const auto *button = dynamic_cast<const forms::CommandButton *>(&control))
        return button->caption();
    return static_cast<const forms::ListBox &>(control).accessibleName();
}

// Chooses an entry as the list reports a choice by mouse or keyboard to its window.
void chooseInList(const forms::ListBox &list, int index)
{
    const HWND window = windowOf(list.form()).widgetHandle(list);
    SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window));
    deliver();
}

void clickInList(const forms::ListBox &list, int x, int y)
{
    const HWND window = windowOf(list.form()).widgetHandle(list);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    deliver();
}

struct Session
{
    Session()
        : windows(GetModuleHandleW(nullptr))
    {
        REQUIRE(windows.start());
        deliver();
    }
    Com com;
    WindowsProgram windows;
};

} // namespace

TEST_CASE("a screen reader finds every label and widget of the lesson window in reading order")
{
    Session session;
    Form1 &lesson = session.windows.program().form1();
    IAccessible *object = clientObject(lesson);
    const auto &order = lesson.readingOrder();

    long count = 0;
    REQUIRE(object->get_accChildCount(&count) == S_OK);
    CHECK(count == static_cast<long>(order.size()) + 1); // and the announcement, last

    int hidden = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const long id = static_cast<long>(i) + 1;
        const forms::Control &control = *order[i];
        CAPTURE(control.name());
        CHECK(nameOf(*object, id) == expectedName(control));
        if (const auto *label = dynamic_cast<const forms::Label *>(&control)) {
            CHECK(roleOf(*object, id) == ROLE_SYSTEM_STATICTEXT);
            const bool invisible = (stateOf(*object, id) & STATE_SYSTEM_INVISIBLE) != 0;
            CHECK(invisible == !label->isReadable());
            hidden += invisible;
        } else {
            // A widget is its own window's standard object too.
            IDispatch *widget = nullptr;
            CHECK(object->get_accChild(child(id), &widget) == S_OK);
            CHECK(widget);
            if (widget)
                widget->Release();
        }
    }
    CHECK(hidden > 0); // the guide labels wait for the lesson's steps
    CHECK(nameOf(*object, count).empty());
    CHECK((stateOf(*object, count) & STATE_SYSTEM_INVISIBLE) != 0);
    CHECK(descriptionOf(*object) == lesson.drawingDescription());
    object->Release();
}

TEST_CASE("a choice's results reach the tree: captions, the drawing's description, the "
          "announcement")
{
    Session session;
    Form1 &lesson = session.windows.program().form1();
    IAccessible *object = clientObject(lesson);
    const std::string before = descriptionOf(*object);

    chooseInList(lesson.List1, 3);
    REQUIRE(lesson.List1.selectedIndex() == 3);
    const long isotope = windowOf(lesson).childIdOf(lesson.Label10);
    REQUIRE(isotope > 0);
    CHECK(nameOf(*object, isotope) == "Uran 238");
    CHECK(descriptionOf(*object) == lesson.drawingDescription());
    CHECK(descriptionOf(*object) != before);

    long count = 0;
    REQUIRE(object->get_accChildCount(&count) == S_OK);
    CHECK(!lesson.announcement().empty());
    CHECK(nameOf(*object, count) == lesson.announcement());
    CHECK((stateOf(*object, count) & STATE_SYSTEM_INVISIBLE) == 0);

    // Where the label is on screen: its box in device pixels, and a hit there finds it.
    long left = 0, top = 0, width = 0, height = 0;
    REQUIRE(object->accLocation(&left, &top, &width, &height, child(isotope)) == S_OK);
    RECT box = windowOf(lesson).deviceBox(lesson.Label10.box());
    MapWindowPoints(windowOf(lesson).handle(), nullptr, reinterpret_cast<POINT *>(&box), 2);
    CHECK(left == box.left);
    CHECK(top == box.top);
    CHECK(width == box.right - box.left);
    CHECK(height == box.bottom - box.top);
    VARIANT hit;
    VariantInit(&hit);
    REQUIRE(object->accHitTest(left + width / 2, top + height / 2, &hit) == S_OK);
    CHECK(hit.vt == VT_I4);
    CHECK(hit.lVal == isotope);
    object->Release();
}

TEST_CASE("a click on the entry already chosen is a Click; a click below the entries is none")
{
    Session session;
    Form1 &lesson = session.windows.program().form1();
    chooseInList(lesson.List1, 0);
    const HWND list = windowOf(lesson).widgetHandle(lesson.List1);
    RECT entry{};
    REQUIRE(SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&entry)) != LB_ERR);

    const auto calls = session.windows.runtime().callCount();
    clickInList(lesson.List1, entry.left + 4, (entry.top + entry.bottom) / 2);
    CHECK(session.windows.runtime().callCount() > calls); // List1_Click ran again
    CHECK(lesson.List1.selectedIndex() == 0);

    RECT last{};
    SendMessageW(list, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&last));
    RECT client{};
    GetClientRect(list, &client);
    REQUIRE(last.bottom < client.bottom);
    const auto after = session.windows.runtime().callCount();
    clickInList(lesson.List1, last.left + 4, client.bottom - 1);
    CHECK(session.windows.runtime().callCount() == after);
}

TEST_CASE("the object outlives its window and then says the window is gone")
{
    IAccessible *object = nullptr;
    {
        Session session;
        object = clientObject(session.windows.program().form1());
    }
    long count = 0;
    CHECK(object->get_accChildCount(&count) == RPC_E_DISCONNECTED);
    BSTR name = nullptr;
    CHECK(object->get_accName(child(1), &name) == RPC_E_DISCONNECTED);
    object->Release();
}

TEST_CASE("closing either window ends the program with status 0, as on the desktop")
{
    for (const bool excursion : {false, true}) {
        CAPTURE(excursion);
        Session session;
        Form1 &lesson = session.windows.program().form1();
        if (excursion) {
            const HWND button = windowOf(lesson).widgetHandle(lesson.Command2);
            SendMessageW(GetParent(button), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            REQUIRE(session.windows.program().form2().isShown());
        }
        const forms::Form &shown =
            excursion ? static_cast<forms::Form &>(session.windows.program().form2()) : lesson;
        SendMessageW(windowOf(shown).handle(), WM_CLOSE, 0, 0);
        CHECK(session.windows.runtime().hasEnded());
        CHECK(session.windows.runtime().exitStatus() == 0);
        CHECK_FALSE(IsWindowVisible(windowOf(lesson).handle()));
        // The loop ends with the program's status.
        CHECK(session.windows.face().run() == 0);
    }
}

TEST_CASE("the list draws its chosen entry in the highlight, and a change of focus only its "
          "frame")
{
    Session session;
    Form1 &lesson = session.windows.program().form1();
    chooseInList(lesson.List1, 3);
    const HWND list = windowOf(lesson).widgetHandle(lesson.List1);
    RECT entry{};
    REQUIRE(SendMessageW(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&entry)) != LB_ERR);
    const int width = entry.right - entry.left;
    const int height = entry.bottom - entry.top;

    // The entry drawn into a bitmap of its own, as the list asks its window to draw it.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    REQUIRE(bitmap);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    const auto *pixels = static_cast<const std::uint32_t *>(bits);
    const auto at = [&](int x, int y) { return pixels[y * width + x] & 0xFFFFFFu; };
    const auto draw = [&](UINT action, UINT state) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(list));
        item.itemID = 3;
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = list;
        item.hDC = dc;
        item.rcItem = {0, 0, width, height};
        SendMessageW(GetParent(list), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
        GdiFlush();
    };
    const auto count = [&](std::uint32_t colour, bool inside) {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
                n += edge != inside && at(x, y) == colour;
            }
        return n;
    };
    constexpr std::uint32_t highlight = 0x308CC6, text = 0xFFFFFF, mark = 0x123456;

    draw(ODA_DRAWENTIRE, ODS_SELECTED);
    CHECK(at(width / 2, 0) == highlight);
    CHECK(count(text, true) > 10); // "Uran 238" in the highlight's text colour

    // Gaining or losing the focus inverts the frame and leaves the entry itself alone, so it
    // never shows bare for a moment.
    std::fill_n(static_cast<std::uint32_t *>(bits), width * height, mark);
    draw(ODA_FOCUS, ODS_SELECTED | ODS_FOCUS);
    CHECK(count(mark, true) == (width - 2) * (height - 2));
    CHECK(count(mark, false) < 2 * (width + height) - 4);

    DeleteDC(dc);
    DeleteObject(bitmap);
}
