// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "painting.h"

#include "fonts.h"
#include "forms/controls.h"

#include <QPainter>

namespace qtface {

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
    if (!m_label.isReadable())
        return;
    painter.save();
    painter.setClipRect(toQRect(m_label.box()), Qt::IntersectClip);
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
