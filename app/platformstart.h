// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <memory>

// What the desktop program settles around the making of its application object: that Qt
// starts no session bus of its own and leaves no runtime folder behind, and that there is a
// screen the program can draw on.
namespace platformstart {

class RuntimeFolder;

// The exit status when this machine cannot show the program: no graphical desktop, or a screen
// it cannot draw on.
inline constexpr int CannotShowExitStatus = 2;

// The error report's words for memory run out, on stderr alone: for where the program ends
// before it has a window to show the report in.
void sayOutOfMemory();

// Where the desktop has no session bus, the D-Bus library would start one itself: a bus daemon
// that outlives the program, and files under ~/.dbus. The program needs no bus of its own, and a
// screen reader's desktop always has one. Call before the application object exists.
void keepSessionBusFromStarting();

// Makes the application object. Without a window system to connect to, it says so, in German
// and in English, removes the runtime folder, and ends the process with CannotShowExitStatus,
// in place of Qt's advice to reinstall and its abort; where memory was what the window system's
// libraries lacked, it gives the error report's words instead, and the run-time error's status. On
// a screen of fewer colours than the program can draw with, it says so and returns null.
std::unique_ptr<QApplication> openApplication(int &argc, char **argv, RuntimeFolder &runtimeFolder);

} // namespace platformstart
