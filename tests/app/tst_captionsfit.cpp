// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every caption of both windows inside its box, in the user's locale at the screen's density:
// no glyph cut, whatever the decimal separator and however the text is rasterized; and no
// character the window's font lacks, which would show as an empty box.

#include "comparison/form2.h"
#include "faces/qt/fonts.h"
#include "faces/qt/painting.h"
#include "lesson/form1.h"
#include "program/program.h"
#include "windowtest.h"

#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

bool drawable(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    for (const char32_t character : text.toUcs4())
        if (!metrics.inFontUcs4(character))
            return false;
    return true;
}

// Each label's ink inside its box, each button's caption inside the button, every character
// in the font; a message per control that does not fit or cannot be drawn.
QStringList overflowing(const Form &form, qreal ratio)
{
    QStringList problems;
    for (const Label *label : form.labels()) {
        const QRect ink = testsupport::inkRect(*label, ratio);
        const QString caption = QString::fromStdString(label->caption());
        if ((!caption.isEmpty() && !qtface::toQRect(label->box()).contains(ink)) ||
            !drawable(caption, qtface::fontFor(label->font())))
            problems << QString::fromStdString(label->name()) + u": "_s + caption;
    }
    for (const WidgetControl *control : form.tabOrder()) {
        if (const auto *button = qobject_cast<QPushButton *>(qtface::widgetOf(*control))) {
            const QFontMetrics metrics = button->fontMetrics();
            if (metrics.horizontalAdvance(button->text()) + 8 > button->width() ||
                metrics.height() + 4 > button->height() ||
                !drawable(button->text(), button->font()))
                problems << button->text();
        }
    }
    return problems;
}

} // namespace

class TestCaptionsFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }
    void lessonForEachIsotope_data();
    void lessonForEachIsotope();
    void comparisonAfterStart();
};

void TestCaptionsFit::lessonForEachIsotope_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("presses"); // of "Weiter": 8 shows every text and "Ende"
    QTest::newRow("at start") << -1 << 0;
    QTest::newRow("Kalium 40") << 0 << 8;
    QTest::newRow("Thorium 232") << 1 << 0;
    QTest::newRow("Uran 235") << 2 << 0;
    QTest::newRow("Uran 238") << 3 << 0;
    QTest::newRow("Kohlenstoff 14") << 4 << 0;
}

void TestCaptionsFit::lessonForEachIsotope()
{
    QFETCH(int, row);
    QFETCH(int, presses);
    testsupport::RecordingQtFace face;
    Runtime runtime(face, qtface::decimalSeparator(QLocale())); // as the program starts
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    if (row >= 0)
        testsupport::choose(lesson.List1, row);
    for (int n = 0; n < presses; ++n)
        testsupport::press(lesson.Command1);
    const QStringList problems = overflowing(lesson, qtface::windowOf(lesson)->devicePixelRatioF());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    QVERIFY(face.reported.empty());
}

void TestCaptionsFit::comparisonAfterStart()
{
    testsupport::RecordingQtFace face;
    Runtime runtime(face, qtface::decimalSeparator(QLocale()));
    Form2 comparison(runtime);
    runtime.dispatch([&] { comparison.Show(); });
    testsupport::press(comparison.Command1); // the legend has its captions only now
    const QStringList problems =
        overflowing(comparison, qtface::windowOf(comparison)->devicePixelRatioF());
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
    QVERIFY(face.reported.empty());
}

QTEST_MAIN(TestCaptionsFit)
#include "tst_captionsfit.moc"
