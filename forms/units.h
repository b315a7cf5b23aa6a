// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace forms {

// Layouts are written in twips, 1/1440 inch; at 96 dpi fifteen of them make one logical pixel.
inline constexpr int TwipsPerPixel = 15;

// A position in logical pixels from a window's client area's top-left corner.
struct PixelPoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

// A rectangle of logical pixels: from (x, y) on, `width` columns and `height` rows.
struct PixelRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; } // one past the last row
    bool contains(PixelPoint p) const
    {
        return p.x >= x && p.y >= y && p.x < right() && p.y < bottom();
    }
    bool intersects(const PixelRect &other) const
    {
        return !isEmpty() && !other.isEmpty() && x < other.right() && other.x < right() &&
            y < other.bottom() && other.y < bottom();
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    PixelRect united(const PixelRect &other) const
    {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        const int left = std::min(x, other.x);
        const int top = std::min(y, other.y);
        return {left, top, std::max(right(), other.right()) - left,
                std::max(bottom(), other.bottom()) - top};
    }
    PixelRect intersected(const PixelRect &other) const
    {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int w = std::min(right(), other.right()) - left;
        const int h = std::min(bottom(), other.bottom()) - top;
        return (w > 0 && h > 0) ? PixelRect{left, top, w, h} : PixelRect{};
    }
    friend bool operator==(const PixelRect &, const PixelRect &) = default;
};

// The one mapping from twips to logical pixels: the pixel that contains the position, so
// boxes, line ends and points computed at the same place land on the same pixel.
constexpr int twipsToPixel(int twips)
{
    // Floor division, also for negative positions.
    return twips >= 0 ? twips / TwipsPerPixel : -((-twips + TwipsPerPixel - 1) / TwipsPerPixel);
}

// The same mapping for a computed position. A position that is not finite, or lies so far out
// that no window could hold it, has no pixel: it is never cast to an integer.
inline std::optional<int> twipsToPixel(double twips)
{
    constexpr double Reach = 1e9; // [pixels], far beyond any screen, well inside int
    const double pixel = std::floor(twips / TwipsPerPixel);
    if (!(pixel >= -Reach && pixel <= Reach)) // also false for NaN
        return std::nullopt;
    return static_cast<int>(pixel);
}

// A box in twips, as layouts store it.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // The pixels the box covers: from the pixel holding its top-left corner up to, not
    // including, the pixel holding its far edges.
    constexpr PixelRect toPixels() const
    {
        const int x = twipsToPixel(left);
        const int y = twipsToPixel(top);
        return {x, y, twipsToPixel(left + width) - x, twipsToPixel(top + height) - y};
    }
};

// The two ends of a line in twips.
struct TwipsLine
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// A window's user coordinate system: where its client area's top-left corner lies in user
// units, and how many twips one user unit is wide and high. A negative height makes y grow
// upwards.
struct UserScale
{
    double left = 0; // ScaleLeft [user units]
    double top = 0; // ScaleTop [user units]
    double unitWidth = 1; // [twips per user unit]
    double unitHeight = 1; // [twips per user unit], negative when y grows upwards

    double xToTwips(double x) const { return (x - left) * unitWidth; }
    double yToTwips(double y) const { return (y - top) * unitHeight; }
    double xFromTwips(double twips) const { return left + twips / unitWidth; }
    double yFromTwips(double twips) const { return top + twips / unitHeight; }
    // ScaleWidth and ScaleHeight for a client area of the given size in twips.
    double scaleWidth(double clientWidthTwips) const { return clientWidthTwips / unitWidth; }
    double scaleHeight(double clientHeightTwips) const { return clientHeightTwips / unitHeight; }

    // The logical pixel a user point lands on; none for a point that has no pixel.
    std::optional<PixelPoint> toPixel(double x, double y) const
    {
        const auto column = twipsToPixel(xToTwips(x));
        const auto row = twipsToPixel(yToTwips(y));
        if (!column || !row)
            return std::nullopt;
        return PixelPoint{*column, *row};
    }
};

} // namespace forms
