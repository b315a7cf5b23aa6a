// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fonts.h"
#include "forms/face.h"

#include <string>
#include <windows.h>

// The Windows face: each form a top-level window painted with GDI, with the system's own
// buttons and list boxes on it.
namespace win32face {

class Win32Face final : public forms::Face
{
public:
    explicit Win32Face(HINSTANCE instance);
    ~Win32Face() override;
    Win32Face(const Win32Face &) = delete;
    Win32Face &operator=(const Win32Face &) = delete;

    // The carried fonts are loaded and the window class is registered: windows can be made.
    bool isReady() const { return m_fonts.isComplete() && m_class != 0; }

    std::unique_ptr<forms::WindowView> createView(forms::Form &form) override;
    void showReport(const forms::RuntimeError &error) override;
    void programEnded(int exitStatus) override;

    // Delivers the user's input until the program ends; returns its exit status.
    int run();

    // The user's decimal separator. One the carried fonts lack is not taken.
    static std::string decimalSeparator();

private:
    HINSTANCE m_instance;
    CarriedFonts m_fonts;
    ATOM m_class = 0;
};

} // namespace win32face
