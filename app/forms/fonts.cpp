// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFontDatabase>
#include <QResource>
#include <QtDebug>
#include <cmath>

namespace forms {

namespace {
const QString StandInFace = QStringLiteral("Liberation Sans");
}

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
            qWarning("Zerfallsfrist: the face %s could not be loaded", path);
    }
}

QString substituteFace(QStringView layoutFace)
{
    // Both faces the layouts name are sans-serif; Liberation Sans has Arial's metrics and
    // fits every caption of both windows.
    Q_UNUSED(layoutFace);
    return StandInFace;
}

QFont makeFont(const FontSpec &entry)
{
    QFont font(substituteFace(entry.face));
    font.setPixelSize(static_cast<int>(std::lround(entry.points * 96.0 / 72.0)));
    font.setBold(entry.bold);
    font.setItalic(entry.italic);
    // Never borrow glyphs from another face: every character the program shows is in this one.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace forms
