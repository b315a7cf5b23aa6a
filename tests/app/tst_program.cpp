// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop program as its main starts it, with its real event loop: the three ways it ends
// (the ninth "Weiter", a window closed, a run-time error), each with its exit status.

#include "comparison/form2.h"
#include "desktopprogram.h"
#include "lesson/form1.h"
#include "windowtest.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace forms;

namespace {

// Runs the program as main does; `script` runs once the event loop has started.
int runProgram(DesktopProgram &desktop, const std::function<void(Program &)> &script)
{
    QTimer::singleShot(0, [&] { script(desktop.program()); });
    // A program that does not end would hang the test: give it a generous limit.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    return desktop.run();
}

// Reads the error report once the program shows it, and closes it, as a pupil would.
struct ReportReader : QObject
{
    QString text;
    QTimer watch;
    ReportReader()
    {
        connect(&watch, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text = box->text();
                watch.stop();
                box->accept();
            }
        });
        watch.start(10);
    }
};

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ninthPressEndsWithStatusZero();
    void closingAWindowEnds();
    void runtimeErrorEndsWithTheReport();
    // Last: a program that ends before its event loop asks Qt to leave a loop that never ran.
    void errorWhileLoadingEndsBeforeTheLoop();
};

void TestProgram::ninthPressEndsWithStatusZero()
{
    DesktopProgram desktop;
    int pressesHandled = -1;
    const int status = runProgram(desktop, [&](Program &program) {
        Form1 &lesson = program.form1();
        testsupport::choose(lesson.List1, 3);
        for (int press = 0; press < 10; ++press) // the tenth finds the program ended
            testsupport::press(lesson.Command1);
        pressesHandled = lesson.intClicks.value();
    });
    QCOMPARE(status, 0);
    QCOMPARE(pressesHandled, 9);
    QVERIFY(desktop.runtime().hasEnded());
}

void TestProgram::closingAWindowEnds()
{
    // Closing the comparison window while the lesson is hidden must not leave an invisible
    // program running.
    DesktopProgram desktop;
    const int status = runProgram(desktop, [&](Program &program) {
        testsupport::press(program.form1().Command2);
        qtface::windowOf(program.form2())->close();
    });
    QCOMPARE(status, 0);
    QVERIFY(desktop.runtime().hasEnded());
}

void TestProgram::runtimeErrorEndsWithTheReport()
{
    DesktopProgram desktop;
    ReportReader report;
    const int status = runProgram(desktop, [&](Program &program) {
        desktop.runtime().failCall(3); // the third platform operation of the next handler
        testsupport::choose(program.form1().List1, 0);
        // the program has ended: nothing runs any more
        testsupport::press(program.form1().Command2);
        QVERIFY(!qtface::windowOf(program.form1())->isVisible());
    });
    QCOMPARE(status, RuntimeErrorExitStatus);
    QVERIFY(report.text.startsWith(QString::fromUtf8(describe(ErrorKind::PlatformFailed).data())));
}

void TestProgram::errorWhileLoadingEndsBeforeTheLoop()
{
    DesktopProgram desktop;
    desktop.runtime().failCall(2); // the second entry the load handler appends
    ReportReader report;
    QCOMPARE(desktop.run(), RuntimeErrorExitStatus);
    QVERIFY(!report.text.isEmpty());
    QCOMPARE(desktop.program().form1().List1.items().size(), 1u);
    QVERIFY(!qtface::windowOf(desktop.program().form1())->isVisible()); // never shown
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
