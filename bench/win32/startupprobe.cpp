// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Zerfallsfrist.exe's start-up, up to the lesson window's first painted frame: the program is
// put together as the exe does it, the window painted at once, and the time written out.

#include "elapsed.h"
#include "faces/win32/formwindow.h"
#include "lesson/form1.h"
#include "windowsprogram.h"

#include <objbase.h>

int main()
{
    // As the exe starts: the apartment first, which is also where user32 first meets the display.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WindowsProgram windows(GetModuleHandleW(nullptr));
    if (!windows.start())
        return 1;
    const auto &view = static_cast<win32face::FormWindow &>(windows.program().form1().view());
    UpdateWindow(view.handle());
    GdiFlush();
    reportStartUp();
    return 0;
}
