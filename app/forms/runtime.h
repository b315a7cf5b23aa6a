// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtimeerror.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QWidget;

namespace forms {

// What the whole program shares with the platform: the counter through which every platform
// operation passes (and which a test can make fail), the dispatcher every handler runs
// through, the user's number format, and the end of the program. One per program, owned by
// the entry point and handed to each window.
class Runtime
{
public:
    explicit Runtime(QLocale locale = QLocale());
    virtual ~Runtime() = default;
    Runtime(const Runtime &) = delete;
    Runtime &operator=(const Runtime &) = delete;

    // Every platform operation announces itself here first; it raises the injected failure
    // when its turn has come.
    void call()
    {
        if (++m_calls == m_failingCall) [[unlikely]]
            injectedFailure(m_failingError);
    }

    // Runs one event handler to completion. A run-time error escaping it becomes the error
    // report, after which the program ends with a non-zero status. Once the program has
    // ended no handler runs any more.
    void dispatch(const std::function<void()> &handler);

    // End: ends the program at once, from inside a handler. Nothing after it runs.
    [[noreturn]] void End();

    // Ends the program from outside a handler (a window closed by the desktop, an error
    // report): hides every window and leaves the event loop with the given status.
    void endProgram(int exitStatus);

    bool hasEnded() const { return m_ended; }
    int exitStatus() const { return m_exitStatus; }

    // The platform's number-to-text conversion, in the user's number format.
    QString toText(double value);
    QString toText(float value);
    const QLocale &locale() const { return m_locale; }

    // Test seam: the n-th platform operation from now on fails with the given error.
    void failCall(std::int64_t n, int errorNumber = ErrorNumber::InvalidCall);
    std::int64_t callCount() const { return m_calls; }

    // How the error report is shown. By default a modal message box; it is also always
    // written to standard error.
    using ReportViewer = std::function<void(const RuntimeError &)>;
    void setReportViewer(ReportViewer viewer) { m_viewReport = std::move(viewer); }
    static void showInMessageBox(const RuntimeError &error);

    // Windows register so that the end of the program can hide them all.
    void addWindow(QWidget *window);
    void removeWindow(QWidget *window);

protected:
    // Leaves the application's event loop with the program's exit status. Tests that run
    // many programs in one process record the end instead: once asked to exit, Qt quits
    // every event loop started afterwards until the application's own loop runs again.
    virtual void leaveEventLoop(int exitStatus);

    // The operation that failCall chose has come, before it takes effect: raises the error.
    // A test can look at the program here instead and let the operation go on, to see what a
    // failure at this very call must leave behind.
    virtual void injectedFailure(int errorNumber);

private:
    void report(const RuntimeError &error);

    QLocale m_locale;
    QChar m_decimalSeparator;
    std::int64_t m_calls = 0;
    std::int64_t m_failingCall = -1;
    int m_failingError = ErrorNumber::InvalidCall;
    bool m_ended = false;
    int m_exitStatus = 0;
    ReportViewer m_viewReport;
    std::vector<QWidget *> m_windows;
};

// The exit status of a program ended by a run-time error.
inline constexpr int RuntimeErrorExitStatus = 1;

} // namespace forms
