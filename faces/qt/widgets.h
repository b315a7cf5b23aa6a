// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <QPushButton>

namespace forms {
class CommandButton;
class ListBox;
} // namespace forms

// The real widgets a window puts on top of what it paints: they show a control's state and
// hand the user's input to it.
namespace qtface {

// A command button. A click, the space bar or, with the focus on it, Enter presses it.
class PushButton final : public QPushButton
{
    Q_OBJECT

public:
    PushButton(forms::CommandButton &button, QWidget *parent);

    // Shows the button's caption and whether it is enabled.
    void showState();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    forms::CommandButton &m_button;
};

// A list box. Choosing an entry by mouse or keyboard, or clicking the selected one again,
// chooses it in the control, which raises Click. The selection shown is always the
// control's: the user can change it but never clear it.
class ListWidget final : public QListWidget
{
    Q_OBJECT

public:
    ListWidget(forms::ListBox &list, QWidget *parent);

    // Shows the control's entries, its selection and its name for assistive technology.
    void showItems();
    void showSelection();
    void showName();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;

private:
    int selectedRow() const;
    void userChangedSelection();

    forms::ListBox &m_list;
    bool m_showing = false; // while the selection follows the control's, not the user
};

} // namespace qtface
