// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform.h"

#include "accessibility.h"
#include "fonts.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace forms {

void preparePlatform()
{
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style); // the application takes ownership
        QApplication::setPalette(style->standardPalette());
    }
    loadFaces();
    QApplication::setFont(makeFont(Default::Font));
    accessibility::install();
}

} // namespace forms
