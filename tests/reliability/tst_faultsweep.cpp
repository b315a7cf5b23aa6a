// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every handler failed at each of its platform calls in turn. Each time the error report comes
// with the injected number, the program ends with a non-zero status and runs no further
// handler, and what the handler did before the failing call stays done: the program looks
// exactly as an uninterrupted run looks just before that call.

#include "form1.h"
#include "form2.h"
#include "program.h"
#include "windowtest.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>
#include <set>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::existing;

namespace {

QString shown(const QWidget &window)
{
    return window.isVisible() ? u" shown"_s : u" hidden"_s;
}

// What the program shows and holds: each window's visibility, controls and variables, and,
// when asked, each window's picture.
struct Snapshot
{
    QStringList state;
    std::vector<QImage> pictures;
};

Snapshot snapshot(bool withPictures)
{
    Snapshot shot;
    if (Form1 *lesson = existing<Form1>()) {
        const auto i = lesson->i.value();
        shot.state << u"Form1"_s + shown(*lesson) << testsupport::controlState(*lesson)
                   << u"Thalb %1, Isotop %2, i %3, intClicks %4"_s
                          .arg(QString::number(lesson->Thalb, 'g', 17), lesson->Isotop,
                               i ? QString::number(*i) : u"empty"_s)
                          .arg(lesson->intClicks.value());
        if (withPictures)
            shot.pictures.push_back(testsupport::grab(*lesson));
    }
    if (Form2 *comparison = existing<Form2>()) {
        shot.state << u"Form2"_s + shown(*comparison) << testsupport::controlState(*comparison)
                   << u"intIso %1, intZeit %2"_s.arg(comparison->intIso.value())
                          .arg(comparison->intZeit.value());
        if (withPictures)
            shot.pictures.push_back(testsupport::grab(*comparison));
    }
    return shot;
}

QString firstDifference(const QStringList &actual, const QStringList &expected)
{
    for (qsizetype n = 0; n < std::max(actual.size(), expected.size()); ++n) {
        const QString a = actual.value(n, u"(nothing)"_s), e = expected.value(n, u"(nothing)"_s);
        if (a != e)
            return u"\n   actual:   %1\n   expected: %2"_s.arg(a, e);
    }
    return {};
}

// Fails the chosen call as the program would; or, told which calls to look at, lets every call
// through and takes a snapshot just before each of those: an uninterrupted run, cut anywhere.
class SweepRuntime final : public testsupport::RecordingRuntime
{
public:
    SweepRuntime()
    {
        setReportViewer([this](const RuntimeError &error) {
            reported.push_back(error.number());
            atReport = snapshot(picturesAtReport); // before the end hides the windows
        });
    }

    // Calls counted from now, ascending.
    void lookAt(std::vector<qint64> calls, std::set<qint64> withPictures)
    {
        m_lookAt = std::move(calls);
        m_withPictures = std::move(withPictures);
        m_base = callCount();
        failCall(m_lookAt.front());
    }

    std::map<qint64, Snapshot> seen;
    Snapshot atReport;
    bool picturesAtReport = false;

protected:
    void injectedFailure(int errorNumber) override
    {
        if (m_next == m_lookAt.size()) {
            Runtime::injectedFailure(errorNumber);
            return;
        }
        const qint64 call = callCount() - m_base;
        seen[call] = snapshot(m_withPictures.contains(call));
        if (++m_next < m_lookAt.size())
            failCall(m_lookAt[m_next] - call);
    }

private:
    std::vector<qint64> m_lookAt;
    std::set<qint64> m_withPictures;
    std::size_t m_next = 0;
    qint64 m_base = 0;
};

void click(CommandButton &button)
{
    QTest::mouseClick(button.button(), Qt::LeftButton);
}

void choose(Program &program, int row)
{
    QListWidget *list = program.form1().List1.listWidget();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void pressWeiter(Program &program, int times)
{
    for (int n = 0; n < times; ++n)
        click(program.form1().Command1);
}

// Raises every handler there is, as a pupil would; after the end none may run.
void tryEveryHandler()
{
    if (Form1 *lesson = existing<Form1>()) {
        QListWidget *list = lesson->List1.listWidget();
        if (list->count() > 0)
            list->setCurrentRow((list->currentRow() + 1) % list->count());
        lesson->Command1.button()->click();
        lesson->Command2.button()->click();
    }
    if (Form2 *comparison = existing<Form2>()) {
        comparison->Command1.button()->click();
        comparison->Command2.button()->click();
    }
}

struct Handler
{
    QByteArray name;
    std::function<void(Program &)> prepare; // brings a new program to just before the handler
    std::function<void(Program &)> raise; // its event, as a pupil causes it
};

const std::vector<Handler> &handlers()
{
    static const std::vector<Handler> table = [] {
        constexpr int Uran238 = 3;
        std::vector<Handler> rows;
        rows.push_back({"Form1 load", [](Program &) {}, [](Program &p) { p.form1(); }});
        rows.push_back(
            {"List1 Click", [](Program &p) { p.start(); }, [](Program &p) { choose(p, Uran238); }});
        for (int press = 1; press <= 9; ++press)
            rows.push_back({"Weiter, press " + QByteArray::number(press),
                            [press](Program &p) {
                                p.start();
                                choose(p, Uran238);
                                pressWeiter(p, press - 1);
                            },
                            [](Program &p) { pressWeiter(p, 1); }});
        // Mid-lesson, so the state that must survive the switch is rich.
        rows.push_back({"Exkurs (Form1 Command2)",
                        [](Program &p) {
                            p.start();
                            choose(p, Uran238);
                            pressWeiter(p, 4);
                        },
                        [](Program &p) { click(p.form1().Command2); }});
        rows.push_back({"Zurück (Form2 Command2)",
                        [](Program &p) {
                            p.start();
                            choose(p, Uran238);
                            pressWeiter(p, 4);
                            click(p.form1().Command2);
                            click(p.form2().Command1);
                        },
                        [](Program &p) { click(p.form2().Command2); }});
        rows.push_back({"Start (Form2 Command1)",
                        [](Program &p) {
                            p.start();
                            click(p.form1().Command2);
                        },
                        [](Program &p) { click(p.form2().Command1); }});
        return rows;
    }();
    return table;
}

// Every call; of a long handler, every call of its first and last stretch and an even spread
// between them.
std::vector<qint64> injectionPoints(qint64 calls)
{
    constexpr qint64 EveryCallUpTo = 5000, Edge = 200, Spread = 600;
    std::vector<qint64> points;
    if (calls <= EveryCallUpTo) {
        for (qint64 n = 1; n <= calls; ++n)
            points.push_back(n);
        return points;
    }
    for (qint64 n = 1; n <= Edge; ++n)
        points.push_back(n);
    for (qint64 k = 1; k <= Spread; ++k)
        points.push_back(Edge + k * (calls - 2 * Edge) / (Spread + 1));
    for (qint64 n = calls - Edge + 1; n <= calls; ++n)
        points.push_back(n);
    return points;
}

// Pictures are dear: the first and last point and three between.
std::set<qint64> picturePoints(const std::vector<qint64> &points)
{
    const std::size_t last = points.size() - 1;
    return {points[0], points[last / 4], points[last / 2], points[3 * last / 4], points[last]};
}

// Error numbers the failures carry in turn, so the report is seen to pass on each one.
constexpr int InjectedErrors[] = {ErrorNumber::InvalidCall, ErrorNumber::Overflow,
                                  ErrorNumber::OutOfMemory, ErrorNumber::SubscriptOutOfRange,
                                  ErrorNumber::DivisionByZero};

} // namespace

class FaultSweep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }
    void everyCall_data();
    void everyCall();
    void cleanupTestCase() { qInfo("%lld injection points in all", m_covered); }

