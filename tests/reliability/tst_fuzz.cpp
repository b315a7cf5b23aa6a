// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random input, the way a class of pupils gives it: clicks on every control and anywhere in
// the windows, any key a pupil may touch to whatever has the focus, presses that arrive while
// a handler is still drawing, and now and then a window closed. After every event the program
// must hold its invariants, those a pupil could see among them: the captions name the isotope
// the list shows selected, "Weiter" is enabled once an isotope is chosen, the legend shows
// once "Start" has drawn, and the curve's colours match the step. Each seed is one
// reproducible sequence of 1000 events over as many programs as it takes; a failure names its
// seed.
//
//     tst_fuzz                          3 seeds, 3000 events (the default test run)
//     ZF_FUZZ_EVENTS=100000 tst_fuzz    seeds 1 to 100, 100 000 events
//     ZF_FUZZ_SEED=42 tst_fuzz          seed 42 alone, exactly as in the runs above

#include "comparison/form2.h"
#include "decay/decay.h"
#include "faces/qt/painting.h"
#include "lesson/form1.h"
#include "lessoncurve.h"
#include "program/program.h"
#include "windowtest.h"

#include <QApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <random>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

bool shown(const Form &form)
{
    return qtface::windowOf(form)->isVisible();
}

constexpr int EventsPerSeed = 1000;
constexpr int DefaultEvents = 3000;
constexpr int LastPress = 9; // the ninth press of "Weiter" ends the program

struct Totals
{
    qint64 events = 0;
    qint64 programs = 0;
    qint64 weiterPresses = 0; // handled
    qint64 startPresses = 0; // handled
    qint64 lessonsFinished = 0;
    qint64 windowsClosed = 0;
};

// One seed's run: programs one after the other, each until it ends, fed random input.
class Fuzzer
{
public:
    Fuzzer(quint32 seed, Totals &totals)
        : m_random(seed)
        , m_totals(totals)
    { }
    ~Fuzzer() { endProgram(); }

    // Feeds this many events; returns what went wrong, or nothing.
    QString run(int events);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    QPoint somewhereIn(const QRect &rect)
    {
        return {rect.left() + below(std::max(rect.width(), 1)),
                rect.top() + below(std::max(rect.height(), 1))};
    }

    void newProgram();
    void endProgram();
    void watchComparison();
    Form &visibleForm() const;
    void clickControl();
    void clickAnywhere();
    void pressKey();
    int burst();
    void closeWindow();
    void follow();
    QString check() const;
    QString lessonProblem() const;
    QString curveProblem() const;
    void log(const QString &what);

    std::mt19937 m_random;
    Totals &m_totals;
    std::unique_ptr<testsupport::RecordingQtFace> m_face;
    std::unique_ptr<Runtime> m_runtime;
    std::unique_ptr<Program> m_program;
    Form1 *m_lesson = nullptr;
    Form2 *m_comparison = nullptr; // once the program has made it
    // What the program must look like, kept from the presses seen handled.
    int m_clicks = 0;
    bool m_ended = false;
    bool m_closed = false;
    int m_starts = 0;
    bool m_comparisonWasShown = false;
    int m_startsWhenShown = 0; // when the comparison window last appeared
    QString m_violation;
    std::deque<QString> m_recent; // the last events, for the failure message
};

void Fuzzer::newProgram()
{
    endProgram();
    m_face = std::make_unique<testsupport::RecordingQtFace>();
    m_runtime = std::make_unique<Runtime>(*m_face, ",");
    m_program = std::make_unique<Program>(*m_runtime);
    m_program->start();
    m_lesson = &m_program->form1();
    m_clicks = 0;
    m_ended = m_closed = m_comparisonWasShown = false;
    m_starts = m_startsWhenShown = 0;
    ++m_totals.programs;
    auto *weiter = qobject_cast<QPushButton *>(testsupport::widget(m_lesson->Command1));
    // Connected after the window's own handler, so this sees each press once it is handled.
    QObject::connect(weiter, &QPushButton::clicked, weiter, [this] {
        const int now = m_lesson->intClicks.value();
        const int expected = m_ended ? m_clicks : m_clicks + 1;
        if (now != expected && m_violation.isEmpty())
            m_violation =
                u"a press of Weiter took intClicks from %1 to %2"_s.arg(m_clicks).arg(now);
        m_totals.weiterPresses += now - m_clicks;
        m_clicks = now;
        m_ended = m_runtime->hasEnded();
    });
    if (!QTest::qWaitForWindowExposed(qtface::windowOf(*m_lesson)))
        m_violation = u"the lesson window never showed"_s;
}

