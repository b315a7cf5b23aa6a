// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson as a pupil runs it: choosing isotopes, the curve on screen, and the nine presses
// of "Weiter", checked through the controls and the grabbed window.

#include "decaycurve.h"
#include "form1.h"
#include "windowtest.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;

namespace {

constexpr Colour Foreground = 0x00FF0000; // the window's ForeColor: blue 255
constexpr Colour Red = 0x000000FF;
constexpr Colour Settled = 0x00F00000; // blue 240
constexpr Colour Black = 0x00000000;

// The colour point `index` of the curve should show after `press` presses of "Weiter", when
// no other isotope was chosen in between: press 3 + k draws segment k (indices 250 (k − 1) to
// 250 k) in red over the settled segments before it; press 8 settles all four.
Colour expectedCurveColour(int press, int index)
{
    if (press <= 3)
        return Foreground;
    const int segment = std::min(press - 3, 4);
    const int first = 250 * (segment - 1), last = 250 * segment;
    if (press == 8)
        return index <= last ? Settled : Foreground;
    if (index >= first && index <= last)
        return Red;
    return index < first ? Settled : Foreground;
}

} // namespace

class TestLesson : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }
    void init();
    void cleanup();

    void listAtStart();
    void captions_data();
    void captions();
    void captionsInTheUsersLocale_data();
    void captionsInTheUsersLocale();
    void curvePointsAreExact();
    void curveOnScreen();
    void afterPress_data();
    void afterPress();
    void ninthPressEndsTheProgram();
    void newIsotopeInTheMiddle();
    void clickWithNothingSelected();
    void keyboardOnlyLesson();

private:
    void choose(int row);
    void press(int times);
    QRgb curvePixel(const QImage &image, int index) const;

    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Form1> m_form;
};

