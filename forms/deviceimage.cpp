// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceimage.h"

#include "form.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace forms {

// --- DeviceScale ---------------------------------------------------------------------------

DeviceScale::DeviceScale(int logicalWidth, int logicalHeight, int deviceWidth, int deviceHeight)
    : m_deviceWidth(deviceWidth)
    , m_deviceHeight(deviceHeight)
    , m_ratioX(logicalWidth > 0 ? double(deviceWidth) / logicalWidth : 1.0)
    , m_ratioY(logicalHeight > 0 ? double(deviceHeight) / logicalHeight : 1.0)
{ }

DeviceScale DeviceScale::atDensity(int logicalWidth, int logicalHeight, double density)
{
    const auto side = [density](int logical) {
        return static_cast<int>(std::lround(logical * density));
    };
    return DeviceScale(logicalWidth, logicalHeight, side(logicalWidth), side(logicalHeight));
}

namespace {

// The first device pixel whose centre lies at or beyond a logical edge.
int edge(double logical, double ratio)
{
    return static_cast<int>(std::ceil(logical * ratio - 0.5));
}

// Along a dash, a centre exactly on its edge belongs to the pixel before it, so a dot and the
// gap after it split a device pixel's worth evenly.
int dashEdge(double logical, double ratio)
{
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}

} // namespace

int DeviceScale::columnAt(double logicalX) const
{
    return edge(logicalX, m_ratioX);
}

int DeviceScale::rowAt(double logicalY) const
{
    return edge(logicalY, m_ratioY);
}

PixelRect DeviceScale::toDevice(const PixelRect &logical) const
{
    const int left = columnAt(logical.x);
    const int top = rowAt(logical.y);
    return PixelRect{left, top, columnAt(logical.right()) - left, rowAt(logical.bottom()) - top}
        .intersected({0, 0, m_deviceWidth, m_deviceHeight});
}

// --- Painting a picture ---------------------------------------------------------------------

namespace {

// Swaps red and blue for the other order; the same swap takes a pixel back.
Rgba inOrder(Rgba pixel, PixelOrder order)
{
    return order == PixelOrder::Rgba
        ? pixel
        : (pixel & 0xFF00FF00u) | ((pixel & 0xFFu) << 16) | ((pixel >> 16) & 0xFFu);
}

// One paint of a window's picture into device pixels: every write lands inside the clip.
class PicturePainter
{
public:
    PicturePainter(const DeviceScale &scale, const DevicePixels &target, const PixelRect &clip)
        : m_scale(scale)
        , m_target(target)
        , m_clip(clip.intersected({0, 0, scale.deviceWidth(), scale.deviceHeight()})
                     .intersected(target.area))
    { }

    void paint(const Form &form);

private:
    Rgba *pixelAt(int x, int y) const
    {
        return m_target.first + (y - m_target.area.y) * m_target.stride + (x - m_target.area.x);
    }
    void fillRow(int y, int from, int to, Rgba colour) const
    {
        std::fill(pixelAt(from, y), pixelAt(from, y) + (to - from), colour);
    }
    Rgba pixelOf(Colour colour) const { return inOrder(toRgba(colour), m_target.order); }
    void fill(const PixelRect &rect, Rgba colour);
    void blend(int x, int y, Rgba colour, int alpha);
    void paintLine(const Line &line);
    void paintStraightLine(const Line &line);
    void paintSlantedLine(const Line &line);
    void paintPoints(const Form &form);

    const DeviceScale &m_scale;
    const DevicePixels &m_target;
    const PixelRect m_clip;
};

} // namespace

void PicturePainter::paint(const Form &form)
{
    if (m_clip.isEmpty())
        return;
    fill(m_clip, pixelOf(form.backColor()));
    for (const Line *line : form.lines())
        if (line->isVisible())
            paintLine(*line);
    // Opaque labels hide the lines under them; their texts are the face's to draw.
    for (const Label *label : form.labels())
        if (label->isVisible() && !label->isTransparent())
            fill(m_scale.toDevice(label->box()).intersected(m_clip), pixelOf(label->backColor()));
    paintPoints(form);
}

