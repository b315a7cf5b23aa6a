// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <memory>

namespace platformstart {

// A runtime folder of the program's own, where the desktop gives it none. With XDG_RUNTIME_DIR
// unset, Qt makes a folder in the temporary folder (/tmp/runtime-<user>) while the application
// object is being made, and leaves it there; the program writes nothing. So this gives Qt an
// empty, private one in its place, named in XDG_RUNTIME_DIR, and removes it again when it goes.
// Where the desktop names a runtime folder, or Qt looks for none, it does nothing. Make it
// before the application object, and let it outlive it.
class RuntimeFolder
{
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder &) = delete;
    RuntimeFolder &operator=(const RuntimeFolder &) = delete;

    // Removes the folder now, for a program that ends without returning from main.
    void remove();

private:
    std::unique_ptr<QTemporaryDir> m_folder; // null where none is needed
};

} // namespace platformstart
