// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "units.h"

#include <algorithm>
#include <cassert>
#include <vector>

namespace forms {

// The points set on a window, one pixel per logical pixel, transparent where none was set.
// Kept apart from everything else the window shows, so points survive covering, hiding,
// repainting and a change of the screen's density; a face scales the image to its device
// pixels when it paints. The pixels are made at the first point: a window that never gets one
// costs nothing.
class PointImage
{
public:
    PointImage(int width, int height)
        : m_width(width)
        , m_height(height)
    { }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(PixelPoint p) const
    {
        return p.x >= 0 && p.y >= 0 && p.x < m_width && p.y < m_height;
    }

    // The columns of a row from its first point to one past its last; empty in a row without.
    struct Extent
    {
        int begin;
        int end;
    };

    // Sets a point inside the image. May throw std::bad_alloc at the first point.
    void set(PixelPoint p, Rgba colour)
    {
        assert(contains(p));
        if (m_pixels.empty()) [[unlikely]] {
            std::vector<Extent> extents(static_cast<std::size_t>(m_height), Extent{m_width, 0});
            m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
                            Rgba{0});
            m_extents = std::move(extents);
        }
        m_pixels[index(p)] = colour;
        Extent &extent = m_extents[static_cast<std::size_t>(p.y)];
        extent.begin = std::min(extent.begin, p.x);
        extent.end = std::max(extent.end, p.x + 1);
    }

    Rgba at(PixelPoint p) const { return m_pixels.empty() ? 0 : m_pixels[index(p)]; }
    bool isEmpty() const { return m_pixels.empty(); }
    // Row after row, `width()` pixels each; null before the first point.
    const Rgba *pixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    // Where a row's points lie, so that a painter need not look at the empty rest of it.
    Extent extentOf(int row) const
    {
        return m_extents.empty() ? Extent{0, 0} : m_extents[static_cast<std::size_t>(row)];
    }

private:
    std::size_t index(PixelPoint p) const
    {
        return static_cast<std::size_t>(p.y) * static_cast<std::size_t>(m_width) +
            static_cast<std::size_t>(p.x);
    }

    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
    std::vector<Extent> m_extents; // one a row, made with the pixels
};

} // namespace forms
