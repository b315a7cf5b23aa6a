// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "accessibility.h"
#include "fonts.h"
#include "form.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace forms {

namespace {

Qt::Alignment toQt(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QFont fontFor(const Form &form, const FontSpec &entry)
{
    return entry.face.isEmpty() ? form.font() : makeFont(entry);
}

// A command button that a focused Enter presses too, as on the desktop the layouts come from.
class PushButton final : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier && !event->isAutoRepeat()) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// A list whose Click follows the user: a change of selection by mouse or keyboard, and a
// click on the entry that is already selected. The user cannot clear the selection.
class ListWidget final : public QListWidget
{
public:
    ListWidget(QWidget *parent, std::function<void()> click)
        : QListWidget(parent)
        , m_click(std::move(click))
    {
        connect(this, &QListWidget::itemSelectionChanged, this, [this] {
            if (!m_programmatic && !selectedItems().isEmpty())
                m_click();
        });
    }

    int selectedRow() const
    {
        const QList<QListWidgetItem *> items = selectedItems();
        return items.isEmpty() ? -1 : row(items.first());
    }

    void selectRow(int index)
    {
        m_programmatic = true;
        if (index < 0)
            clearSelection();
        else
            setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        m_programmatic = false;
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const int before = selectedRow();
        QListWidget::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && before >= 0 && selectedRow() == before &&
            indexAt(event->position().toPoint()).row() == before)
            m_click();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        // With nothing selected, the first arrow press selects the entry under the caret
        // (the first one) rather than the one after it.
        if (selectedRow() < 0 && count() > 0 && event->modifiers() == Qt::NoModifier &&
            (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
            setCurrentRow(std::max(currentRow(), 0), QItemSelectionModel::ClearAndSelect);
            return;
        }
        QListWidget::keyPressEvent(event);
    }

    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override
    {
        const auto flags = QListWidget::selectionCommand(index, event);
        return flags.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                             : flags;
    }

private:
    std::function<void()> m_click;
    bool m_programmatic = false;
};

} // namespace

// --- Control -----------------------------------------------------------------------------

Control::Control(Form &form, const ControlSpec &row)
    : m_form(form)
    , m_name(row.name.toString())
    , m_tabIndex(row.tabIndex)
{ }

void Control::platformCall() const
{
    m_form.runtime().call();
}

