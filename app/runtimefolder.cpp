// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtimefolder.h"

#include <QDir>

namespace platformstart {

namespace {

constexpr char VariableName[] = "XDG_RUNTIME_DIR";

} // namespace

RuntimeFolder::RuntimeFolder()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (!qEnvironmentVariableIsEmpty(VariableName))
        return;
    // Made with the permissions Qt asks of a runtime folder, the user's alone; where it cannot
    // be made, Qt goes its own way as before.
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/zerfallsfrist-XXXXXX");
    if (!folder->isValid())
        return;
    qputenv(VariableName, QFile::encodeName(folder->path()));
    m_folder = std::move(folder);
#endif
}

RuntimeFolder::~RuntimeFolder()
{
    remove();
}

void RuntimeFolder::remove()
{
    if (!m_folder)
        return;
    qunsetenv(VariableName);
    m_folder.reset(); // removes the folder with whatever Qt put in it
}

} // namespace platformstart
