// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <cmath>

namespace win32face {

CarriedFonts::CarriedFonts()
{
    for (const int id : {FontResourceRegular, FontResourceBold, FontResourceItalic}) {
        HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
        HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
        void *data = loaded ? LockResource(loaded) : nullptr;
        DWORD installed = 0;
        HANDLE handle = data
            ? AddFontMemResourceEx(data, SizeofResource(nullptr, resource), nullptr, &installed)
            : nullptr;
        if (handle)
            m_handles.push_back(handle);
    }
}

CarriedFonts::~CarriedFonts()
{
    for (HANDLE handle : m_handles)
        RemoveFontMemResourceEx(handle);
}

Font createFont(const forms::LayoutFont &font, unsigned dpi)
{
    // The em in pixels, as the other faces set it; negative asks GDI for the em, not the cell.
    const int pixels = static_cast<int>(std::lround(font.pixelSize() * (dpi / 96.0)));
    return Font(CreateFontW(-pixels, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Liberation Sans"));
}

HFONT FontCache::get(const forms::LayoutFont &font, unsigned dpi)
{
    for (const Entry &entry : m_fonts)
        if (entry.layout == font && entry.dpi == dpi)
            return entry.font.get();
    m_fonts.push_back({font, dpi, createFont(font, dpi)});
    return m_fonts.back().font.get();
}

} // namespace win32face
