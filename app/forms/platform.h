// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace forms {

// Prepares the toolkit for windows built from layouts: the compiled-in faces, one light style
// and palette on every desktop, since layouts fix text colours such as black that must stay
// readable, and what screen readers see of the windows. Call once, after the application
// object exists.
void preparePlatform();

} // namespace forms