void TestLesson::init()
{
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Form1>(*m_runtime);
    m_form->load();
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestLesson::cleanup()
{
    QVERIFY(m_runtime->reported.empty());
    m_form.reset();
    m_runtime.reset();
}

void TestLesson::choose(int row)
{
    auto *list = qobject_cast<QListWidget *>(m_form->List1.widget());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void TestLesson::press(int times)
{
    for (int n = 0; n < times; ++n)
        QTest::mouseClick(m_form->Command1.button(), Qt::LeftButton);
}

QRgb TestLesson::curvePixel(const QImage &image, int index) const
{
    const auto point = decaycurve::point(static_cast<std::int16_t>(index));
    return pixelAt(image, m_form->userToPixel(point.x, point.y));
}

void TestLesson::listAtStart()
{
    QCOMPARE(m_form->List1.listCount(), 5);
    const QStringList expected{u"Kalium 40"_s, u"Thorium 232"_s, u"Uran 235"_s, u"Uran 238"_s,
                               u"Kohlenstoff 14"_s};
    for (int row = 0; row < 5; ++row)
        QCOMPARE(m_form->List1.list(row), expected[row]);
    QCOMPARE(m_form->List1.ListIndex(), -1);
    QVERIFY(!m_form->Command1.isEnabled());
    QVERIFY(m_form->i.isEmpty());
    QCOMPARE(m_form->Thalb, 0.0);
    // no curve yet: the first half-life point is plain background
    QCOMPARE(curvePixel(testsupport::grab(*m_form), 250),
             pixelAt(testsupport::grab(*m_form), QPoint(500, 400)));
}

void TestLesson::captions_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("halfLife");
    QTest::addColumn<QStringList>("axis"); // Label5, 6, 7, 8, 9, 13

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Kalium 40") << german << 0 << u"1280"_s
                               << QStringList{u"0"_s,    u"1280"_s, u"2560"_s,
                                              u"3840"_s, u"5120"_s, u"6400"_s};
    QTest::newRow("Thorium 232 without grouping")
        << german << 1 << u"14050"_s
        << QStringList{u"0"_s, u"14050"_s, u"28100"_s, u"42150"_s, u"56200"_s, u"70250"_s};
    // The singles nearest to 2, 3 and 4 × 703.8 have long expansions; seven digits round
    // them back to 1407,6, 2111,4 and 2815,2, and 5 × 703.8 = 3519 shows no separator.
    QTest::newRow("Uran 235 in German")
        << german << 2 << u"703,8"_s
        << QStringList{u"0"_s, u"703,8"_s, u"1407,6"_s, u"2111,4"_s, u"2815,2"_s, u"3519"_s};
    QTest::newRow("Uran 235 in English")
        << english << 2 << u"703.8"_s
        << QStringList{u"0"_s, u"703.8"_s, u"1407.6"_s, u"2111.4"_s, u"2815.2"_s, u"3519"_s};
    QTest::newRow("Uran 238") << german << 3 << u"4468"_s
                              << QStringList{u"0"_s,     u"4468"_s,  u"8936"_s,
                                             u"13404"_s, u"17872"_s, u"22340"_s};
    // Small values stay in plain decimals; each single rounds back to five digits at seven.
    QTest::newRow("Kohlenstoff 14")
        << german << 4 << u"0,00573"_s << QStringList{u"0"_s,       u"0,00573"_s, u"0,01146"_s,
                                                      u"0,01719"_s, u"0,02292"_s, u"0,02865"_s};
}

void TestLesson::captions()
{
    QFETCH(QLocale, locale);
    QFETCH(int, row);
    QFETCH(QString, halfLife);
    QFETCH(QStringList, axis);
    // a window of its own, with the runtime in this locale
    testsupport::RecordingRuntime runtime(locale);
    Form1 form(runtime);
    form.load();
    form.List1.setListIndex(row);
    QCOMPARE(form.Label11.caption(), u"Zerfallsfrist =  "_s + halfLife + u" Millionen Jahre"_s);
    QCOMPARE(form.Label10.caption(), form.List1.list(row));
    QCOMPARE(form.Isotop, form.List1.list(row));
    const Label *axisLabels[] = {&form.Label5, &form.Label6, &form.Label7,
                                 &form.Label8, &form.Label9, &form.Label13};
    for (int n = 0; n < 6; ++n)
        QCOMPARE(axisLabels[n]->caption(), axis[n]);
    QVERIFY(form.Command1.isEnabled());
    QCOMPARE(form.i.value(), std::optional<std::int16_t>(1501));
    QVERIFY(runtime.reported.empty());
}

void TestLesson::captionsInTheUsersLocale_data()
{
    QTest::addColumn<int>("row");
    // A comma stands for the decimal separator of the user's setting.
    QTest::addColumn<QString>("halfLife");
    QTest::addColumn<QString>("fourHalfLives"); // Label9
    QTest::newRow("Kalium 40") << 0 << u"1280"_s << u"5120"_s;
    QTest::newRow("Thorium 232") << 1 << u"14050"_s << u"56200"_s;
    QTest::newRow("Uran 235") << 2 << u"703,8"_s << u"2815,2"_s;
    QTest::newRow("Uran 238") << 3 << u"4468"_s << u"17872"_s;
    QTest::newRow("Kohlenstoff 14") << 4 << u"0,00573"_s << u"0,02292"_s;
}

void TestLesson::captionsInTheUsersLocale()
{
    QFETCH(int, row);
    QFETCH(QString, halfLife);
    QFETCH(QString, fourHalfLives);
    // What the user set, as the program sees it at start: a comma in German and French, a
    // point in English and in the C locale.
    const QByteArray setting =
        qEnvironmentVariableIsEmpty("LC_ALL") ? qgetenv("LANG") : qgetenv("LC_ALL");
    QChar separator;
    if (setting.startsWith("de_") || setting.startsWith("fr_"))
        separator = u',';
    else if (setting.startsWith("en_") || setting == "C" || setting.startsWith("C."))
        separator = u'.';
    else
        QSKIP(qPrintable(u"no expected separator for the locale "_s +
                         QString::fromLocal8Bit(setting)));

    testsupport::RecordingRuntime runtime{QLocale()}; // the process's locale, as the program's
    Form1 form(runtime);
    form.load();
    form.Show();
    form.List1.setListIndex(row);
    QCOMPARE(form.Label11.caption(),
             u"Zerfallsfrist =  "_s + halfLife.replace(u',', separator) + u" Millionen Jahre"_s);
    QCOMPARE(form.Label9.caption(), fourHalfLives.replace(u',', separator));
    QCOMPARE(form.Label10.caption(), form.List1.list(row));
    // Whatever the locale and the screen's density, every caption written here fits its box.
    for (const Label *label : {&form.Label10, &form.Label11, &form.Label5, &form.Label6,
                               &form.Label7, &form.Label8, &form.Label9, &form.Label13}) {
        const QRect ink = testsupport::inkRect(*label, form.devicePixelRatioF());
        QVERIFY2(label->box().contains(ink),
                 qPrintable(label->name() + u": "_s + label->caption()));
    }
    QVERIFY(runtime.reported.empty());
}

void TestLesson::curvePointsAreExact()
{
    QCOMPARE(decaycurve::point(0).x, 0.0f);
    QCOMPARE(decaycurve::point(0).y, 100.0f);
    const float halves[] = {50.0f, 25.0f, 12.5f, 6.25f, 3.125f, 1.5625f};
    for (int k = 1; k <= 6; ++k) {
        const auto point = decaycurve::point(static_cast<std::int16_t>(250 * k));
        QCOMPARE(point.x, 25.0f * k);
        QCOMPARE(point.y, halves[k - 1]);
    }
    // The guided lesson describes its pieces as 100 × 0.5 ^ (i / 250); that must be the very
    // same single for every index, or a highlighted piece would stray from the curve.
    for (int index = 0; index <= decaycurve::LastIndex; ++index) {
        const auto point = decaycurve::point(static_cast<std::int16_t>(index));
        QCOMPARE(point.y, static_cast<float>(100.0 * std::pow(0.5, index / 250.0)));
        QCOMPARE(point.x, static_cast<float>(index / 10.0));
    }
}

void TestLesson::curveOnScreen()
{
    choose(3);
    const QImage image = testsupport::grab(*m_form);
    // first point, the five half-life points on their guides' crossings, the last point
    for (int index : {0, 250, 500, 750, 1000, 1250, 1500})
        QCOMPARE(curvePixel(image, index), rgb(Foreground));
    QCOMPARE(m_form->userToPixel(0, 100).y(), m_form->line(u"Line3").start().y());
    QCOMPARE(m_form->userToPixel(25, 50),
             QPoint(m_form->Line7.start().x(), m_form->Line4.start().y()));

    // Another isotope draws the very same points; only the captions (and the list) differ.
    choose(0);
    const QImage again = testsupport::grab(*m_form);
    for (const QRect &area : {QRect(60, 50, 240, 90), QRect(60, 140, 850, 455)}) {
        const qreal ratio = image.devicePixelRatio();
        const QRect device(area.topLeft() * ratio, area.size() * ratio);
        QCOMPARE(again.copy(device), image.copy(device));
    }
}

void TestLesson::afterPress_data()
{
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("shown"); // of the three texts
    QTest::addColumn<QStringList>("redLines");
    QTest::addColumn<QStringList>("redLabels");

    const QStringList none;
    const QStringList allTexts{u"Label17"_s, u"Label18"_s, u"Label19"_s};
    QTest::newRow("no press") << 0 << none << none << none;
    QTest::newRow("press 1") << 1 << QStringList{u"Label17"_s} << none << none;
    QTest::newRow("press 2") << 2 << QStringList{u"Label17"_s, u"Label18"_s} << none << none;
    QTest::newRow("press 3") << 3 << allTexts << none << none;
    QTest::newRow("press 4") << 4 << allTexts << QStringList{u"Line4"_s, u"Line7"_s}
                             << QStringList{u"Label1"_s, u"Label2"_s, u"Label5"_s, u"Label6"_s};
    QTest::newRow("press 5") << 5 << allTexts
                             << QStringList{u"Line4"_s, u"Line7"_s, u"Line5"_s, u"Line9"_s}
                             << QStringList{u"Label2"_s, u"Label3"_s, u"Label6"_s, u"Label7"_s};
    QTest::newRow("press 6") << 6 << allTexts
                             << QStringList{u"Line5"_s, u"Line9"_s, u"Line6"_s, u"Line8"_s}
                             << QStringList{u"Label3"_s, u"Label4"_s, u"Label7"_s, u"Label8"_s};
    QTest::newRow("press 7") << 7 << allTexts
                             << QStringList{u"Line6"_s, u"Line8"_s, u"Line10"_s, u"Line11"_s}
                             << QStringList{u"Label4"_s, u"Label8"_s, u"Label9"_s, u"Label12"_s};
    QTest::newRow("press 8") << 8 << allTexts << none << none;
}

void TestLesson::afterPress()
{
    QFETCH(int, presses);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, redLines);
    QFETCH(QStringList, redLabels);
    choose(3);
    press(presses);
    QCOMPARE(m_form->intClicks.value(), presses);

    for (const auto *text : {u"Label17", u"Label18", u"Label19"}) {
        const QString name = QString::fromUtf16(text);
        QCOMPARE(m_form->label(name).isVisible(), shown.contains(name));
    }
    // The guides and the lower per-cent labels appear with the third press.
    for (const auto *name : {u"Line12", u"Line18", u"Label3", u"Label4", u"Label12"})
        QCOMPARE(m_form->control<GraphicalControl>(QString::fromUtf16(name)).isVisible(),
                 presses >= 3);

    // Guides of the four half-lives: red and 2 wide while highlighted, then black and 1 wide;
    // those never highlighted keep the layout's colour.
    const int settledUpTo = presses == 8 ? 4 : presses - 4; // segments whose marks are settled
    const QStringList guides[] = {{u"Line4"_s, u"Line7"_s},
                                  {u"Line5"_s, u"Line9"_s},
                                  {u"Line6"_s, u"Line8"_s},
                                  {u"Line11"_s, u"Line10"_s}};
    for (int segment = 1; segment <= 4; ++segment) {
        for (const QString &name : guides[segment - 1]) {
            const Line &guide = m_form->line(name);
            if (redLines.contains(name)) {
                QCOMPARE(guide.borderColor(), Red);
                QCOMPARE(guide.borderWidth(), 2);
            } else {
                QCOMPARE(guide.borderWidth(), 1);
                QCOMPARE(guide.borderColor() == Black, segment <= settledUpTo);
            }
        }
    }
    for (const auto *name : {u"Line12", u"Line18"})
        QCOMPARE(m_form->line(QString::fromUtf16(name)).borderColor(), Default::LineColor);
    for (const auto *name : {u"Label1", u"Label2", u"Label3", u"Label4", u"Label5", u"Label6",
                             u"Label7", u"Label8", u"Label9", u"Label12", u"Label13"}) {
        const Label &label = m_form->label(QString::fromUtf16(name));
        QCOMPARE(label.foreColor() == Red, redLabels.contains(label.name()));
    }
    QCOMPARE(m_form->label(u"Label13").foreColor(), Default::LabelForeColor);

    // The curve, sampled inside each segment and at the shared end points.
    const QImage image = testsupport::grab(*m_form);
    // (1001 would share its pixel with 1000; 1005 is the first point right of it on its own.)
    for (int index : {0, 125, 249, 250, 251, 375, 500, 625, 750, 875, 1000, 1005, 1250, 1500})
        QCOMPARE(curvePixel(image, index), rgb(expectedCurveColour(presses, index)));
    // red guide lines are on screen too
    for (const QString &name : redLines) {
        const Line &guide = m_form->line(name);
        QVERIFY(
            testsupport::contains(image, QRect(guide.start(), guide.end()).normalized(), rgb(Red)));
    }
    QCOMPARE(m_form->Command1.caption(), presses == 8 ? u"Ende"_s : u"Weiter"_s);
}

