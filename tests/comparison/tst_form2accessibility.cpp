// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window as a screen reader gets it: its legend and buttons in the accessible
// tree, and the diagram and the announcer before and after "Start".

#include "accessibilitytest.h"
#include "comparison/form2.h"
#include "windowtest.h"

#include <QAccessible>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

void ignore(QAccessibleEvent *) { }

} // namespace

class TestForm2Accessibility : public testsupport::WindowTest<Form2>
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void legendButtonsAndDiagram();
};

void TestForm2Accessibility::initTestCase()
{
    testsupport::prepareApplication();
    QVERIFY(testsupport::listenAsScreenReader(ignore));
}

void TestForm2Accessibility::legendButtonsAndDiagram()
{
    Form2 &form = this->form();
    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(window());
    QCOMPARE(tree->text(QAccessible::Name),
             u"Der radioaktive Zerfall ausgewählter Isotope im Vergleich"_s);
    // 7 labels, 2 buttons and the diagram; no line, and no legend before "Start". By TabIndex:
    // "Start" (0), "Zurück" (6), then the axis labels.
    QCOMPARE(tree->childCount(), 10);
    QCOMPARE(tree->child(0)->role(), QAccessible::Button);
    QCOMPARE(tree->child(0)->text(QAccessible::Name), u"Start"_s);
    QCOMPARE(tree->child(1)->text(QAccessible::Name), u"Zurück"_s);
    const Label *legend[] = {&form.Label1, &form.Label2, &form.Label3, &form.Label4, &form.Label5};
    QAccessibleInterface *diagram = tree->child(9);
    QCOMPARE(diagram->role(), QAccessible::Graphic);
    QVERIFY(diagram->text(QAccessible::Name).startsWith(u"Diagramm ohne Kurven"_s));

    testsupport::press(form.Command1);
    // The legend's entries are static text named by their captions, in the legend's order,
    // between the buttons; the announcement follows the diagram.
    QTRY_COMPARE(tree->childCount(), 16);
    for (int entry = 0; entry < 5; ++entry) {
        QAccessibleInterface *text = tree->child(1 + entry);
        QCOMPARE(text->role(), QAccessible::StaticText);
        QCOMPARE(text->text(QAccessible::Name), QString::fromStdString(legend[entry]->caption()));
        QVERIFY(!text->state().invisible);
    }
    QCOMPARE(tree->child(6)->text(QAccessible::Name), u"Zurück"_s);
    QCOMPARE(tree->child(14), diagram);
    QCOMPARE(tree->child(15)->role(), QAccessible::Notification);
    // Named by the handler's description, whose words are tests/core's.
    QCOMPARE(diagram->text(QAccessible::Name), QString::fromStdString(form.drawingDescription()));
}

QTEST_MAIN(TestForm2Accessibility)
#include "tst_form2accessibility.moc"