void PicturePainter::fill(const PixelRect &rect, Rgba colour)
{
    if (rect.isEmpty())
        return;
    for (int y = rect.y; y < rect.bottom(); ++y)
        fillRow(y, rect.x, rect.right(), colour);
}

void PicturePainter::blend(int x, int y, Rgba colour, int alpha)
{
    if (alpha <= 0 || !m_clip.contains({x, y}))
        return;
    Rgba &pixel = *pixelAt(x, y);
    if (alpha >= 255) {
        pixel = colour;
        return;
    }
    // Divided by 255 the quick way, exact to within one step.
    Rgba mixed = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int over = static_cast<int>((colour >> shift) & 0xFFu);
        const int under = static_cast<int>((pixel >> shift) & 0xFFu);
        const int sum = over * alpha + under * (255 - alpha);
        mixed |= static_cast<Rgba>((sum + (sum >> 8) + 0x80) >> 8) << shift;
    }
    pixel = mixed;
}

void PicturePainter::paintLine(const Line &line)
{
    if (!m_scale.toDevice(line.bounds()).intersects(m_clip))
        return;
    if (line.start().x == line.end().x || line.start().y == line.end().y)
        paintStraightLine(line);
    else
        paintSlantedLine(line);
}

void PicturePainter::paintStraightLine(const Line &line)
{
    // A line of odd width is centred on the pixels its ends name; an even one extends right
    // of and below them. Square caps reach half the width beyond either end.
    const int width = line.borderWidth();
    const double centre = (width % 2 == 1) ? 0.5 : 1.0;
    const double half = width / 2.0;
    const bool horizontal = line.start().y == line.end().y;
    const double acrossRatio = horizontal ? m_scale.ratioY() : m_scale.ratioX();
    const double alongRatio = horizontal ? m_scale.ratioX() : m_scale.ratioY();
    const double across = (horizontal ? line.start().y : line.start().x) + centre;
    const double from = (horizontal ? line.start().x : line.start().y) + centre;
    const double to = (horizontal ? line.end().x : line.end().y) + centre;
    const int nearSide = edge(across - half, acrossRatio);
    // Shrunk below a device pixel across, a line still covers one: it must not vanish.
    const int farSide = std::max(edge(across + half, acrossRatio), nearSide + 1);
    const Rgba colour = pixelOf(line.borderColor());
    const auto fillAlong = [&](int begin, int end) {
        const PixelRect box = horizontal
            ? PixelRect{begin, nearSide, end - begin, farSide - nearSide}
            : PixelRect{nearSide, begin, farSide - nearSide, end - begin};
        fill(box.intersected(m_clip), colour);
    };
    if (line.style() == LineStyle::Solid) {
        fillAlong(edge(std::min(from, to) - half, alongRatio),
                  edge(std::max(from, to) + half, alongRatio));
        return;
    }
    // Dots as long as the line is wide with gaps as long, laid from its start towards its end.
    const int start = dashEdge(from, alongRatio);
    const int end = dashEdge(to, alongRatio);
    const int low = std::min(start, end);
    const int high = std::max(start, end);
    const double direction = to >= from ? 1.0 : -1.0;
    for (double dash = from;; dash += direction * 2 * width) {
        const int a = dashEdge(dash, alongRatio);
        int b = dashEdge(dash + direction * width, alongRatio);
        if (b == a) // a dot shrunk below a device pixel still covers one
            b = direction > 0 ? a + 1 : a - 1;
        const int begin = std::max(std::min(a, b), low);
        const int stop = std::min(std::max(a, b), high);
        if (direction > 0 ? begin >= high : stop <= low)
            break;
        if (begin < stop)
            fillAlong(begin, stop);
    }
}

