// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The comparison window as a screen reader gets it: its legend and buttons in the accessible
// tree, and the diagram's description before and after "Start".

#include "accessibilitytest.h"
#include "form2.h"
#include "windowtest.h"

#include <QAccessible>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

void ignore(QAccessibleEvent *) { }

const QString Legend[] = {u"Cs-137 (Cäsium -137)"_s, u"Am-241 (Americium -241)"_s,
                          u"Ra-226 (Radium -226)"_s, u"C-14 (Kohlenstoff -14)"_s,
                          u"Pu-239 (Plutonium -239)"_s};

} // namespace

class Form2AccessibilityTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void legendAndButtons();
    void diagram_data();
    void diagram();

private:
    QAccessibleInterface *tree() const
    {
        return QAccessible::queryAccessibleInterface(m_form.get());
    }

    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Form2> m_form;
};

void Form2AccessibilityTest::initTestCase()
{
    testsupport::preparePlatform();
    QVERIFY(testsupport::listenAsScreenReader(ignore));
}

void Form2AccessibilityTest::init()
{
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Form2>(*m_runtime);
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form2AccessibilityTest::cleanup()
{
    QVERIFY(m_runtime->reported.empty());
    m_form.reset();
    m_runtime.reset();
}

void Form2AccessibilityTest::legendAndButtons()
{
    QCOMPARE(tree()->text(QAccessible::Name),
             u"Der radioaktive Zerfall ausgewählter Isotope im Vergleich"_s);
    // 12 labels, 2 buttons and the diagram; no line. By TabIndex: "Start" (0), the legend
    // (1 to 5), "Zurück" (6), then the axis labels.
    QCOMPARE(tree()->childCount(), 15);
    QCOMPARE(tree()->child(0)->text(QAccessible::Name), u"Start"_s);
    QCOMPARE(tree()->child(0)->role(), QAccessible::Button);
    QCOMPARE(tree()->child(6)->text(QAccessible::Name), u"Zurück"_s);
    for (int entry = 0; entry < 5; ++entry) {
        QAccessibleInterface *legend = tree()->child(1 + entry);
        QCOMPARE(legend->role(), QAccessible::StaticText);
        QCOMPARE(legend->text(QAccessible::Name), QString()); // empty until "Start"
    }

    QTest::mouseClick(m_form->Command1.widget(), Qt::LeftButton);
    for (int entry = 0; entry < 5; ++entry)
        QCOMPARE(tree()->child(1 + entry)->text(QAccessible::Name), Legend[entry]);
}

void Form2AccessibilityTest::diagram_data()
{
    QTest::addColumn<int>("starts");
    QTest::addColumn<QString>("description");

    QTest::newRow("before Start")
        << 0
        << u"Diagramm ohne Kurven: Anteil der radioaktiven Isotope in Prozent über der Zeit "
           u"von 0 bis 10000 Jahren."_s;
    // The legend's texts with its colours: 255/128/128 light red, 0/0/192 dark blue,
    // 255/0/0 red, 192/64/0 dark orange, 255/0/255 magenta.
    const QString curves =
        u"Zerfallskurven von fünf Isotopen über 10000 Jahre, jede in ihrer Farbe: "_s + Legend[0] +
        u" in Hellrot, "_s + Legend[1] + u" in Dunkelblau, "_s + Legend[2] + u" in Rot, "_s +
        Legend[3] + u" in Dunkelorange, "_s + Legend[4] +
        u" in Magenta. Sie sind nach der Zerfallsfrist geordnet, von der kürzesten zur "
        u"längsten; je kürzer sie ist, desto schneller fällt die Kurve."_s;
    QTest::newRow("after Start") << 1 << curves;
    QTest::newRow("after a second Start") << 2 << curves;
}

void Form2AccessibilityTest::diagram()
{
    QFETCH(int, starts);
    QFETCH(QString, description);
    for (int n = 0; n < starts; ++n)
        QTest::mouseClick(m_form->Command1.widget(), Qt::LeftButton);
    QAccessibleInterface *diagram = tree()->child(tree()->childCount() - 1);
    QCOMPARE(diagram->role(), QAccessible::Graphic);
    QCOMPARE(diagram->text(QAccessible::Name), description);
}

QTEST_MAIN(Form2AccessibilityTest)
#include "tst_form2accessibility.moc"
