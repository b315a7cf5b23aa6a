// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "errors.h"

namespace forms {

std::string_view describe(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::PlatformFailed:
        return "Das Fenster konnte eine Anweisung des Programms nicht ausführen.";
    case ErrorKind::Overflow:
        return "Eine Rechnung hat eine Zahl ergeben, die zu groß ist.";
    case ErrorKind::OutOfMemory:
        return "Der Arbeitsspeicher des Computers reicht nicht aus.";
    case ErrorKind::IndexOutOfRange:
        return "Das Programm hat in einer Tabelle eine Zeile gesucht, die es nicht gibt.";
    case ErrorKind::DivisionByZero:
        return "Eine Rechnung hat durch null geteilt.";
    case ErrorKind::Internal:
        break;
    }
    return "Im Programm ist ein unerwarteter Fehler aufgetreten.";
}

} // namespace forms