namespace {

struct Vertex
{
    double x;
    double y;
};

// The area of a convex polygon inside the square [x, x + 1) × [y, y + 1).
double coverage(const std::array<Vertex, 4> &quad, int x, int y)
{
    // Cut by the square's four sides in turn; each cut adds at most one corner.
    std::array<Vertex, 12> buffer[2];
    int count = 4;
    std::copy(quad.begin(), quad.end(), buffer[0].begin());
    const double bounds[4] = {double(x), double(y), double(x + 1), double(y + 1)};
    for (int side = 0; side < 4; ++side) {
        const auto &in = buffer[side % 2];
        auto &out = buffer[(side + 1) % 2];
        const auto inside = [&](const Vertex &v) {
            switch (side) {
            case 0:
                return v.x >= bounds[0];
            case 1:
                return v.y >= bounds[1];
            case 2:
                return v.x <= bounds[2];
            default:
                return v.y <= bounds[3];
            }
        };
        const auto cut = [&](const Vertex &a, const Vertex &b) {
            if (side % 2 == 0) {
                const double t = (bounds[side] - a.x) / (b.x - a.x);
                return Vertex{bounds[side], a.y + t * (b.y - a.y)};
            }
            const double t = (bounds[side] - a.y) / (b.y - a.y);
            return Vertex{a.x + t * (b.x - a.x), bounds[side]};
        };
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            const Vertex &current = in[i];
            const Vertex &next = in[(i + 1) % count];
            if (inside(current)) {
                out[kept++] = current;
                if (!inside(next))
                    out[kept++] = cut(current, next);
            } else if (inside(next)) {
                out[kept++] = cut(current, next);
            }
        }
        count = kept;
        if (count == 0)
            return 0;
    }
    const auto &polygon = buffer[0];
    double twiceArea = 0;
    for (int i = 0; i < count; ++i) {
        const Vertex &a = polygon[i];
        const Vertex &b = polygon[(i + 1) % count];
        twiceArea += a.x * b.y - b.x * a.y;
    }
    return std::abs(twiceArea) / 2;
}

// Whether the square [x, x + 1) × [y, y + 1) lies wholly outside one of a convex polygon's
// sides, so that it cannot be covered at all: a quick answer for most of a slanted band's
// bounding box, before the exact one.
bool isOutside(const std::array<Vertex, 4> &quad, int x, int y)
{
    const Vertex centre{x + 0.5, y + 0.5};
    double twiceArea = 0;
    for (int i = 0; i < 4; ++i)
        twiceArea += quad[i].x * quad[(i + 1) % 4].y - quad[(i + 1) % 4].x * quad[i].y;
    const double inward = twiceArea >= 0 ? 1.0 : -1.0;
    for (int i = 0; i < 4; ++i) {
        const Vertex &a = quad[i];
        const Vertex &b = quad[(i + 1) % 4];
        const double side =
            inward * ((b.x - a.x) * (centre.y - a.y) - (b.y - a.y) * (centre.x - a.x));
        // The farthest a corner of the square reaches beyond its centre, across the side.
        const double reach = 0.5 * (std::abs(b.x - a.x) + std::abs(b.y - a.y));
        if (side + reach <= 0)
            return true;
    }
    return false;
}

bool containsCentre(const std::array<Vertex, 4> &quad, int x, int y)
{
    const Vertex centre{x + 0.5, y + 0.5};
    int sign = 0;
    for (int i = 0; i < 4; ++i) {
        const Vertex &a = quad[i];
        const Vertex &b = quad[(i + 1) % 4];
        const double cross = (b.x - a.x) * (centre.y - a.y) - (b.y - a.y) * (centre.x - a.x);
        const int side = cross > 0 ? 1 : (cross < 0 ? -1 : 0);
        if (side != 0 && sign != 0 && side != sign)
            return false;
        if (side != 0)
            sign = side;
    }
    return true;
}

} // namespace

