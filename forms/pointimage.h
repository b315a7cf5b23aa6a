// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "units.h"

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
        , m_blocksPerRow(static_cast<std::size_t>((width + BlockWidth - 1) / BlockWidth))
    { }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(PixelPoint p) const
    {
        return p.x >= 0 && p.y >= 0 && p.x < m_width && p.y < m_height;
    }

    // Each row is split into blocks of this many pixels, and each block knows whether any
    // point was set in it, so that a painter need not look at the empty pixels between.
    static constexpr int BlockWidth = 16;
    // Not a plain char: a store through one may alias anything, and a handler's loop would
    // then read the window's state afresh after every point.
    enum class Block : unsigned char { Empty, HasPoints };

    // Sets a point inside the image. May throw std::bad_alloc at the first point.
    void set(PixelPoint p, Rgba colour)
    {
        assert(contains(p));
        if (m_pixels.empty()) [[unlikely]] {
            std::vector<Block> blocks(static_cast<std::size_t>(m_height) * m_blocksPerRow,
                                      Block::Empty);
            m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
                            Rgba{0});
            m_blocks = std::move(blocks);
        }
        m_pixels[index(p)] = colour;
        m_blocks[static_cast<std::size_t>(p.y) * m_blocksPerRow +
                 static_cast<std::size_t>(p.x) / BlockWidth] = Block::HasPoints;
    }

    Rgba at(PixelPoint p) const { return m_pixels.empty() ? 0 : m_pixels[index(p)]; }
    bool isEmpty() const { return m_pixels.empty(); }
    // Row after row, `width()` pixels each; null before the first point.
    const Rgba *pixels() const { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    // For each block of a row, from the left, whether a point was set in it; null before the
    // first point.
    const Block *blocksOf(int row) const
    {
        return m_blocks.empty() ? nullptr
                                : m_blocks.data() + static_cast<std::size_t>(row) * m_blocksPerRow;
    }

private:
    std::size_t index(PixelPoint p) const
    {
        return static_cast<std::size_t>(p.y) * static_cast<std::size_t>(m_width) +
            static_cast<std::size_t>(p.x);
    }
    int m_width;
    int m_height;
    std::size_t m_blocksPerRow;
    std::vector<Rgba> m_pixels;
    std::vector<Block> m_blocks; // row after row, made with the pixels
};

} // namespace forms
