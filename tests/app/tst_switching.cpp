// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson window's excursion button and the comparison's "Zurück", clicked as a pupil
// clicks them: one window at a time, each made once and keeping what it shows while the other
// is up.

#include "comparison/form2.h"
#include "faces/qt/painting.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "windowtest.h"

#include <QApplication>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::screenImage;

namespace {

constexpr Colour Caesium = 0x008080FF; // the first legend entry's colour
constexpr Colour Plutonium = 0x00FF00FF; // the last curve's, drawn over the others' start

struct Session
{
    Session() { program.start(); }

    testsupport::RecordingQtFace face;
    Runtime runtime{face, ","};
    Program program{runtime};
};

void toComparison(Program &program)
{
    testsupport::press(program.form1().Command2);
}

void toLesson(Program &program)
{
    testsupport::press(program.form2().Command2);
}

bool shown(const Form &form)
{
    return qtface::windowOf(form)->isVisible();
}

QRect boxOf(const Label &label)
{
    return qtface::toQRect(label.box());
}

// Records the windows shown and hidden, in order.
struct VisibilityTrace : QObject
{
    QStringList events;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
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

    void oneWindowAtATime();
    void lessonComesBackBeforeTheComparisonGoes();
    void lessonKeepsWhatItShows();
    void legendOnlyAfterTheNextStart();
};

void TestSwitching::oneWindowAtATime()
{
    Session session;
    Program &program = session.program;
    const Form1 *lesson = &program.form1();
    // the comparison window is made on first use only
    QVERIFY(!testsupport::windowMade("Form2"));
    toComparison(program);
    QVERIFY(testsupport::windowMade("Form2"));
    const Form2 *comparison = &program.form2();
    for (int round = 0; round < 25; ++round) {
        QVERIFY(!shown(program.form1()));
        QVERIFY(shown(program.form2()));
        toLesson(program);
        QVERIFY(shown(program.form1()));
        QVERIFY(!shown(program.form2()));
        toComparison(program);
    }
    QCOMPARE(&session.program.form2(), comparison);
    QCOMPARE(&session.program.form1(), lesson);
    QVERIFY(session.face.reported.empty());
    QVERIFY(!session.runtime.hasEnded());
}

void TestSwitching::lessonComesBackBeforeTheComparisonGoes()
{
    // On the way back the program is never without a window on screen: the lesson is shown
    // before the comparison is hidden, so the desktop never hands the focus elsewhere.
    Session session;
    toComparison(session.program);
    VisibilityTrace trace;
    qtface::windowOf(session.program.form1())->installEventFilter(&trace);
    qtface::windowOf(session.program.form2())->installEventFilter(&trace);
    toLesson(session.program);
    QCOMPARE(trace.events, (QStringList{u"Form1 shown"_s, u"Form2 hidden"_s}));
}

void TestSwitching::lessonKeepsWhatItShows()
{
    Session session;
    Form1 &lesson = session.program.form1();
    testsupport::choose(lesson.List1, 1);
    for (int press = 0; press < 5; ++press)
        testsupport::press(lesson.Command1);
    const QStringList before = testsupport::controlState(lesson);
    const QImage picture = screenImage(lesson);

    toComparison(session.program);
    testsupport::press(session.program.form2().Command1);
    toLesson(session.program);
    QCOMPARE(testsupport::controlState(lesson), before);
    // Everything but the buttons, where the focus now shows on the excursion's.
    const QImage after = screenImage(lesson);
    for (const QRect &area : {QRect(0, 0, 954, 392), QRect(0, 392, 632, 259)})
        QCOMPARE(after.copy(area), picture.copy(area));
    QVERIFY(session.face.reported.empty());
}

void TestSwitching::legendOnlyAfterTheNextStart()
{
    Session session;
    toComparison(session.program);
    Form2 &comparison = session.program.form2();
    testsupport::press(comparison.Command1);
    const auto curvesStart = comparison.scale().toPixel(0, 10000);
    const QPoint start(curvesStart->x, curvesStart->y);
    QImage image = screenImage(comparison);
    QVERIFY(testsupport::contains(image, boxOf(comparison.Label1), testsupport::rgb(Caesium)));

    toLesson(session.program);
    toComparison(session.program);
    image = screenImage(comparison);
    QVERIFY(!testsupport::contains(image, boxOf(comparison.Label1), testsupport::rgb(Caesium)));
    // The curves stay; only the legend waits for the next "Start".
    QCOMPARE(testsupport::pixelAt(image, start), testsupport::rgb(Plutonium));

    testsupport::press(comparison.Command1);
    QVERIFY(testsupport::contains(screenImage(comparison), boxOf(comparison.Label1),
                                  testsupport::rgb(Caesium)));
    QVERIFY(session.face.reported.empty());
}

QTEST_MAIN(TestSwitching)
#include "tst_switching.moc"