void PicturePainter::paintSlantedLine(const Line &line)
{
    // The pen's stroke: a band of the line's width around the line through both ends' pixel
    // centres (odd widths) or corners (even widths). Lines that really slant are smoothed;
    // those that step only a pixel or two stay crisp.
    const int width = line.borderWidth();
    const double centre = (width % 2 == 1) ? 0.5 : 1.0;
    const Vertex p1{(line.start().x + centre) * m_scale.ratioX(),
                    (line.start().y + centre) * m_scale.ratioY()};
    const Vertex p2{(line.end().x + centre) * m_scale.ratioX(),
                    (line.end().y + centre) * m_scale.ratioY()};
    const double penWidth = width * std::min(m_scale.ratioX(), m_scale.ratioY());
    const bool smooth =
        std::abs(line.end().x - line.start().x) > 2 && std::abs(line.end().y - line.start().y) > 2;
    const Rgba colour = pixelOf(line.borderColor());

    // One band between two points of the line, `cap` times the width longer at either end,
    // its corners placed on a grid of 1/64 pixel so that the same line always covers the same
    // share of each pixel, wherever a repaint cuts it.
    const auto band = [&](Vertex a, Vertex b, double cap) {
        const double run = std::hypot(b.x - a.x, b.y - a.y);
        if (run == 0)
            return;
        double relativeWidth = penWidth / run; // in units of the run
        const Vertex delta{b.x - a.x, b.y - a.y};
        const Vertex from{a.x - cap * relativeWidth * delta.x, a.y - cap * relativeWidth * delta.y};
        const Vertex to{b.x + cap * relativeWidth * delta.x, b.y + cap * relativeWidth * delta.y};
        const double before = delta.x * delta.x + delta.y * delta.y;
        const double after = (from.x - to.x) * (from.x - to.x) + (from.y - to.y) * (from.y - to.y);
        relativeWidth *= std::sqrt(before / after);
        const bool downwards = from.y <= to.y;
        const Vertex top = downwards ? from : to;
        const Vertex bottom = downwards ? to : from;
        const Vertex half{(bottom.x - top.x) * (0.5 * relativeWidth),
                          (bottom.y - top.y) * (0.5 * relativeWidth)};
        const Vertex across{half.y, -half.x};
        const auto snap = [](Vertex v) {
            return Vertex{std::floor(v.x * 64) * (1 / 64.0), std::floor(v.y * 64) * (1 / 64.0)};
        };
        const std::array<Vertex, 4> quad{snap({top.x + across.x, top.y + across.y}),
                                         snap({bottom.x + across.x, bottom.y + across.y}),
                                         snap({bottom.x - across.x, bottom.y - across.y}),
                                         snap({top.x - across.x, top.y - across.y})};
        double left = quad[0].x, right = quad[0].x, high = quad[0].y, low = quad[0].y;
        for (const Vertex &v : quad) {
            left = std::min(left, v.x);
            right = std::max(right, v.x);
            high = std::min(high, v.y);
            low = std::max(low, v.y);
        }
        const int x0 = static_cast<int>(std::floor(left));
        const int y0 = static_cast<int>(std::floor(high));
        const PixelRect box = PixelRect{x0, y0, static_cast<int>(std::floor(right)) - x0 + 1,
                                        static_cast<int>(std::floor(low)) - y0 + 1}
                                  .intersected(m_clip);
        for (int y = box.y; y < box.bottom(); ++y) {
            for (int x = box.x; x < box.right(); ++x) {
                if (!smooth) {
                    if (containsCentre(quad, x, y))
                        blend(x, y, colour, 255);
                } else if (!isOutside(quad, x, y)) {
                    blend(x, y, colour, static_cast<int>(coverage(quad, x, y) * 255));
                }
            }
        }
    };
    if (line.style() == LineStyle::Solid) {
        band(p1, p2, 0.5f); // square caps: half the width beyond either end
        return;
    }
    // Dots as long as the line is wide with gaps as long, from its start, with flat ends.
    const double length = std::hypot(p2.x - p1.x, p2.y - p1.y);
    const Vertex unit{(p2.x - p1.x) / length, (p2.y - p1.y) / length};
    for (double t = 0; t < length; t += 2 * penWidth) {
        const double stop = std::min(t + penWidth, length);
        band({p1.x + unit.x * t, p1.y + unit.y * t}, {p1.x + unit.x * stop, p1.y + unit.y * stop},
             0);
    }
}

