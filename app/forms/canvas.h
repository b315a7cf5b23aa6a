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
    // Paints the background and the controls inside a region of logical pixels; the painter
    // is clipped to it.
    using PaintControls = std::function<void(QPainter &, const QRegion &)>;

    Canvas(QSize logicalSize, PaintControls paintControls);

    bool contains(QPoint logical) const
    {
        return logical.x() >= 0 && logical.y() >= 0 && logical.x() < m_size.width() &&
            logical.y() < m_size.height();
    }

    // Makes the images for points at this density, keeping the points set so far; call before
    // setting points.
    void preparePoints(qreal devicePixelRatio)
    {
        if (!m_pointPixels || devicePixelRatio != m_ratio)
            prepare(devicePixelRatio);
    }

    // Sets the point at a logical pixel inside the window, in device pixels.
    void setPoint(int x, int y, QRgb colour)
    {
        Q_ASSERT(contains(QPoint(x, y)) && m_pointPixels);
        if (m_onePixelPerPoint) {
            const qsizetype at = y * m_stride + x;
            m_pointPixels[at] = colour;
            m_composedPixels[at] = colour;
        } else {
            fillDevicePixels(x, y, colour);
        }
    }

    // The controls inside this logical region have changed.
    void controlsChanged(const QRegion &region);

    // Paints a region of the window, in logical pixels.
    void paint(QPainter &painter, const QRegion &region, qreal devicePixelRatio);

private:
    void prepare(qreal devicePixelRatio);
    void compose(const QRegion &region);
    void fillDevicePixels(int x, int y, QRgb colour);

    QSize m_size;
    PaintControls m_paintControls;
    qreal m_ratio = 1.0;
    bool m_onePixelPerPoint = true; // at ratio 1
    QImage m_points; // premultiplied ARGB, transparent where no point was set
    QImage m_composed; // opaque
    // The images are never shared, so points go straight into their pixels, without the
    // look-up and detach check of QImage::scanLine for every point. Both have one stride.
    QRgb *m_pointPixels = nullptr;
    QRgb *m_composedPixels = nullptr;
    qsizetype m_stride = 0; // [pixels]
    QRegion m_stale; // logical area of m_composed whose controls must be painted again
};

} // namespace forms
