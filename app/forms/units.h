// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <cmath>

namespace forms {

// Layouts are written in twips, 1/1440 inch; at 96 dpi fifteen of them make one logical pixel.
inline constexpr int TwipsPerPixel = 15;

// The one mapping from twips to logical pixels. It takes the pixel that contains the position,
// so boxes, line ends and points computed at the same place land on the same pixel.
inline int twipsToPixel(double twips)
{
    return static_cast<int>(std::floor(twips / TwipsPerPixel));
}

inline QPoint twipsToPixel(QPointF twips)
{
    return {twipsToPixel(twips.x()), twipsToPixel(twips.y())};
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
    QRect toPixels() const
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

    QPointF toTwips(double x, double y) const
    {
        return {(x - left) * unitWidth, (y - top) * unitHeight};
    }
    QPointF fromTwips(QPointF twips) const
    {
        return {left + twips.x() / unitWidth, top + twips.y() / unitHeight};
    }
    // ScaleWidth and ScaleHeight for a client area of the given size in twips.
    double scaleWidth(double clientWidthTwips) const { return clientWidthTwips / unitWidth; }
    double scaleHeight(double clientHeightTwips) const { return clientHeightTwips / unitHeight; }
};

} // namespace forms
