// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "forms/form.h"
#include "formwindow.h"
#include "text.h"

#include <uiautomationcore.h>

namespace win32face {

namespace {

HRESULT toBstr(const std::string &utf8, BSTR *out)
{
    if (!out)
        return E_POINTER;
    const std::wstring wide = toWide(utf8);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

VARIANT childVariant(long id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// The standard object of a widget's own window, as a screen reader navigates into it.
IDispatch *widgetObject(HWND widget)
{
    IDispatch *dispatch = nullptr;
    if (!widget ||
        FAILED(AccessibleObjectFromWindow(widget, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void **>(&dispatch))))
        return nullptr;
    return dispatch;
}

} // namespace

ClientAccessible::ClientAccessible(FormWindow &window)
    : m_window(&window)
    , m_order(window.form().readingOrder())
{
    CreateStdAccessibleObject(window.handle(), OBJID_CLIENT, IID_IAccessible,
                              reinterpret_cast<void **>(&m_standard));
}

ClientAccessible::~ClientAccessible()
{
    if (m_standard)
        m_standard->Release();
}

void ClientAccessible::detach()
{
    m_window = nullptr;
    if (m_standard) {
        m_standard->Release();
        m_standard = nullptr;
    }
}

long ClientAccessible::childCount() const
{
    return static_cast<long>(m_order.size()) + 1;
}

ClientAccessible::Kind ClientAccessible::kindOf(const VARIANT &child,
                                                const forms::Control **control) const
{
    if (child.vt != VT_I4)
        return Kind::None;
    if (child.lVal == CHILDID_SELF)
        return Kind::Self;
    if (child.lVal > 0 && child.lVal <= static_cast<long>(m_order.size())) {
        if (control)
            *control = m_order[static_cast<std::size_t>(child.lVal - 1)];
        return Kind::Control;
    }
    return child.lVal == childCount() ? Kind::Announcement : Kind::None;
}

// --- IUnknown and IDispatch ----------------------------------------------------------------

HRESULT ClientAccessible::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ClientAccessible::AddRef()
{
    return ++m_references;
}

ULONG ClientAccessible::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT ClientAccessible::GetTypeInfoCount(UINT *count)
{
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT ClientAccessible::GetTypeInfo(UINT, LCID, ITypeInfo **)
{
    return E_NOTIMPL;
}

HRESULT ClientAccessible::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *)
{
    return E_NOTIMPL;
}

HRESULT ClientAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *,
                                 UINT *)
{
    return E_NOTIMPL;
}

// --- IAccessible -------------------------------------------------------------------------

// Every call first checks that the window is still there.
#define ZF_REQUIRE_WINDOW()                                                                        \
    do {                                                                                           \
        if (!m_window || !m_standard)                                                              \
            return RPC_E_DISCONNECTED;                                                             \
    } while (false)

HRESULT ClientAccessible::get_accParent(IDispatch **parent)
{
    ZF_REQUIRE_WINDOW();
    return m_standard->get_accParent(parent);
}

HRESULT ClientAccessible::get_accChildCount(long *count)
{
    ZF_REQUIRE_WINDOW();
    if (!count)
        return E_POINTER;
    *count = childCount();
    return S_OK;
}

HRESULT ClientAccessible::get_accChild(VARIANT child, IDispatch **dispatch)
{
    ZF_REQUIRE_WINDOW();
    if (!dispatch)
        return E_POINTER;
    *dispatch = nullptr;
    const forms::Control *control = nullptr;
    switch (kindOf(child, &control)) {
    case Kind::Control:
        if (const auto *widget = dynamic_cast<const forms::WidgetControl *>(control)) {
            *dispatch = widgetObject(m_window->widgetHandle(*widget));
            return *dispatch ? S_OK : S_FALSE;
        }
        return S_FALSE; // a label is a simple element of this object
    case Kind::Announcement:
        return S_FALSE;
    case Kind::Self:
    case Kind::None:
        break;
    }
    return E_INVALIDARG;
}

HRESULT ClientAccessible::get_accName(VARIANT child, BSTR *name)
{
    ZF_REQUIRE_WINDOW();
    const forms::Control *control = nullptr;
    switch (kindOf(child, &control)) {
    case Kind::Self:
        return m_standard->get_accName(child, name);
    case Kind::Control:
        if (const auto *label = dynamic_cast<const forms::Label *>(control))
            return toBstr(label->caption(), name);
        if (const auto *button = dynamic_cast<const forms::CommandButton *>(control))
            return toBstr(button->caption(), name);
        return toBstr(static_cast<const forms::ListBox *>(control)->accessibleName(), name);
    case Kind::Announcement:
        return toBstr(m_window->form().announcement(), name);
    case Kind::None:
        break;
    }
    return E_INVALIDARG;
}

HRESULT ClientAccessible::get_accValue(VARIANT child, BSTR *value)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return m_standard->get_accValue(child, value);
    if (value)
        *value = nullptr;
    return kindOf(child) == Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT ClientAccessible::get_accDescription(VARIANT child, BSTR *description)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return toBstr(m_window->form().drawingDescription(), description);
    if (description)
        *description = nullptr;
    return kindOf(child) == Kind::None ? E_INVALIDARG : S_FALSE;
}

HRESULT ClientAccessible::get_accRole(VARIANT child, VARIANT *role)
{
    ZF_REQUIRE_WINDOW();
    if (!role)
        return E_POINTER;
    const forms::Control *control = nullptr;
    const Kind kind = kindOf(child, &control);
    if (kind == Kind::Self)
        return m_standard->get_accRole(child, role);
    if (kind == Kind::None)
        return E_INVALIDARG;
    VariantInit(role);
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_STATICTEXT;
    if (kind == Kind::Control && control->kind() == forms::ControlKind::CommandButton)
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    else if (kind == Kind::Control && control->kind() == forms::ControlKind::ListBox)
        role->lVal = ROLE_SYSTEM_LIST;
    return S_OK;
}

HRESULT ClientAccessible::get_accState(VARIANT child, VARIANT *state)
{
    ZF_REQUIRE_WINDOW();
    if (!state)
        return E_POINTER;
    const forms::Control *control = nullptr;
    const Kind kind = kindOf(child, &control);
    if (kind == Kind::Self)
        return m_standard->get_accState(child, state);
    if (kind == Kind::None)
        return E_INVALIDARG;
    long flags = STATE_SYSTEM_READONLY;
    if (kind == Kind::Announcement) {
        if (m_window->form().announcement().empty())
            flags |= STATE_SYSTEM_INVISIBLE;
    } else if (const auto *label = dynamic_cast<const forms::Label *>(control)) {
        if (!label->isReadable())
            flags |= STATE_SYSTEM_INVISIBLE;
    } else {
        const auto *widget = static_cast<const forms::WidgetControl *>(control);
        flags = STATE_SYSTEM_FOCUSABLE;
        if (!widget->isVisible())
            flags |= STATE_SYSTEM_INVISIBLE;
        if (!widget->isEnabled())
            flags |= STATE_SYSTEM_UNAVAILABLE;
    }
    VariantInit(state);
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
}

HRESULT ClientAccessible::get_accHelp(VARIANT child, BSTR *help)
{
    ZF_REQUIRE_WINDOW();
    if (help)
        *help = nullptr;
    return kindOf(child) == Kind::None ? E_INVALIDARG : S_FALSE;
}

HRESULT ClientAccessible::get_accHelpTopic(BSTR *file, VARIANT, long *topic)
{
    ZF_REQUIRE_WINDOW();
    if (file)
        *file = nullptr;
    if (topic)
        *topic = 0;
    return S_FALSE;
}

HRESULT ClientAccessible::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    if (shortcut)
        *shortcut = nullptr;
    return kindOf(child) == Kind::None ? E_INVALIDARG : S_FALSE;
}

