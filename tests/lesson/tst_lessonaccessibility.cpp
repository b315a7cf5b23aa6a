// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The lesson as a pupil with a screen reader or only a keyboard meets it: the accessible tree
// of the lesson window as the lesson goes on, what is announced when, and the focus drawn on
// screen.

#include "accessibilitytest.h"
#include "lesson/form1.h"
#include "windowtest.h"

#include <QAccessible>
#include <QTest>
#include <tuple>
#include <vector>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

// Every accessibility event, as the role and name of what it is about.
std::vector<std::tuple<QAccessible::Event, QAccessible::Role, QString>> events;

void record(QAccessibleEvent *event)
{
    if (QAccessibleInterface *iface = event->accessibleInterface())
        events.emplace_back(event->type(), iface->role(), iface->text(QAccessible::Name));
}

constexpr int Uran238 = 3;

} // namespace

class TestLessonAccessibility : public testsupport::WindowTest<Form1>
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void treeInTabOrder();
    void firstArrowPressIsAnnounced();
    void diagramFollowsTheLesson();
    void focusIsVisible_data();
    void focusIsVisible();

private:
    QAccessibleInterface *tree() const { return QAccessible::queryAccessibleInterface(window()); }
    QAccessibleInterface *of(const Label &label) const;
    QAccessibleInterface *of(const WidgetControl &control) const
    {
        return QAccessible::queryAccessibleInterface(qtface::widgetOf(control));
    }
    QAccessibleInterface *diagram() const;
};

void TestLessonAccessibility::initTestCase()
{
    testsupport::prepareApplication();
    QVERIFY(testsupport::listenAsScreenReader(record));
}

QAccessibleInterface *TestLessonAccessibility::diagram() const
{
    for (int index = tree()->childCount() - 1; index >= 0; --index)
        if (tree()->child(index)->role() == QAccessible::Graphic)
            return tree()->child(index);
    return nullptr;
}

QAccessibleInterface *TestLessonAccessibility::of(const Label &label) const
{
    // A label's interface is the static text at its box.
    const QRect box(window()->mapToGlobal(QPoint(label.box().x, label.box().y)),
                    QSize(label.box().width, label.box().height));
    for (int index = 0; index < tree()->childCount(); ++index) {
        QAccessibleInterface *child = tree()->child(index);
        if (child->role() == QAccessible::StaticText && child->rect() == box)
            return child;
    }
    return nullptr;
}

void TestLessonAccessibility::treeInTabOrder()
{
    QCOMPARE(tree()->role(), QAccessible::Window);
    QCOMPARE(tree()->text(QAccessible::Name), u"Die Zerfallsfrist"_s);
    // Once every label has a caption and is shown: every label and widget of the layout in the
    // order of its TabIndex (Label1 has 0 and Command2 21), then the diagram and the announcer;
    // none of the 18 lines.
    testsupport::choose(form().List1, Uran238);
    for (int n = 0; n < 3; ++n)
        testsupport::press(form().Command1);
    const std::vector<std::string> order{
        "Label1",  "Label2",  "Label3",  "Label4",  "Label5",   "Label6",  "Label7",  "Label8",
        "Label9",  "List1",   "Label10", "Label11", "Label12",  "Label13", "Label14", "Label15",
        "Label16", "Label17", "Label18", "Label19", "Command1", "Command2"};
    QTRY_COMPARE(tree()->childCount(), int(order.size()) + 2);
    for (int index = 0; index < int(order.size()); ++index) {
        const std::string &name = order[std::size_t(index)];
        QAccessibleInterface *expected = name.starts_with("Label")
            ? of(form().label(name))
            : of(form().control<WidgetControl>(name));
        QVERIFY2(expected, name.c_str());
        QCOMPARE(tree()->child(index), expected);
        QCOMPARE(tree()->indexOfChild(expected), index);
        QCOMPARE(expected->parent(), tree());
    }
    // The list has no caption: the lesson names it. The buttons' names and states are their
    // widgets', which tst_window holds to the controls.
    QCOMPARE(of(form().List1)->text(QAccessible::Name), u"Isotope"_s);
    QCOMPARE(diagram()->role(), QAccessible::Graphic);
    QAccessibleInterface *announcer = tree()->child(int(order.size()) + 1);
    QCOMPARE(announcer->role(), QAccessible::Notification);
    QCOMPARE(announcer->text(QAccessible::Name), QString::fromStdString(form().announcement()));
}

