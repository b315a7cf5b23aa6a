// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "painting.h"

#include "fonts.h"
#include "forms/controls.h"

#include <QPainter>
#include <cstdlib>

namespace qtface {

bool isSmoothed(const forms::Line &line)
{
    return std::abs(line.end().x - line.start().x) > 2 &&
        std::abs(line.end().y - line.start().y) > 2;
}

void paintLine(QPainter &painter, const forms::Line &line)
{
    const int width = line.borderWidth();
    const qreal centre = (width % 2 == 1) ? 0.5 : 1.0;
    QPen pen(toQColor(line.borderColor()), width);
    if (line.style() == forms::LineStyle::Dotted) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({1.0, 1.0}); // dots as long as the line is wide, gaps as long
    } else {
        pen.setCapStyle(Qt::SquareCap);
    }
    const forms::PixelPoint start = line.start();
    const forms::PixelPoint end = line.end();
    painter.save();
    // Slanted strokes are smoothed; lines that run along a row or a column stay crisp.
    painter.setRenderHint(QPainter::Antialiasing, isSmoothed(line));
    painter.setPen(pen);
    painter.drawLine(QPointF(start.x + centre, start.y + centre),
                     QPointF(end.x + centre, end.y + centre));
    painter.restore();
}

namespace {

Qt::Alignment toQt(forms::Alignment alignment)
{
    switch (alignment) {
    case forms::Alignment::Right:
        return Qt::AlignRight;
    case forms::Alignment::Centre:
        return Qt::AlignHCenter;
    case forms::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

LabelText::LabelText(const forms::Label &label)
    : m_label(label)
    , m_font(fontFor(label.font()))
{
    m_text.setTextFormat(Qt::PlainText);
    m_text.setTextWidth(label.box().width);
    QTextOption option(toQt(label.alignment()));
    option.setWrapMode(QTextOption::WordWrap);
    m_text.setTextOption(option);
    update();
}

void LabelText::update()
{
    m_text.setText(QString::fromStdString(m_label.caption()));
}

void LabelText::paint(QPainter &painter) const
{
    const QRect box = toQRect(m_label.box());
    if (!m_label.isTransparent())
        painter.fillRect(box, toQColor(m_label.backColor()));
    if (m_label.caption().empty())
        return;
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    paintText(painter);
    painter.restore();
}

void LabelText::paintText(QPainter &painter) const
{
    painter.setFont(m_font);
    painter.setPen(toQColor(m_label.foreColor()));
    painter.drawStaticText(m_label.box().x, m_label.box().y, m_text);
}

} // namespace qtface