HRESULT ClientAccessible::get_accFocus(VARIANT *focus)
{
    ZF_REQUIRE_WINDOW();
    return m_standard->get_accFocus(focus);
}

HRESULT ClientAccessible::get_accSelection(VARIANT *selection)
{
    ZF_REQUIRE_WINDOW();
    return m_standard->get_accSelection(selection);
}

HRESULT ClientAccessible::get_accDefaultAction(VARIANT child, BSTR *action)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return m_standard->get_accDefaultAction(child, action);
    if (action)
        *action = nullptr;
    return kindOf(child) == Kind::None ? E_INVALIDARG : S_FALSE;
}

HRESULT ClientAccessible::accSelect(long flags, VARIANT child)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return m_standard->accSelect(flags, child);
    return kindOf(child) == Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT ClientAccessible::accLocation(long *left, long *top, long *width, long *height,
                                      VARIANT child)
{
    ZF_REQUIRE_WINDOW();
    if (!left || !top || !width || !height)
        return E_POINTER;
    const forms::Control *control = nullptr;
    const Kind kind = kindOf(child, &control);
    if (kind == Kind::Self || kind == Kind::Announcement)
        return m_standard->accLocation(left, top, width, height, childVariant(CHILDID_SELF));
    if (kind == Kind::None)
        return E_INVALIDARG;
    const auto *label = dynamic_cast<const forms::Label *>(control);
    RECT box = m_window->deviceBox(
        label ? label->box() : static_cast<const forms::WidgetControl *>(control)->box());
    MapWindowPoints(m_window->handle(), nullptr, reinterpret_cast<POINT *>(&box), 2);
    *left = box.left;
    *top = box.top;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
}

