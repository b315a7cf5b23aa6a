// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"
#include "windowtest.h"

#include <QTest>
#include <memory>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::RecordingRuntime;
using testsupport::rgb;

namespace {

// The legend as a pupil must read it, entry by entry; colours are 0x00BBGGRR.
struct LegendEntry
{
    QStringView label;
    QStringView caption;
    Colour colour;
};
constexpr LegendEntry Legend[] = {
    {u"Label1", u"Cs-137 (Cäsium -137)", 0x008080FF}, // red 255, green 128, blue 128
    {u"Label2", u"Am-241 (Americium -241)", 0x00C00000}, // blue 192
    {u"Label3", u"Ra-226 (Radium -226)", 0x000000FF}, // red 255
    {u"Label4", u"C-14 (Kohlenstoff -14)", 0x000040C0}, // red 192, green 64
    {u"Label5", u"Pu-239 (Plutonium -239)", 0x00FF00FF}, // red 255, blue 255
};
constexpr Colour Caesium = Legend[0].colour;
constexpr Colour Americium = Legend[1].colour;
constexpr Colour Radium = Legend[2].colour;
constexpr Colour Carbon = Legend[3].colour;
constexpr Colour Plutonium = Legend[4].colour;

constexpr qint64 LegendCalls = 10; // a caption and a colour per legend label
constexpr qint64 PointsPerCurve = 10001; // years 0 to 10000

void clickStart(Form2 &form)
{
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
}

} // namespace

// What "Start" does to the comparison window: the legend, the window's counters, and the
// five curves as the pixels of the window show them.
class Form2PlotTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void legendAfterStart_data();
    void legendAfterStart();
    void countersAfterStart();
    void curvePixels_data();
    void curvePixels();
    void curveShowsThroughLegend();
    void secondStartChangesNoPixel();
    void failureStopsStart_data();
    void failureStopsStart();

private:
    // One window that "Start" has drawn on, for the checks that only look.
    std::unique_ptr<RecordingRuntime> m_runtime;
    std::unique_ptr<Form2> m_form;
    QImage m_image;
};

void Form2PlotTest::initTestCase()
{
    testsupport::preparePlatform();
    m_runtime = std::make_unique<RecordingRuntime>();
    m_form = std::make_unique<Form2>(*m_runtime);
    m_form->Show();
    clickStart(*m_form);
    m_image = testsupport::grab(*m_form);
    QVERIFY(m_runtime->reported.empty());
}

void Form2PlotTest::legendAfterStart_data()
{
    QTest::addColumn<int>("entry");
    QTest::newRow("Cs-137 in Label1") << 0;
    QTest::newRow("Am-241 in Label2") << 1;
    QTest::newRow("Ra-226 in Label3, no longer window text") << 2;
    QTest::newRow("C-14 in Label4") << 3;
    QTest::newRow("Pu-239 in Label5, plutonium's own symbol") << 4;
}

void Form2PlotTest::legendAfterStart()
{
    QFETCH(int, entry);
    const LegendEntry &expected = Legend[entry];
    const Label &label = m_form->label(expected.label);
    QCOMPARE(label.caption(), expected.caption);
    QCOMPARE(label.foreColor(), expected.colour);
    QVERIFY(label.isVisible());
    // The text is seen in its colour: no curve of the entry's own colour runs inside its box.
    QVERIFY(testsupport::contains(m_image, label.box(), rgb(expected.colour)));
}

void Form2PlotTest::countersAfterStart()
{
    // Both loops leave their counter one past the last value: isotopes 0..4, years 0..10000.
    QCOMPARE(m_form->intIso.value(), 5);
    QCOMPARE(m_form->intZeit.value(), 10001);
}

void Form2PlotTest::curvePixels_data()
{
    QTest::addColumn<double>("x"); // [years]
    QTest::addColumn<double>("y"); // 10000 × 0.5^(x / half-life)
    QTest::addColumn<Colour>("colour");

    // Every curve starts here; Pu-239 is drawn last, so its colour stays.
    QTest::newRow("(0, 10000) shared by all five") << 0.0 << 10000.0 << Plutonium;
    // From 4899 years on 10000 × 2^(−t/30) < 2^−150, half the smallest single: y becomes 0
    // without an error (none is reported) and the point lies on the time axis. (Pixels alone
    // cannot tell it from the tiny values before: any y below about 1e−12 lands on that row.)
    QTest::newRow("Cs-137 at 4900 years on the axis") << 4900.0 << 0.0 << Caesium;
    QTest::newRow("Cs-137 at 7000 years on the axis") << 7000.0 << 0.0 << Caesium;
    // 432 / 432.20001 half-lives: 10000 × 2^−0.999537 ≈ 5001.6, a pixel row above y = 5000.
    QTest::newRow("Am-241 at 432 years just above half") << 432.0 << 5001.6 << Americium;
    // Whole half-lives: 0.5^1 exactly.
    QTest::newRow("Ra-226 at 1600 years at half") << 1600.0 << 5000.0 << Radium;
    QTest::newRow("C-14 at 5730 years at half") << 5730.0 << 5000.0 << Carbon;
    // At 10000 years: 10000 × 0.5^(10000 / T) for T = 30, 432.2, 1600, 5730, 24110.
    QTest::newRow("Cs-137 at 10000 years: 0") << 10000.0 << 0.0 << Caesium;
    QTest::newRow("Am-241 at 10000 years: 0.00108") << 10000.0 << 0.00108 << Americium;
    QTest::newRow("Ra-226 at 10000 years: 131.39") << 10000.0 << 131.39 << Radium;
    QTest::newRow("C-14 at 10000 years: 2982.92") << 10000.0 << 2982.92 << Carbon;
    QTest::newRow("Pu-239 at 10000 years: 7501.41") << 10000.0 << 7501.41 << Plutonium;
}

