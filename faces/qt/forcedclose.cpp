// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "forcedclose.h"

#include "formwindow.h"

#include <QApplication>

#if ZF_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace qtface {

ForcedCloseWatch::ForcedCloseWatch()
{
#if ZF_HAVE_XCB
    if (QGuiApplication::platformName() == u"xcb") {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_installed = true;
    }
#endif
}

ForcedCloseWatch::~ForcedCloseWatch()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool ForcedCloseWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#if ZF_HAVE_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
        return false;
    const auto gone = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    // A window Qt destroyed itself no longer carries that id by the time the news arrives.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<FormWindow *>(widget);
            window && window->internalWinId() == gone)
            window->closedByForce();
#else
    Q_UNUSED(eventType)
    Q_UNUSED(message)
#endif
    return false;
}

} // namespace qtface