void Fuzzer::endProgram()
{
    m_lesson = nullptr;
    m_comparison = nullptr;
    m_program.reset();
    m_runtime.reset();
    m_face.reset();
}

void Fuzzer::watchComparison()
{
    if (m_comparison || !testsupport::windowMade("Form2"))
        return;
    m_comparison = &m_program->form2();
    auto *start = qobject_cast<QPushButton *>(testsupport::widget(m_comparison->Command1));
    QObject::connect(start, &QPushButton::clicked, start, [this] {
        if (!m_runtime->hasEnded()) {
            ++m_starts;
            ++m_totals.startPresses;
        }
    });
}

Form &Fuzzer::visibleForm() const
{
    if (m_comparison && shown(*m_comparison))
        return *m_comparison;
    return *m_lesson;
}

void Fuzzer::log(const QString &what)
{
    m_recent.push_back(what);
    if (m_recent.size() > 12)
        m_recent.pop_front();
}

// A left click, now and then a right or a double one, on a control of the visible window: a
// button, an entry of the list, a label or a line.
void Fuzzer::clickControl()
{
    Form &form = visibleForm();
    QWidget *window = qtface::windowOf(form);
    const auto &control =
        form.controls()[static_cast<std::size_t>(below(static_cast<int>(form.controls().size())))];
    QRect area;
    if (const auto *list = dynamic_cast<const ListBox *>(control.get())) {
        auto *widget = qobject_cast<QListWidget *>(testsupport::widget(*list));
        const QRect item = widget->visualItemRect(widget->item(below(widget->count())));
        area = QRect(widget->viewport()->mapTo(window, item.topLeft()), item.size());
    } else if (const auto *widget = dynamic_cast<const WidgetControl *>(control.get())) {
        area = qtface::widgetOf(*widget)->geometry();
    } else {
        area = qtface::toQRect(static_cast<const GraphicalControl &>(*control).bounds());
    }
    // Some boxes reach beyond the window's edge; there nothing can be clicked.
    const QPoint where = somewhereIn(area & window->rect());
    const int kind = below(20);
    log(u"%1 click on %2 of %3 at %4,%5"_s
            .arg(kind == 0       ? u"double"_s
                     : kind == 1 ? u"right"_s
                                 : u"left"_s,
                 QString::fromStdString(control->name()), window->objectName())
            .arg(where.x())
            .arg(where.y()));
    if (kind == 0)
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, where);
    else
        QTest::mouseClick(window->windowHandle(), kind == 1 ? Qt::RightButton : Qt::LeftButton, {},
                          where);
}

void Fuzzer::clickAnywhere()
{
    QWidget *window = qtface::windowOf(visibleForm());
    const QPoint where = somewhereIn(window->rect());
    log(u"click on %1 at %2,%3"_s.arg(window->objectName()).arg(where.x()).arg(where.y()));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, where);
}

// One key, delivered by the window to its focus widget: any a pupil may touch, from the arrows
// and the page keys to letters, function keys and the shortcuts that close windows elsewhere.
void Fuzzer::pressKey()
{
    static const std::vector<QKeyCombination> keys = [] {
        // First the keys that move in a list or press a button, as often as all the others.
        std::vector<QKeyCombination> all = {Qt::Key_Tab,
                                            Qt::ShiftModifier | Qt::Key_Backtab,
                                            Qt::Key_Up,
                                            Qt::Key_Down,
                                            Qt::Key_Left,
                                            Qt::Key_Right,
                                            Qt::Key_Home,
                                            Qt::Key_End,
                                            Qt::Key_PageUp,
                                            Qt::Key_PageDown,
                                            Qt::ControlModifier | Qt::Key_End,
                                            Qt::Key_Space,
                                            Qt::ControlModifier | Qt::Key_Space,
                                            Qt::Key_Return,
                                            Qt::KeypadModifier | Qt::Key_Enter,
                                            Qt::Key_Escape,
                                            Qt::Key_Backspace,
                                            Qt::Key_Delete,
                                            Qt::AltModifier | Qt::Key_F4,
                                            Qt::ControlModifier | Qt::Key_Q,
                                            Qt::ControlModifier | Qt::Key_W,
                                            Qt::ControlModifier | Qt::Key_A};
        for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
            all.push_back(Qt::Key(key));
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
            all.push_back(Qt::Key(key));
        for (int key = Qt::Key_F1; key <= Qt::Key_F12; ++key)
            all.push_back(Qt::Key(key));
        return all;
    }();
    const QKeyCombination key = keys[static_cast<std::size_t>(
        below(2) == 0 ? below(16) : below(static_cast<int>(keys.size())))];
    QWidget *window = qtface::windowOf(visibleForm());
    const QWidget *focus = window->focusWidget();
    log(u"%1 on %2 (focus %3)"_s.arg(QKeySequence(key).toString(), window->objectName(),
                                     focus ? focus->objectName() : u"none"_s));
    QTest::keyClick(window->windowHandle(), key.key(), key.keyboardModifiers());
}

