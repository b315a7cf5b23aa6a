// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/deviceimage.h"

#include <cstdint>
#include <vector>

namespace win32face {

// A window's picture as GDI takes it: the core's device image in 32-bit pixels with blue,
// green and red in memory order, top row first. The face copies it to the screen unscaled and
// only draws text over it.
class Picture
{
public:
    // A new size in device pixels; the next paint must cover it all. May throw
    // std::bad_alloc.
    void resize(const forms::DeviceScale &scale);
    const forms::DeviceScale &scale() const { return m_image.scale(); }

    // Paints the device pixels inside `clip` from the window's state.
    void paint(const forms::Form &form, const forms::PixelRect &clip);

    const std::uint32_t *bits() const { return m_bits.data(); }

private:
    forms::DeviceImage m_image;
    std::vector<std::uint32_t> m_bits;
};

} // namespace win32face
