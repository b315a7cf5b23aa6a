// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window on screen: its transparent labels and the five curves that "Start"
// draws, as the platform shows them.

#include "comparison/form2.h"
#include "faces/qt/painting.h"
#include "windowtest.h"

#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;
using testsupport::screenImage;

namespace {

// The legend's colours, 0x00BBGGRR.
constexpr Colour Caesium = 0x008080FF; // red 255, green 128, blue 128
constexpr Colour Americium = 0x00C00000; // blue 192
constexpr Colour Radium = 0x000000FF; // red 255
constexpr Colour Carbon = 0x000040C0; // red 192, green 64
constexpr Colour Plutonium = 0x00FF00FF; // red 255, blue 255

} // namespace

class TestComparisonWindow : public testsupport::WindowTest<Form2>
{
    Q_OBJECT

private Q_SLOTS:
    void labelsAreTransparent();
    void curvesOnScreen_data();
    void curvesOnScreen();
    void secondStartChangesNoPixel();

private:
    QPoint pixelOf(double x, double y) const
    {
        const auto pixel = form().scale().toPixel(x, y);
        return pixel ? QPoint(pixel->x, pixel->y) : QPoint(-1, -1);
    }
};

void TestComparisonWindow::labelsAreTransparent()
{
    // Off their text, the labels' boxes show the window's white, not a label background.
    testsupport::press(form().Command1); // the legend has its captions only after "Start"
    const QImage image = screenImage(form());
    const QRgb background = rgb(form().backColor());
    QVERIFY(background != rgb(SystemColour::ButtonFace));
    for (const Label *label : form().labels()) {
        const QRect box = qtface::toQRect(label->box());
        QVERIFY(!testsupport::inkRect(*label, image.devicePixelRatio()).contains(box.topLeft()));
        QVERIFY2(pixelAt(image, box.topLeft()) == background, label->name().c_str());
    }
}

void TestComparisonWindow::curvesOnScreen_data()
{
    QTest::addColumn<double>("x"); // [years]
    QTest::addColumn<double>("y"); // 10000 × 0.5^(x / half-life)
    QTest::addColumn<Colour>("colour");

    // Every curve starts here; Pu-239 is drawn last, so its colour stays.
    QTest::newRow("(0, 10000) shared by all five") << 0.0 << 10000.0 << Plutonium;
    // From 4899 years on, Cs-137's 10000 × 2^(−t/30) is below the smallest single: 0.
    QTest::newRow("Cs-137 at 7000 years on the axis") << 7000.0 << 0.0 << Caesium;
    // Whole half-lives: 0.5^1 exactly.
    QTest::newRow("Ra-226 at 1600 years at half") << 1600.0 << 5000.0 << Radium;
    QTest::newRow("C-14 at 5730 years at half") << 5730.0 << 5000.0 << Carbon;
    // At 10000 years: 10000 × 0.5^(10000 / T) for T = 432.2 and 24110.
    QTest::newRow("Am-241 at 10000 years: 0.00108") << 10000.0 << 0.00108 << Americium;
    QTest::newRow("Pu-239 at 10000 years: 7501.41") << 10000.0 << 7501.41 << Plutonium;
    // Am-241 at 2000 years, 404.5, lies inside Label1's box: the curve shows through it.
    QTest::newRow("Am-241 through the legend") << 2000.0 << 404.5 << Americium;
}

void TestComparisonWindow::curvesOnScreen()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(Colour, colour);
    testsupport::press(form().Command1);
    QCOMPARE(pixelAt(screenImage(form()), pixelOf(x, y)), rgb(colour));
}

void TestComparisonWindow::secondStartChangesNoPixel()
{
    const QImage before = screenImage(form());
    testsupport::press(form().Command1);
    const QImage first = screenImage(form());
    QVERIFY(first != before);
    // Each legend entry is seen in its colour.
    QVERIFY(testsupport::contains(first, qtface::toQRect(form().Label1.box()), rgb(Caesium)));
    testsupport::press(form().Command1);
    QCOMPARE(screenImage(form()), first);
}

QTEST_MAIN(TestComparisonWindow)
#include "tst_comparisonwindow.moc"
