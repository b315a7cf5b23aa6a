// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layout.h"

#include <QFont>

namespace forms {

// Registers the faces compiled into the program. Call once, after the application object
// exists and before the first window.
void loadFaces();

// The face that stands in for one a layout names ("MS Sans Serif", "Arial").
QString substituteFace(QStringView layoutFace);

// The font for a layout's font entry; sizes in points become pixel sizes at 96 dpi, so text
// keeps its place in a layout measured in twips whatever the screen's logical dpi.
QFont makeFont(const FontSpec &entry);

} // namespace forms