private:
    qint64 m_covered = 0;
};

void FaultSweep::everyCall_data()
{
    QTest::addColumn<int>("handler");
    for (std::size_t n = 0; n < handlers().size(); ++n)
        QTest::newRow(handlers()[n].name.constData()) << static_cast<int>(n);
}

void FaultSweep::everyCall()
{
    QFETCH(int, handler);
    const Handler &h = handlers()[static_cast<std::size_t>(handler)];

    qint64 calls = 0;
    {
        SweepRuntime runtime;
        Program program(runtime);
        h.prepare(program);
        const qint64 before = runtime.callCount();
        h.raise(program);
        calls = runtime.callCount() - before;
        QVERIFY(runtime.reported.empty());
        QVERIFY(calls > 0);
    }
    const std::vector<qint64> points = injectionPoints(calls);
    const std::set<qint64> pictures = picturePoints(points);

    std::map<qint64, Snapshot> expected;
    {
        SweepRuntime runtime;
        Program program(runtime);
        h.prepare(program);
        runtime.lookAt(points, pictures);
        h.raise(program);
        QVERIFY(runtime.reported.empty());
        QCOMPARE(runtime.seen.size(), points.size());
        expected = std::move(runtime.seen);
    }

    for (const qint64 n : points) {
        const int error = InjectedErrors[n % std::size(InjectedErrors)];
        SweepRuntime runtime;
        Program program(runtime);
        h.prepare(program);
        runtime.picturesAtReport = pictures.contains(n);
        runtime.failCall(n, error);
        h.raise(program);

        const QString where =
            u"%1, call %2 of %3"_s.arg(QString::fromUtf8(h.name)).arg(n).arg(calls);
        QVERIFY2(runtime.reported == std::vector<int>{error}, qPrintable(where));
        QVERIFY2(runtime.hasEnded(), qPrintable(where));
        QVERIFY2(runtime.exitStatus() == RuntimeErrorExitStatus, qPrintable(where));
        QVERIFY2(runtime.eventLoopLeft == 1, qPrintable(where));
        const Snapshot &cut = expected.at(n);
        QVERIFY2(runtime.atReport.state == cut.state,
                 qPrintable(where + firstDifference(runtime.atReport.state, cut.state)));
        QVERIFY2(runtime.atReport.pictures == cut.pictures,
                 qPrintable(where + u": pictures differ"_s));

        const qint64 callsAtEnd = runtime.callCount();
        tryEveryHandler();
        QVERIFY2(runtime.callCount() == callsAtEnd,
                 qPrintable(where + u": a handler ran after the end"_s));
        QVERIFY2(runtime.reported.size() == 1, qPrintable(where));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<Form *>(window) || !window->isVisible(), qPrintable(where));
    }
    qInfo("%s: %zu of %lld calls failed in turn", h.name.constData(), points.size(), calls);
    m_covered += static_cast<qint64>(points.size());
}

QTEST_MAIN(FaultSweep)
#include "tst_faultsweep.moc"
