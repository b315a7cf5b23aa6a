// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a whole with its real event loop: how it starts, and the three ways it ends
// (the ninth "Weiter", a window closed, a run-time error), each with its exit status.

#include "form1.h"
#include "form2.h"
#include "forms/form.h"
#include "program.h"
#include "windowtest.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace forms;

namespace {

int windowsAlive()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Form *>(widget) ? 1 : 0;
    return count;
}

// Runs the application's own event loop with the program; `script` runs once the loop has
// started. Returns the status the event loop ended with.
int runProgram(Runtime &runtime, const std::function<void(Program &)> &script)
{
    Program program(runtime);
    program.start();
    if (runtime.hasEnded())
        return runtime.exitStatus();
    QTimer::singleShot(0, [&] { script(program); });
    // A program that does not end would hang the test: give it a generous limit.
    QTimer::singleShot(20000, [] { QCoreApplication::exit(99); });
    return QApplication::exec();
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }
    void startsWithTheLesson();
    void ninthPressEndsWithStatusZero();
    void closingAWindowEnds();
    void runtimeErrorEndsWithReport();
    void errorWhileLoadingEndsBeforeTheLoop();
};

void TestProgram::startsWithTheLesson()
{
    testsupport::RecordingRuntime runtime;
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    QVERIFY(QTest::qWaitForWindowExposed(&lesson));
    QCOMPARE(windowsAlive(), 1); // the comparison window is made on first use only
    QCOMPARE(lesson.List1.listCount(), 5);
    QCOMPARE(lesson.List1.ListIndex(), -1);
    QVERIFY(!lesson.Command1.isEnabled());
    QVERIFY(lesson.i.isEmpty());
    QCOMPARE(lesson.intClicks.value(), 0);
    QVERIFY(runtime.reported.empty());
}

void TestProgram::ninthPressEndsWithStatusZero()
{
    Runtime runtime; // the real end of the program: the event loop returns
    int pressesHandled = -1;
    const int status = runProgram(runtime, [&](Program &program) {
        Form1 &lesson = program.form1();
        lesson.List1.setListIndex(3);
        for (int press = 0; press < 10; ++press) // the tenth finds the program ended
            QTest::mouseClick(lesson.Command1.button(), Qt::LeftButton);
        pressesHandled = lesson.intClicks.value();
    });
    QCOMPARE(status, 0);
    QCOMPARE(pressesHandled, 9);
    QVERIFY(runtime.hasEnded());
}

void TestProgram::closingAWindowEnds()
{
    // Closing the comparison window while the lesson is hidden must not leave an invisible
    // program running.
    Runtime runtime;
    const int status = runProgram(runtime, [&](Program &program) {
        QTest::mouseClick(program.form1().Command2.button(), Qt::LeftButton);
        QVERIFY(!program.form1().isVisible());
        program.form2().close();
    });
    QCOMPARE(status, 0);
    QVERIFY(runtime.hasEnded());
}

void TestProgram::runtimeErrorEndsWithReport()
{
    Runtime runtime;
    std::vector<int> reported;
    runtime.setReportViewer([&](const RuntimeError &error) { reported.push_back(error.number()); });
    const int status = runProgram(runtime, [&](Program &program) {
        runtime.failCall(3); // the third platform operation of the next handler
        program.form1().List1.setListIndex(0);
        // the program has ended: nothing runs any more
        QTest::mouseClick(program.form1().Command2.button(), Qt::LeftButton);
        QVERIFY(!program.form1().isVisible());
    });
    QCOMPARE(status, RuntimeErrorExitStatus);
    QCOMPARE(reported, std::vector<int>{ErrorNumber::InvalidCall});
}

void TestProgram::errorWhileLoadingEndsBeforeTheLoop()
{
    testsupport::RecordingRuntime runtime;
    runtime.failCall(2); // the second entry the load handler appends
    Program program(runtime);
    program.start();
    QCOMPARE(runtime.reported, std::vector<int>{ErrorNumber::InvalidCall});
    QVERIFY(runtime.hasEnded());
    QCOMPARE(program.form1().List1.listCount(), 1);
    QVERIFY(!program.form1().isVisible()); // never shown
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