// Presses that come in while a handler still draws: posted to the visible window's first
// button before any is handled, mouse or space bar, now and then followed by one on its second
// button. Each must be handled afterwards, in turn.
int Fuzzer::burst()
{
    Form &form = visibleForm();
    const bool lesson = &form == m_lesson;
    const auto button = [](CommandButton &control) {
        return qobject_cast<QPushButton *>(testsupport::widget(control));
    };
    QPushButton *first = button(lesson ? m_lesson->Command1 : m_comparison->Command1);
    QPushButton *second = button(lesson ? m_lesson->Command2 : m_comparison->Command2);
    const int presses = 2 + below(4);
    const bool then = below(4) == 0;
    const bool byKey = below(2) == 0;
    log(u"%1 presses on %2 of %3 by %4%5"_s.arg(presses).arg(
        first->objectName(), qtface::windowOf(form)->objectName(), byKey ? u"key"_s : u"mouse"_s,
        then ? u", then one on "_s + second->objectName() : QString()));

    const auto post = [byKey](QPushButton *button) {
        // The application takes the events over.
        if (byKey) {
            QCoreApplication::postEvent(
                button, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s));
            QCoreApplication::postEvent(
                button, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, u" "_s));
            return;
        }
        const QPointF centre = QRectF(button->rect()).center();
        const QPointF global = button->mapToGlobal(centre);
        QCoreApplication::postEvent(button,
                                    new QMouseEvent(QEvent::MouseButtonPress, centre, global,
                                                    Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(button,
                                    new QMouseEvent(QEvent::MouseButtonRelease, centre, global,
                                                    Qt::LeftButton, Qt::NoButton, {}));
    };
    const int clicksBefore = m_clicks;
    const int startsBefore = m_starts;
    const bool weiterTakes = lesson && first->isEnabled();
    for (int n = 0; n < presses; ++n)
        post(first);
    if (then)
        post(second);
    QCoreApplication::processEvents();

    if (lesson) {
        const int expected =
            weiterTakes ? std::min(clicksBefore + presses, LastPress) : clicksBefore;
        if (m_clicks != expected && m_violation.isEmpty())
            m_violation = u"%1 presses of Weiter took intClicks from %2 to %3"_s.arg(presses)
                              .arg(clicksBefore)
                              .arg(m_clicks);
    } else if (m_starts - startsBefore != presses && m_violation.isEmpty()) {
        m_violation =
            u"%1 presses of Start ran it %2 times"_s.arg(presses).arg(m_starts - startsBefore);
    }
    return presses + (then ? 1 : 0);
}

void Fuzzer::closeWindow()
{
    QWidget *window = qtface::windowOf(visibleForm());
    log(u"close "_s + window->objectName());
    m_closed = true;
    ++m_totals.windowsClosed;
    window->close();
}

// Notes when the comparison window appears, from which on its legend waits for "Start".
void Fuzzer::follow()
{
    const bool comparisonShown = m_comparison && shown(*m_comparison);
    if (comparisonShown && !m_comparisonWasShown)
        m_startsWhenShown = m_starts;
    m_comparisonWasShown = comparisonShown;
}

