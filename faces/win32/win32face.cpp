// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "win32face.h"

#include "forms/errors.h"
#include "forms/runtime.h"
#include "formwindow.h"
#include "text.h"

namespace win32face {

namespace {

// The window's icon: the group in the exe's resources.
constexpr int IconResource = 1;

} // namespace

Win32Face::Win32Face(HINSTANCE instance)
    : m_instance(instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &FormWindow::windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IconResource));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IconResource),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = FormWindowClass;
    m_class = RegisterClassExW(&windowClass);
}

Win32Face::~Win32Face()
{
    if (m_class)
        UnregisterClassW(FormWindowClass, m_instance);
}

std::unique_ptr<forms::WindowView> Win32Face::createView(forms::Form &form)
{
    return std::make_unique<FormWindow>(form, m_instance);
}

void Win32Face::showReport(const forms::RuntimeError &error)
{
    const std::wstring text =
        toWide(std::string(error.description()) + "\n\n" + std::string(forms::ReportAdvice));
    // Modal to the window the pupil works in; the program ends once it is read.
    MessageBoxW(GetActiveWindow(), text.c_str(), L"Zerfallsfrist",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void Win32Face::programEnded(int exitStatus)
{
    PostQuitMessage(exitStatus);
}

int Win32Face::run()
{
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1)
            return forms::RuntimeErrorExitStatus;
        // Tab, the arrows, Enter and Esc as in a dialog, in each of our windows.
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root && static_cast<ATOM>(GetClassLongPtrW(root, GCW_ATOM)) == m_class &&
            IsDialogMessageW(root, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

std::string Win32Face::decimalSeparator()
{
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0) {
        const std::wstring_view text(separator);
        if (text == L"," || text == L".")
            return toUtf8(text);
    }
    return ",";
}

} // namespace win32face
