// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every handler failed at each of its platform calls in turn. Each time the error report comes
// with the injected error, the program ends with a non-zero status and runs no further
// handler, and what the handler did before the failing call stays done: the program looks, to
// the core and on screen, exactly as an uninterrupted run looks just before that call. And the
// failing call itself takes no effect: what the windows showed when it failed, which is how
// the program stood before it, is what the controls hold at the report.

#include "comparison/form2.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "windowtest.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>
#include <set>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

// What the window paints, on screen: its widgets blanked out, whose looks follow the focus and
// the window's activation as the event loop delivers them; their state is in windowState.
QImage drawing(const Form &form)
{
    QImage image = testsupport::screenImage(form);
    if (image.isNull()) // a hidden window shows nothing
        return image;
    QPainter painter(&image);
    for (const WidgetControl *control : form.tabOrder())
        painter.fillRect(qtface::widgetOf(*control)->geometry(), Qt::black);
    return image;
}

// The windows the program has made so far: asking it for another would make that one.
std::vector<Form *> windowsMade(Program &program)
{
    std::vector<Form *> made;
    if (testsupport::windowMade("Form1"))
        made.push_back(&program.form1());
    if (testsupport::windowMade("Form2"))
        made.push_back(&program.form2());
    return made;
}

// Each window's visibility and its controls, from the side asked for; as shown, a window is
// visible as the window system has it.
QStringList windowState(Program &program, testsupport::Side side)
{
    QStringList state;
    for (const Form *form : windowsMade(program)) {
        const bool shown = side == testsupport::Side::Held ? form->isShown()
                                                           : qtface::windowOf(*form)->isVisible();
        state << QString::fromStdString(form->name()) + (shown ? u" shown"_s : u" hidden"_s)
              << testsupport::controlState(*form, side);
    }
    return state;
}

// What the program shows and holds: each window's visibility, controls and variables, and,
// when asked, each window's picture on screen.
struct Snapshot
{
    QStringList state;
    std::vector<QImage> pictures;
};

