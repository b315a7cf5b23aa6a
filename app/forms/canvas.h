// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <functional>

class QPainter;

namespace forms {

// What a window shows, kept in device pixels so that points survive covering, hiding and
// repainting. It holds two images once the first point is set: the points alone, and the
// window composed of background, controls and points, which a repaint copies in one go.
// Before the first point there is nothing to keep, and the window is painted directly.
class Canvas
{
public:
    using PaintControls = std::function<void(QPainter &, const QRect &)>;

    Canvas(QSize logicalSize, PaintControls paintControls);

    bool hasPoints() const { return !m_points.isNull(); }

    // Sets the point at a logical pixel, in device pixels at the given ratio. Points outside
    // the window are dropped. Returns whether the point was inside.
    bool setPoint(int x, int y, QRgb colour, qreal devicePixelRatio)
    {
        if (x < 0 || y < 0 || x >= m_size.width() || y >= m_size.height())
            return false;
        if (m_points.isNull() || devicePixelRatio != m_ratio) [[unlikely]]
            prepare(devicePixelRatio);
        if (m_ratio == 1.0) {
            reinterpret_cast<QRgb *>(m_points.scanLine(y))[x] = colour;
            reinterpret_cast<QRgb *>(m_composed.scanLine(y))[x] = colour;
        } else {
            fillDevicePixels(x, y, colour);
        }
        return true;
    }

    // The controls inside this logical rectangle have changed.
    void controlsChanged(const QRect &rect);

    // Paints the logical rectangle of the window.
    void paint(QPainter &painter, const QRect &rect, qreal devicePixelRatio);

    // The points alone, in device pixels (null before the first point).
    const QImage &points() const { return m_points; }

private:
    void prepare(qreal devicePixelRatio);
    void compose(const QRegion &region);
    void fillDevicePixels(int x, int y, QRgb colour);

    QSize m_size;
    PaintControls m_paintControls;
    qreal m_ratio = 1.0;
    QImage m_points; // premultiplied ARGB, transparent where no point was set
    QImage m_composed; // opaque
    QRegion m_stale; // logical area of m_composed whose controls must be painted again
};

} // namespace forms