HRESULT ClientAccessible::accNavigate(long direction, VARIANT start, VARIANT *end)
{
    ZF_REQUIRE_WINDOW();
    if (!end)
        return E_POINTER;
    VariantInit(end);
    const Kind kind = kindOf(start);
    if (kind == Kind::None)
        return E_INVALIDARG;
    long target = 0;
    if (kind == Kind::Self) {
        if (direction == NAVDIR_FIRSTCHILD)
            target = 1;
        else if (direction == NAVDIR_LASTCHILD)
            target = childCount();
        else
            return m_standard->accNavigate(direction, start, end);
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        target = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        target = start.lVal - 1;
    }
    if (target < 1 || target > childCount())
        return S_FALSE;
    *end = childVariant(target);
    return S_OK;
}

HRESULT ClientAccessible::accHitTest(long x, long y, VARIANT *child)
{
    ZF_REQUIRE_WINDOW();
    if (!child)
        return E_POINTER;
    POINT point{x, y};
    ScreenToClient(m_window->handle(), &point);
    // Widgets lie over labels: look from the top.
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        const forms::Control *control = *it;
        const auto *label = dynamic_cast<const forms::Label *>(control);
        const auto *widget = dynamic_cast<const forms::WidgetControl *>(control);
        if ((label && !label->isReadable()) || (widget && !widget->isVisible()))
            continue;
        const RECT box = m_window->deviceBox(label ? label->box() : widget->box());
        if (!PtInRect(&box, point))
            continue;
        VariantInit(child);
        if (widget) {
            if (IDispatch *object = widgetObject(m_window->widgetHandle(*widget))) {
                child->vt = VT_DISPATCH;
                child->pdispVal = object;
                return S_OK;
            }
        }
        *child = childVariant(static_cast<long>(m_order.rend() - it));
        return S_OK;
    }
    return m_standard->accHitTest(x, y, child);
}

HRESULT ClientAccessible::accDoDefaultAction(VARIANT child)
{
    ZF_REQUIRE_WINDOW();
    if (kindOf(child) == Kind::Self)
        return m_standard->accDoDefaultAction(child);
    return kindOf(child) == Kind::None ? E_INVALIDARG : DISP_E_MEMBERNOTFOUND;
}

HRESULT ClientAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL; // obsolete in Active Accessibility
}

HRESULT ClientAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

#undef ZF_REQUIRE_WINDOW

// --- Announcer ---------------------------------------------------------------------------

namespace {

// The values of the system's NotificationKind and NotificationProcessing that we use; MinGW's
// headers predate them.
constexpr int NotificationKindActionCompleted = 2;
constexpr int NotificationProcessingImportantMostRecent = 1;

using HostProviderFromHwnd = HRESULT(WINAPI *)(HWND, IRawElementProviderSimple **);

// The element a notification comes from: the window itself, as the system's own provider for
// it describes it.
class NotificationSource final : public IRawElementProviderSimple
{
public:
    NotificationSource(HWND window, HostProviderFromHwnd hostProvider)
        : m_window(window)
        , m_hostProvider(hostProvider)
    { }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IRawElementProviderSimple) {
            *object = static_cast<IRawElementProviderSimple *>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions *options) override
    {
        if (!options)
            return E_POINTER;
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown **provider) override
    {
        if (!provider)
            return E_POINTER;
        *provider = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT *value) override
    {
        if (!value)
            return E_POINTER;
        VariantInit(value); // everything from the host provider
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    get_HostRawElementProvider(IRawElementProviderSimple **provider) override
    {
        if (!provider)
            return E_POINTER;
        return m_hostProvider(m_window, provider);
    }

private:
    ~NotificationSource() = default;
    std::atomic<ULONG> m_references{1};
    HWND m_window;
    HostProviderFromHwnd m_hostProvider;
};

} // namespace

Announcer::Announcer(HWND window)
    : m_library(LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
{
    if (!m_library)
        return;
    const auto raise = reinterpret_cast<RaiseNotification>(
        reinterpret_cast<void *>(GetProcAddress(m_library, "UiaRaiseNotificationEvent")));
    const auto host = reinterpret_cast<HostProviderFromHwnd>(
        reinterpret_cast<void *>(GetProcAddress(m_library, "UiaHostProviderFromHwnd")));
    if (!raise || !host)
        return;
    m_raise = raise;
    m_source = new NotificationSource(window, host);
}

Announcer::~Announcer()
{
    if (m_source)
        m_source->Release();
    if (m_library)
        FreeLibrary(m_library);
}

void Announcer::announce(const std::string &text)
{
    if (!m_raise || text.empty())
        return;
    const std::wstring wide = toWide(text);
    BSTR display = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    BSTR activity = SysAllocString(L"Zerfallsfrist.Ergebnis");
    if (display && activity)
        m_raise(m_source, NotificationKindActionCompleted,
                NotificationProcessingImportantMostRecent, display, activity);
    SysFreeString(display);
    SysFreeString(activity);
}

} // namespace win32face
