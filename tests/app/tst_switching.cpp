// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"
#include "form2.h"
#include "program.h"
#include "windowtest.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::RecordingRuntime;

namespace {

void click(CommandButton &button)
{
    QTest::mouseClick(button.widget(), Qt::LeftButton);
}

// The excursion button of the lesson and "Zurück" of the comparison.
void toComparison(Program &program)
{
    click(program.form1().Command2);
}
void toLesson(Program &program)
{
    click(program.form2().Command2);
}

std::vector<Label *> legendOf(Form2 &form)
{
    return {&form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5};
}

int formsAlive()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Form *>(widget) ? 1 : 0;
    return count;
}

// Everything of the lesson window that a pupil could see or the lesson goes on from.
QStringList stateOf(Form1 &lesson)
{
    return testsupport::controlState(lesson) << QString::number(lesson.Thalb) << lesson.Isotop
                                             << QString::number(lesson.intClicks.value());
}

} // namespace

// The lesson window's excursion button and the comparison's "Zurück": one window at a time,
// each created once and keeping its state while the other is shown.
class SwitchingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }

    void backBeforeStart();
    void switchingManyTimes();
    void legendOnlyAfterNextStart();
    void lessonKeepsItsState();
};

void SwitchingTest::backBeforeStart()
{
    RecordingRuntime runtime;
    Program program(runtime);
    program.start();
    toComparison(program);
    Form2 &comparison = program.form2();
    QVERIFY(!program.form1().isVisible());
    QVERIFY(comparison.isVisible());

    toLesson(program);
    for (const Label *legend : legendOf(comparison)) {
        QVERIFY(!legend->isVisible());
        QVERIFY(legend->caption().isEmpty());
    }
    QVERIFY(program.form1().isVisible());
    QVERIFY(!comparison.isVisible());
    QVERIFY(runtime.reported.empty());
    QVERIFY(!runtime.hasEnded());
}

void SwitchingTest::switchingManyTimes()
{
    RecordingRuntime runtime;
    Program program(runtime);
    program.start();
    Form1 *const lesson = &program.form1();
    toComparison(program);
    Form2 *const comparison = &program.form2();
    QCOMPARE(formsAlive(), 2);

    for (int round = 0; round < 25; ++round) {
        toLesson(program);
        QVERIFY(lesson->isVisible());
        QVERIFY(!comparison->isVisible());
        toComparison(program);
        QVERIFY(!lesson->isVisible());
        QVERIFY(comparison->isVisible());
    }
    QCOMPARE(&program.form1(), lesson);
    QCOMPARE(&program.form2(), comparison);
    QCOMPARE(formsAlive(), 2);
    QVERIFY(runtime.reported.empty());
}

void SwitchingTest::legendOnlyAfterNextStart()
{
    RecordingRuntime runtime;
    Program program(runtime);
    program.start();
    toComparison(program);
    Form2 &comparison = program.form2();
    click(comparison.Command1);
    // (0, 10000), every curve's start, in Pu-239's magenta; Cs-137's legend text in its colour.
    const QPoint start = comparison.userToPixel(0, 10000);
    const QRgb magenta = testsupport::rgb(0x00FF00FF);
    const QRgb caesium = testsupport::rgb(0x008080FF);
    QVERIFY(testsupport::contains(testsupport::grab(comparison), comparison.Label1.box(), caesium));

    toLesson(program);
    toComparison(program);
    QImage image = testsupport::grab(comparison);
    for (const Label *legend : legendOf(comparison))
        QVERIFY(!legend->isVisible());
    QVERIFY(!testsupport::contains(image, comparison.Label1.box(), caesium));
    // The curves stay; only the legend waits for the next "Start".
    QCOMPARE(testsupport::pixelAt(image, start), magenta);
    QCOMPARE(comparison.Label1.caption(), u"Cs-137 (Cäsium -137)"_s);

    click(comparison.Command1);
    for (const Label *legend : legendOf(comparison))
        QVERIFY(legend->isVisible());
    QVERIFY(testsupport::contains(testsupport::grab(comparison), comparison.Label1.box(), caesium));
    QVERIFY(runtime.reported.empty());
}

void SwitchingTest::lessonKeepsItsState()
{
    RecordingRuntime runtime;
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    // Selected as a pupil does, so whatever the lesson does on a selection happens too.
    lesson.List1.listWidget()->setCurrentRow(1);
    for (int press = 0; press < 5; ++press)
        click(lesson.Command1);
    const QStringList before = stateOf(lesson);
    const QImage picture = testsupport::grab(lesson);

    toComparison(program);
    click(program.form2().Command1);
    toLesson(program);
    QCOMPARE(stateOf(lesson), before);
    QCOMPARE(testsupport::grab(lesson), picture);
    QCOMPARE(lesson.List1.ListIndex(), 1);

    // The next press is the sixth: the third half-life's guides turn red.
    click(lesson.Command1);
    QCOMPARE(lesson.intClicks.value(), 6);
    QCOMPARE(lesson.Line6.borderColor(), Colour(0x000000FF));
    QCOMPARE(lesson.Line4.borderColor(), Colour(0x00000000));
    QVERIFY(runtime.reported.empty());
}

QTEST_MAIN(SwitchingTest)
#include "tst_switching.moc"
