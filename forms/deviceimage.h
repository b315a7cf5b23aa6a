// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "units.h"

#include <cstddef>
#include <vector>

namespace forms {

class Form;

// How a window's logical pixels lie on a screen's device pixels. A device pixel belongs to the
// logical pixel that holds its centre, so every logical pixel covers whole device pixels and
// nothing is smoothed across them. The ratio is taken per axis from the real size in device
// pixels, so the last column and row are always covered.
class DeviceScale
{
public:
    DeviceScale() = default;
    DeviceScale(int logicalWidth, int logicalHeight, int deviceWidth, int deviceHeight);
    // A window of the given logical size at a density: each side rounded to whole pixels.
    static DeviceScale atDensity(int logicalWidth, int logicalHeight, double density);

    int deviceWidth() const { return m_deviceWidth; }
    int deviceHeight() const { return m_deviceHeight; }
    double ratioX() const { return m_ratioX; }
    double ratioY() const { return m_ratioY; }
    bool isOneToOne() const { return m_ratioX == 1.0 && m_ratioY == 1.0; }
    friend bool operator==(const DeviceScale &, const DeviceScale &) = default;

    // The first device column (row) whose centre lies at or beyond a logical position.
    int columnAt(double logicalX) const;
    int rowAt(double logicalY) const;
    // The device pixels a logical rectangle covers, inside the image.
    PixelRect toDevice(const PixelRect &logical) const;

private:
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    double m_ratioX = 1;
    double m_ratioY = 1;
};

// The byte order of a pixel in memory that a screen takes without converting it: red, green,
// blue, alpha for a browser's canvas; blue, green, red, alpha (0xAARRGGBB as a number) for Qt's
// and Windows' 32-bit images.
enum class PixelOrder { Rgba, Bgra };

// Device pixels that a window's picture is painted into, owned by whoever shows them: a face's
// own image, or the memory the platform puts on the screen.
struct DevicePixels
{
    Rgba *first = nullptr; // the device pixel at the top left of `area`
    std::ptrdiff_t stride = 0; // pixels from the start of one row to the next
    PixelRect area; // which of the window's device pixels they are
    PixelOrder order = PixelOrder::Rgba;
};

// Paints a window's picture, as far as it lies inside the device rectangle `clip`: the
// background, the lines, the backgrounds of opaque labels, then the points. Pixels of `target`
// outside the clip stay as they are. Every face shows this picture unscaled and draws only the
// labels' texts and its real widgets over it, so the faces' diagrams are the same pixels.
void paintPicture(const Form &form, const DeviceScale &scale, const DevicePixels &target,
                  const PixelRect &clip);

// A window's picture kept in memory of its own, for a face whose screen takes a copy of it. It
// holds the whole picture, or a band of its rows at a time for a face that copies each band to
// the screen once it is painted: such a face needs a band's memory only.
class DeviceImage
{
public:
    explicit DeviceImage(PixelOrder order = PixelOrder::Rgba)
        : m_order(order)
    { }

    // A new size or density; the next paint must cover the whole window. With `bandRows` above
    // 0 and below the picture's height the image holds that many rows at a time. May throw
    // std::bad_alloc, before anything changes.
    void resize(const DeviceScale &scale, int bandRows = 0);
    const DeviceScale &scale() const { return m_scale; }
    bool isEmpty() const { return m_pixels.empty(); }

    // Paints the device rectangle `clip` from the window's state; pixels outside it stay. A band
    // moves to begin at the clip's top first, paints the clip's rows that it holds, and keeps
    // only those as the picture's. Returns the part of the clip that was painted.
    PixelRect paint(const Form &form, const PixelRect &clip);

    // The rows held: from `top()`, `rows()` of them (the picture's height when it is whole).
    int top() const { return m_top; }
    int rows() const { return m_rows; }
    // Row after row, deviceWidth() pixels each, from row top(); every pixel painted is opaque,
    // in the order asked for.
    const Rgba *pixels() const { return m_pixels.data(); }
    // The colour at a device pixel of a row held, as an Rgba whatever the order.
    Rgba at(int x, int y) const;

private:
    PixelOrder m_order;
    DeviceScale m_scale;
    int m_top = 0;
    int m_rows = 0;
    std::vector<Rgba> m_pixels;
};

} // namespace forms
