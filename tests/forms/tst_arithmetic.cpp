// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The platform's arithmetic and text rules: number-to-text, 16-bit counters, fixed-bound
// tables, floating-point faults, and the mapping from user units through twips to pixels.

#include "forms/checked.h"
#include "forms/numbertext.h"
#include "forms/units.h"

#include <QTest>
#include <cfloat>

using namespace forms;
using namespace Qt::StringLiterals;

class TestArithmetic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void doubleText_data();
    void doubleText();
    void singleText_data();
    void singleText();
    void counterOverflowKeepsValue();
    void loopLeavesCounterOnePast();
    void fixedArrayBounds_data();
    void fixedArrayBounds();
    void divisionFaults_data();
    void divisionFaults();
    void singlePrecisionRounding_data();
    void singlePrecisionRounding();
    void errorTexts();
    void twipsToPixel_data();
    void twipsToPixel();
    void userScaleRoundTrip_data();
    void userScaleRoundTrip();
};

void TestArithmetic::doubleText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");

    const QChar comma(u','), point(u'.');
    QTest::newRow("integral, no separator") << 1280.0 << comma << u"1280"_s;
    QTest::newRow("no digit grouping") << 14050.0 << comma << u"14050"_s;
    QTest::newRow("German decimal comma") << 703.8 << comma << u"703,8"_s;
    QTest::newRow("English decimal point") << 703.8 << point << u"703.8"_s;
    QTest::newRow("small half-life in plain decimals") << 0.00573 << comma << u"0,00573"_s;
    // 0.1 + 0.2 is 0.30000000000000004: rounding to 15 digits drops the tail.
    QTest::newRow("rounded at 15 digits") << 0.1 + 0.2 << comma << u"0,3"_s;
    QTest::newRow("15 digits kept") << 123456.789012345 << comma << u"123456,789012345"_s;
    QTest::newRow("negative") << -2.5 << comma << u"-2,5"_s;
    QTest::newRow("zero") << 0.0 << comma << u"0"_s;
    QTest::newRow("negative zero shows no sign") << -0.0 << comma << u"0"_s;
    QTest::newRow("largest plain") << 999999999999999.0 << comma << u"999999999999999"_s;
    QTest::newRow("16 digits need an exponent") << 1e15 << comma << u"1E+15"_s;
    QTest::newRow("long mantissa with exponent")
        << 123456789012345678.0 << comma << u"1,23456789012346E+17"_s;
    QTest::newRow("tiny with exponent") << 1.5e-7 << comma << u"1,5E-07"_s;
    QTest::newRow("smallest plain") << 0.00001 << comma << u"0,00001"_s;
}

void TestArithmetic::doubleText()
{
    QFETCH(double, value);
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QCOMPARE(doubleToText(value, separator), text);
}

void TestArithmetic::singleText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");

    // The single nearest to 2 × 703.8 is 1407.5999755859375; seven digits make it 1407,6.
    QTest::newRow("rounded at 7 digits") << static_cast<float>(2 * 703.8) << u"1407,6"_s;
    QTest::newRow("five half-lives of Uran 235") << static_cast<float>(5 * 703.8) << u"3519"_s;
    QTest::newRow("integral, no grouping") << 70250.0f << u"70250"_s;
    QTest::newRow("third") << 1.0f / 3.0f << u"0,3333333"_s;
    QTest::newRow("small axis value") << static_cast<float>(5 * 0.00573) << u"0,02865"_s;
    QTest::newRow("8 digits need an exponent") << 12345678.0f << u"1,234568E+07"_s;
    QTest::newRow("zero") << 0.0f << u"0"_s;
}

void TestArithmetic::singleText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(singleToText(value, u','), text);
}

void TestArithmetic::counterOverflowKeepsValue()
{
    Int16 counter(32766);
    counter.increment();
    QCOMPARE(counter.value(), 32767);
    try {
        counter.increment();
        QFAIL("adding 1 to 32767 must overflow");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), ErrorNumber::Overflow);
    }
    QCOMPARE(counter.value(), 32767);

    Int16 negative(-1);
    negative.increment();
    QCOMPARE(negative.value(), 0);
}

void TestArithmetic::loopLeavesCounterOnePast()
{
    Int16 counter;
    int passes = 0;
    forEach(counter, 0, 1500, [&](std::int16_t value) { QCOMPARE(value, passes++); });
    QCOMPARE(passes, 1501);
    QCOMPARE(counter.value(), 1501);

    forEach(counter, 5, 4, [&](std::int16_t) { QFAIL("an empty range runs no pass"); });
    QCOMPARE(counter.value(), 5);

    // A loop up to the largest value cannot end: its last increment overflows.
    Int16 last;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, forEach(last, 32766, 32767, [](std::int16_t) {}));
    QCOMPARE(last.value(), 32767);

    Variant generic;
    QVERIFY(generic.isEmpty());
    forEach(generic.counter(), 0, 5, [](std::int16_t) {});
    QCOMPARE(generic.value(), std::optional<std::int16_t>(6));
}

void TestArithmetic::fixedArrayBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("inside");
    QTest::newRow("below") << -1 << false;
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << 10 << true;
    QTest::newRow("above") << 11 << false;
}

void TestArithmetic::fixedArrayBounds()
{
    QFETCH(int, index);
    QFETCH(bool, inside);
    FixedArray<float, 0, 10> table;
    if (inside) {
        table[index] = 2.5f;
        QCOMPARE(table[index], 2.5f);
        return;
    }
    try {
        table[index] = 1.0f;
        QFAIL("an index outside the bounds must raise");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), ErrorNumber::SubscriptOutOfRange);
    }
}

