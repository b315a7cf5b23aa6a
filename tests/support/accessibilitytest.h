// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

namespace testsupport {

// Makes the platform report that assistive technology is listening, as a screen reader's
// connection does, and hands every accessibility event to the handler instead of the
// platform. Returns false where the platform has no accessibility at all.
bool listenAsScreenReader(QAccessible::UpdateHandler handler);

} // namespace testsupport
