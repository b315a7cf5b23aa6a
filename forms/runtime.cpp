// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime.h"

#include "face.h"
#include "form.h"
#include "numbertext.h"

#include <algorithm>
#include <new>
#include <optional>

namespace forms {

namespace {

// Thrown by End to leave the running handler at once; the dispatcher catches it.
struct ProgramEnded
{
};

} // namespace

Runtime::Runtime(Face &face, std::string decimalSeparator)
    : m_face(face)
    , m_decimalSeparator(std::move(decimalSeparator))
{ }

void Runtime::dispatch(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    ++m_depth;
    std::optional<RuntimeError> error;
    try {
        handler();
    } catch (const ProgramEnded &) {
        --m_depth;
        if (m_depth > 0)
            throw; // End leaves every handler, also the one that raised this one
        return;
    } catch (const RuntimeError &raised) {
        error = raised;
    } catch (const std::bad_alloc &) {
        error = RuntimeError(ErrorKind::OutOfMemory);
    } catch (const std::exception &) {
        error = RuntimeError(ErrorKind::Internal);
    }
    --m_depth;
    if (error && m_depth > 0)
        throw *error; // the outermost handler ends with it, and reports it
    if (error)
        report(*error);
    else if (m_depth == 0)
        flushWindows();
}

void Runtime::End()
{
    call();
    endProgram(0);
    throw ProgramEnded{};
}

void Runtime::endProgram(int exitStatus)
{
    if (m_ended)
        return;
    m_ended = true;
    m_exitStatus = exitStatus;
    for (Form *window : m_windows)
        window->hideAtEnd();
    m_face.programEnded(exitStatus);
}

std::string Runtime::toText(double value)
{
    call();
    return doubleToText(value, m_decimalSeparator);
}

std::string Runtime::toText(float value)
{
    call();
    return singleToText(value, m_decimalSeparator);
}

void Runtime::failCall(std::int64_t n, ErrorKind kind)
{
    m_failingCall = m_calls + n;
    m_failingError = kind;
}

void Runtime::injectedFailure(ErrorKind kind)
{
    throw RuntimeError(kind);
}

void Runtime::addWindow(Form &window)
{
    m_windows.push_back(&window);
}

void Runtime::removeWindow(Form &window)
{
    std::erase(m_windows, &window);
}

void Runtime::flushWindows()
{
    for (Form *window : m_windows)
        window->flushChanges();
}

void Runtime::reportAndEnd(const RuntimeError &error)
{
    if (!m_ended)
        report(error);
}

void Runtime::report(const RuntimeError &error)
{
    // What the handler did before the error stays on screen behind the report. The program
    // counts as ended from here on, so the report's own event loop runs no handler.
    flushWindows();
    m_ended = true;
    m_face.showReport(error);
    m_ended = false;
    endProgram(RuntimeErrorExitStatus);
}

} // namespace forms
