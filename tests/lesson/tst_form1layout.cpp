// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson window as it stands before the first event: its controls, colours, focus, the
// diagram's geometry on screen, and every caption inside its box.

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
constexpr Colour Peach = 0x00C0E0FF;
constexpr Colour Blue = 0x00FF0000;
constexpr Colour DarkBlue = 0x00C00000;
} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void window();
    void labelsAtStart_data();
    void labelsAtStart();
    void linesAtStart_data();
    void linesAtStart();
    void colours();
    void buttonsAndFocus();
    void halfLifePointsOnGuideCrossings_data();
    void halfLifePointsOnGuideCrossings();
    void edgePointsInTwips_data();
    void edgePointsInTwips();
    void diagramOnScreen();
    void everyCaptionFitsItsBox();

private:
    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Layout::initTestCase()
{
    testsupport::preparePlatform();
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Form1>(*m_runtime);
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestForm1Layout::cleanupTestCase()
{
    m_form.reset();
    m_runtime.reset();
}

void TestForm1Layout::window()
{
    QCOMPARE(m_form->windowTitle(), u"Die Zerfallsfrist"_s);
    // 14310 × 9765 twips of client area at 555, 1830 twips: 954 × 651 pixels at (37, 122).
    // Where exactly a window lands is the window system's; the offscreen one adds a frame.
    QCOMPARE(m_form->size(), QSize(954, 651));
    QVERIFY((m_form->geometry().topLeft() - QPoint(37, 122)).manhattanLength() <= 4);
    QCOMPARE(m_form->foreColor(), Blue);
    QCOMPARE(m_form->controls().size(), std::size_t(40));
    QSet<QString> names;
    for (const auto &control : m_form->controls())
        names.insert(control->name());
    QCOMPARE(names.size(), 40);
    QVERIFY(m_runtime->reported.empty());
}

void TestForm1Layout::labelsAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");

    QTest::newRow("100%") << u"Label1"_s << true << u"100%"_s;
    QTest::newRow("50%") << u"Label2"_s << true << u"50%"_s;
    QTest::newRow("25% hidden") << u"Label3"_s << false << u"25%"_s;
    QTest::newRow("12,5% hidden") << u"Label4"_s << false << u"12,5%"_s;
    QTest::newRow("6,25% hidden") << u"Label12"_s << false << u"6,25%"_s;
    for (const char16_t *axis : {u"Label5", u"Label6", u"Label7", u"Label8", u"Label9", u"Label13"})
        QTest::addRow("%s empty", qPrintable(QString::fromUtf16(axis)))
            << QString::fromUtf16(axis) << true << QString();
    QTest::newRow("isotope field") << u"Label10"_s << true << u"Isotop"_s;
    QTest::newRow("half-life field") << u"Label11"_s << true << u"Zerfallsfrist"_s;
    QTest::newRow("time axis title") << u"Label14"_s << true << u"Zeit in Millionen Jahren"_s;
    QTest::newRow("instruction") << u"Label15"_s << true
                                 << u"Wähle aus der Liste ein Isotop aus, um Dir dessen "
                                    u"radioaktiven Zerfall anzuschauen."_s;
    QTest::newRow("vertical axis title")
        << u"Label16"_s << true << u"Anteil des radioaktiven Isotops in der Probe"_s;
    QTest::newRow("first text hidden")
        << u"Label17"_s << false
        << u"Wenn Du Dir die verschiedenen Kurven anschaust, stellst Du fest, dass deren "
           u"Verlauf identisch ist. Lediglich die Zeitachse verändert ihre Werte in "
           u"Abhängigkeit der jeweiligen Zerfallsfrist des ausgewählten Isotops."_s;
    // One quotation mark each side of "Zerfallsfrist", and "vorhandenen" spelt right.
    QTest::newRow("second text hidden")
        << u"Label18"_s << false
        << u"Was versteht man unter dem Begriff \"Zerfallsfrist\"? Nun, es bedeutet, dass sich "
           u"die Menge an noch vorhandenen radioaktiven Kernen (also denen, die noch nicht "
           u"zerfallen sind!) immer nach einer ganz bestimmten Zeitspanne halbiert. Diese Zeit "
           u"ist typisch für ein bestimmtes Isotop. Aus der Liste kannst Du einige "
           u"Zerfallsfristen entnehmen. Oft sind diese sehr groß - sie können aber auch im "
           u"Minutenbereich liegen. Dann ist das Isotop sehr stark radioaktiv und zerfällt "
           u"entsprechend schnell."_s;
    QTest::newRow("third text hidden")
        << u"Label19"_s << false
        << u"Betrachte im Diagramm die Verdeutlichung des Begriffes. Mathematisch beschreibt "
           u"man ein solches Verhalten als Exponentialgesetz."_s;
}

