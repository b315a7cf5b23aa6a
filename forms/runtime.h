// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "errors.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace forms {

class Face;
class Form;

// What the whole program shares with its face: the counter through which every platform
// operation passes (and which a test can make fail), the dispatcher every handler runs
// through, the user's number format, and the end of the program. One per program, owned by
// the start-up code and handed to each window.
class Runtime
{
public:
    // `decimalSeparator` is the user's, in UTF-8, as the face found it in the locale.
    Runtime(Face &face, std::string decimalSeparator);
    virtual ~Runtime() = default;
    Runtime(const Runtime &) = delete;
    Runtime &operator=(const Runtime &) = delete;

    Face &face() const { return m_face; }

    // Every platform operation announces itself here first; it raises the injected failure
    // when its turn has come, before the operation takes effect.
    void call()
    {
        if (++m_calls == m_failingCall) [[unlikely]]
            injectedFailure(m_failingError);
    }

    // Runs one event handler to completion, then hands each window's changes to the face in
    // one repaint. A run-time error escaping the handler becomes the error report, after
    // which the program ends with RuntimeErrorExitStatus. Once the program has ended no
    // handler runs any more.
    void dispatch(const std::function<void()> &handler);

    // End: ends the program at once, from inside a handler. Nothing after it runs.
    [[noreturn]] void End();

    // Ends the program from outside a handler (a window closed by the desktop, the error
    // report): hides every window and tells the face.
    void endProgram(int exitStatus);
    // A face that cannot go on outside a handler (no memory for a window's picture) ends the
    // program through the same report as a handler's error. Once ended, nothing more happens.
    void reportAndEnd(const RuntimeError &error);

    bool hasEnded() const { return m_ended; }
    int exitStatus() const { return m_exitStatus; }

    // The platform's number-to-text conversion, in the user's number format.
    std::string toText(double value);
    std::string toText(float value);
    const std::string &decimalSeparator() const { return m_decimalSeparator; }

    // Test seam: the n-th platform operation from now on fails with the given error.
    void failCall(std::int64_t n, ErrorKind kind = ErrorKind::PlatformFailed);
    std::int64_t callCount() const { return m_calls; }

    // Windows register so that a handler's changes reach the screen and the end of the
    // program hides them all.
    void addWindow(Form &window);
    void removeWindow(Form &window);

protected:
    // The operation that failCall chose has come, before it takes effect: raises the error.
    // A test can look at the program here instead and let the operation go on, to see what a
    // failure at this very call must leave behind.
    virtual void injectedFailure(ErrorKind kind);

private:
    void report(const RuntimeError &error);
    void flushWindows();

    Face &m_face;
    std::string m_decimalSeparator;
    std::int64_t m_calls = 0;
    std::int64_t m_failingCall = -1;
    ErrorKind m_failingError = ErrorKind::PlatformFailed;
    int m_depth = 0; // handlers running, the outermost first
    bool m_ended = false;
    int m_exitStatus = 0;
    std::vector<Form *> m_windows;
};

// The exit status of a program ended by a run-time error.
inline constexpr int RuntimeErrorExitStatus = 1;

} // namespace forms