void TestLesson::ninthPressEndsTheProgram()
{
    choose(1);
    press(8);
    QVERIFY(!m_runtime->hasEnded());
    press(1);
    QVERIFY(m_runtime->hasEnded());
    QCOMPARE(m_runtime->exitStatus(), 0);
    QCOMPARE(m_runtime->eventLoopLeft, 1);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->intClicks.value(), 9);
    // no handler runs after the end
    m_form->List1.setListIndex(0);
    QCOMPARE(m_form->Isotop, u"Thorium 232"_s);
    QCOMPARE(m_form->intClicks.value(), 9);
}

void TestLesson::newIsotopeInTheMiddle()
{
    choose(3);
    press(5);
    choose(0); // Kalium 40: the whole curve again in the foreground colour
    QCOMPARE(m_form->intClicks.value(), 5);
    QCOMPARE(m_form->Label6.caption(), u"1280"_s);
    QCOMPARE(m_form->Label6.foreColor(), Red); // mark colours stay as they were
    QImage image = testsupport::grab(*m_form);
    for (int index : {0, 125, 250, 375, 500})
        QCOMPARE(curvePixel(image, index), rgb(Foreground));

    press(1); // the sixth step: segment 2 settles, segment 3 turns red
    QCOMPARE(m_form->intClicks.value(), 6);
    image = testsupport::grab(*m_form);
    for (int index : {0, 125, 248})
        QCOMPARE(curvePixel(image, index), rgb(Foreground));
    for (int index : {251, 375, 499})
        QCOMPARE(curvePixel(image, index), rgb(Settled));
    for (int index : {500, 625, 750})
        QCOMPARE(curvePixel(image, index), rgb(Red));
    QCOMPARE(m_form->Label8.foreColor(), Red);
    QCOMPARE(m_form->Label8.caption(), u"3840"_s);
}

