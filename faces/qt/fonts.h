// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/layout.h"

#include <QFont>

namespace qtface {

// Registers the faces compiled into the face. Call once, after the application object exists
// and before the first window.
void loadFaces();

// The font for a layout's font entry. Both faces the layouts name ("MS Sans Serif", "Arial")
// are sans-serif; Liberation Sans stands in for them, has Arial's metrics and fits every
// caption. Sizes in points become pixel sizes at 96 dpi, so text keeps its place in a layout
// measured in twips whatever the screen's logical dpi.
QFont fontFor(const forms::LayoutFont &layoutFont);

} // namespace qtface
