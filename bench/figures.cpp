// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The handlers and the repaints that follow them, each beside its floor: the same points
// computed and written straight into an image of the window's size, and one prepared image
// painted into another of that size. Only the handler or the painting itself is timed; setting
// up the window and letting Qt catch up between iterations are not.

#include "comparison/form2.h"
#include "decay/decay.h"
#include "faces/qt/qtface.h"
#include "lesson/form1.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <vector>

namespace {

constexpr forms::Colour Red = 0x000000FF; // a highlighted segment
constexpr forms::Colour SettledBlue = 0x00F00000; // a segment after its highlight

// Iterations of the figures that build a fresh window for each; enough for a steady mean.
constexpr int FreshWindowIterations = 40;

// The clock a figure is timed on. By default the processor time of the whole process: other
// processes on a busy machine stay out of the figures, and work that Qt hands to its pool
// threads (it fills and blends large images on several cores) stays in. ZF_BENCH_CLOCK=thread
// times this thread alone, ZF_BENCH_CLOCK=wall the time that passes.
clockid_t figureClock()
{
    const char *chosen = std::getenv("ZF_BENCH_CLOCK");
    const std::string_view name = chosen ? chosen : "process";
    if (name == "thread")
        return CLOCK_THREAD_CPUTIME_ID;
    if (name == "wall")
        return CLOCK_MONOTONIC;
    if (name != "process") {
        std::fprintf(stderr, "ZF_BENCH_CLOCK=%s: expected process, thread or wall\n", chosen);
        std::exit(2);
    }
    return CLOCK_PROCESS_CPUTIME_ID;
}

// Times one call of `work` as the iteration's time, on the figures' clock.
template<typename Work> void timeOnce(benchmark::State &state, Work work)
{
    static const clockid_t clock = figureClock();
    const auto now = [] {
        timespec time{};
        clock_gettime(clock, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    };
    const double start = now();
    work();
    state.SetIterationTime(now() - start);
}

// Lets Qt handle what a handler left queued: the repaint request, then the repaint.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The lesson window as the program shows it, fed the pupil's input the way the face feeds it.
struct Lesson
{
    qtface::QtFace face;
    forms::Runtime runtime{face, ","};
    Form1 form{runtime};

    Lesson()
    {
        form.load();
        runtime.dispatch([this] { form.Show(); });
        settle();
    }
    QWidget &window() const { return *qtface::windowOf(form); }
    void choose(int row) { form.List1.choose(row); }
    void press() { form.Command1.press(); }

    // A fresh lesson as a pupil reaches the given press of "Weiter": Uran 238 chosen, the
    // presses before it made, each repainted.
    static std::unique_ptr<Lesson> before(int press)
    {
        auto lesson = std::make_unique<Lesson>();
        lesson->choose(3);
        settle();
        for (int n = 1; n < press; ++n) {
            lesson->press();
            settle();
        }
        return lesson;
    }
};

// The comparison window as the program shows it, fresh: its legend still empty.
struct Comparison
{
    qtface::QtFace face;
    forms::Runtime runtime{face, ","};
    Form2 form{runtime};

    Comparison()
    {
        runtime.dispatch([this] { form.Show(); });
        settle();
    }
    QWidget &window() const { return *qtface::windowOf(form); }
    void start() { form.Command1.press(); }
    // What "Zurück" does to the window on the way back to the lesson: the legend is hidden.
    void hideLegend()
    {
        runtime.dispatch([this] {
            for (forms::Label *legend :
                 {&form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5})
                legend->setVisible(false);
        });
        settle();
    }
};

// The repaint that follows a handler, as Qt makes it once the handler has returned: any calls
// the handler's widgets queued, then the window's update request, which paints what changed,
// widgets included, into its backing store, an image of the window's size in device pixels,
// and hands it to the platform.
void timeRepaint(benchmark::State &state, QWidget &window)
{
    timeOnce(state, [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
    });
}

// What a repaint paints into: an image of the window's size in device pixels.
QImage imageOf(QSize logicalSize, qreal ratio)
{
    QImage image(logicalSize * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

// The floor of setting points: the window's user scale and pixel mapping, and a write into
// plain pixels of its client size, with no window around them. The values come from the same
// decay module the handlers use.
class PointFloor
{
public:
    explicit PointFloor(const forms::FormLayout &windowLayout)
        : m_scale(windowLayout.scale)
        , m_width(windowLayout.client.toPixels().width)
        , m_height(windowLayout.client.toPixels().height)
        , m_pixels(std::size_t(m_width) * std::size_t(m_height))
    { }

    // Sets the points `first` to `last` of the lesson's curve.
    void curve(std::int16_t first, std::int16_t last, forms::Colour colour)
    {
        const forms::Rgba rgba = forms::toRgba(colour);
        for (std::int16_t n = first; n <= last; ++n) {
            const auto point = decay::lessonPoint(n);
            set(point.x, point.y, rgba);
        }
        benchmark::DoNotOptimize(m_pixels.data());
    }

    // Sets the comparison's five curves, as its "Start" computes them.
    void comparison()
    {
        constexpr float halfLives[] = {30, 432.2f, 1600, 5730, 24110}; // [years]
        constexpr forms::Colour colours[] = {0x008080FF, 0x00C00000, 0x000000FF, 0x000040C0,
                                             0x00FF00FF};
        for (int iso = 0; iso < 5; ++iso) {
            const forms::Rgba rgba = forms::toRgba(colours[iso]);
            for (std::int16_t years = 0; years <= 10000; ++years) {
                const float t = years;
                set(t, decay::remainingOfSample(t, halfLives[iso]), rgba);
            }
        }
        benchmark::DoNotOptimize(m_pixels.data());
    }

private:
    void set(float x, float y, forms::Rgba rgba)
    {
        const auto pixel = m_scale.toPixel(x, y);
        if (pixel && pixel->x >= 0 && pixel->y >= 0 && pixel->x < m_width && pixel->y < m_height)
            m_pixels[std::size_t(pixel->y) * std::size_t(m_width) + std::size_t(pixel->x)] = rgba;
    }

    forms::UserScale m_scale;
    int m_width;
    int m_height;
    std::vector<forms::Rgba> m_pixels;
};

// A floor runs after the same untimed preparation as its figure, so that both start with the
// caches and branch predictors in the same state: run back to back with nothing in between, a
// floor would keep its tables and pixels hot and flatter itself.

// --- Lesson: choosing an isotope ---------------------------------------------------------

// Each isotope in turn, so that every caption changes, as when a pupil picks another one.
class Choices
{
public:
    int next() { return m_row++ % 5; }

private:
    int m_row = 0;
};

void list1Click(benchmark::State &state)
{
    Lesson lesson;
    Choices choices;
    for (auto _ : state) {
        timeOnce(state, [&] { lesson.choose(choices.next()); });
        settle();
    }
}

void list1ClickFloor(benchmark::State &state)
{
    Lesson lesson;
    Choices choices;
    PointFloor floor(Form1::layout());
    const forms::Colour foreColor = *Form1::layout().foreColor;
    for (auto _ : state) {
        lesson.choose(choices.next());
        settle();
        timeOnce(state, [&] { floor.curve(0, decay::LessonLastIndex, foreColor); });
    }
}

void list1ClickRepaint(benchmark::State &state)
{
    Lesson lesson;
    Choices choices;
    for (auto _ : state) {
        lesson.choose(choices.next());
        timeRepaint(state, lesson.window());
        settle();
    }
}

// The whole window with its widgets, painted into an image after a click in the list.
void list1ClickRender(benchmark::State &state)
{
    Lesson lesson;
    Choices choices;
    QImage image = imageOf(lesson.window().size(), lesson.window().devicePixelRatioF());
    for (auto _ : state) {
        lesson.choose(choices.next());
        timeOnce(state, [&] { lesson.window().render(&image); });
        settle();
    }
}

// The floor of a repaint of the lesson window: one prepared image of its size painted into
// another, after a click in the list.
void list1ClickRepaintFloor(benchmark::State &state)
{
    Lesson lesson;
    Choices choices;
    const qreal ratio = lesson.window().devicePixelRatioF();
    const QImage source = imageOf(lesson.window().size(), ratio);
    QImage target = imageOf(lesson.window().size(), ratio);
    for (auto _ : state) {
        lesson.choose(choices.next());
        timeOnce(state, [&] {
            QPainter painter(&target);
            painter.drawImage(QPoint(), source);
        });
        settle();
    }
}

// --- Lesson: the presses of "Weiter" that draw two segments ------------------------------

// Press 3 + k draws segment k - 1 again in blue and segment k in red, 502 points in all.
void weiterPress(benchmark::State &state)
{
    const auto press = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto lesson = Lesson::before(press);
        timeOnce(state, [&] { lesson->press(); });
        settle();
    }
}

void weiterPressFloor(benchmark::State &state)
{
    const auto press = static_cast<int>(state.range(0));
    const auto first = [](int segment) {
        return static_cast<std::int16_t>((segment - 1) * decay::StepsPerHalfLife);
    };
    const int segment = press - 3;
    PointFloor floor(Form1::layout());
    for (auto _ : state) {
        const auto lesson = Lesson::before(press);
        timeOnce(state, [&] {
            floor.curve(first(segment - 1), first(segment), SettledBlue);
            floor.curve(first(segment), first(segment + 1), Red);
        });
    }
}

void weiterPressRepaint(benchmark::State &state)
{
    const auto press = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto lesson = Lesson::before(press);
        lesson->press();
        timeRepaint(state, lesson->window());
        settle();
    }
}

// --- Comparison: "Start" draws 50005 points and shows the legend --------------------------

// The first press in a freshly shown window, as a pupil makes it: the window makes its point
// image for the first point it gets.
void firstStart(benchmark::State &state)
{
    for (auto _ : state) {
        Comparison comparison;
        timeOnce(state, [&] { comparison.start(); });
        settle();
    }
}

// A press after a return to the window, which has its point image and drawing already.
void start(benchmark::State &state)
{
    Comparison comparison;
    comparison.start();
    settle();
    for (auto _ : state) {
        comparison.hideLegend();
        timeOnce(state, [&] { comparison.start(); });
        settle();
    }
}

void startFloor(benchmark::State &state)
{
    Comparison comparison;
    comparison.start();
    settle();
    PointFloor floor(Form2::layout());
    for (auto _ : state) {
        comparison.hideLegend();
        timeOnce(state, [&] { floor.comparison(); });
    }
}

void startRepaint(benchmark::State &state)
{
    Comparison comparison;
    for (auto _ : state) {
        comparison.hideLegend();
        comparison.start();
        timeRepaint(state, comparison.window());
        settle();
    }
}

void startRender(benchmark::State &state)
{
    Comparison comparison;
    QImage image = imageOf(comparison.window().size(), comparison.window().devicePixelRatioF());
    for (auto _ : state) {
        comparison.hideLegend();
        comparison.start();
        timeOnce(state, [&] { comparison.window().render(&image); });
        settle();
    }
}

void startRepaintFloor(benchmark::State &state)
{
    Comparison comparison;
    const qreal ratio = comparison.window().devicePixelRatioF();
    const QImage source = imageOf(comparison.window().size(), ratio);
    QImage target = imageOf(comparison.window().size(), ratio);
    for (auto _ : state) {
        comparison.hideLegend();
        comparison.start();
        timeOnce(state, [&] {
            QPainter painter(&target);
            painter.drawImage(QPoint(), source);
        });
        settle();
    }
}

// Every figure is timed by hand, around the handler or the painting alone.
template<typename... Args> benchmark::internal::Benchmark *figure(const char *name, Args &&...args)
{
    return benchmark::RegisterBenchmark(name, std::forward<Args>(args)...)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

void registerFigures()
{
    figure("handler/List1Click", list1Click);
    figure("floor/List1Click", list1ClickFloor);
    figure("handler/Weiter", weiterPress)->DenseRange(5, 7)->Iterations(FreshWindowIterations);
    figure("floor/Weiter", weiterPressFloor)->DenseRange(5, 7)->Iterations(FreshWindowIterations);

    figure("repaint/List1Click", list1ClickRepaint);
    figure("repaint/Weiter", weiterPressRepaint)
        ->DenseRange(5, 7)
        ->Iterations(FreshWindowIterations);
    figure("render/Form1", list1ClickRender);
    figure("floor/repaint/Form1", list1ClickRepaintFloor);

    figure("handler/FirstStart", firstStart)->Iterations(FreshWindowIterations);
    figure("handler/Start", start)->Iterations(FreshWindowIterations);
    figure("floor/Start", startFloor)->Iterations(FreshWindowIterations);
    figure("repaint/Start", startRepaint)->Iterations(FreshWindowIterations);
    figure("render/Form2", startRender)->Iterations(FreshWindowIterations);
    figure("floor/repaint/Form2", startRepaintFloor)->Iterations(FreshWindowIterations);
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zerfallsfrist"));
    qtface::prepareApplication();

    registerFigures();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
