// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colour.h"
#include "layout.h"

#include <QFont>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <functional>

class QListWidget;
class QPainter;
class QPushButton;

namespace forms {

class Form;

// What every control has: its name, its window, and that each property it changes for a
// handler is a platform operation (which can fail).
class Control
{
public:
    Control(Form &form, const ControlSpec &row);
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control() = default;

    const QString &name() const { return m_name; }
    int tabIndex() const { return m_tabIndex; }

protected:
    Form &form() const { return m_form; }
    void platformCall() const;

private:
    Form &m_form;
    QString m_name;
    int m_tabIndex;
};

// A control the window paints itself: it has no widget and never takes the keyboard focus.
class GraphicalControl : public Control
{
public:
    using Control::Control;

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    // The logical pixels it may paint on.
    virtual QRect bounds() const = 0;
    virtual void paint(QPainter &painter) const = 0;

protected:
    // Asks the window to paint the control's pixels again.
    void changed() const;
    bool m_visible = true;
};

class Label final : public GraphicalControl
{
public:
    Label(Form &form, const ControlSpec &row);

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    Colour foreColor() const { return m_foreColor; }
    void setForeColor(Colour colour);
    Colour backColor() const { return m_backColor; }
    void setBackColor(Colour colour);

    bool isTransparent() const { return m_transparent; }
    const QFont &font() const { return m_font; }
    QRect box() const { return m_box; }

    QRect bounds() const override { return m_box; }
    void paint(QPainter &painter) const override;
    // The text alone, unclipped, at its place in the window: what a reader's eye sees.
    void paintText(QPainter &painter) const;

private:
    QString m_caption;
    QRect m_box;
    Colour m_foreColor;
    Colour m_backColor;
    QFont m_font;
    Alignment m_alignment;
    bool m_transparent;
    QStaticText m_text; // laid out once per caption when first painted, wrapped at the box
};

class Line final : public GraphicalControl
{
public:
    Line(Form &form, const ControlSpec &row);

    Colour borderColor() const { return m_colour; }
    void setBorderColor(Colour colour);
    int borderWidth() const { return m_width; }
    void setBorderWidth(int pixels);
    LineStyle style() const { return m_style; }
    // The end points in logical pixels.
    QPoint start() const { return m_start; }
    QPoint end() const { return m_end; }

    QRect bounds() const override;
    void paint(QPainter &painter) const override;

private:
    void stroke(QPainter &painter) const;
    void fillStraight(QPainter &painter, qreal devicePixelRatio) const;

    QPoint m_start;
    QPoint m_end;
    Colour m_colour;
    int m_width;
    LineStyle m_style;
};

// A control backed by a real widget, placed on the window and painted by Qt.
class WidgetControl : public Control
{
public:
    using Control::Control;
    virtual QWidget *widget() const = 0;
    // Click, as the handler bound to it sees it: run through the program's dispatcher.
    void onClick(std::function<void()> handler);

protected:
    void raiseClick() const;

private:
    std::function<void()> m_clickHandler;
};

class CommandButton final : public WidgetControl
{
public:
    CommandButton(Form &form, const ControlSpec &row);

    QString caption() const;
    void setCaption(const QString &caption);
    bool isEnabled() const;
    void setEnabled(bool enabled);

    QWidget *widget() const override;
    QPushButton *button() const { return m_button; }

private:
    QPushButton *m_button; // owned by the window
};

class ListBox final : public WidgetControl
{
public:
    ListBox(Form &form, const ControlSpec &row);

    // Appends an entry at the end.
    void AddItem(const QString &text);
    // The selected entry's index from 0; -1 when none is.
    int ListIndex() const;
    // Selects an entry (or none, with -1) as a program would, which raises Click as a
    // user's selection does.
    void setListIndex(int index);
    int listCount() const;
    QString list(int index) const;

    QWidget *widget() const override;
    QListWidget *listWidget() const { return m_list; }

private:
    QListWidget *m_list; // owned by the window
};

} // namespace forms
