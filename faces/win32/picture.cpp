// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

namespace win32face {

void Picture::resize(const forms::DeviceScale &scale)
{
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(scale.deviceWidth()) *
                                    static_cast<std::size_t>(scale.deviceHeight()));
    m_image.resize(scale);
    m_bits = std::move(bits);
}

void Picture::paint(const forms::Form &form, const forms::PixelRect &clip)
{
    const forms::DeviceScale &scale = m_image.scale();
    const forms::PixelRect area =
        clip.intersected({0, 0, scale.deviceWidth(), scale.deviceHeight()});
    if (area.isEmpty())
        return;
    m_image.paint(form, area);
    // Red and blue change places; GDI ignores the fourth byte.
    const forms::Rgba *pixels = m_image.pixels();
    const auto width = static_cast<std::size_t>(scale.deviceWidth());
    for (int y = area.y; y < area.bottom(); ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width;
        for (std::size_t at = row + static_cast<std::size_t>(area.x);
             at < row + static_cast<std::size_t>(area.right()); ++at) {
            const forms::Rgba pixel = pixels[at];
            m_bits[at] = ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
        }
    }
}

} // namespace win32face
