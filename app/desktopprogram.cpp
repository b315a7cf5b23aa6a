// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopprogram.h"

#include "identity.h"
#include "windowmemory.h"

#include <QApplication>
#include <QSemaphore>
#include <QThreadPool>
#include <memory>

namespace {

// Qt's painter hands large images to the helper threads of its pool. Where a thread can no
// longer be started (the address space used up), Qt waits for it forever; so the pool's
// threads are started now, while there is room, and kept for the program's life. The start
// waits until they run, so that the check of the windows' memory that follows sees what their
// stacks and allocation arenas take (started later, they cost a millisecond less, and the check
// could pass where the window's image then finds no room).
void keepPaintersHelpers()
{
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->setExpiryTimeout(-1);
    const int helpers = pool->maxThreadCount();
    const auto started = std::make_shared<QSemaphore>();
    const auto go = std::make_shared<QSemaphore>();
    for (int i = 0; i < helpers; ++i)
        pool->start([started, go] {
            started->release();
            go->acquire(); // each helper holds on until all have started, so none is reused
        });
    started->acquire(helpers);
    go->release(helpers);
}

// The application's name, icon and look. Returns the user's decimal separator, which depends
// on the faces loaded here.
std::string prepareApplication()
{
    identity::apply(); // "Zerfallsfrist" 1.00, its launcher's name and its icon
    qtface::prepareApplication();
    return qtface::decimalSeparator(QLocale());
}

} // namespace

DesktopProgram::DesktopProgram()
    : m_runtime(m_face, prepareApplication())
    , m_program(m_runtime)
{ }

bool DesktopProgram::start()
{
    keepPaintersHelpers();
    if (!windowmemory::windowsFit()) {
        m_runtime.reportAndEnd(forms::RuntimeError(forms::ErrorKind::OutOfMemory));
        return false;
    }
    m_program.start();
    return !m_runtime.hasEnded();
}

int DesktopProgram::run()
{
    // A run-time error while the lesson window loads ends the program before the loop runs.
    if (!start())
        return m_runtime.exitStatus();
    return QApplication::exec();
}
