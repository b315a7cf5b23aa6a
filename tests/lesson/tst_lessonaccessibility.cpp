// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson as a pupil with a screen reader or only a keyboard meets it: the accessible tree
// of the lesson window, the diagram's description as the lesson goes on, and the focus drawn
// on screen.

#include "accessibilitytest.h"
#include "form1.h"
#include "windowtest.h"

#include <QAccessible>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

void ignore(QAccessibleEvent *) { }

// The lesson's texts for the diagram, as a pupil hears them.
const QString NoCurve = u"Diagramm ohne Kurve: Anteil des radioaktiven Isotops in Prozent über "
                        u"der Zeit in Millionen Jahren."_s;
const QString Guides = u" Gepunktete Hilfslinien markieren die ersten fünf Zerfallsfristen."_s;

QString curve(const QString &isotope, const QString &halfLife)
{
    return u"Zerfallskurve von "_s + isotope + u": nach jeder Zerfallsfrist von "_s + halfLife +
        u" Millionen Jahren ist nur noch die Hälfte vorhanden."_s;
}

QString highlighted(const QString &ordinal, const QString &from, const QString &to,
                    const QString &before, const QString &after)
{
    return u" Rot hervorgehoben ist die "_s + ordinal + u" Zerfallsfrist: zwischen "_s + from +
        u" und "_s + to + u" Millionen Jahren sinkt der Anteil von "_s + before + u" auf "_s +
        after + u"."_s;
}

} // namespace

class TestLessonAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void treeInTabOrder();
    void labelsFollowTheLesson_data();
    void labelsFollowTheLesson();
    void buttonsAndList();
    void diagram_data();
    void diagram();
    void focusIsVisible_data();
    void focusIsVisible();

private:
    QAccessibleInterface *tree() const
    {
        return QAccessible::queryAccessibleInterface(m_form.get());
    }
    QAccessibleInterface *of(const Label &label) const;
    QAccessibleInterface *of(const WidgetControl &control) const
    {
        return QAccessible::queryAccessibleInterface(control.widget());
    }
    QAccessibleInterface *diagramInterface() const
    {
        return tree()->child(tree()->childCount() - 1);
    }
    void choose(int row);
    void press(int times);

    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Form1> m_form;
};

void TestLessonAccessibility::initTestCase()
{
    testsupport::preparePlatform();
    QVERIFY(testsupport::listenAsScreenReader(ignore));
}