void TestArithmetic::divisionFaults_data()
{
    QTest::addColumn<double>("dividend");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<int>("error"); // 0: none
    QTest::newRow("ordinary") << 432.0 << 432.2 << 0;
    QTest::newRow("by zero") << 1.0 << 0.0 << ErrorNumber::DivisionByZero;
    QTest::newRow("zero by zero is invalid") << 0.0 << 0.0 << ErrorNumber::Overflow;
    QTest::newRow("quotient too large") << 1e308 << 1e-308 << ErrorNumber::Overflow;
    QTest::newRow("underflow is fine") << 1e-308 << 1e308 << 0;
}

void TestArithmetic::divisionFaults()
{
    QFETCH(double, dividend);
    QFETCH(double, divisor);
    QFETCH(int, error);
    try {
        const double quotient = checkedDivide(dividend, divisor);
        QCOMPARE(error, 0);
        QCOMPARE(quotient, dividend / divisor);
    } catch (const RuntimeError &raised) {
        QCOMPARE(raised.number(), error);
    }
}

void TestArithmetic::singlePrecisionRounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("error");
    QTest::addColumn<float>("single");
    QTest::newRow("half-life of Am-241") << 432.2 << 0 << 432.2f;
    QTest::newRow("largest single") << static_cast<double>(FLT_MAX) << 0 << FLT_MAX;
    QTest::newRow("too large") << 1e39 << ErrorNumber::Overflow << 0.0f;
    QTest::newRow("infinite") << HUGE_VAL << ErrorNumber::Overflow << 0.0f;
    QTest::newRow("not a number") << std::nan("") << ErrorNumber::Overflow << 0.0f;
    // Below half the smallest subnormal single (about 7e-46) a value becomes exactly 0.
    QTest::newRow("too small becomes 0") << 1e-50 << 0 << 0.0f;
}

void TestArithmetic::singlePrecisionRounding()
{
    QFETCH(double, value);
    QFETCH(int, error);
    QFETCH(float, single);
    try {
        const float result = toSingle(value);
        QCOMPARE(error, 0);
        QCOMPARE(result, single);
    } catch (const RuntimeError &raised) {
        QCOMPARE(raised.number(), error);
    }
    QVERIFY_THROWS_EXCEPTION(RuntimeError, checkedResult(std::nan("")));
    QCOMPARE(checkedResult(1e-320), 1e-320);
}

void TestArithmetic::errorTexts()
{
    QCOMPARE(errorDescription(ErrorNumber::Overflow), u"Überlauf"_s);
    QCOMPARE(errorDescription(ErrorNumber::SubscriptOutOfRange),
             u"Index außerhalb des gültigen Bereichs"_s);
    QCOMPARE(errorDescription(ErrorNumber::DivisionByZero), u"Division durch Null"_s);
    QCOMPARE(RuntimeError(ErrorNumber::OutOfMemory).description(), u"Nicht genügend Speicher"_s);
}

void TestArithmetic::twipsToPixel_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixel");
    QTest::newRow("origin") << 0.0 << 0;
    QTest::newRow("inside the first pixel") << 14.99 << 0;
    QTest::newRow("second pixel") << 15.0 << 1;
    QTest::newRow("left of the origin") << -0.5 << -1;
    // The guide line at 5122 twips and the point (50, 25) at 5122.5 share pixel 341; rounding
    // to the nearest pixel would put the point into 342.
    QTest::newRow("guide line x = 50") << 5122.0 << 341;
    QTest::newRow("point x = 50") << 5122.51 << 341;
    QTest::newRow("client width") << 14310.0 << 954;
}

void TestArithmetic::twipsToPixel()
{
    QFETCH(double, twips);
    QFETCH(int, pixel);
    QCOMPARE(forms::twipsToPixel(twips), pixel);
}

void TestArithmetic::userScaleRoundTrip_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPointF>("twips");
    // The lesson window's scale: (x + 10) × 85.37524 and (110 − y) × 82.12508 twips.
    QTest::newRow("top-left corner") << -10.0 << 110.0 << QPointF(0, 0);
    QTest::newRow("axes' crossing") << 0.0 << 0.0 << QPointF(853.7524, 9033.7588);
    QTest::newRow("first half-life") << 25.0 << 50.0 << QPointF(2988.1334, 4927.5048);
    QTest::newRow("arrow tip") << 150.0 << 0.0 << QPointF(13660.0384, 9033.7588);
    QTest::newRow("bottom-right corner") << 157.613 << -8.904 << QPointF(14310.0, 9765.0);
}

void TestArithmetic::userScaleRoundTrip()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPointF, twips);
    const UserScale scale{-10, 110, 85.37524, -82.12508};
    const QPointF mapped = scale.toTwips(x, y);
    QVERIFY2(std::abs(mapped.x() - twips.x()) < 0.05 && std::abs(mapped.y() - twips.y()) < 0.05,
             qPrintable(QStringLiteral("(%1, %2)").arg(mapped.x()).arg(mapped.y())));
    const QPointF back = scale.fromTwips(mapped);
    QVERIFY(std::abs(back.x() - x) < 1e-9 && std::abs(back.y() - y) < 1e-9);
    QVERIFY(std::abs(scale.scaleWidth(14310) - 167.613) < 0.001);
    QVERIFY(std::abs(scale.scaleHeight(9765) + 118.904) < 0.001);
}

QTEST_GUILESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
