// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsprogram.h"

#include <cstdint>
#include <cstdlib>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // For the accessibility objects a screen reader asks the windows for.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    {
        WindowsProgram windows(instance);
        if (!windows.start()) {
            status = windows.exitStatus();
        } else {
#ifdef ZF_TEST_SEAMS
            // The test build only: the n-th platform operation after the start fails, as a
            // real failure would, so that the tests see the error report and the end it brings.
            if (const char *n = std::getenv("ZF_FAIL_CALL"); n && std::atoll(n) > 0)
                windows.runtime().failCall(std::int64_t{std::atoll(n)});
#endif
            status = windows.face().run();
        }
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return status;
}
