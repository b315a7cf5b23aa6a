// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "forms/form.h"
#include "formwindow.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPointer>
#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qtface::accessibility {

namespace {

QRect onScreen(const QWidget &window, const QRect &box)
{
    return QRect(window.mapToGlobal(box.topLeft()), box.size());
}

// A part of a window that is no widget of its own: a label, the drawing or the announcer. It
// lives as long as the window's interface, which deletes it. It is in the tree only while it
// is shown, so it is always visible.
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
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !isValid();
        return state;
    }

protected:
    QPointer<FormWindow> m_window;
};

// A label reads as static text whose name and text are its caption. Its text has no lines or
// places of its own: it is one piece at the label's box.
class LabelInterface final : public PartInterface, public QAccessibleTextInterface
{
public:
    LabelInterface(FormWindow *window, const forms::Label &label)
        : PartInterface(window)
        , m_label(label)
    { }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name ? caption() : QString();
    }
    QRect rect() const override
    {
        return isValid() ? onScreen(*m_window, toQRect(m_label.box())) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }

    // The text interface: read-only, without a caret or a selection.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = caption();
        const qsizetype end =
            endOffset < 0 ? all.size() : std::min<qsizetype>(endOffset, all.size());
        const qsizetype start = std::clamp<qsizetype>(startOffset, 0, end);
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(caption().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint &point) const override
    {
        return rect().contains(point) ? 0 : -1;
    }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    QString caption() const { return QString::fromStdString(m_label.caption()); }

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
};

// The form's last announcement. A notification is what a screen reader speaks when it starts
// showing, wherever the focus is; it stands along the window's bottom edge, so that reviewing
// the window ends with what was said last.
class AnnouncerInterface final : public PartInterface
{
public:
    using PartInterface::PartInterface;

    QString text(QAccessible::Text t) const override
    {
        return isValid() && t == QAccessible::Name
            ? QString::fromStdString(m_window->form().announcement())
            : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const int height = m_window->fontMetrics().height();
        return onScreen(*m_window,
                        QRect(0, m_window->height() - height, m_window->width(), height));
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
};

void notify(QAccessibleInterface *part, QAccessible::Event event)
{
    QAccessibleEvent change(part, event);
    QAccessible::updateAccessibility(&change);
}

class WindowInterface final : public QAccessibleWidget
{
public:
    // The frame role: a plain widget would be a mere "filler" to a screen reader.
    explicit WindowInterface(FormWindow *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
        for (const forms::Label *label : window->form().labels())
            m_told.emplace(label, label->isReadable() ? Told{true, label->caption()} : Told{});
    }

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
        QAccessibleInterface *picture = nullptr;
        for (QAccessibleInterface *child : children()) {
            if (!child->rect().contains(x, y))
                continue;
            if (child->object())
                return child;
            if (child->role() == QAccessible::StaticText)
                label = child;
            else if (child->role() == QAccessible::Graphic)
                picture = child;
        }
        return label ? label : picture;
    }

    // Tells assistive technology how a label changed since it last heard of it: its caption
    // changed, or it entered or left the tree. Each event goes out once the tree agrees with it.
    void labelChanged(const forms::Label &label)
    {
        Told &told = m_told[&label];
        const bool present = label.isReadable();
        const bool wasPresent = std::exchange(told.present, present);
        QAccessibleInterface *iface = part(&label);
        if (present && label.caption() != told.caption) {
            const std::string before = std::exchange(told.caption, label.caption());
            // Screen readers keep a name they have read: the news that it changed.
            if (wasPresent) {
                QAccessibleTextUpdateEvent update(iface, 0, QString::fromStdString(before),
                                                  QString::fromStdString(told.caption));
                QAccessible::updateAccessibility(&update);
            }
            notify(iface, QAccessible::NameChanged);
        }
        if (present != wasPresent)
            notify(iface, present ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
    }

    void drawingChanged()
    {
        const bool described = isDescribed();
        if (described != std::exchange(m_drawingTold, described))
            notify(drawing(),
                   described ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
        else if (described)
            notify(drawing(), QAccessible::NameChanged);
    }

    void announce()
    {
        QAccessibleInterface *iface = announcer();
        if (!m_announced) {
            m_announced = true;
            notify(iface, QAccessible::ObjectCreated);
        }
        notify(iface, QAccessible::NameChanged);
        notify(iface, QAccessible::ObjectShow);
    }

private:
    // What assistive technology last heard of a label: whether it is in the tree, and the
    // caption it had there.
    struct Told
    {
        bool present = false;
        std::string caption;
    };

    FormWindow *formWindow() const { return static_cast<FormWindow *>(widget()); }
    bool isDescribed() const { return !formWindow()->form().drawingDescription().empty(); }

    std::vector<QAccessibleInterface *> children() const
    {
        std::vector<QAccessibleInterface *> all;
        for (const forms::Control *control : formWindow()->form().readingOrder()) {
            if (const auto *text = dynamic_cast<const forms::Label *>(control)) {
                if (m_told.at(text).present)
                    all.push_back(part(text));
            } else if (const auto *real = dynamic_cast<const forms::WidgetControl *>(control)) {
                if (auto *iface =
                        QAccessible::queryAccessibleInterface(formWindow()->widgetOf(*real)))
                    all.push_back(iface);
            }
        }
        if (m_drawingTold)
            all.push_back(drawing());
        if (m_announced)
            all.push_back(announcer());
        return all;
    }

    QAccessibleInterface *part(const forms::Label *label) const
    {
        return part(label, [&] { return new LabelInterface(formWindow(), *label); });
    }
    QAccessibleInterface *drawing() const
    {
        return part(&m_drawingTold, [this] { return new DrawingInterface(formWindow()); });
    }
    QAccessibleInterface *announcer() const
    {
        return part(&m_announced, [this] { return new AnnouncerInterface(formWindow()); });
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

    // The tree as assistive technology knows it: it changes only together with the events that
    // tell of the change.
    std::unordered_map<const forms::Label *, Told> m_told;
    bool m_drawingTold = isDescribed();
    bool m_announced = false;
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

} // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

// The window's interface keeps track even while nothing listens: a screen reader that starts
// later must get a tree that agrees with the events it is sent from then on.
void labelChanged(const FormWindow &window, const forms::Label &label)
{
    if (WindowInterface *iface = interfaceOf(window))
        iface->labelChanged(label);
}

void drawingChanged(const FormWindow &window)
{
    if (WindowInterface *iface = interfaceOf(window))
        iface->drawingChanged();
}

void announce(const FormWindow &window)
{
    if (WindowInterface *iface = interfaceOf(window))
        iface->announce();
}

} // namespace qtface::accessibility
