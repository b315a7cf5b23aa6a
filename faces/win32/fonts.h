// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/layout.h"

#include <memory>
#include <type_traits>
#include <vector>
#include <windows.h>

namespace win32face {

// The resource numbers of the three faces of Liberation Sans carried in the exe (RCDATA).
inline constexpr int FontResourceRegular = 2001;
inline constexpr int FontResourceBold = 2002;
inline constexpr int FontResourceItalic = 2003;

// Liberation Sans, from the exe's own resources, for this process only: nothing is installed,
// and no font of the machine stands in for it.
class CarriedFonts
{
public:
    CarriedFonts();
    ~CarriedFonts();
    CarriedFonts(const CarriedFonts &) = delete;
    CarriedFonts &operator=(const CarriedFonts &) = delete;

    // All three faces are there.
    bool isComplete() const { return m_handles.size() == 3; }

private:
    std::vector<HANDLE> m_handles;
};

struct FontDeleter
{
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// A layout's font at a screen's dpi: its pixel size at 96 dpi, scaled as the window is.
Font createFont(const forms::LayoutFont &font, unsigned dpi);

// The fonts one window needs at its dpi, each made once.
class FontCache
{
public:
    HFONT get(const forms::LayoutFont &font, unsigned dpi);
    void clear() { m_fonts.clear(); }

private:
    struct Entry
    {
        forms::LayoutFont layout;
        unsigned dpi;
        Font font;
    };
    std::vector<Entry> m_fonts;
};

} // namespace win32face