void Form2PlotTest::curvePixels()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(Colour, colour);
    const QPoint pixel = m_form->userToPixel(x, y);
    QCOMPARE(pixelAt(m_image, pixel), m_form->resolve(colour).rgb());
}

void Form2PlotTest::curveShowsThroughLegend()
{
    // Am-241 at 2000 years: 10000 × 2^(−2000/432.2) ≈ 404.5, inside Label1's box (y 94 to 500).
    const QPoint pixel = m_form->userToPixel(2000, 404.5);
    QVERIFY(m_form->Label1.box().contains(pixel));
    QCOMPARE(pixelAt(m_image, pixel), rgb(Americium));
}

void Form2PlotTest::secondStartChangesNoPixel()
{
    RecordingRuntime runtime;
    Form2 form(runtime);
    form.Show();
    const QImage before = testsupport::grab(form);
    clickStart(form);
    const QImage first = testsupport::grab(form);
    QVERIFY(first != before);
    clickStart(form);
    QCOMPARE(testsupport::grab(form), first);
    QVERIFY(runtime.reported.empty());
}

void Form2PlotTest::failureStopsStart_data()
{
    QTest::addColumn<qint64>("failingCall"); // counted from the press
    QTest::addColumn<int>("captions"); // legend labels captioned, from Label1
    QTest::addColumn<int>("colours"); // legend labels coloured, from Label1
    QTest::addColumn<int>("iso");
    QTest::addColumn<int>("zeit");
    QTest::addColumn<int>("shown"); // legend labels visible again, from Label1

    // Calls: caption and colour of Label1 to Label5 (1 to 10), one per point (11 to 50015),
    // then Visible of Label1 to Label5 (50016 to 50020).
    QTest::newRow("colour of Label2") << qint64(4) << 2 << 1 << 0 << 0 << 0;
    QTest::newRow("first point") << LegendCalls + 1 << 5 << 5 << 0 << 0 << 0;
    QTest::newRow("first point of Am-241")
        << LegendCalls + PointsPerCurve + 1 << 5 << 5 << 1 << 0 << 0;
    QTest::newRow("last point of Pu-239")
        << LegendCalls + 5 * PointsPerCurve << 5 << 5 << 4 << 10000 << 0;
    QTest::newRow("Visible of Label3")
        << LegendCalls + 5 * PointsPerCurve + 3 << 5 << 5 << 5 << 10001 << 2;
}

void Form2PlotTest::failureStopsStart()
{
    QFETCH(qint64, failingCall);
    QFETCH(int, captions);
    QFETCH(int, colours);
    QFETCH(int, iso);
    QFETCH(int, zeit);
    QFETCH(int, shown);

    RecordingRuntime runtime;
    Form2 form(runtime);
    form.Show();
    // Hidden, as "Zurück" leaves the legend; only the end of "Start" shows it again.
    for (Label *legend : {&form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5})
        legend->setVisible(false);

    runtime.failCall(failingCall);
    clickStart(form);

    QCOMPARE(runtime.reported, std::vector<int>{ErrorNumber::InvalidCall});
    QVERIFY(runtime.hasEnded());
    QCOMPARE(runtime.exitStatus(), RuntimeErrorExitStatus);
    QCOMPARE(form.intIso.value(), iso);
    QCOMPARE(form.intZeit.value(), zeit);
    for (int entry = 0; entry < 5; ++entry) {
        const Label &label = form.label(Legend[entry].label);
        const Colour layoutColour =
            entry == 2 ? SystemColour::WindowText : SystemColour::ButtonText;
        QCOMPARE(label.caption(), entry < captions ? Legend[entry].caption : QStringView());
        QCOMPARE(label.foreColor(), entry < colours ? Legend[entry].colour : layoutColour);
        QCOMPARE(label.isVisible(), entry < shown);
    }
}

QTEST_MAIN(Form2PlotTest)
#include "tst_form2plot.moc"