void TestLessonAccessibility::init()
{
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Form1>(*m_runtime);
    m_form->load();
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestLessonAccessibility::cleanup()
{
    QVERIFY(m_runtime->reported.empty());
    m_form.reset();
    m_runtime.reset();
}

QAccessibleInterface *TestLessonAccessibility::of(const Label &label) const
{
    // A label's interface is the static text at its box.
    const QRect box(m_form->mapToGlobal(label.box().topLeft()), label.box().size());
    for (int index = 0; index < tree()->childCount(); ++index) {
        QAccessibleInterface *child = tree()->child(index);
        if (child->role() == QAccessible::StaticText && child->rect() == box)
            return child;
    }
    return nullptr;
}

void TestLessonAccessibility::choose(int row)
{
    auto *list = qobject_cast<QListWidget *>(m_form->List1.widget());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void TestLessonAccessibility::press(int times)
{
    for (int n = 0; n < times; ++n)
        QTest::mouseClick(m_form->Command1.button(), Qt::LeftButton);
}

void TestLessonAccessibility::treeInTabOrder()
{
    QCOMPARE(tree()->role(), QAccessible::Window);
    QCOMPARE(tree()->text(QAccessible::Name), u"Die Zerfallsfrist"_s);
    // Every label and widget of the layout in the order of its TabIndex (Label1 has 0 and
    // Command2 21), then the diagram; none of the 18 lines.
    const QStringList order{u"Label1"_s,   u"Label2"_s,  u"Label3"_s,  u"Label4"_s,  u"Label5"_s,
                            u"Label6"_s,   u"Label7"_s,  u"Label8"_s,  u"Label9"_s,  u"List1"_s,
                            u"Label10"_s,  u"Label11"_s, u"Label12"_s, u"Label13"_s, u"Label14"_s,
                            u"Label15"_s,  u"Label16"_s, u"Label17"_s, u"Label18"_s, u"Label19"_s,
                            u"Command1"_s, u"Command2"_s};
    QCOMPARE(tree()->childCount(), order.size() + 1);
    for (int index = 0; index < order.size(); ++index) {
        const QString &name = order[index];
        QAccessibleInterface *expected = name.startsWith(u"Label")
            ? of(m_form->label(name))
            : of(m_form->control<WidgetControl>(name));
        QVERIFY2(expected, qPrintable(name));
        QCOMPARE(tree()->child(index), expected);
        QCOMPARE(tree()->indexOfChild(expected), index);
        QCOMPARE(expected->parent(), tree());
    }
    QCOMPARE(diagramInterface()->role(), QAccessible::Graphic);
}

void TestLessonAccessibility::labelsFollowTheLesson_data()
{
    QTest::addColumn<int>("row"); // chosen isotope, or -1 for none
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("hidden");
    QTest::addColumn<QStringList>("names"); // Label10, Label11, Label13

    const QStringList atStart{u"Label3"_s,  u"Label4"_s,  u"Label12"_s,
                              u"Label17"_s, u"Label18"_s, u"Label19"_s};
    QTest::newRow("start") << -1 << 0 << atStart
                           << QStringList{u"Isotop"_s, u"Zerfallsfrist"_s, QString()};
    const QStringList uran238{u"Uran 238"_s, u"Zerfallsfrist =  4468 Millionen Jahre"_s,
                              u"22340"_s};
    QTest::newRow("Uran 238") << 3 << 0 << atStart << uran238;
    QTest::newRow("first text") << 3 << 1
                                << QStringList{u"Label3"_s, u"Label4"_s, u"Label12"_s, u"Label18"_s,
                                               u"Label19"_s}
                                << uran238;
    QTest::newRow("guides shown") << 3 << 3 << QStringList() << uran238;
    QTest::newRow("Uran 235 in German")
        << 2 << 0 << atStart
        << QStringList{u"Uran 235"_s, u"Zerfallsfrist =  703,8 Millionen Jahre"_s, u"3519"_s};
}

void TestLessonAccessibility::labelsFollowTheLesson()
{
    QFETCH(int, row);
    QFETCH(int, presses);
    QFETCH(QStringList, hidden);
    QFETCH(QStringList, names);
    if (row >= 0)
        choose(row);
    press(presses);

    // Every label is static text named by its caption, visible as it is on screen.
    int labels = 0;
    for (const auto &control : m_form->controls()) {
        const auto *label = dynamic_cast<const Label *>(control.get());
        if (!label)
            continue;
        ++labels;
        QAccessibleInterface *iface = of(*label);
        QVERIFY2(iface, qPrintable(label->name()));
        QCOMPARE(iface->text(QAccessible::Name), label->caption());
        QCOMPARE(iface->state().invisible, hidden.contains(label->name()));
        QVERIFY(!iface->state().focusable);
    }
    QCOMPARE(labels, 19);
    QCOMPARE(of(m_form->Label10)->text(QAccessible::Name), names[0]);
    QCOMPARE(of(m_form->Label11)->text(QAccessible::Name), names[1]);
    QCOMPARE(of(m_form->Label13)->text(QAccessible::Name), names[2]);
}

void TestLessonAccessibility::buttonsAndList()
{
    QAccessibleInterface *weiter = of(m_form->Command1);
    QAccessibleInterface *excursion = of(m_form->Command2);
    QAccessibleInterface *list = of(m_form->List1);
    QCOMPARE(weiter->role(), QAccessible::Button);
    QCOMPARE(weiter->text(QAccessible::Name), u"Weiter"_s);
    QVERIFY(weiter->state().disabled);
    QCOMPARE(excursion->role(), QAccessible::Button);
    QCOMPARE(excursion->text(QAccessible::Name), u"Exkurs: Zerfallsfristen im Vergleich"_s);
    QVERIFY(!excursion->state().disabled);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->text(QAccessible::Name), u"Isotope"_s);
    // the five entries, read out by their names
    QCOMPARE(list->childCount(), 5);
    QCOMPARE(list->child(3)->text(QAccessible::Name), u"Uran 238"_s);

    choose(3);
    QVERIFY(!weiter->state().disabled);
    QVERIFY(list->child(3)->state().selected);
    press(8);
    QCOMPARE(weiter->text(QAccessible::Name), u"Ende"_s);
}

void TestLessonAccessibility::diagram_data()
{
    QTest::addColumn<int>("row"); // chosen isotope, or -1 for none
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("rowAfter"); // chosen after the presses, or -1
    QTest::addColumn<QString>("description");

    const QString uran238 = curve(u"Uran 238"_s, u"4468"_s);
    QTest::newRow("before a choice") << -1 << 0 << -1 << NoCurve;
    QTest::newRow("Uran 238") << 3 << 0 << -1 << uran238;
    QTest::newRow("Uran 235 in German") << 2 << 0 << -1 << curve(u"Uran 235"_s, u"703,8"_s);
    QTest::newRow("Kohlenstoff 14") << 4 << 0 << -1 << curve(u"Kohlenstoff 14"_s, u"0,00573"_s);
    QTest::newRow("press 2: texts only") << 3 << 2 << -1 << uran238;
    QTest::newRow("press 3: guides") << 3 << 3 << -1 << uran238 + Guides;
    // Presses 4 to 7 highlight half-life 1 to 4: its span on the time axis (k − 1 and k times
    // 4468) and the shares at its ends (100 % halved k − 1 and k times).
    QTest::newRow("press 4") << 3 << 4 << -1
                             << uran238 + Guides +
            highlighted(u"erste"_s, u"0"_s, u"4468"_s, u"100%"_s, u"50%"_s);
    QTest::newRow("press 5") << 3 << 5 << -1
                             << uran238 + Guides +
            highlighted(u"zweite"_s, u"4468"_s, u"8936"_s, u"50%"_s, u"25%"_s);
    QTest::newRow("press 6") << 3 << 6 << -1
                             << uran238 + Guides +
            highlighted(u"dritte"_s, u"8936"_s, u"13404"_s, u"25%"_s, u"12,5%"_s);
    QTest::newRow("press 7") << 3 << 7 << -1
                             << uran238 + Guides +
            highlighted(u"vierte"_s, u"13404"_s, u"17872"_s, u"12,5%"_s, u"6,25%"_s);
    QTest::newRow("press 8: nothing highlighted") << 3 << 8 << -1 << uran238 + Guides;
    // Another isotope in the middle: the marks of half-life 2 stay red, with the new times.
    QTest::newRow("Kalium 40 after press 5") << 3 << 5 << 0
                                             << curve(u"Kalium 40"_s, u"1280"_s) + Guides +
            highlighted(u"zweite"_s, u"1280"_s, u"2560"_s, u"50%"_s, u"25%"_s);
}

void TestLessonAccessibility::diagram()
{
    QFETCH(int, row);
    QFETCH(int, presses);
    QFETCH(int, rowAfter);
    QFETCH(QString, description);
    if (row >= 0)
        choose(row);
    press(presses);
    if (rowAfter >= 0)
        choose(rowAfter);

    QAccessibleInterface *diagram = diagramInterface();
    QCOMPARE(diagram->role(), QAccessible::Graphic);
    QCOMPARE(diagram->text(QAccessible::Name), description);
    QVERIFY(!diagram->state().invisible);
    QCOMPARE(diagram->rect(), QRect(m_form->mapToGlobal(QPoint(0, 0)), m_form->size()));
}

void TestLessonAccessibility::focusIsVisible_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<bool>("button"); // a frame along all four edges

    QTest::newRow("list before a choice") << u"List1"_s << false << false;
    QTest::newRow("list with the chosen entry") << u"List1"_s << true << false;
    QTest::newRow("Weiter") << u"Command1"_s << true << true;
    QTest::newRow("excursion") << u"Command2"_s << false << true;
}

