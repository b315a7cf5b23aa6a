// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form2.h"
#include "windowtest.h"

#include <QApplication>
#include <QDebug>
#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::RecordingRuntime;

// The comparison window as it stands before "Start": where its user coordinates land, what
// its labels say, where the keyboard focus goes, and that every caption fits its box.
class Form2LayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }

    void mapping_data();
    void mapping();
    void labelsAtStart_data();
    void labelsAtStart();
    void focusStartsOnStart();
    void captionsFit_data();
    void captionsFit();
};

void Form2LayoutTest::mapping_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPointF>("twips"); // where the layout's lines stand, to within one twip
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("atStart"); // which end of the line
    QTest::addColumn<bool>("sameColumnOnly"); // the line lies straight below, not at the point
    QTest::addColumn<QString>("besideLabel"); // its rows hold the point's row
    QTest::addColumn<QString>("belowLabel"); // its columns hold the point's column

    // Twips: ((x + 1000) × 1.2425, (11000 − y) × 0.96), as the layout's line ends give them.
    QTest::newRow("(0, 0) where the axes meet") << 0.0 << 0.0 << QPointF(1242, 10560) << u"Line1"_s
                                                << true << false << u"Label8"_s << u"Label9"_s;
    QTest::newRow("(0, 10000) every curve's start, on the 100% tick")
        << 0.0 << 10000.0 << QPointF(1242, 960) << u"Line18"_s << false << false << u"Label6"_s
        << QString();
    QTest::newRow("(0, 5000) half, on the 50% tick")
        << 0.0 << 5000.0 << QPointF(1242, 5760) << u"Line17"_s << false << false << u"Label7"_s
        << QString();
    QTest::newRow("(10000, 0) at the arrow tip")
        << 10000.0 << 0.0 << QPointF(13667, 10560) << u"Line5"_s << false << false << QString()
        << QString();
    QTest::newRow("(5000, 10000) straight above the long tick")
        << 5000.0 << 10000.0 << QPointF(7455, 960) << u"Line12"_s << true << true << QString()
        << u"Label10"_s;
    QTest::newRow("(5000, 0) at the foot of the long tick")
        << 5000.0 << 0.0 << QPointF(7455, 10560) << u"Line12"_s << true << false << QString()
        << u"Label10"_s;
    QTest::newRow("(8000, 0) at the foot of the last short tick")
        << 8000.0 << 0.0 << QPointF(11182, 10560) << u"Line15"_s << true << false << QString()
        << QString();
}

void Form2LayoutTest::mapping()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPointF, twips);
    QFETCH(QString, line);
    QFETCH(bool, atStart);
    QFETCH(bool, sameColumnOnly);
    QFETCH(QString, besideLabel);
    QFETCH(QString, belowLabel);

    RecordingRuntime runtime;
    const Form2 form(runtime);
    const QPointF actualTwips = form.userToTwips(x, y);
    QVERIFY2(std::abs(actualTwips.x() - twips.x()) <= 1.0,
             qPrintable(QString::number(actualTwips.x())));
    QVERIFY2(std::abs(actualTwips.y() - twips.y()) <= 1.0,
             qPrintable(QString::number(actualTwips.y())));

    const QPoint pixel = form.userToPixel(x, y);
    const Line &guide = form.line(line);
    const QPoint end = atStart ? guide.start() : guide.end();
    if (sameColumnOnly)
        QCOMPARE(pixel.x(), end.x());
    else
        QCOMPARE(pixel, end);
    if (!besideLabel.isEmpty()) {
        const QRect box = form.label(besideLabel).box();
        QVERIFY(pixel.y() >= box.top() && pixel.y() <= box.bottom());
    }
    if (!belowLabel.isEmpty()) {
        const QRect box = form.label(belowLabel).box();
        QVERIFY(pixel.x() >= box.left() && pixel.x() <= box.right());
    }
}

void Form2LayoutTest::labelsAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<Colour>("foreColor");

    // The legend stands ready but empty: visible, so nothing but "Start" must show it.
    QTest::newRow("legend entry 0") << u"Label1"_s << QString() << SystemColour::ButtonText;
    QTest::newRow("legend entry 1") << u"Label2"_s << QString() << SystemColour::ButtonText;
    QTest::newRow("legend entry 2, window text")
        << u"Label3"_s << QString() << SystemColour::WindowText;
    QTest::newRow("legend entry 3") << u"Label4"_s << QString() << SystemColour::ButtonText;
    QTest::newRow("legend entry 4") << u"Label5"_s << QString() << SystemColour::ButtonText;
    QTest::newRow("100%") << u"Label6"_s << u"100%"_s << SystemColour::ButtonText;
    QTest::newRow("50%") << u"Label7"_s << u"50%"_s << SystemColour::ButtonText;
    QTest::newRow("0%") << u"Label8"_s << u"0%"_s << SystemColour::ButtonText;
    QTest::newRow("0 years") << u"Label9"_s << u"0"_s << SystemColour::ButtonText;
    QTest::newRow("5000 years, point as separator")
        << u"Label10"_s << u"5.000"_s << SystemColour::ButtonText;
    QTest::newRow("title of the vertical axis")
        << u"Label11"_s << u"Anteil des radioaktiven Isotops in der Probe"_s
        << SystemColour::ButtonText;
    QTest::newRow("title of the time axis")
        << u"Label12"_s << u"Zeit in Jahren"_s << SystemColour::ButtonText;
}

void Form2LayoutTest::labelsAtStart()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(Colour, foreColor);

    RecordingRuntime runtime;
    Form2 form(runtime);
    const Label &label = form.label(name);
    QCOMPARE(label.caption(), caption);
    QCOMPARE(label.foreColor(), foreColor);
    QVERIFY(label.isVisible());

    // Transparent: off its text, the box shows the window's background, not a label
    // background of its own.
    const QPoint corner = label.box().topLeft();
    QVERIFY(!testsupport::inkRect(label, form.devicePixelRatioF()).contains(corner));
    const QRgb background = form.resolve(form.backColor()).rgb();
    QVERIFY(background != form.resolve(SystemColour::ButtonFace).rgb());
    QCOMPARE(testsupport::pixelAt(testsupport::grab(form), corner), background);
}

void Form2LayoutTest::focusStartsOnStart()
{
    RecordingRuntime runtime;
    Form2 form(runtime);
    form.Show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Command1.widget());
    QCOMPARE(form.Command1.caption(), u"Start"_s);
    QCOMPARE(form.Command2.caption(), u"Zurück"_s);

    // Only the two buttons take the focus: Tab goes from "Start" to "Zurück" and back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Command2.widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.Command1.widget());
    QVERIFY(runtime.reported.empty());
}

void Form2LayoutTest::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (int number = 1; number <= 12; ++number) {
        const QString name = u"Label"_s + QString::number(number);
        QTest::newRow(qPrintable(name)) << name;
    }
}

void Form2LayoutTest::captionsFit()
{
    QFETCH(QString, name);

    RecordingRuntime runtime;
    Form2 form(runtime);
    form.Show();
    // The legend has its captions only once "Start" has run.
    QTest::mouseClick(form.Command1.widget(), Qt::LeftButton);
    const Label &label = form.label(name);
    QVERIFY(!label.caption().isEmpty());
    const QRect ink = testsupport::inkRect(label, form.devicePixelRatioF());
    QString where;
    QDebug(&where) << "ink" << ink << "box" << label.box();
    QVERIFY2(label.box().contains(ink), qPrintable(where));
}

QTEST_MAIN(Form2LayoutTest)
#include "tst_form2layout.moc"
