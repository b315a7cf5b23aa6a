// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFontDatabase>
#include <QResource>
#include <QtDebug>

namespace qtface {

void loadFaces()
{
    for (const auto *path :
         {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
          ":/fonts/LiberationSans-Italic.ttf"}) {
        // The faces are stored uncompressed, so the font database can read them in place.
        const QResource resource(QString::fromLatin1(path));
        const QByteArray data = QByteArray::fromRawData(
            reinterpret_cast<const char *>(resource.data()), static_cast<int>(resource.size()));
        if (!resource.isValid() || QFontDatabase::addApplicationFontFromData(data) < 0)
            qWarning("the face %s could not be loaded", path);
    }
}

QFont fontFor(const forms::LayoutFont &layoutFont)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(layoutFont.pixelSize());
    font.setBold(layoutFont.bold);
    font.setItalic(layoutFont.italic);
    // Never borrow glyphs from another face: every character the windows show is in this one.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace qtface
