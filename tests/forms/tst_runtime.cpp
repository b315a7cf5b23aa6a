// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The dispatcher every handler runs through: run-time errors become the error report and end
// the program, End ends it at once, and the seam that makes a platform operation fail.

#include "forms/runtime.h"
#include "windowtest.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace forms;
using namespace Qt::StringLiterals;

class TestRuntime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }
    void errorEndsHandlerAndProgram_data();
    void errorEndsHandlerAndProgram();
    void endStopsAtOnce();
    void noHandlerRunsAfterTheEnd();
    void injectedFailureHitsTheChosenCall();
    void numberTextFollowsTheLocale();
    void errorReportIsAModalMessageBox();
};

void TestRuntime::errorEndsHandlerAndProgram_data()
{
    QTest::addColumn<int>("thrown"); // what the handler raises: an error number, or a stand-in
    QTest::addColumn<int>("reported");
    QTest::newRow("overflow") << ErrorNumber::Overflow << ErrorNumber::Overflow;
    QTest::newRow("out of range") << ErrorNumber::SubscriptOutOfRange
                                  << ErrorNumber::SubscriptOutOfRange;
    QTest::newRow("memory exhausted") << -1 << ErrorNumber::OutOfMemory;
    QTest::newRow("any other exception") << -2 << ErrorNumber::Internal;
}

void TestRuntime::errorEndsHandlerAndProgram()
{
    QFETCH(int, thrown);
    QFETCH(int, reported);
    testsupport::RecordingRuntime runtime;
    bool reachedAfter = false;
    runtime.dispatch([&] {
        if (thrown == -1)
            throw std::bad_alloc();
        if (thrown == -2)
            throw std::runtime_error("unexpected");
        throw RuntimeError(thrown);
        reachedAfter = true;
    });
    QVERIFY(!reachedAfter);
    QCOMPARE(runtime.reported, std::vector<int>{reported});
    QVERIFY(runtime.hasEnded());
    QCOMPARE(runtime.exitStatus(), RuntimeErrorExitStatus);
}

void TestRuntime::endStopsAtOnce()
{
    testsupport::RecordingRuntime runtime;
    QWidget window;
    runtime.addWindow(&window);
    window.show();
    bool reachedAfter = false;
    runtime.dispatch([&] {
        runtime.End();
        reachedAfter = true;
    });
    QVERIFY(!reachedAfter);
    QVERIFY(runtime.hasEnded());
    QCOMPARE(runtime.exitStatus(), 0);
    QVERIFY(runtime.reported.empty());
    QVERIFY(!window.isVisible());
    QCOMPARE(runtime.eventLoopLeft, 1);
    runtime.removeWindow(&window);
}

void TestRuntime::noHandlerRunsAfterTheEnd()
{
    testsupport::RecordingRuntime runtime;
    runtime.dispatch([&] { throw RuntimeError(ErrorNumber::Overflow); });
    int runs = 0;
    runtime.dispatch([&] { ++runs; });
    runtime.endProgram(0);
    runtime.dispatch([&] { ++runs; });
    QCOMPARE(runs, 0);
    // The first end wins: the error's status stays.
    QCOMPARE(runtime.exitStatus(), RuntimeErrorExitStatus);
}

void TestRuntime::injectedFailureHitsTheChosenCall()
{
    testsupport::RecordingRuntime runtime;
    runtime.call();
    runtime.failCall(3, ErrorNumber::OutOfMemory);
    int done = 0;
    runtime.dispatch([&] {
        for (int n = 0; n < 5; ++n) {
            runtime.call();
            ++done;
        }
    });
    // Calls one and two went through; the third failed before it took effect.
    QCOMPARE(done, 2);
    QCOMPARE(runtime.reported, std::vector<int>{ErrorNumber::OutOfMemory});
    QCOMPARE(runtime.callCount(), 4);
}

void TestRuntime::numberTextFollowsTheLocale()
{
    testsupport::RecordingRuntime german;
    QCOMPARE(german.toText(703.8), u"703,8"_s);
    QCOMPARE(german.toText(static_cast<float>(2 * 703.8)), u"1407,6"_s);
    testsupport::RecordingRuntime english(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(english.toText(703.8), u"703.8"_s);
    // The conversion is a platform operation, so it can fail like any other.
    english.failCall(1);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, english.toText(1.0));
}

void TestRuntime::errorReportIsAModalMessageBox()
{
    testsupport::RecordingRuntime runtime;
    runtime.setReportViewer(&Runtime::showInMessageBox); // the program's own viewer
    QString shownText;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        wasModal = true;
        shownText = box->text();
        // While the report is up no handler may run.
        bool ran = false;
        runtime.dispatch([&] { ran = true; });
        QVERIFY(!ran);
        box->accept();
    });
    runtime.dispatch([] { throw RuntimeError(ErrorNumber::Overflow); });
    QVERIFY(wasModal);
    QCOMPARE(shownText, u"Laufzeitfehler '6':\n\nÜberlauf"_s);
    QVERIFY(runtime.hasEnded());
    QCOMPARE(runtime.exitStatus(), RuntimeErrorExitStatus);
}

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