void TestLessonAccessibility::focusIsVisible()
{
    QFETCH(QString, control);
    QFETCH(bool, chosen);
    QFETCH(bool, button);
    QWidget *list = m_form->List1.widget();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    if (chosen)
        QTest::keyClick(list, Qt::Key_Down);

    // The control with and without the focus, reached by Tab as a keyboard user does.
    QWidget *widget = m_form->control<WidgetControl>(control).widget();
    for (int n = 0; n < 3 && QApplication::focusWidget() != widget; ++n)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), widget);
    const QImage focused = testsupport::grab(*widget);
    QTest::keyClick(widget, Qt::Key_Tab);
    QVERIFY(!widget->hasFocus());
    const QImage unfocused = testsupport::grab(*widget);

    // A button's frame runs along all four edges; a list frames its current entry.
    const qreal ratio = focused.devicePixelRatio();
    const QSize size = widget->size() * ratio;
    const int band = static_cast<int>(4 * ratio);
    const std::vector<QRect> areas = button
        ? std::vector<QRect>{QRect(0, 0, size.width(), band),
                             QRect(0, size.height() - band, size.width(), band),
                             QRect(0, 0, band, size.height()),
                             QRect(size.width() - band, 0, band, size.height())}
        : std::vector<QRect>{QRect(QPoint(0, 0), size)};
    for (const QRect &area : areas) {
        bool differs = false;
        for (int y = area.top(); y <= area.bottom() && !differs; ++y)
            for (int x = area.left(); x <= area.right() && !differs; ++x)
                differs = focused.pixel(x, y) != unfocused.pixel(x, y);
        QVERIFY2(differs, "the focus does not show");
    }
}

QTEST_MAIN(TestLessonAccessibility)
#include "tst_lessonaccessibility.moc"
