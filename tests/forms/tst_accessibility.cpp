// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets from a window built from a small layout of its own: the tree of
// accessible interfaces, and the events that tell it what changed.

#include "accessibilitytest.h"
#include "forms/form.h"
#include "windowtest.h"

#include <QAccessible>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

using K = ControlKind;

// Listed out of their tab order, with a line between them: the tree must follow TabIndex and
// leave the line out.
const ControlSpec controls[] = {
    {.name = u"Command1",
     .kind = K::CommandButton,
     .caption = u"&Los",
     .box = {3000, 150, 1200, 450},
     .tabIndex = 3},
    {.name = u"Title", .kind = K::Label, .caption = u"Titel", .box = {150, 150, 1500, 300}},
    {.name = u"Rule", .kind = K::Line, .ends = {0, 1500, 2250, 1500}, .tabIndex = 1},
    {.name = u"Later",
     .kind = K::Label,
     .caption = u"Später",
     .box = {150, 600, 1500, 300},
     .visible = false,
     .tabIndex = 2},
};

const FormSpec layout = {
    .name = u"Form1",
    .caption = u"Fenster",
    .client = {1500, 1500, 4500, 3000}, // 300 × 200 pixels
    .scale = {.left = 0, .top = 100, .unitWidth = 15, .unitHeight = -15},
    .controls = controls,
};

struct Seen
{
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
};
std::vector<Seen> seen;

void record(QAccessibleEvent *event)
{
    if (QAccessibleInterface *iface = event->accessibleInterface())
        seen.push_back({event->type(), iface->role(), iface->text(QAccessible::Name)});
}

QRect onScreen(const QWidget &window, const QRect &box)
{
    return QRect(window.mapToGlobal(box.topLeft()), box.size());
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void treeFollowsTabIndex();
    void labelsAsStaticText();
    void drawingDescription();
    void descriptionIsNoPlatformCall();
    void eventsForScreenReaders();
    void childAtPoint();
    void focusShowsFromTheStart();

private:
    QAccessibleInterface *window() const
    {
        return QAccessible::queryAccessibleInterface(m_form.get());
    }

    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Form> m_form;
};

void TestAccessibility::initTestCase()
{
    testsupport::preparePlatform();
    QVERIFY(testsupport::listenAsScreenReader(record));
}

void TestAccessibility::init()
{
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Form>(*m_runtime, layout);
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    seen.clear();
}

void TestAccessibility::cleanup()
{
    m_form.reset();
    m_runtime.reset();
}

void TestAccessibility::treeFollowsTabIndex()
{
    QAccessibleInterface *tree = window();
    QVERIFY(tree);
    QCOMPARE(tree->role(), QAccessible::Window);
    QCOMPARE(tree->text(QAccessible::Name), u"Fenster"_s);
    // Title (tab 0), Later (tab 2), the button (tab 3), then the drawing; no line.
    QCOMPARE(tree->childCount(), 4);
    const QAccessible::Role roles[] = {QAccessible::StaticText, QAccessible::StaticText,
                                       QAccessible::Button, QAccessible::Graphic};
    const QString names[] = {u"Titel"_s, u"Später"_s, u"Los"_s, QString()};
    for (int index = 0; index < 4; ++index) {
        QAccessibleInterface *child = tree->child(index);
        QVERIFY(child);
        QCOMPARE(child->role(), roles[index]);
        QCOMPARE(child->text(QAccessible::Name), names[index]);
        QCOMPARE(child->parent(), tree);
        QCOMPARE(tree->indexOfChild(child), index);
        // the same interface every time, so tools can keep hold of it
        QCOMPARE(tree->child(index), child);
    }
    QVERIFY(!tree->child(4));
    QVERIFY(!tree->child(-1));
}

void TestAccessibility::labelsAsStaticText()
{
    QAccessibleInterface *title = window()->child(0);
    QAccessibleInterface *later = window()->child(1);
    QCOMPARE(title->rect(), onScreen(*m_form, m_form->label(u"Title").box()));
    QCOMPARE(title->childCount(), 0);
    QVERIFY(!title->state().invisible);
    QVERIFY(!title->state().focusable);
    QVERIFY(later->state().invisible); // hidden by the layout

    m_form->label(u"Later").setVisible(true);
    m_form->label(u"Title").setCaption(u"Neuer Titel"_s);
    QVERIFY(!later->state().invisible);
    QCOMPARE(title->text(QAccessible::Name), u"Neuer Titel"_s);

    // a hidden window hides its labels too
    m_form->Hide();
    QVERIFY(title->state().invisible);
}

