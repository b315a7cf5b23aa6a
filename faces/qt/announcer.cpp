// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "announcer.h"

#include "accessibility.h"
#include "formwindow.h"

#include <QEvent>

namespace qtface {

namespace {

constexpr int LongestWait = 1000; // [ms] for a window to become active

} // namespace

Announcer::Announcer(FormWindow &window)
    : m_window(&window)
    , m_formWindow(window)
{
    window.installEventFilter(this);
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(LongestWait);
    connect(&m_deadline, &QTimer::timeout, this, &Announcer::speak);
}

void Announcer::announce()
{
    m_pending = true;
    m_deadline.start();
    QMetaObject::invokeMethod(this, &Announcer::speakWhenActive, Qt::QueuedConnection);
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    // Activation sets the window's focus after this event: speak after that too.
    if (m_pending && watched == m_window && event->type() == QEvent::WindowActivate)
        QMetaObject::invokeMethod(this, &Announcer::speakWhenActive, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void Announcer::speakWhenActive()
{
    if (m_window && m_window->isActiveWindow())
        speak();
}

void Announcer::speak()
{
    if (!m_pending || !m_window)
        return;
    m_pending = false;
    m_deadline.stop();
    if (m_window->isVisible())
        accessibility::announce(m_formWindow);
}

} // namespace qtface
