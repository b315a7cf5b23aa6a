// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets.h"

#include "fonts.h"
#include "forms/controls.h"
#include "painting.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace qtface {

namespace {

QString fromUtf8(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

void placeWidget(QWidget &widget, const forms::WidgetControl &control)
{
    widget.setObjectName(fromUtf8(control.name()));
    widget.setGeometry(toQRect(control.box()));
    widget.setFont(fontFor(control.font()));
    widget.setVisible(control.isVisible());
}

} // namespace

// --- PushButton --------------------------------------------------------------------------

PushButton::PushButton(forms::CommandButton &button, QWidget *parent)
    : QPushButton(parent)
    , m_button(button)
{
    placeWidget(*this, button);
    setAutoDefault(false);
    showState();
    connect(this, &QPushButton::clicked, this, [this] { m_button.press(); });
}

void PushButton::showState()
{
    setText(fromUtf8(m_button.caption()));
    setEnabled(m_button.isEnabled());
}

void PushButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses a focused button too, as on the desktop the layouts come from.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

// --- ListWidget --------------------------------------------------------------------------

ListWidget::ListWidget(forms::ListBox &list, QWidget *parent)
    : QListWidget(parent)
    , m_list(list)
{
    placeWidget(*this, list);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, toQColor(list.backColor()));
    colours.setColor(QPalette::Text, toQColor(list.foreColor()));
    setPalette(colours);
    setEnabled(list.isEnabled());
    showItems();
    showName();
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_showing)
            userChangedSelection();
    });
}

void ListWidget::showItems()
{
    const std::vector<std::string> &items = m_list.items();
    if (count() > static_cast<int>(items.size()))
        clear();
    for (int row = count(); row < static_cast<int>(items.size()); ++row) {
        auto *item = new QListWidgetItem(fromUtf8(items[static_cast<std::size_t>(row)]), this);
        // Entries are exactly one line high, so a list box holds as many as its height allows.
        item->setSizeHint(QSize(0, fontMetrics().height()));
    }
    showSelection();
}

void ListWidget::showSelection()
{
    const int index = m_list.selectedIndex();
    if (selectedRow() == index && (index < 0 || currentRow() == index))
        return;
    m_showing = true;
    if (index < 0)
        clearSelection();
    else
        setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    m_showing = false;
}

void ListWidget::showName()
{
    setAccessibleName(fromUtf8(m_list.accessibleName()));
}

int ListWidget::selectedRow() const
{
    const QList<QListWidgetItem *> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

void ListWidget::userChangedSelection()
{
    // Another entry is chosen; nothing selected is no choice, and the control's selection
    // comes back.
    if (const int chosen = selectedRow(); chosen >= 0 && chosen != m_list.selectedIndex())
        m_list.choose(chosen);
    showSelection();
}

void ListWidget::mousePressEvent(QMouseEvent *event)
{
    const int before = m_list.selectedIndex();
    QListWidget::mousePressEvent(event);
    // A click on the entry already selected is a Click too.
    if (event->button() == Qt::LeftButton && before >= 0 && m_list.selectedIndex() == before &&
        indexAt(event->position().toPoint()).row() == before)
        m_list.choose(before);
    showSelection();
}

void ListWidget::keyPressEvent(QKeyEvent *event)
{
    // With nothing selected, the first arrow press chooses the entry under the caret (the
    // first one) rather than the one after it.
    if (m_list.selectedIndex() < 0 && count() > 0 && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        m_list.choose(std::max(currentRow(), 0));
        showSelection();
        return;
    }
    QListWidget::keyPressEvent(event);
    showSelection();
}

QItemSelectionModel::SelectionFlags ListWidget::selectionCommand(const QModelIndex &index,
                                                                 const QEvent *event) const
{
    // The user can choose another entry, never take the choice back.
    const auto flags = QListWidget::selectionCommand(index, event);
    return flags.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate : flags;
}

} // namespace qtface
