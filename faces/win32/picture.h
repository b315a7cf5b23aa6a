// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faces/web/deviceimage.h"
#include "forms/units.h"

#include <cstdint>
#include <vector>

namespace forms {
class Form;
}

namespace win32face {

using DeviceScale = webface::DeviceScale;

// A window's picture as GDI takes it: the core's device image (background, lines, label
// backgrounds and the points) in 32-bit pixels, blue, green, red and a spare byte in memory
// order, top row first. The face copies it to the screen unscaled and only draws text over it.
class Picture
{
public:
    // A new size in device pixels; the next paint must cover it all. May throw
    // std::bad_alloc.
    void resize(const DeviceScale &scale);
    const DeviceScale &scale() const { return m_image.scale(); }
    bool isEmpty() const { return m_image.isEmpty(); }

    // Paints the device pixels inside `clip` from the window's state.
    void paint(const forms::Form &form, const forms::PixelRect &clip);

    const std::uint32_t *bits() const { return m_bits.data(); }

private:
    webface::DeviceImage m_image;
    std::vector<std::uint32_t> m_bits;
};

} // namespace win32face
