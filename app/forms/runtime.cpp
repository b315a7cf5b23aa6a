// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime.h"

#include "numbertext.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <new>

namespace forms {

namespace {

// Thrown by End to leave the running handler at once; the dispatcher catches it.
struct ProgramEnded
{
};

} // namespace

void Runtime::showInMessageBox(const RuntimeError &error)
{
    QMessageBox box(
        QMessageBox::Critical, QCoreApplication::applicationName(),
        QStringLiteral("Laufzeitfehler '%1':\n\n%2").arg(error.number()).arg(error.description()),
        QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Runtime::Runtime(QLocale locale)
    : m_locale(std::move(locale))
    , m_decimalSeparator(m_locale.decimalPoint().at(0))
    , m_viewReport(showInMessageBox)
{ }

void Runtime::dispatch(const std::function<void()> &handler)
{
    if (m_ended)
        return;
    try {
        handler();
    } catch (const ProgramEnded &) {
        // End has already done everything.
    } catch (const RuntimeError &error) {
        report(error);
    } catch (const std::bad_alloc &) {
        report(RuntimeError(ErrorNumber::OutOfMemory));
    } catch (const std::exception &) {
        report(RuntimeError(ErrorNumber::Internal));
    }
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
    for (QWidget *window : m_windows)
        window->hide();
    leaveEventLoop(exitStatus);
}

void Runtime::leaveEventLoop(int exitStatus)
{
    QCoreApplication::exit(exitStatus);
}

QString Runtime::toText(double value)
{
    call();
    return doubleToText(value, m_decimalSeparator);
}

QString Runtime::toText(float value)
{
    call();
    return singleToText(value, m_decimalSeparator);
}

void Runtime::failCall(std::int64_t n, int errorNumber)
{
    m_failingCall = m_calls + n;
    m_failingError = errorNumber;
}

void Runtime::injectedFailure(int errorNumber)
{
    throw RuntimeError(errorNumber);
}

void Runtime::addWindow(QWidget *window)
{
    m_windows.push_back(window);
}

void Runtime::removeWindow(QWidget *window)
{
    std::erase(m_windows, window);
}

void Runtime::report(const RuntimeError &error)
{
    // Ended before the report is shown: its own event loop must not run another handler.
    m_ended = true;
    const QByteArray text = (QCoreApplication::applicationName() +
                             QStringLiteral(": Laufzeitfehler ") + QString::number(error.number()) +
                             QStringLiteral(": ") + error.description() + QLatin1Char('\n'))
                                .toLocal8Bit();
    std::fputs(text.constData(), stderr);
    std::fflush(stderr);
    if (m_viewReport)
        m_viewReport(error);
    m_ended = false;
    endProgram(RuntimeErrorExitStatus);
}

} // namespace forms
