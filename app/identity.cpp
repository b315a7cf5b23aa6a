// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "identity.h"

#include <QApplication>

namespace identity {

QString desktopFileName()
{
    return QStringLiteral(ZF_APP_ID);
}

QIcon icon()
{
    QIcon icon;
    for (const auto *image : {":/icons/zerfallsfrist-16.png", ":/icons/zerfallsfrist-32.png",
                              ":/icons/zerfallsfrist-48.png"})
        icon.addFile(QString::fromLatin1(image));
    return icon;
}

void apply()
{
    QApplication::setApplicationName(QStringLiteral("Zerfallsfrist"));
    QApplication::setApplicationVersion(QStringLiteral(ZF_VERSION));
    QApplication::setDesktopFileName(desktopFileName());
    QApplication::setWindowIcon(icon());
}

} // namespace identity