void TestLesson::clickWithNothingSelected()
{
    m_form->List1.setListIndex(-1);
    QCOMPARE(m_form->Label11.caption(), u"Zerfallsfrist =  0 Millionen Jahre"_s);
    QCOMPARE(m_form->Label10.caption(), QString());
    for (const Label *axis : {&m_form->Label5, &m_form->Label6, &m_form->Label7, &m_form->Label8,
                              &m_form->Label9, &m_form->Label13})
        QCOMPARE(axis->caption(), u"0"_s);
    QVERIFY(m_form->Command1.isEnabled());
    QCOMPARE(curvePixel(testsupport::grab(*m_form), 750), rgb(Foreground));

    // after a real choice, a Click without a selection keeps it
    m_form->List1.setListIndex(2);
    m_form->List1.setListIndex(-1);
    QCOMPARE(m_form->Thalb, 703.8);
    QCOMPARE(m_form->Label10.caption(), u"Uran 235"_s);
}

void TestLesson::keyboardOnlyLesson()
{
    QWidget *list = m_form->List1.widget();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    for (int n = 0; n < 4; ++n) // the first arrow selects Kalium 40, three more reach Uran 238
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(m_form->Isotop, u"Uran 238"_s);
    QCOMPARE(m_form->Label13.caption(), u"22340"_s);

    // with "Weiter" enabled the focus order is list, "Weiter", excursion
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->Command1.widget());
    QTest::keyClick(m_form->Command1.widget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->Command2.widget());
    QTest::keyClick(m_form->Command2.widget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), m_form->Command1.widget());

    for (int n = 1; n <= 8; ++n)
        QTest::keyClick(m_form->Command1.widget(), n % 2 ? Qt::Key_Space : Qt::Key_Return);
    QCOMPARE(m_form->Command1.caption(), u"Ende"_s);
    QTest::keyClick(m_form->Command1.widget(), Qt::Key_Space);
    QVERIFY(m_runtime->hasEnded());
    QCOMPARE(m_runtime->exitStatus(), 0);
}

QTEST_MAIN(TestLesson)
#include "tst_lesson.moc"