void PicturePainter::paintPoints(const Form &form)
{
    // Each point is opaque or not there at all; at any density it covers the device pixels of
    // its logical pixel, whole. The points are few among many empty pixels, so the logical
    // pixels under the clip are scanned and only a point's own device pixels are written.
    const PointImage &image = form.points();
    if (image.isEmpty())
        return;
    // The device pixels of each logical column and row: from the first whose centre it holds,
    // and at least one, so that on a picture shrunk below one device pixel to the logical
    // pixel no point vanishes (where two meet on one device pixel, the later one shows).
    struct Span
    {
        int begin;
        int end;
    };
    const auto columns = [this](int l) {
        const int begin = m_scale.columnAt(l);
        return Span{begin, std::max(m_scale.columnAt(l + 1), begin + 1)};
    };
    const auto rows = [this](int l) {
        const int begin = m_scale.rowAt(l);
        return Span{begin, std::max(m_scale.rowAt(l + 1), begin + 1)};
    };
    // The logical columns and rows whose device pixels reach into the clip.
    int left = 0;
    while (left < image.width() && columns(left).end <= m_clip.x)
        ++left;
    int right = left;
    while (right < image.width() && columns(right).begin < m_clip.right())
        ++right;
    int top = 0;
    while (top < image.height() && rows(top).end <= m_clip.y)
        ++top;
    int bottom = top;
    while (bottom < image.height() && rows(bottom).begin < m_clip.bottom())
        ++bottom;

    // Worked out once per paint, cut to the clip.
    const auto cut = [](Span span, int from, int to) {
        return Span{std::clamp(span.begin, from, to), std::clamp(span.end, from, to)};
    };
    std::vector<Span> columnSpans;
    for (int lx = left; lx < right; ++lx)
        columnSpans.push_back(cut(columns(lx), m_clip.x, m_clip.right()));

    for (int ly = top; ly < bottom; ++ly) {
        const Rgba *source = image.pixels() + static_cast<std::size_t>(ly) * image.width();
        const Span rowSpan = cut(rows(ly), m_clip.y, m_clip.bottom());
        // Only the blocks that hold points are looked at.
        const PointImage::Block *blocks = image.blocksOf(ly);
        for (int block = left / PointImage::BlockWidth; block * PointImage::BlockWidth < right;
             ++block) {
            if (blocks[block] == PointImage::Block::Empty)
                continue;
            const int from = std::max(left, block * PointImage::BlockWidth);
            const int to = std::min(right, (block + 1) * PointImage::BlockWidth);
            for (int lx = from; lx < to; ++lx) {
                if (!source[lx])
                    continue;
                const Rgba colour = inOrder(source[lx], m_target.order);
                const Span span = columnSpans[static_cast<std::size_t>(lx - left)];
                for (int y = rowSpan.begin; y < rowSpan.end; ++y)
                    fillRow(y, span.begin, span.end, colour);
            }
        }
    }
}

void paintPicture(const Form &form, const DeviceScale &scale, const DevicePixels &target,
                  const PixelRect &clip)
{
    PicturePainter(scale, target, clip).paint(form);
}

// --- DeviceImage ---------------------------------------------------------------------------

void DeviceImage::resize(const DeviceScale &scale, int bandRows)
{
    const int rows = bandRows > 0 ? std::min(bandRows, scale.deviceHeight()) : scale.deviceHeight();
    const auto size =
        static_cast<std::size_t>(scale.deviceWidth()) * static_cast<std::size_t>(rows);
    std::vector<Rgba> pixels(size, Rgba{0}); // allocated before anything changes
    m_pixels = std::move(pixels);
    m_scale = scale;
    m_top = 0;
    m_rows = rows;
}

PixelRect DeviceImage::paint(const Form &form, const PixelRect &clip)
{
    if (m_rows < m_scale.deviceHeight())
        m_top = std::clamp(clip.y, 0, m_scale.deviceHeight() - m_rows);
    const PixelRect held{0, m_top, m_scale.deviceWidth(), m_rows};
    const PixelRect painted = clip.intersected(held);
    paintPicture(form, m_scale, {m_pixels.data(), m_scale.deviceWidth(), held, m_order}, painted);
    return painted;
}

Rgba DeviceImage::at(int x, int y) const
{
    const auto width = static_cast<std::size_t>(m_scale.deviceWidth());
    return inOrder(
        m_pixels[static_cast<std::size_t>(y - m_top) * width + static_cast<std::size_t>(x)],
        m_order);
}

} // namespace forms