QString Fuzzer::check() const
{
    if (!m_violation.isEmpty())
        return m_violation;
    if (!m_face->reported.empty())
        return u"error report %1"_s.arg(int(m_face->reported.front()));
    const bool lessonShown = shown(*m_lesson);
    const bool comparisonShown = m_comparison && shown(*m_comparison);
    if (lessonShown && comparisonShown)
        return u"both windows visible"_s;
    // While the program runs one window shows, after its end none.
    const bool ended = m_runtime->hasEnded();
    if (ended == (lessonShown || comparisonShown))
        return ended ? u"a window visible after the end"_s : u"no window visible"_s;
    if (m_lesson->intClicks.value() != m_clicks)
        return u"intClicks became %1 without a press"_s.arg(m_lesson->intClicks.value());
    if (ended != (m_clicks == LastPress || m_closed))
        return u"ended %1 after %2 presses, window closed %3"_s.arg(ended).arg(m_clicks).arg(
            m_closed);
    if (ended && m_runtime->exitStatus() != 0)
        return u"exit status %1"_s.arg(m_runtime->exitStatus());
    const QString weiter =
        qobject_cast<QPushButton *>(testsupport::widget(m_lesson->Command1))->text();
    if ((weiter == u"Ende"_s) != (m_clicks >= 8))
        return u"Weiter reads %1 after %2 presses"_s.arg(weiter).arg(m_clicks);
    if (const QString problem = lessonProblem(); !problem.isEmpty())
        return problem;
    if (const QString problem = curveProblem(); !problem.isEmpty())
        return problem;
    // The legend shows exactly once "Start" has drawn since the window appeared. Before the
    // first "Start" its entries are there but empty.
    if (m_comparison && !ended) {
        const bool expected = comparisonShown && m_starts > m_startsWhenShown;
        for (const Label *legend :
             {&m_comparison->Label1, &m_comparison->Label2, &m_comparison->Label3,
              &m_comparison->Label4, &m_comparison->Label5})
            if ((legend->isVisible() && !legend->caption().empty()) != expected)
                return u"legend entry %1 %2 after %3 presses of Start"_s
                    .arg(QString::fromStdString(legend->name()),
                         expected ? u"missing"_s : u"shown"_s)
                    .arg(m_starts - m_startsWhenShown);
    }
    return {};
}

// The list shows the entry the lesson holds chosen, a real one, and the captions name it;
// "Weiter" is enabled exactly once a choice is made.
QString Fuzzer::lessonProblem() const
{
    // Each entry's half-life as the lesson writes it, in the fuzz's number format.
    static const char *const halfLives[] = {"1280", "14050", "703,8", "4468", "0,00573"};
    const ListBox &list = m_lesson->List1;
    const int chosen = list.selectedIndex();
    const auto *view = qobject_cast<QListWidget *>(testsupport::widget(list));
    const QList<QListWidgetItem *> selected = view->selectedItems();
    const int shownRow = selected.isEmpty() ? -1 : view->row(selected.first());
    if (chosen < -1 || chosen >= static_cast<int>(list.items().size()) || shownRow != chosen ||
        view->count() != static_cast<int>(list.items().size()))
        return u"the list holds entry %1 of %2 chosen and shows row %3 of %4"_s.arg(chosen)
            .arg(list.items().size())
            .arg(shownRow)
            .arg(view->count());
    const bool weiterOn = m_lesson->Command1.isEnabled();
    if (weiterOn != (chosen >= 0) ||
        testsupport::widget(m_lesson->Command1)->isEnabled() != weiterOn)
        return u"Weiter %1 with entry %2 chosen"_s.arg(weiterOn ? u"on"_s : u"off"_s).arg(chosen);
    if (chosen < 0)
        return {};
    const std::string &name = list.items()[static_cast<std::size_t>(chosen)];
    const std::string halfLife =
        "Zerfallsfrist =  " + std::string(halfLives[chosen]) + " Millionen Jahre";
    if (m_lesson->Label10.caption() != name || m_lesson->Label11.caption() != halfLife)
        return u"%1 chosen, the captions read %2 and %3"_s.arg(
            QString::fromStdString(name), QString::fromStdString(m_lesson->Label10.caption()),
            QString::fromStdString(m_lesson->Label11.caption()));
    return {};
}

