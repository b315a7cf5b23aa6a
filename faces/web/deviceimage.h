// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/colour.h"
#include "forms/units.h"

#include <vector>

namespace forms {
class Form;
class Line;
} // namespace forms

namespace webface {

// How a window's logical pixels lie on the canvas's device pixels. A device pixel belongs to
// the logical pixel that holds its centre, so every logical pixel covers whole device pixels
// and nothing is smoothed across them. The ratio is taken per axis from the canvas's real size
// in device pixels, so the last column and row are always covered.
class DeviceScale
{
public:
    DeviceScale() = default;
    DeviceScale(int logicalWidth, int logicalHeight, int deviceWidth, int deviceHeight);

    int deviceWidth() const { return m_deviceWidth; }
    int deviceHeight() const { return m_deviceHeight; }
    double ratioX() const { return m_ratioX; }
    double ratioY() const { return m_ratioY; }
    bool isOneToOne() const { return m_ratioX == 1.0 && m_ratioY == 1.0; }

    // The first device column (row) whose centre lies at or beyond a logical position.
    int columnAt(double logicalX) const;
    int rowAt(double logicalY) const;
    // The device pixels a logical rectangle covers.
    forms::PixelRect toDevice(const forms::PixelRect &logical) const;

private:
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    double m_ratioX = 1;
    double m_ratioY = 1;
};

// A window's picture in device pixels without its texts: the background, the lines and the
// backgrounds of opaque labels (the base), and the points scaled to device pixels (the point
// layer). The page lays the base on the canvas, draws the labels' texts over it, and the point
// layer over those, which is the window's paint order.
class DeviceImage
{
public:
    // A new canvas size; the next paint must cover the whole window.
    void resize(const DeviceScale &scale);
    const DeviceScale &scale() const { return m_scale; }
    bool isEmpty() const { return m_base.empty(); }

    // Paints the base inside the device rectangle `clip` from the window's state, and brings
    // the point layer there up to date.
    void paint(const forms::Form &form, const forms::PixelRect &clip);

    // Row after row, deviceWidth() pixels each.
    const forms::Rgba *base() const { return m_base.data(); }
    // The points in device pixels: the window's own point image at a ratio of one, else a
    // scaled copy; null while the window has no points.
    const forms::Rgba *points(const forms::Form &form) const;

private:
    void fill(const forms::PixelRect &rect, forms::Rgba colour);
    void blend(int x, int y, forms::Rgba colour, int alpha);
    void paintLine(const forms::Line &line, const forms::PixelRect &clip);
    void paintStraightLine(const forms::Line &line, const forms::PixelRect &clip);
    void paintSlantedLine(const forms::Line &line, const forms::PixelRect &clip);
    void scalePoints(const forms::Form &form, const forms::PixelRect &clip);

    DeviceScale m_scale;
    std::vector<forms::Rgba> m_base;
    std::vector<forms::Rgba> m_points; // only at ratios other than one
    forms::PixelRect m_clip; // what the current paint may touch
};

} // namespace webface
