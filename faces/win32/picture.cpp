// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include "forms/form.h"

namespace win32face {

namespace {

// Red and blue change places; the alpha byte goes, as GDI ignores it.
std::uint32_t toBgr(forms::Rgba pixel)
{
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

} // namespace

void Picture::resize(const DeviceScale &scale)
{
    m_image.resize(scale);
    m_bits.assign(static_cast<std::size_t>(scale.deviceWidth()) *
                      static_cast<std::size_t>(scale.deviceHeight()),
                  0);
}

void Picture::paint(const forms::Form &form, const forms::PixelRect &clip)
{
    const DeviceScale &scale = m_image.scale();
    const forms::PixelRect area = clip.intersected({0, 0, scale.deviceWidth(), scale.deviceHeight()});
    if (area.isEmpty())
        return;
    m_image.paint(form, area);
    // The points lie over the rest; where none was set the layer is transparent.
    const forms::Rgba *base = m_image.base();
    const forms::Rgba *points = m_image.points(form);
    const auto width = static_cast<std::size_t>(scale.deviceWidth());
    for (int y = area.y; y < area.bottom(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width;
        for (int x = area.x; x < area.right(); ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x);
            const forms::Rgba point = points ? points[at] : 0;
            m_bits[at] = toBgr(point != 0 ? point : base[at]);
        }
    }
}

} // namespace win32face