void TestForm1Layout::labelsAtStart()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    QFETCH(QString, caption);
    const Label &label = m_form->label(name);
    QCOMPARE(label.isVisible(), visible);
    QCOMPARE(label.caption(), caption);
}

void TestForm1Layout::linesAtStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("dotted");
    QTest::addColumn<int>("width");

    for (const char16_t *guide : {u"Line4", u"Line5", u"Line6", u"Line7", u"Line8", u"Line9",
                                  u"Line10", u"Line11", u"Line12", u"Line18"})
        QTest::addRow("%s guide", qPrintable(QString::fromUtf16(guide)))
            << QString::fromUtf16(guide) << false << true << 1;
    for (const char16_t *axis : {u"Line1", u"Line2", u"Line14", u"Line15", u"Line16", u"Line17"})
        QTest::addRow("%s axis", qPrintable(QString::fromUtf16(axis)))
            << QString::fromUtf16(axis) << true << false << 3;
    QTest::newRow("tick at 100") << u"Line3"_s << true << false << 1;
    QTest::newRow("tick at 50") << u"Line13"_s << true << false << 1;
}

void TestForm1Layout::linesAtStart()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    QFETCH(bool, dotted);
    QFETCH(int, width);
    const Line &line = m_form->line(name);
    QCOMPARE(line.isVisible(), visible);
    QCOMPARE(line.style() == LineStyle::Dotted, dotted);
    QCOMPARE(line.borderWidth(), width);
}

void TestForm1Layout::colours()
{
    for (const Label *field : {&m_form->Label10, &m_form->Label11}) {
        QCOMPARE(field->backColor(), Peach);
        QCOMPARE(field->foreColor(), DarkBlue);
        QVERIFY(!field->isTransparent());
    }
    QCOMPARE(m_form->label(u"Label15").foreColor(), Blue);
    const QPalette list = m_form->List1.widget()->palette();
    QCOMPARE(list.color(QPalette::Base).rgb(), rgb(Peach));
    QCOMPARE(list.color(QPalette::Text).rgb(), rgb(Blue));

    // Labels with the default background do not stand out from the window's background.
    const QImage image = testsupport::grab(*m_form);
    const QRgb background = pixelAt(image, QPoint(500, 400));
    QCOMPARE(pixelAt(image, m_form->Label5.box().topLeft()), background);
    QCOMPARE(pixelAt(image, m_form->Label10.box().bottomRight()), rgb(Peach));
}

void TestForm1Layout::buttonsAndFocus()
{
    QPushButton *weiter = m_form->Command1.button();
    QPushButton *exkurs = m_form->Command2.button();
    QCOMPARE(weiter->text(), u"Weiter"_s);
    QVERIFY(!weiter->isEnabled());
    QVERIFY(weiter->font().bold());
    QCOMPARE(weiter->font().pixelSize(), 18); // 13.5 pt at 96 dpi
    QCOMPARE(exkurs->text(), u"Exkurs: Zerfallsfristen im Vergleich"_s);
    QVERIFY(exkurs->isEnabled());
    QVERIFY(exkurs->font().italic());
    QCOMPARE(m_form->List1.listCount(), 0);

    // While "Weiter" is disabled the focus moves between the list and the excursion only.
    QWidget *list = m_form->List1.widget();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), exkurs);
    QTest::keyClick(exkurs, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);
}

void TestForm1Layout::halfLifePointsOnGuideCrossings_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    // After k half-lives the curve stands at (25 k, 100 / 2^k), where its two guides meet.
    QTest::newRow("one half-life") << 25.0 << 50.0 << u"Line4"_s << u"Line7"_s;
    QTest::newRow("two") << 50.0 << 25.0 << u"Line5"_s << u"Line9"_s;
    QTest::newRow("three") << 75.0 << 12.5 << u"Line6"_s << u"Line8"_s;
    QTest::newRow("four") << 100.0 << 6.25 << u"Line11"_s << u"Line10"_s;
    QTest::newRow("five") << 125.0 << 3.125 << u"Line12"_s << u"Line18"_s;
}

