// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platformstart.h"

#include "forms/errors.h"
#include "forms/runtime.h"
#include "runtimefolder.h"
#include "windowmemory.h"

#include <QFileInfo>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace platformstart {

namespace {

// Qt paints a window at 15 bits per pixel and more; below that each paint fails.
constexpr int LeastColourDepth = 15;

void say(const char *german, const char *english)
{
    std::fprintf(stderr, "%s\n%s\n", german, english);
    std::fflush(stderr);
}

// Qt's messages while the application object is being made, and the runtime folder given to
// it. Held back, since the platform's failure comes first as warnings that point the wrong way;
// passed on once it has started. A message handler is a plain function, so what it holds must
// live outside it.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;
RuntimeFolder *openingRuntimeFolder = nullptr;

[[noreturn]] void endWithoutDesktop()
{
    if (openingRuntimeFolder)
        openingRuntimeFolder->remove(); // no destructor runs past _Exit
    // The application object is half made: leave at once.
    if (!windowmemory::available({})) {
        // Not even room for the painter: the platform's libraries found no memory to load into,
        // and the desktop is likely there.
        sayOutOfMemory();
        std::_Exit(forms::RuntimeErrorExitStatus);
    }
    say("Zerfallsfrist braucht eine grafische Arbeitsoberfläche, findet hier aber keine, und "
        "wird beendet.",
        "Zerfallsfrist needs a graphical desktop, cannot find one here, and ends.");
    std::_Exit(CannotShowExitStatus);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    // The only fatal message while the application object is made: no platform could start.
    if (type == QtFatalMsg)
        endWithoutDesktop();
    heldMessages.push_back({type, QByteArray(context.category), text});
}

void passHeldMessagesOn()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage &message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages.clear();
}

} // namespace

void sayOutOfMemory()
{
    const std::string_view description = forms::describe(forms::ErrorKind::OutOfMemory);
    std::fprintf(stderr, "Zerfallsfrist: %.*s %.*s\n", int(description.size()), description.data(),
                 int(forms::ReportAdvice.size()), forms::ReportAdvice.data());
    std::fflush(stderr);
}

void keepSessionBusFromStarting()
{
    // The library looks in DBUS_SESSION_BUS_ADDRESS, then for $XDG_RUNTIME_DIR/bus, and only
    // then starts a bus. An address of a kind it does not know makes it give up quietly.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeFolder.isEmpty() && QFileInfo::exists(runtimeFolder + u"/bus"))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

std::unique_ptr<QApplication> openApplication(int &argc, char **argv, RuntimeFolder &runtimeFolder)
{
    previousHandler = qInstallMessageHandler(holdMessage);
    openingRuntimeFolder = &runtimeFolder;
    auto application = std::make_unique<QApplication>(argc, argv);
    openingRuntimeFolder = nullptr;
    passHeldMessagesOn();

    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        endWithoutDesktop();
    if (screen->depth() < LeastColourDepth) {
        const std::string depth = std::to_string(screen->depth());
        const std::string least = std::to_string(LeastColourDepth);
        say(("Zerfallsfrist kann auf diesem Bildschirm nicht zeichnen: Er hat eine Farbtiefe von " +
             depth + " Bit, das Programm braucht mindestens " + least + " Bit. Es wird beendet.")
                .c_str(),
            ("Zerfallsfrist cannot draw on this screen: its colour depth is " + depth +
             " bits, and the program needs at least " + least + ". It ends.")
                .c_str());
        return nullptr;
    }
    return application;
}

} // namespace platformstart