void GraphicalControl::setVisible(bool visible)
{
    platformCall();
    if (m_visible == visible)
        return;
    m_visible = visible;
    changed();
    accessibility::controlChanged(form(), *this,
                                  visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}

void GraphicalControl::changed() const
{
    form().controlChanged(bounds());
}

// --- Label -------------------------------------------------------------------------------

Label::Label(Form &form, const ControlSpec &row)
    : GraphicalControl(form, row)
    , m_caption(row.caption.toString())
    , m_box(row.box.toPixels())
    , m_foreColor(row.foreColor.value_or(Default::LabelForeColor))
    , m_backColor(row.backColor.value_or(Default::LabelBackColor))
    , m_font(fontFor(form, row.font))
    , m_alignment(row.alignment)
    , m_transparent(row.transparent)
{
    m_visible = row.visible;
    m_text.setTextFormat(Qt::PlainText);
    m_text.setTextWidth(m_box.width());
    QTextOption option(toQt(m_alignment));
    option.setWrapMode(QTextOption::WordWrap);
    m_text.setTextOption(option);
    m_text.setText(m_caption);
}

void Label::setCaption(const QString &caption)
{
    platformCall();
    if (m_caption == caption)
        return;
    m_caption = caption;
    m_text.setText(m_caption); // laid out when next painted, for a label that is seen
    changed();
    accessibility::controlChanged(form(), *this, QAccessible::NameChanged);
}

void Label::setForeColor(Colour colour)
{
    platformCall();
    if (m_foreColor == colour)
        return;
    m_foreColor = colour;
    changed();
}

void Label::setBackColor(Colour colour)
{
    platformCall();
    if (m_backColor == colour)
        return;
    m_backColor = colour;
    changed();
}

void Label::paint(QPainter &painter) const
{
    if (!m_transparent)
        painter.fillRect(m_box, form().resolve(m_backColor));
    if (m_caption.isEmpty())
        return;
    painter.save();
    painter.setClipRect(m_box, Qt::IntersectClip);
    paintText(painter);
    painter.restore();
}

void Label::paintText(QPainter &painter) const
{
    painter.setFont(m_font);
    painter.setPen(form().resolve(m_foreColor));
    painter.drawStaticText(m_box.topLeft(), m_text);
}

// --- Line --------------------------------------------------------------------------------

namespace {

// A line whose ends lie less than a pixel apart across its run stands straight at their mean,
// instead of stepping by one pixel halfway along.
void straighten(int from, int to, int &startPixel, int &endPixel)
{
    if (std::abs(to - from) < TwipsPerPixel)
        startPixel = endPixel = twipsToPixel((from + to) / 2.0);
}

} // namespace

Line::Line(Form &form, const ControlSpec &row)
    : GraphicalControl(form, row)
    , m_start(twipsToPixel(QPointF(row.ends.x1, row.ends.y1)))
    , m_end(twipsToPixel(QPointF(row.ends.x2, row.ends.y2)))
    , m_colour(row.foreColor.value_or(Default::LineColor))
    , m_width(row.borderWidth)
    , m_style(row.lineStyle)
{
    m_visible = row.visible;
    straighten(row.ends.x1, row.ends.x2, m_start.rx(), m_end.rx());
    straighten(row.ends.y1, row.ends.y2, m_start.ry(), m_end.ry());
}

void Line::setBorderColor(Colour colour)
{
    platformCall();
    if (m_colour == colour)
        return;
    m_colour = colour;
    changed();
}

void Line::setBorderWidth(int pixels)
{
    platformCall();
    if (pixels < 1)
        throw RuntimeError(ErrorNumber::InvalidCall);
    if (m_width == pixels)
        return;
    const QRect before = bounds();
    m_width = pixels;
    form().controlChanged(before | bounds());
}

QRect Line::bounds() const
{
    const int margin = m_width + 1;
    return QRect(m_start, m_end).normalized().adjusted(-margin, -margin, margin, margin);
}

void Line::paint(QPainter &painter) const
{
    const qreal ratio = painter.device()->devicePixelRatio();
    const bool straight = m_start.x() == m_end.x() || m_start.y() == m_end.y();
    if (straight && ratio == std::floor(ratio))
        fillStraight(painter, ratio);
    else
        stroke(painter);
}

void Line::stroke(QPainter &painter) const
{
    // A line of odd width is centred on the pixels its ends name; an even one extends right
    // of and below them. Either way it covers the pixels of the points computed at its ends.
    const qreal centre = (m_width % 2 == 1) ? 0.5 : 1.0;
    const QPointF offset(centre, centre);
    QPen pen(form().resolve(m_colour), m_width);
    if (m_style == LineStyle::Dotted) {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern({1.0, 1.0});
    } else {
        pen.setCapStyle(Qt::SquareCap);
    }
    // Slanted strokes are smoothed; lines that run along a row or a column stay crisp.
    const QPoint delta = m_end - m_start;
    const bool slanted = std::abs(delta.x()) > 2 && std::abs(delta.y()) > 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, slanted);
    painter.setPen(pen);
    painter.drawLine(QPointF(m_start) + offset, QPointF(m_end) + offset);
    painter.restore();
}

namespace {

// The first device pixel after a logical edge whose centre lies beyond it, as the stroker fills
// a line: a centre exactly on the edge counts as beyond. Along a dash the stroker breaks that
// tie the other way.
int strokeEdge(double logical, qreal ratio)
{
    return static_cast<int>(std::ceil(logical * ratio - 0.5));
}

int dashEdge(double logical, qreal ratio)
{
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}

} // namespace