// The curve's four half-lives and its tail, in the colours the last press gave them: the
// half-life it walked to red, the one before settled blue, none red or settled that the lesson
// has not reached. A new choice draws the whole curve afresh in the window's colour.
QString Fuzzer::curveProblem() const
{
    const PointImage &points = m_lesson->points();
    if (m_lesson->List1.selectedIndex() < 0)
        return points.isEmpty() ? QString() : u"points before any choice"_s;
    const Rgba fore = toRgba(testsupport::lesson::Foreground),
               red = toRgba(testsupport::lesson::Red),
               settled = toRgba(testsupport::lesson::Settled);
    const int walkedTo = m_clicks >= 4 && m_clicks <= 7 ? m_clicks - 3 : 0;
    const int settledUpTo = m_clicks >= 8 ? 4 : std::max(walkedTo - 1, 0);
    const std::string &said = m_lesson->announcement();
    const bool afterChoice = said.starts_with(m_lesson->Isotop + ": ");
    const bool afterPress = said.starts_with("Rot hervorgehoben") ||
        said.starts_with("Die Hervorhebung ist aufgehoben");
    for (int segment = 1; segment <= 5; ++segment) { // 5: the tail
        // Its middle, away from the ends it shares with its neighbours.
        const auto point = decay::lessonPoint(static_cast<std::int16_t>(
            (segment - 1) * decay::StepsPerHalfLife + decay::StepsPerHalfLife / 2));
        const Rgba colour = points.at(*m_lesson->scale().toPixel(point.x, point.y));
        bool right = (colour == red && segment == walkedTo) ||
            (colour == settled && segment <= settledUpTo) || colour == fore;
        if (afterChoice || segment == 5)
            right = colour == fore;
        else if (afterPress && segment == walkedTo)
            right = colour == red;
        else if (afterPress && segment == settledUpTo)
            right = colour == settled;
        if (!right)
            return u"half-life %1 of the curve has the colour %2 after %3 presses"_s.arg(segment)
                .arg(colour, 8, 16, QChar(u'0'))
                .arg(m_clicks);
    }
    return {};
}

QString Fuzzer::run(int events)
{
    for (int event = 0; event < events;) {
        if (!m_program || m_runtime->hasEnded()) {
            if (m_program)
                m_totals.lessonsFinished += m_clicks == LastPress ? 1 : 0;
            newProgram();
        }
        watchComparison();
        // Per thousand: clicks on controls, clicks anywhere, keys, bursts, a window closed.
        const int kind = below(1000);
        int done = 1;
        if (kind < 400)
            clickControl();
        else if (kind < 550)
            clickAnywhere();
        else if (kind < 900)
            pressKey();
        else if (kind < 998)
            done = burst();
        else
            closeWindow();
        watchComparison();
        follow();
        event += done;
        m_totals.events += done;
        if (const QString problem = check(); !problem.isEmpty()) {
            QString message = u"event %1: %2\n   last events:"_s.arg(event).arg(problem);
            for (const QString &line : m_recent)
                message += u"\n     "_s + line;
            return message;
        }
    }
    return {};
}

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

} // namespace

class Fuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }
    void randomInput_data();
    void randomInput();
    void cleanupTestCase();

private:
    Totals m_totals;
};

void Fuzz::randomInput_data()
{
    QTest::addColumn<quint32>("seed");
    if (const int seed = environmentNumber("ZF_FUZZ_SEED", 0)) {
        QTest::addRow("seed %d", seed) << static_cast<quint32>(seed);
        return;
    }
    const int seeds =
        (environmentNumber("ZF_FUZZ_EVENTS", DefaultEvents) + EventsPerSeed - 1) / EventsPerSeed;
    for (int seed = 1; seed <= seeds; ++seed)
        QTest::addRow("seed %d", seed) << static_cast<quint32>(seed);
}

void Fuzz::randomInput()
{
    QFETCH(quint32, seed);
    Totals totals;
    const QString problem = Fuzzer(seed, totals).run(EventsPerSeed);
    QVERIFY2(problem.isEmpty(),
             qPrintable(u"seed %1, %2\n   replay: ZF_FUZZ_SEED=%1 QT_QPA_PLATFORM=offscreen "
                        u"build/tests/reliability/tst_fuzz"_s.arg(seed)
                            .arg(problem)));
    qInfo("seed %u: %lld events, %lld programs, %lld presses of Weiter, %lld of Start, %lld "
          "lessons to the end, %lld windows closed",
          seed, totals.events, totals.programs, totals.weiterPresses, totals.startPresses,
          totals.lessonsFinished, totals.windowsClosed);
    m_totals.events += totals.events;
}

void Fuzz::cleanupTestCase()
{
    qInfo("%lld events in all", m_totals.events);
}

QTEST_MAIN(Fuzz)
#include "tst_fuzz.moc"
