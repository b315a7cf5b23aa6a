// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson window's excursion button and the comparison's "Zurück", clicked as a pupil
// clicks them: one window at a time, each made once and keeping what it shows while the other
// is up.

#include "comparison/form2.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "windowtest.h"

#include <QApplication>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::screenImage;

namespace {

// Records the program's windows as they are shown and hidden, in order.
struct VisibilityTrace : QObject
{
    VisibilityTrace() { QCoreApplication::instance()->installEventFilter(this); }

    QStringList events;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) &&
            watched->inherits("qtface::FormWindow"))
            events << watched->objectName() +
                    (event->type() == QEvent::Show ? u" shown"_s : u" hidden"_s);
        return false;
    }
};

} // namespace

class TestSwitching : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }

    void oneWindowAtATimeEachKeepingItsState();
};

void TestSwitching::oneWindowAtATimeEachKeepingItsState()
{
    // Each way shows one window and hides the other, each window made once, the comparison on
    // first use only. On the way back the lesson is shown before the comparison is hidden: the
    // program is never without a window on screen, so the desktop never hands the focus
    // elsewhere.
    VisibilityTrace trace;
    testsupport::RecordingQtFace face;
    Runtime runtime(face, ",");
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    QVERIFY(!testsupport::windowMade("Form2"));
    testsupport::choose(lesson.List1, 1);
    for (int press = 0; press < 5; ++press)
        testsupport::press(lesson.Command1);
    const QStringList before = testsupport::controlState(lesson);
    const QImage picture = screenImage(lesson);

    testsupport::press(lesson.Command2);
    Form2 &comparison = program.form2();
    testsupport::press(comparison.Command1);
    testsupport::press(comparison.Command2);
    QCOMPARE(testsupport::controlState(lesson), before);
    // Everything but the buttons, where the focus now shows on the excursion's.
    const QImage after = screenImage(lesson);
    for (const QRect &area : {QRect(0, 0, 954, 392), QRect(0, 392, 632, 259)})
        QCOMPARE(after.copy(area), picture.copy(area));

    testsupport::press(lesson.Command2);
    testsupport::press(comparison.Command2);
    QCOMPARE(trace.events,
             (QStringList{u"Form1 shown"_s, u"Form1 hidden"_s, u"Form2 shown"_s, u"Form1 shown"_s,
                          u"Form2 hidden"_s, u"Form1 hidden"_s, u"Form2 shown"_s, u"Form1 shown"_s,
                          u"Form2 hidden"_s}));
    QCOMPARE(&program.form1(), &lesson);
    QCOMPARE(&program.form2(), &comparison);
    QVERIFY(face.reported.empty());
    QVERIFY(!runtime.hasEnded());
}

QTEST_MAIN(TestSwitching)
#include "tst_switching.moc"