Snapshot snapshot(Program &program, bool withPictures)
{
    Snapshot shot;
    for (Form *form : windowsMade(program))
        form->flushChanges(); // what the handler changed so far, as before an error report
    shot.state = windowState(program, testsupport::Side::Both);
    if (testsupport::windowMade("Form1")) {
        const Form1 &lesson = program.form1();
        const auto i = lesson.i.value();
        shot.state << u"Thalb %1, Isotop %2, i %3, intClicks %4"_s
                          .arg(QString::number(lesson.Thalb, 'g', 17),
                               QString::fromStdString(lesson.Isotop),
                               i ? QString::number(*i) : u"empty"_s)
                          .arg(lesson.intClicks.value());
    }
    if (testsupport::windowMade("Form2"))
        shot.state << u"intIso %1, intZeit %2"_s.arg(program.form2().intIso.value())
                          .arg(program.form2().intZeit.value());
    if (withPictures)
        for (const Form *form : windowsMade(program))
            shot.pictures.push_back(drawing(*form));
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

// Records the report together with what the program shows behind it.
struct SweepFace final : testsupport::RecordingQtFace
{
    Program *program = nullptr;
    bool picturesAtReport = false;
    Snapshot atReport;
    QStringList heldAtReport; // windowState as the controls hold it

    void showReport(const RuntimeError &error) override
    {
        RecordingQtFace::showReport(error);
        atReport = snapshot(*program, picturesAtReport); // before the end hides the windows
        heldAtReport = windowState(*program, testsupport::Side::Held);
    }
};

// Fails the chosen call as the program would; or, told which calls to look at, lets every call
// through and takes a snapshot just before each of those: an uninterrupted run, cut anywhere.
class SweepRuntime final : public Runtime
{
public:
    explicit SweepRuntime(SweepFace &face)
        : Runtime(face, ",")
    { }

    Program *program = nullptr;

    // Calls counted from now, ascending.
    void lookAt(std::vector<qint64> calls, std::set<qint64> withPictures)
    {
        m_lookAt = std::move(calls);
        m_withPictures = std::move(withPictures);
        m_base = callCount();
        failCall(m_lookAt.front());
    }

    std::map<qint64, Snapshot> seen;
    QStringList shownAtFailure; // windowState as the windows show it when the call fails

protected:
    void injectedFailure(ErrorKind kind) override
    {
        if (m_next == m_lookAt.size()) {
            shownAtFailure = windowState(*program, testsupport::Side::Shown);
            Runtime::injectedFailure(kind);
            return;
        }
        const qint64 call = callCount() - m_base;
        seen[call] = snapshot(*program, m_withPictures.contains(call));
        if (++m_next < m_lookAt.size())
            failCall(m_lookAt[m_next] - call);
    }

private:
    std::vector<qint64> m_lookAt;
    std::set<qint64> m_withPictures;
    std::size_t m_next = 0;
    qint64 m_base = 0;
};

// A program under test, with the face and the runtime that watch it.
struct Session
{
    Session()
    {
        face.program = &program;
        runtime.program = &program;
    }

    SweepFace face;
    SweepRuntime runtime{face};
    Program program{runtime};
};

// Raises every handler there is, through the widgets; after the end none may run.
void tryEveryHandler(Program &program)
{
    if (testsupport::windowMade("Form1")) {
        auto *list = qobject_cast<QListWidget *>(testsupport::widget(program.form1().List1));
        if (list->count() > 0)
            list->setCurrentRow((list->currentRow() + 1) % list->count());
        for (CommandButton *button : {&program.form1().Command1, &program.form1().Command2})
            qobject_cast<QPushButton *>(testsupport::widget(*button))->click();
    }
    if (testsupport::windowMade("Form2"))
        for (CommandButton *button : {&program.form2().Command1, &program.form2().Command2})
            qobject_cast<QPushButton *>(testsupport::widget(*button))->click();
}

struct Handler
{
    QByteArray name;
    std::function<void(Program &)> prepare; // brings a new program to just before the handler
    std::function<void(Program &)> raise; // its event, as a pupil causes it
};

void pressWeiter(Program &program, int times)
{
    for (int n = 0; n < times; ++n)
        testsupport::press(program.form1().Command1);
}

const std::vector<Handler> &handlers()
{
    static const std::vector<Handler> table = [] {
        constexpr int Uran238 = 3;
        const auto choose = [](Program &p) { testsupport::choose(p.form1().List1, Uran238); };
        std::vector<Handler> rows;
        rows.push_back({"Form1 load", [](Program &) {}, [](Program &p) { p.form1(); }});
        rows.push_back({"List1 Click", [](Program &p) { p.start(); }, choose});
        for (int press = 1; press <= 9; ++press)
            rows.push_back({"Weiter, press " + QByteArray::number(press),
                            [=](Program &p) {
                                p.start();
                                choose(p);
                                pressWeiter(p, press - 1);
                            },
                            [](Program &p) { pressWeiter(p, 1); }});
        // Mid-lesson, so the state that must survive the switch is rich.
        rows.push_back({"Exkurs (Form1 Command2)",
                        [=](Program &p) {
                            p.start();
                            choose(p);
                            pressWeiter(p, 4);
                        },
                        [](Program &p) { testsupport::press(p.form1().Command2); }});
        rows.push_back({"Zurück (Form2 Command2)",
                        [=](Program &p) {
                            p.start();
                            choose(p);
                            pressWeiter(p, 4);
                            testsupport::press(p.form1().Command2);
                            testsupport::press(p.form2().Command1);
                        },
                        [](Program &p) { testsupport::press(p.form2().Command2); }});
        rows.push_back({"Start (Form2 Command1)",
                        [](Program &p) {
                            p.start();
                            testsupport::press(p.form1().Command2);
                        },
                        [](Program &p) { testsupport::press(p.form2().Command1); }});
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

// The errors the failures carry in turn, so the report is seen to pass on each one.
constexpr ErrorKind InjectedErrors[] = {ErrorKind::PlatformFailed, ErrorKind::Overflow,
                                        ErrorKind::OutOfMemory, ErrorKind::IndexOutOfRange,
                                        ErrorKind::DivisionByZero};

} // namespace

class FaultSweep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }
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
        Session session;
        h.prepare(session.program);
        const qint64 before = session.runtime.callCount();
        h.raise(session.program);
        calls = session.runtime.callCount() - before;
        QVERIFY(session.face.reported.empty());
        QVERIFY(calls > 0);
    }
    const std::vector<qint64> points = injectionPoints(calls);
    const std::set<qint64> pictures = picturePoints(points);

    std::map<qint64, Snapshot> expected;
    {
        Session session;
        h.prepare(session.program);
        session.runtime.lookAt(points, pictures);
        h.raise(session.program);
        QVERIFY(session.face.reported.empty());
        QCOMPARE(session.runtime.seen.size(), points.size());
        expected = std::move(session.runtime.seen);
    }

    for (const qint64 n : points) {
        const ErrorKind error = InjectedErrors[n % std::size(InjectedErrors)];
        Session session;
        h.prepare(session.program);
        session.face.picturesAtReport = pictures.contains(n);
        session.runtime.failCall(n, error);
        h.raise(session.program);

        const QString where =
            u"%1, call %2 of %3"_s.arg(QString::fromUtf8(h.name)).arg(n).arg(calls);
        QVERIFY2(session.face.reported == std::vector<ErrorKind>{error}, qPrintable(where));
        QVERIFY2(session.runtime.hasEnded(), qPrintable(where));
        QVERIFY2(session.face.ended == std::vector<int>{RuntimeErrorExitStatus}, qPrintable(where));
        const Snapshot &cut = expected.at(n);
        QVERIFY2(session.face.atReport.state == cut.state,
                 qPrintable(where + firstDifference(session.face.atReport.state, cut.state)));
        QVERIFY2(session.face.atReport.pictures == cut.pictures,
                 qPrintable(where + u": pictures differ"_s));
        QVERIFY2(
            session.face.heldAtReport == session.runtime.shownAtFailure,
            qPrintable(where + u": the failing call took effect"_s +
                       firstDifference(session.face.heldAtReport, session.runtime.shownAtFailure)));

        const qint64 callsAtEnd = session.runtime.callCount();
        tryEveryHandler(session.program);
        QVERIFY2(session.runtime.callCount() == callsAtEnd,
                 qPrintable(where + u": a handler ran after the end"_s));
        QVERIFY2(session.face.reported.size() == 1, qPrintable(where));
        for (const QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->inherits("qtface::FormWindow") || !window->isVisible(),
                     qPrintable(where));
    }
    qInfo("%s: %zu of %lld calls failed in turn", h.name.constData(), points.size(), calls);
    m_covered += static_cast<qint64>(points.size());
}

QTEST_MAIN(FaultSweep)
#include "tst_faultsweep.moc"