void TestForm1Layout::halfLifePointsOnGuideCrossings()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    const QPoint pixel = m_form->userToPixel(x, y);
    QCOMPARE(pixel.y(), m_form->line(horizontal).start().y());
    QCOMPARE(pixel.y(), m_form->line(horizontal).end().y());
    QCOMPARE(pixel.x(), m_form->line(vertical).start().x());
    // the horizontal guide reaches the point, the vertical one rises to it
    QCOMPARE(m_form->line(horizontal).end().x(), pixel.x());
    QCOMPARE(std::min(m_form->line(vertical).start().y(), m_form->line(vertical).end().y()),
             pixel.y());
}

void TestForm1Layout::edgePointsInTwips_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QPoint>("twips");
    QTest::addColumn<QString>("line"); // a line whose pixels the point lies on
    QTest::newRow("first guide crossing") << 25.0 << 50.0 << QPoint(2988, 4928) << u"Line4"_s;
    QTest::newRow("axes' crossing") << 0.0 << 0.0 << QPoint(854, 9034) << u"Line2"_s;
    QTest::newRow("arrow tip") << 150.0 << 0.0 << QPoint(13660, 9034) << u"Line2"_s;
    QTest::newRow("first curve point") << 0.0 << 100.0 << QPoint(854, 821) << u"Line3"_s;
}

void TestForm1Layout::edgePointsInTwips()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(QPoint, twips);
    QFETCH(QString, line);
    const QPointF mapped = m_form->userToTwips(x, y);
    QVERIFY2(std::abs(mapped.x() - twips.x()) <= 1 && std::abs(mapped.y() - twips.y()) <= 1,
             qPrintable(u"(%1, %2)"_s.arg(mapped.x()).arg(mapped.y())));
    // Drawn, the point's pixel is one of the line's.
    const QPoint pixel = m_form->userToPixel(x, y);
    const Line &onLine = m_form->line(line);
    const int half = onLine.borderWidth() / 2;
    QVERIFY(std::abs(pixel.y() - onLine.start().y()) <= half);
    QVERIFY(pixel.x() >= std::min(onLine.start().x(), onLine.end().x()) - half);
    QVERIFY(pixel.x() <= std::max(onLine.start().x(), onLine.end().x()) + half);
}

void TestForm1Layout::diagramOnScreen()
{
    const QImage image = testsupport::grab(*m_form);
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
    // Shown per-cent labels ink their boxes; hidden ones do not.
    QVERIFY(testsupport::contains(image, m_form->Label1.box(), black, 80));
    QVERIFY(testsupport::contains(image, m_form->Label2.box(), black, 80));
    QVERIFY(!testsupport::contains(image, m_form->Label3.box(), black, 80));
}

void TestForm1Layout::everyCaptionFitsItsBox()
{
    const qreal ratio = m_form->devicePixelRatioF();
    for (const auto &control : m_form->controls()) {
        if (const auto *label = dynamic_cast<const Label *>(control.get());
            label && !label->caption().isEmpty()) {
            const QRect ink = testsupport::inkRect(*label, ratio);
            QVERIFY2(label->box().contains(ink),
                     qPrintable(u"%1: ink %2,%3 %4×%5 outside box %6,%7 %8×%9"_s.arg(label->name())
                                    .arg(ink.x())
                                    .arg(ink.y())
                                    .arg(ink.width())
                                    .arg(ink.height())
                                    .arg(label->box().x())
                                    .arg(label->box().y())
                                    .arg(label->box().width())
                                    .arg(label->box().height())));
        } else if (const auto *button = dynamic_cast<const CommandButton *>(control.get())) {
            const QPushButton *widget = button->button();
            const int textWidth = widget->fontMetrics().horizontalAdvance(widget->text());
            QVERIFY2(textWidth + 8 <= widget->width(), qPrintable(button->name()));
            QVERIFY(widget->fontMetrics().height() + 4 <= widget->height());
        }
    }
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
