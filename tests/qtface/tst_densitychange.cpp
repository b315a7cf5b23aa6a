// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Points set at one density and shown at another, as when the window moves to a denser
// screen: each stays in its logical pixel and fills all of that pixel's device pixels.

#include "forms/form.h"
#include "windowtest.h"

#include <QTest>
#include <QWindow>
#include <QtGui/private/qhighdpiscaling_p.h>

using namespace forms;
using testsupport::rgb;

namespace {

// 100 × 50 pixels; one user unit is one pixel, from the top-left corner.
const FormLayout layout{.name = "Points",
                        .caption = "Points",
                        .client = {0, 0, 1500, 750},
                        .scale = {.unitWidth = 15, .unitHeight = 15}};

struct Points final : Form
{
    explicit Points(Runtime &runtime)
        : Form(runtime, layout)
    { }
};

constexpr Colour Red = 0x000000FF;
constexpr Colour Green = 0x0000FF00;

} // namespace

class TestDensityChange : public testsupport::WindowTest<Points>
{
    Q_OBJECT

private Q_SLOTS:
    void pointsFollowTheDensity();
};

void TestDensityChange::pointsFollowTheDensity()
{
    Points &form = this->form();
    runtime().dispatch([&] {
        form.PSet(10, 10, Red);
        form.PSet(11, 10, Green); // its neighbour
        form.PSet(40, 20, Red);
    });
    QWidget *window = this->window();
    // Qt changes a density at run time only where it scales already: this test runs at 1.25.
    const qreal before = window->devicePixelRatioF();
    QVERIFY2(before != 1.0, "run with QT_SCALE_FACTOR set to a density other than 1");
    QImage image = testsupport::screenImage(form);
    QCOMPARE(testsupport::pixelAt(image, QPoint(10, 10)), rgb(Red));
    QCOMPARE(testsupport::pixelAt(image, QPoint(11, 10)), rgb(Green));

    // Now the screen has twice the device pixels per logical pixel of the one before it, and
    // the window is shown there anew.
    QHighDpiScaling::setScreenFactor(window->screen(), 2.0 / before);
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->devicePixelRatioF(), 2.0);
    image = testsupport::screenImage(form);
    QCOMPARE(image.size(), QSize(200, 100));
    const QRgb background = rgb(Default::FormBackColor);
    // Each point is the 2 × 2 block of its logical pixel, and nothing around it is inked.
    for (int y = 18; y < 24; ++y) {
        for (int x = 18; x < 26; ++x) {
            const bool red = x / 2 == 10 && y / 2 == 10;
            const bool green = x / 2 == 11 && y / 2 == 10;
            QCOMPARE(image.pixel(x, y), red ? rgb(Red) : green ? rgb(Green) : background);
        }
    }
    for (int y = 38; y < 44; ++y)
        for (int x = 78; x < 84; ++x)
            QCOMPARE(image.pixel(x, y), x / 2 == 40 && y / 2 == 20 ? rgb(Red) : background);
}

QTEST_MAIN(TestDensityChange)
#include "tst_densitychange.moc"