void Line::fillStraight(QPainter &painter, qreal ratio) const
{
    // The very pixels stroke() fills, in one fill of device pixels: a dotted guide line is
    // hundreds of dashes, which the stroker makes into paths one by one. At a density that is
    // not a whole number, centres fall on edges in ways only the stroker decides.
    const double centre = (m_width % 2 == 1) ? 0.5 : 1.0;
    const double half = m_width / 2.0;
    const bool horizontal = m_start.y() == m_end.y();
    const double across = (horizontal ? m_start.y() : m_start.x()) + centre;
    const double from = (horizontal ? m_start.x() : m_start.y()) + centre;
    const double to = (horizontal ? m_end.x() : m_end.y()) + centre;
    const int near = strokeEdge(across - half, ratio);
    const int far = strokeEdge(across + half, ratio);
    const auto box = [&](int begin, int end) {
        return horizontal ? QRect(begin, near, end - begin, far - near)
                          : QRect(near, begin, far - near, end - begin);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio), true);
    const QColor colour = form().resolve(m_colour);
    if (m_style == LineStyle::Solid) {
        // Square caps reach half the width beyond either end.
        painter.fillRect(box(strokeEdge(std::min(from, to) - half, ratio),
                             strokeEdge(std::max(from, to) + half, ratio)),
                         colour);
    } else {
        // Dashes as long as the line is wide with gaps as long, laid from its start: a brush
        // of one dash and one gap, tiled along the line.
        const int dash = m_width * static_cast<int>(ratio);
        QImage tile(horizontal ? QSize(2 * dash, 1) : QSize(1, 2 * dash),
                    QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::transparent);
        QPainter(&tile).fillRect(horizontal ? QRect(0, 0, dash, 1) : QRect(0, 0, 1, dash), colour);
        const int start = dashEdge(from, ratio);
        const int end = dashEdge(to, ratio);
        const int firstDash = to >= from ? start : start - dash; // where the tile begins
        painter.setBrushOrigin(horizontal ? QPoint(firstDash, 0) : QPoint(0, firstDash));
        painter.fillRect(box(std::min(start, end), std::max(start, end)), QBrush(tile));
    }
    painter.restore();
}

// --- Widget controls ---------------------------------------------------------------------

void WidgetControl::onClick(std::function<void()> handler)
{
    m_clickHandler = std::move(handler);
}

void WidgetControl::raiseClick() const
{
    if (m_clickHandler)
        form().runtime().dispatch(m_clickHandler);
}

CommandButton::CommandButton(Form &form, const ControlSpec &row)
    : WidgetControl(form, row)
    , m_button(new PushButton(row.caption.toString(), &form))
{
    m_button->setObjectName(name());
    m_button->setGeometry(row.box.toPixels());
    m_button->setFont(fontFor(form, row.font));
    m_button->setEnabled(row.enabled);
    m_button->setVisible(row.visible);
    m_button->setAutoDefault(false);
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { raiseClick(); });
}

QString CommandButton::caption() const
{
    return m_button->text();
}

void CommandButton::setCaption(const QString &caption)
{
    platformCall();
    m_button->setText(caption);
}

bool CommandButton::isEnabled() const
{
    return m_button->isEnabled();
}

void CommandButton::setEnabled(bool enabled)
{
    platformCall();
    m_button->setEnabled(enabled);
}

QWidget *CommandButton::widget() const
{
    return m_button;
}

ListBox::ListBox(Form &form, const ControlSpec &row)
    : WidgetControl(form, row)
    , m_list(new ListWidget(&form, [this] { raiseClick(); }))
{
    m_list->setObjectName(name());
    m_list->setGeometry(row.box.toPixels());
    m_list->setFont(fontFor(form, row.font));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base,
                     resolveColour(row.backColor.value_or(Default::ListBackColor), palette));
    palette.setColor(QPalette::Text,
                     resolveColour(row.foreColor.value_or(Default::ListForeColor), palette));
    m_list->setPalette(palette);
    m_list->setEnabled(row.enabled);
    m_list->setVisible(row.visible);
}

void ListBox::AddItem(const QString &text)
{
    platformCall();
    auto *item = new QListWidgetItem(text, m_list); // owned by the list
    // Entries are exactly one line high, so a list box holds as many as its height allows.
    item->setSizeHint(QSize(0, m_list->fontMetrics().height()));
}

int ListBox::ListIndex() const
{
    platformCall();
    return static_cast<ListWidget *>(m_list)->selectedRow();
}

void ListBox::setListIndex(int index)
{
    platformCall();
    if (index < -1 || index >= m_list->count())
        throw RuntimeError(ErrorNumber::InvalidCall);
    static_cast<ListWidget *>(m_list)->selectRow(index);
    raiseClick();
}

int ListBox::listCount() const
{
    return m_list->count();
}

QString ListBox::list(int index) const
{
    const QListWidgetItem *item = m_list->item(index);
    return item ? item->text() : QString();
}

QWidget *ListBox::widget() const
{
    return m_list;
}

} // namespace forms
