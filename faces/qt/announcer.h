// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace qtface {

class FormWindow;

// Has a screen reader speak a window's announcements (forms::Form::announce) at a moment when
// nothing cuts them off. A screen reader speaks the focus after each key and the focus of each
// window that becomes active, and whatever it says next interrupts what it is saying. So an
// announcement waits until the event loop has answered the input that caused it, and, in a
// window that is not yet active, until the window has become active; at most a second.
class Announcer final : public QObject
{
    Q_OBJECT

public:
    explicit Announcer(FormWindow &window);

    // The form has a new announcement; a newer one replaces one not yet spoken.
    void announce();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void speakWhenActive();
    void speak();

    // Held as a plain widget: events still reach the filter while the window is being torn
    // down, when it is no longer a FormWindow.
    QPointer<QWidget> m_window;
    FormWindow &m_formWindow;
    bool m_pending = false;
    QTimer m_deadline;
};

} // namespace qtface
