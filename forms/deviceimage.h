// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "units.h"

#include <vector>

namespace forms {

class Form;
class Line;

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

// A window's picture in device pixels: the background, the lines, the backgrounds of opaque
// labels, then the points. Every face copies it to the screen unscaled and draws only the
// labels' texts and its real widgets over it, so the faces' diagrams are the same pixels.
class DeviceImage
{
public:
    // A new size or density; the next paint must cover the whole window. May throw
    // std::bad_alloc, before anything changes.
    void resize(const DeviceScale &scale);
    const DeviceScale &scale() const { return m_scale; }
    bool isEmpty() const { return m_pixels.empty(); }

    // Paints the device rectangle `clip` from the window's state; pixels outside it stay.
    void paint(const Form &form, const PixelRect &clip);

    // Row after row, deviceWidth() pixels each; every pixel opaque.
    const Rgba *pixels() const { return m_pixels.data(); }
    Rgba at(int x, int y) const
    {
        return m_pixels[static_cast<std::size_t>(y) *
                            static_cast<std::size_t>(m_scale.deviceWidth()) +
                        static_cast<std::size_t>(x)];
    }

private:
    void fill(const PixelRect &rect, Rgba colour);
    void blend(int x, int y, Rgba colour, int alpha);
    void paintLine(const Line &line);
    void paintStraightLine(const Line &line);
    void paintSlantedLine(const Line &line);
    void paintPoints(const Form &form);

    DeviceScale m_scale;
    std::vector<Rgba> m_pixels;
    PixelRect m_clip; // what the current paint may touch
};

} // namespace forms