void TestLessonAccessibility::firstArrowPressIsAnnounced()
{
    // The list has the focus and nothing chosen: the first arrow key chooses the first entry,
    // which already has the focus, so Qt tells of nothing but its selection. The announcement
    // says what the choice brought, last.
    QTRY_COMPARE(testsupport::focusWidget(), testsupport::widget(form().List1));
    events.clear();
    testsupport::pressKey(form(), Qt::Key_Down);
    QTRY_VERIFY(!events.empty() && std::get<0>(events.back()) == QAccessible::ObjectShow);
    const auto &[type, role, name] = events.back();
    QCOMPARE(role, QAccessible::Notification);
    QVERIFY2(name.startsWith(u"Kalium 40: Zerfallsfrist 1280 Millionen Jahre."_s),
             qPrintable(name));
    QTest::qWait(50);
    QCOMPARE(std::get<0>(events.back()), QAccessible::ObjectShow);
}

void TestLessonAccessibility::diagramFollowsTheLesson()
{
    // The points are one graphic over the whole window, named by what the lesson says they show.
    const auto name = [this] { return diagram()->text(QAccessible::Name); };
    const auto described = [this] { return QString::fromStdString(form().drawingDescription()); };
    QCOMPARE(diagram()->rect(), QRect(window()->mapToGlobal(QPoint(0, 0)), window()->size()));
    QVERIFY(name().startsWith(u"Diagramm ohne Kurve"_s));
    testsupport::choose(form().List1, Uran238);
    QVERIFY(name().contains(u"Uran 238"_s));
    for (int n = 0; n < 4; ++n)
        testsupport::press(form().Command1);
    QCOMPARE(name(), described());
    QVERIFY(name().contains(u"Rot hervorgehoben"_s));
    QVERIFY(!diagram()->state().invisible);
}

void TestLessonAccessibility::focusIsVisible_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<bool>("button"); // a frame along all four edges

    QTest::newRow("list before a choice") << "List1"_ba << false << false;
    QTest::newRow("list with the chosen entry") << "List1"_ba << true << false;
    QTest::newRow("Weiter") << "Command1"_ba << true << true;
    QTest::newRow("excursion") << "Command2"_ba << false << true;
}

void TestLessonAccessibility::focusIsVisible()
{
    QFETCH(QByteArray, control);
    QFETCH(bool, chosen);
    QFETCH(bool, button);
    QWidget *list = testsupport::widget(form().List1);
    QTRY_COMPARE(testsupport::focusWidget(), list);
    if (chosen)
        testsupport::pressKey(form(), Qt::Key_Down);

    // The control with and without the focus, reached by Tab as a keyboard user does.
    QWidget *widget = qtface::widgetOf(form().control<WidgetControl>(control.toStdString()));
    for (int n = 0; n < 3 && testsupport::focusWidget() != widget; ++n)
        testsupport::pressKey(form(), Qt::Key_Tab);
    QCOMPARE(testsupport::focusWidget(), widget);
    const QImage focusedWindow = testsupport::screenImage(form());
    testsupport::pressKey(form(), Qt::Key_Tab);
    QVERIFY(!widget->hasFocus());
    const QImage unfocusedWindow = testsupport::screenImage(form());

    // A button's frame runs along all four edges; a list frames its current entry.
    const qreal ratio = focusedWindow.devicePixelRatio();
    const QRect device((QPointF(widget->pos()) * ratio).toPoint(),
                       (QSizeF(widget->size()) * ratio).toSize());
    const QImage focused = focusedWindow.copy(device);
    const QImage unfocused = unfocusedWindow.copy(device);
    const QSize size = device.size();
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
