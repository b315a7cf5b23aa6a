// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A pupil inside the shipped program, for checks made from outside it: a Qt plugin that the
// program loads as Qt loads any input plugin, which then works through the windows with real
// clicks. The program itself has no switch for it.
//
//     QT_PLUGIN_PATH=<build>/tests/reliability/plugins QT_QPA_GENERIC_PLUGINS=zfpupil:<walk>
//
// Walks: "lesson" (Uran 238, eight presses of "Weiter", the excursion, "Start", back, and
// the ninth press, which ends the program), "close" (into the excursion, then its window
// closed the way a window manager asks), "report" (memory runs out when Uran 238 is chosen:
// the error report, closed with Enter). Prints "pupil: <walk> walked" once the walk is done.

#include <QAbstractItemView>
#include <QApplication>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <fstream>
#include <qpa/qwindowsysteminterface.h>
#include <string>
#include <sys/resource.h>

namespace {

QWidget *window(const char *form)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(form) && widget->isVisible())
            return widget;
    return nullptr;
}

void press(const char *form, const char *button)
{
    QTest::mouseClick(window(form)->findChild<QPushButton *>(QLatin1String(button)),
                      Qt::LeftButton);
}

void chooseUran238()
{
    auto *list = window("Form1")->findChild<QAbstractItemView *>(QStringLiteral("List1"));
    const QModelIndex entry = list->model()->index(3, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
}

// The process's address space now, in bytes.
rlim_t addressSpace()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0)
            return std::stoull(line.substr(7)) * 1024;
    return RLIM_INFINITY;
}

void walk(const QString &name)
{
    if (name == u"lesson") {
        chooseUran238();
        for (int n = 0; n < 8; ++n)
            press("Form1", "Command1");
        press("Form1", "Command2");
        press("Form2", "Command1");
        press("Form2", "Command2");
        std::puts("pupil: lesson walked");
        std::fflush(stdout);
        press("Form1", "Command1"); // the ninth press ends the program
    } else if (name == u"close") {
        chooseUran238();
        press("Form1", "Command1");
        press("Form1", "Command2");
        std::puts("pupil: close walked");
        std::fflush(stdout);
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
            window("Form2")->windowHandle());
    } else if (name == u"report") {
        // Room for the click, not for the 2.5 MB of the lesson's first points.
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        const rlimit before = limit;
        limit.rlim_cur = addressSpace() + 1024 * 1024;
        setrlimit(RLIMIT_AS, &limit);
        auto *watch = new QTimer(QCoreApplication::instance());
        QObject::connect(watch, &QTimer::timeout, [watch, before] {
            auto *report = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!report)
                return;
            watch->stop();
            setrlimit(RLIMIT_AS, &before);
            std::puts("pupil: report walked");
            std::fflush(stdout);
            QTest::keyClick(report, Qt::Key_Return);
        });
        watch->start(50);
        chooseUran238();
    } else {
        std::fprintf(stderr, "pupil: no walk named \"%s\"\n", qPrintable(name));
        QCoreApplication::exit(3);
    }
}

} // namespace

class PupilPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "pupil.json")

public:
    QObject *create(const QString &, const QString &walkName) override
    {
        auto *starter = new QTimer;
        // Once the lesson window shows, a moment later, as a pupil starts.
        QObject::connect(starter, &QTimer::timeout, [starter, walkName] {
            if (!window("Form1"))
                return;
            starter->stop();
            walk(walkName);
        });
        starter->start(50);
        return starter;
    }
};

#include "pupilplugin.moc"
