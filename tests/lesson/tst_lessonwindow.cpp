// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson window on screen as a pupil works through it, by mouse and by keyboard: the
// diagram as the platform shows it, the widgets, and the focus. The curve's colours step by
// step are the handlers' (tests/core), and that the screen shows the core's picture is the Qt
// face's (tst_window).

#include "faces/qt/painting.h"
#include "lesson/form1.h"
#include "lessoncurve.h"
#include "windowtest.h"

#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace testsupport::lesson;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;
using testsupport::screenImage;

class TestLessonWindow : public testsupport::WindowTest<Form1>
{
    Q_OBJECT

private Q_SLOTS:
    void windowAndWidgets();
    void diagramOnScreen();
    void keyboardOnlyLesson();
};

void TestLessonWindow::windowAndWidgets()
{
    QCOMPARE(window()->windowTitle(), u"Die Zerfallsfrist"_s);
    // 14310 × 9765 twips of client area at 555, 1830 twips: 954 × 651 pixels at (37, 122).
    // Where exactly a window lands is the window system's; the offscreen one adds a frame.
    QCOMPARE(window()->size(), QSize(954, 651));
    QVERIFY((window()->geometry().topLeft() - QPoint(37, 122)).manhattanLength() <= 4);

    auto *weiter = qobject_cast<QPushButton *>(testsupport::widget(form().Command1));
    auto *excursion = qobject_cast<QPushButton *>(testsupport::widget(form().Command2));
    QCOMPARE(weiter->text(), u"Weiter"_s);
    QVERIFY(!weiter->isEnabled());
    QVERIFY(weiter->font().bold());
    QCOMPARE(weiter->font().pixelSize(), 18); // 13.5 pt at 96 dpi
    QCOMPARE(excursion->text(), u"Exkurs: Zerfallsfristen im Vergleich"_s);
    QVERIFY(excursion->font().italic());
    const QPalette list = testsupport::widget(form().List1)->palette();
    QCOMPARE(list.color(QPalette::Base).rgb(), rgb(0x00C0E0FF)); // peach
    QCOMPARE(list.color(QPalette::Text).rgb(), rgb(Foreground));
}

void TestLessonWindow::diagramOnScreen()
{
    const QImage image = screenImage(form());
    const QRgb black = qRgb(0, 0, 0);
    const QRgb background = pixelAt(image, QPoint(500, 400));
    // time axis at row 602 from column 57 to the tip at 910, 3 pixels thick
    for (int x = 60; x <= 905; x += 5)
        for (int row = 601; row <= 603; ++row)
            QCOMPARE(pixelAt(image, QPoint(x, row)), black);
    QCOMPARE(pixelAt(image, QPoint(500, 599)), background);
    // vertical axis in column 56 from row 24 down to the time axis
    for (int y = 30; y <= 600; y += 5)
        QCOMPARE(pixelAt(image, QPoint(56, y)), black);
    // tick marks at y = 100 (row 54) and y = 50 (row 328), from column 39 to the axis
    QCOMPARE(pixelAt(image, QPoint(45, 54)), black);
    QCOMPARE(pixelAt(image, QPoint(45, 328)), black);
    // arrowheads: strokes just below the tips, either side
    QVERIFY(testsupport::contains(image, QRect(44, 26, 8, 10), black));
    QVERIFY(testsupport::contains(image, QRect(61, 26, 8, 10), black));
    QVERIFY(testsupport::contains(image, QRect(895, 590, 10, 8), black));
    QVERIFY(testsupport::contains(image, QRect(895, 606, 10, 8), black));
    // Hidden guides leave no trace: the first half-life's vertical guide in column 199, the
    // horizontal one in row 328 between the axis and that column.
    for (int y = 340; y < 595; y += 3)
        QCOMPARE(pixelAt(image, QPoint(199, y)), background);
    for (int x = 60; x < 195; x += 3)
        QCOMPARE(pixelAt(image, QPoint(x, 328)), background);
    // Shown per-cent labels ink their boxes; hidden ones do not. Labels with the default
    // background do not stand out from the window's.
    const auto box = [](const Label &label) { return qtface::toQRect(label.box()); };
    QVERIFY(testsupport::contains(image, box(form().Label1), black, 80));
    QVERIFY(testsupport::contains(image, box(form().Label2), black, 80));
    QVERIFY(!testsupport::contains(image, box(form().Label3), black, 80));
    QCOMPARE(pixelAt(image, box(form().Label5).topLeft()), background);
    QCOMPARE(pixelAt(image, box(form().Label10).bottomRight()), rgb(0x00C0E0FF));
}

void TestLessonWindow::keyboardOnlyLesson()
{
    QWidget *list = testsupport::widget(form().List1);
    QTRY_COMPARE(testsupport::focusWidget(), list);
    for (int n = 0; n < 4; ++n) // the first arrow selects Kalium 40, three more reach Uran 238
        testsupport::pressKey(form(), Qt::Key_Down);
    QCOMPARE(form().Isotop, "Uran 238");
    const PixelPoint firstHalfLife = *form().scale().toPixel(25, 50); // on the curve
    QCOMPARE(pixelAt(screenImage(form()), QPoint(firstHalfLife.x, firstHalfLife.y)),
             rgb(Foreground));

    // with "Weiter" enabled the focus order is list, "Weiter", excursion
    QWidget *weiter = testsupport::widget(form().Command1);
    testsupport::pressKey(form(), Qt::Key_Tab);
    QCOMPARE(testsupport::focusWidget(), weiter);
    testsupport::pressKey(form(), Qt::Key_Tab);
    QCOMPARE(testsupport::focusWidget(), testsupport::widget(form().Command2));
    testsupport::pressKey(form(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(testsupport::focusWidget(), weiter);

    for (int n = 1; n <= 8; ++n)
        testsupport::pressKey(form(), n % 2 ? Qt::Key_Space : Qt::Key_Return);
    QCOMPARE(qobject_cast<QPushButton *>(weiter)->text(), u"Ende"_s);
    testsupport::pressKey(form(), Qt::Key_Space);
    QVERIFY(runtime().hasEnded());
    QCOMPARE(face().ended, std::vector<int>{0});
    QVERIFY(!window()->isVisible());
}

QTEST_MAIN(TestLessonWindow)
#include "tst_lessonwindow.moc"
