// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtimeerror.h"

namespace forms {

QString errorDescription(int number)
{
    switch (number) {
    case ErrorNumber::InvalidCall:
        return QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument");
    case ErrorNumber::Overflow:
        return QStringLiteral("Überlauf");
    case ErrorNumber::OutOfMemory:
        return QStringLiteral("Nicht genügend Speicher");
    case ErrorNumber::SubscriptOutOfRange:
        return QStringLiteral("Index außerhalb des gültigen Bereichs");
    case ErrorNumber::DivisionByZero:
        return QStringLiteral("Division durch Null");
    case ErrorNumber::Internal:
        return QStringLiteral("Interner Fehler");
    default:
        return QStringLiteral("Anwendungs- oder objektdefinierter Fehler");
    }
}

} // namespace forms
