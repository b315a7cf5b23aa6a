// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// How the program introduces itself to the desktop: its name and version, the launcher it is
// started from (desktops match its windows to the launcher by this name), and its icon.
namespace identity {

// The launcher's file name without ".desktop"; also the name of the installed icon.
QString desktopFileName();

// The decay-curve icon in its three sizes, compiled in.
QIcon icon();

// Sets all of the above on the application; every window then carries the icon. Call once,
// after the application object exists.
void apply();

} // namespace identity
