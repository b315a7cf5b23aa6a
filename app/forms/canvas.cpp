// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <QPainter>
#include <cmath>

namespace forms {

namespace {

// The device pixels that belong to a logical pixel: those whose centres lie inside it, which
// is where the painter's own lines and boxes fill them at the same ratio.
int deviceEdge(int logical, qreal ratio)
{
    return static_cast<int>(std::ceil(logical * ratio - 0.5));
}

QImage imageAt(QSize logicalSize, qreal ratio, QImage::Format format)
{
    QImage image(deviceEdge(logicalSize.width(), ratio), deviceEdge(logicalSize.height(), ratio),
                 format);
    image.setDevicePixelRatio(ratio);
    return image;
}

// A logical rectangle in an image's device pixels, for the source of drawImage.
QRect deviceRect(const QRect &logical, qreal ratio)
{
    const int left = deviceEdge(logical.left(), ratio);
    const int top = deviceEdge(logical.top(), ratio);
    return {left, top, deviceEdge(logical.left() + logical.width(), ratio) - left,
            deviceEdge(logical.top() + logical.height(), ratio) - top};
}

} // namespace

Canvas::Canvas(QSize logicalSize, PaintControls paintControls)
    : m_size(logicalSize)
    , m_paintControls(std::move(paintControls))
{ }

void Canvas::prepare(qreal ratio)
{
    QImage points = imageAt(m_size, ratio, QImage::Format_ARGB32_Premultiplied);
    points.fill(Qt::transparent);
    if (!m_points.isNull()) {
        // Moved to a screen of another density: the points keep their logical places.
        QPainter painter(&points);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRect(QPoint(), m_size), m_points);
    }
    m_points = std::move(points);
    m_ratio = ratio;
    m_onePixelPerPoint = ratio == 1.0;
    m_composed = imageAt(m_size, ratio, QImage::Format_RGB32);
    m_pointPixels = reinterpret_cast<QRgb *>(m_points.bits());
    m_composedPixels = reinterpret_cast<QRgb *>(m_composed.bits());
    m_stride = m_points.bytesPerLine() / qsizetype(sizeof(QRgb));
    Q_ASSERT(m_composed.bytesPerLine() == m_points.bytesPerLine());
    m_stale = QRegion();
    compose(QRect(QPoint(), m_size));
}

void Canvas::fillDevicePixels(int x, int y, QRgb colour)
{
    const int left = deviceEdge(x, m_ratio);
    const int right = deviceEdge(x + 1, m_ratio);
    const int top = deviceEdge(y, m_ratio);
    const int bottom = deviceEdge(y + 1, m_ratio);
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            const qsizetype at = row * m_stride + column;
            m_pointPixels[at] = colour;
            m_composedPixels[at] = colour;
        }
    }
}

void Canvas::controlsChanged(const QRegion &region)
{
    if (!m_points.isNull())
        m_stale += region & QRect(QPoint(), m_size);
}

void Canvas::compose(const QRegion &region)
{
    QPainter painter(&m_composed);
    painter.setClipRegion(region);
    m_paintControls(painter, region);
    if (m_ratio == std::floor(m_ratio)) {
        // Logical rectangles are whole device pixels here: the point layer goes back on top as
        // an image, pixel for pixel.
        painter.setClipping(false);
        for (const QRect &rect : region)
            painter.drawImage(rect, m_points, deviceRect(rect, m_ratio));
        return;
    }
    painter.end();
    // The points go back on top device pixel for device pixel. Drawn as an image instead, a
    // logical rectangle whose edges fall between device pixels (at 1.25 or 1.5) is scaled by a
    // fraction and loses or shifts points. One device pixel of margin covers the painter's own
    // rounding at those edges; laying a point again is harmless.
    const QRect all = m_points.rect();
    for (const QRect &rect : region) {
        const QRect device = deviceRect(rect, m_ratio).adjusted(-1, -1, 1, 1) & all;
        for (int row = device.top(); row <= device.bottom(); ++row) {
            const auto *points = reinterpret_cast<const QRgb *>(m_points.constScanLine(row));
            auto *composed = reinterpret_cast<QRgb *>(m_composed.scanLine(row));
            for (int column = device.left(); column <= device.right(); ++column)
                if (qAlpha(points[column]) != 0)
                    composed[column] = points[column];
        }
    }
}

void Canvas::paint(QPainter &painter, const QRegion &region, qreal ratio)
{
    if (m_points.isNull()) {
        m_paintControls(painter, region);
        return;
    }
    if (ratio != m_ratio)
        prepare(ratio);
    if (!m_stale.isEmpty()) {
        compose(m_stale);
        m_stale = QRegion();
    }
    for (const QRect &rect : region)
        painter.drawImage(rect, m_composed, deviceRect(rect, m_ratio));
}

} // namespace forms
