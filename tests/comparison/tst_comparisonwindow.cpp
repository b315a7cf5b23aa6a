// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window on screen: its transparent labels, and the legend that "Start" shows.
// Where the curves' points lie is the handler's (tests/core); that the screen shows the core's
// picture is the Qt face's (tst_window).

#include "comparison/form2.h"
#include "faces/qt/painting.h"
#include "windowtest.h"

#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;
using testsupport::screenImage;

class TestComparisonWindow : public testsupport::WindowTest<Form2>
{
    Q_OBJECT

private Q_SLOTS:
    void labelsAreTransparent();
    void secondStartChangesNoPixel();
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

void TestComparisonWindow::secondStartChangesNoPixel()
{
    const QImage before = screenImage(form());
    testsupport::press(form().Command1);
    const QImage first = screenImage(form());
    QVERIFY(first != before);
    // The legend shows, its first entry in Cs-137's light red.
    QVERIFY(testsupport::contains(first, qtface::toQRect(form().Label1.box()), rgb(0x008080FF)));
    testsupport::press(form().Command1);
    QCOMPARE(screenImage(form()), first);
}

QTEST_MAIN(TestComparisonWindow)
#include "tst_comparisonwindow.moc"
