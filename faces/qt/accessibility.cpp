// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "forms/form.h"
#include "formwindow.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace qtface::accessibility {

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
    explicit PartInterface(FormWindow *window)
        : m_window(window)
    { }

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_window ? QAccessible::queryAccessibleInterface(m_window.data()) : nullptr;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }

protected:
    QPointer<FormWindow> m_window;
};

class LabelInterface final : public PartInterface
{
public:
    LabelInterface(FormWindow *window, const forms::Label &label)
        : PartInterface(window)
        , m_label(label)
    { }

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? QString::fromStdString(m_label.caption())
                                                   : QString();
    }
    QRect rect() const override
    {
        return isValid() ? onScreen(*m_window, toQRect(m_label.box())) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !isValid() || !m_label.isVisible() || !m_window->isVisible();
        return state;
    }

private:
    const forms::Label &m_label; // owned by the form, which outlives this interface
};

class DrawingInterface final : public PartInterface
{
public:
    using PartInterface::PartInterface;

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name
            ? QString::fromStdString(m_window->form().drawingDescription())
            : QString();
    }
    QRect rect() const override
    {
        return isValid() ? onScreen(*m_window, m_window->rect()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override
    {
        // A window whose program describes nothing has no drawing to offer.
        QAccessible::State state;
        state.invisible =
            !isValid() || m_window->form().drawingDescription().empty() || !m_window->isVisible();
        return state;
    }
};

class WindowInterface final : public QAccessibleWidget
{
public:
    // The frame role: a plain widget would be a mere "filler" to a screen reader.
    explicit WindowInterface(FormWindow *window)
        : QAccessibleWidget(window, QAccessible::Window)
    { }

    ~WindowInterface() override
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

    QAccessibleInterface *label(const forms::Label &label) const
    {
        return part(&label, [&] { return new LabelInterface(formWindow(), label); });
    }

    QAccessibleInterface *drawing() const
    {
        return part(formWindow(), [this] { return new DrawingInterface(formWindow()); });
    }

private:
    FormWindow *formWindow() const { return static_cast<FormWindow *>(widget()); }

    std::vector<QAccessibleInterface *> children() const
    {
        struct Entry
        {
            int tabIndex;
            QAccessibleInterface *iface;
        };
        std::vector<Entry> entries;
        for (const auto &control : formWindow()->form().controls()) {
            if (const auto *text = dynamic_cast<const forms::Label *>(control.get())) {
                entries.push_back({text->tabIndex(), label(*text)});
            } else if (const auto *real =
                           dynamic_cast<const forms::WidgetControl *>(control.get())) {
                if (auto *iface =
                        QAccessible::queryAccessibleInterface(formWindow()->widgetOf(*real)))
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

QAccessibleInterface *windowFactory(const QString &className, QObject *object)
{
    // The accessibility cache owns what a factory makes.
    if (object && object->isWidgetType() &&
        className == QLatin1StringView(FormWindow::staticMetaObject.className()))
        return new WindowInterface(static_cast<FormWindow *>(object));
    return nullptr;
}

WindowInterface *interfaceOf(const FormWindow &window)
{
    return dynamic_cast<WindowInterface *>(
        QAccessible::queryAccessibleInterface(const_cast<FormWindow *>(&window)));
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
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void labelChanged(const FormWindow &window, const forms::Label &label, QAccessible::Event event)
{
    if (!QAccessible::isActive())
        return;
    if (WindowInterface *iface = interfaceOf(window))
        notify(iface->label(label), event);
}

void drawingChanged(const FormWindow &window)
{
    if (!QAccessible::isActive())
        return;
    if (WindowInterface *iface = interfaceOf(window))
        notify(iface->drawing(), QAccessible::NameChanged);
}

} // namespace qtface::accessibility
