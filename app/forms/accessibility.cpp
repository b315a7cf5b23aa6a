// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "form.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace forms::accessibility {

namespace {

QRect onScreen(const QWidget &window, const QRect &box)
{
    return QRect(window.mapToGlobal(box.topLeft()), box.size());
}

// A part of a window that is no widget of its own: a label or the drawing. It lives as long as
// the window's interface, which deletes it.
class PartInterface : public QAccessibleInterface
{
public:
    explicit PartInterface(Form *form)
        : m_form(form)
    { }

    bool isValid() const override { return !m_form.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_form ? m_form->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_form ? QAccessible::queryAccessibleInterface(m_form.data()) : nullptr;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }

protected:
    QPointer<Form> m_form;
};

class LabelInterface final : public PartInterface
{
public:
    LabelInterface(Form *form, const Label &label)
        : PartInterface(form)
        , m_label(label)
    { }

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? m_label.caption() : QString();
    }
    QRect rect() const override { return isValid() ? onScreen(*m_form, m_label.box()) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !isValid() || !m_label.isVisible() || !m_form->isVisible();
        return state;
    }

private:
    const Label &m_label; // owned by the window, which outlives this interface
};

class DrawingInterface final : public PartInterface
{
public:
    using PartInterface::PartInterface;

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? m_form->drawingDescription() : QString();
    }
    QRect rect() const override { return isValid() ? onScreen(*m_form, m_form->rect()) : QRect(); }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        // A window whose program describes nothing has no drawing to offer.
        QAccessible::State state;
        state.invisible =
            !isValid() || m_form->drawingDescription().isEmpty() || !m_form->isVisible();
        return state;
    }
};

class FormInterface final : public QAccessibleWidget
{
public:
    explicit FormInterface(Form *form)
        : QAccessibleWidget(form, QAccessible::Window)
    { }

    ~FormInterface() override
    {
        for (const auto &[key, id] : m_parts)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto all = children();
        return index >= 0 && index < static_cast<int>(all.size()) ? all[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto all = children();
        const auto found = std::find(all.begin(), all.end(), child);
        return found == all.end() ? -1 : static_cast<int>(found - all.begin());
    }

    // Widgets lie over labels, and labels over the drawing.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QAccessibleInterface *label = nullptr;
        for (QAccessibleInterface *child : children()) {
            if (child->state().invisible || !child->rect().contains(x, y))
                continue;
            if (child->object())
                return child;
            if (child->role() == QAccessible::StaticText)
                label = child;
        }
        if (label)
            return label;
        QAccessibleInterface *picture = drawing();
        return !picture->state().invisible && picture->rect().contains(x, y) ? picture : nullptr;
    }

    QAccessibleInterface *label(const Label &label) const
    {
        return part(&label, [&] { return new LabelInterface(form(), label); });
    }

    QAccessibleInterface *drawing() const
    {
        return part(form(), [this] { return new DrawingInterface(form()); });
    }

private:
    Form *form() const { return static_cast<Form *>(widget()); }

    std::vector<QAccessibleInterface *> children() const
    {
        struct Entry
        {
            int tabIndex;
            QAccessibleInterface *iface;
        };
        std::vector<Entry> entries;
        for (const auto &control : form()->controls()) {
            if (const auto *text = dynamic_cast<const Label *>(control.get())) {
                entries.push_back({text->tabIndex(), label(*text)});
            } else if (const auto *real = dynamic_cast<const WidgetControl *>(control.get())) {
                if (auto *iface = QAccessible::queryAccessibleInterface(real->widget()))
                    entries.push_back({real->tabIndex(), iface});
            }
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry &a, const Entry &b) { return a.tabIndex < b.tabIndex; });
        std::vector<QAccessibleInterface *> all;
        all.reserve(entries.size() + 1);
        for (const Entry &entry : entries)
            all.push_back(entry.iface);
        all.push_back(drawing());
        return all;
    }

    // The interface of a part, made on first use; the accessibility cache owns it and hands
    // out its id, which tools use to reach it again.
    template<typename Make> QAccessibleInterface *part(const void *key, Make make) const
    {
        if (const auto known = m_parts.find(key); known != m_parts.end())
            return QAccessible::accessibleInterface(known->second);
        QAccessibleInterface *iface = make();
        m_parts.emplace(key, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }

    mutable std::unordered_map<const void *, QAccessible::Id> m_parts;
};

QAccessibleInterface *formFactory(const QString &className, QObject *object)
{
    // The accessibility cache owns what a factory makes.
    if (object && object->isWidgetType() &&
        className == QLatin1StringView(Form::staticMetaObject.className()))
        return new FormInterface(static_cast<Form *>(object));
    return nullptr;
}

FormInterface *interfaceOf(const Form &form)
{
    return dynamic_cast<FormInterface *>(
        QAccessible::queryAccessibleInterface(const_cast<Form *>(&form)));
}

void notify(QAccessibleInterface *part, QAccessible::Event event)
{
    QAccessibleEvent change(part, event);
    QAccessible::updateAccessibility(&change);
}

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(formFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void controlChanged(const Form &form, const GraphicalControl &control, QAccessible::Event event)
{
    if (!QAccessible::isActive())
        return;
    if (const auto *label = dynamic_cast<const Label *>(&control)) // lines are not in the tree
        if (FormInterface *window = interfaceOf(form))
            notify(window->label(*label), event);
}

void drawingChanged(const Form &form)
{
    if (!QAccessible::isActive())
        return;
    if (FormInterface *window = interfaceOf(form))
        notify(window->drawing(), QAccessible::NameChanged);
}

} // namespace forms::accessibility
