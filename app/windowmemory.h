// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

// Whether the windows' pixels fit in memory at the density they are shown at. At a high density
// a window's pixels take tens of megabytes: Qt's image of the window, its backing store, which
// the core paints the window's picture into. Qt makes it, and its painter takes the little it
// needs while drawing, without a check: where memory runs out, the window stays empty, or the
// program crashes. So the program looks beforehand, at start-up, and ends through the report
// when they do not fit.
namespace windowmemory {

// The bytes of one window's pixels at a density.
std::size_t bytesFor(int logicalWidth, int logicalHeight, double density);

// Whether blocks of these sizes, and room for the painter's own needs, can all be had at once,
// now. The memory is given back before it returns: it only asks.
bool available(const std::vector<std::size_t> &blocks);

// Whether both windows' pixels fit, each at the density of the screen it opens on. Call with
// the application object in place.
bool windowsFit();

} // namespace windowmemory
