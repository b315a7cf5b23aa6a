// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for the start-up: a bare Win32 window of the lesson window's size with one line of
// text, up to its first painted frame.

#include "elapsed.h"

#include <iterator>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        SetBkMode(dc, TRANSPARENT);
        static constexpr wchar_t line[] = L"Die Zerfallsfrist";
        TextOutW(dc, 20, 20, line, static_cast<int>(std::size(line)) - 1);
        EndPaint(window, &ps);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"Zerfallsfrist.Boden";
    RegisterClassW(&windowClass);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 954, 651}; // the lesson window's client area
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowW(windowClass.lpszClassName, L"Die Zerfallsfrist", style, 37, 122,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    GdiFlush();
    reportStartUp();
    return 0;
}
