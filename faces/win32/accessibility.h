// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <oleacc.h>
#include <string>
#include <vector>
#include <windows.h>

namespace forms {
class Control;
}

namespace win32face {

class FormWindow;

// What screen readers find in a window's client area (Active Accessibility, which NVDA, JAWS
// and Narrator all read): the labels the window paints, as text, and the real widgets, each
// through its own window's standard object, in the reading order. The window's description of
// its drawing is the client's description; the last announcement is its last child.
// What concerns the client itself comes from the system's standard object.
class ClientAccessible final : public IAccessible
{
public:
    explicit ClientAccessible(FormWindow &window);
    // The window goes: from now on every call says the object is gone.
    void detach();

    // The child ids: 1 to childCount(), in the reading order, then the announcement.
    long childCount() const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch: not offered, screen readers call IAccessible itself.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                     EXCEPINFO *, UINT *) override;
    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long *count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **dispatch) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, long *topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long *left, long *top, long *width, long *height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT *end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT *child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~ClientAccessible();
    // What a child id names: a control of the reading order, the announcement, or nothing.
    enum class Kind { Self, Control, Announcement, None };
    Kind kindOf(const VARIANT &child, const forms::Control **control = nullptr) const;

    std::atomic<ULONG> m_references{1};
    FormWindow *m_window;
    IAccessible *m_standard = nullptr; // the system's object for the client area
    std::vector<const forms::Control *> m_order;
};

// Has screen readers say a text at once, without moving the focus: a UI Automation
// notification from the window. Windows has it since 10 (1709); older systems and Wine do
// without, so the function is looked up when the program runs.
class Announcer
{
public:
    explicit Announcer(HWND window);
    ~Announcer();
    Announcer(const Announcer &) = delete;
    Announcer &operator=(const Announcer &) = delete;

    // False where the system cannot announce (Wine, Windows before 10).
    bool canAnnounce() const { return m_raise != nullptr; }
    void announce(const std::string &text);

private:
    using RaiseNotification = HRESULT(WINAPI *)(IUnknown *, int, int, BSTR, BSTR);
    HMODULE m_library = nullptr;
    RaiseNotification m_raise = nullptr;
    IUnknown *m_source = nullptr;
};

} // namespace win32face
