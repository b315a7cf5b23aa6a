// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibilitytest.h"

// Qt's own accessibility tests switch the platform's accessibility on the same way; the
// public QAccessible::setActive() only tells observers and leaves isActive() false.
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace testsupport {

bool listenAsScreenReader(QAccessible::UpdateHandler handler)
{
    QPlatformAccessibility *platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (!platform)
        return false;
    QAccessible::installUpdateHandler(handler);
    platform->setActive(true);
    return QAccessible::isActive();
}

} // namespace testsupport