void TestAccessibility::drawingDescription()
{
    QAccessibleInterface *drawing = window()->child(3);
    QCOMPARE(drawing->role(), QAccessible::Graphic);
    QCOMPARE(drawing->rect(), onScreen(*m_form, m_form->rect()));
    // nothing described, nothing to offer
    QVERIFY(drawing->state().invisible);

    m_form->setDrawingDescription(u"Eine Gerade"_s);
    QCOMPARE(drawing->text(QAccessible::Name), u"Eine Gerade"_s);
    QVERIFY(!drawing->state().invisible);
    QCOMPARE(window()->child(3), drawing);
}

void TestAccessibility::descriptionIsNoPlatformCall()
{
    // The n-th platform call is set to fail; describing the drawing must not be one.
    m_runtime->failCall(1);
    const auto calls = m_runtime->callCount();
    m_form->setDrawingDescription(u"Punkte"_s);
    QCOMPARE(m_runtime->callCount(), calls);
    QCOMPARE(m_form->drawingDescription(), u"Punkte"_s);
    QVERIFY(m_runtime->reported.empty());
}

void TestAccessibility::eventsForScreenReaders()
{
    m_form->label(u"Title").setCaption(u"Anders"_s);
    m_form->label(u"Later").setVisible(true);
    m_form->line(u"Rule").setVisible(false); // lines are not in the tree: no event
    m_form->setDrawingDescription(u"Kurve"_s);
    // unchanged values tell nothing
    m_form->label(u"Title").setCaption(u"Anders"_s);
    m_form->setDrawingDescription(u"Kurve"_s);
    m_form->label(u"Later").setVisible(false);

    QCOMPARE(seen.size(), 4u);
    QCOMPARE(seen[0].type, QAccessible::NameChanged);
    QCOMPARE(seen[0].role, QAccessible::StaticText);
    QCOMPARE(seen[0].name, u"Anders"_s);
    QCOMPARE(seen[1].type, QAccessible::ObjectShow);
    QCOMPARE(seen[1].name, u"Später"_s);
    QCOMPARE(seen[2].type, QAccessible::NameChanged);
    QCOMPARE(seen[2].role, QAccessible::Graphic);
    QCOMPARE(seen[2].name, u"Kurve"_s);
    QCOMPARE(seen[3].type, QAccessible::ObjectHide);
    QCOMPARE(seen[3].name, u"Später"_s);
}

void TestAccessibility::childAtPoint()
{
    m_form->setDrawingDescription(u"Kurve"_s);
    QAccessibleInterface *tree = window();
    const QPoint onTitle = onScreen(*m_form, m_form->label(u"Title").box()).center();
    QCOMPARE(tree->childAt(onTitle.x(), onTitle.y()), tree->child(0));
    const QPoint onButton = m_form->mapToGlobal(QPoint(240, 20));
    QCOMPARE(tree->childAt(onButton.x(), onButton.y()), tree->child(2));
    // the hidden label's box shows the drawing underneath
    const QPoint onLater = onScreen(*m_form, m_form->label(u"Later").box()).center();
    QCOMPARE(tree->childAt(onLater.x(), onLater.y()), tree->child(3));
    const QPoint outside = m_form->mapToGlobal(QPoint(-5, -5));
    QVERIFY(!tree->childAt(outside.x(), outside.y()));
}

void TestAccessibility::focusShowsFromTheStart()
{
    // A window shown by the program puts the focus on its first control. A keyboard user who
    // arrives there has pressed no Tab in it yet, and must still see where the focus is.
    QWidget *button = m_form->commandButton(u"Command1").widget();
    QTRY_VERIFY(button->hasFocus());
    const QImage focused = testsupport::grab(*button);
    button->clearFocus();
    QVERIFY(!button->hasFocus());
    QVERIFY(testsupport::grab(*button) != focused);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
