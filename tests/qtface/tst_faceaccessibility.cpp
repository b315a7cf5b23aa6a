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
const ControlLayout controls[] = {
    {.name = "Command1",
     .kind = K::CommandButton,
     .caption = "&Los",
     .box = {3000, 150, 1200, 450},
     .tabIndex = 3},
    {.name = "Title", .kind = K::Label, .caption = "Titel", .box = {150, 150, 1500, 300}},
    {.name = "Rule", .kind = K::Line, .ends = {0, 1500, 2250, 1500}, .tabIndex = 1},
    {.name = "Later",
     .kind = K::Label,
     .caption = "Später",
     .box = {150, 600, 1500, 300},
     .visible = false,
     .tabIndex = 2},
    {.name = "List1", .kind = K::ListBox, .box = {3000, 1350, 1200, 1035}, .tabIndex = 4},
};

const FormLayout layout = {
    .name = "Form1",
    .caption = "Fenster",
    .client = {1500, 1500, 4500, 3000}, // 300 × 200 pixels
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

QRect onScreen(const QWidget &window, const PixelRect &box)
{
    return QRect(window.mapToGlobal(QPoint(box.x, box.y)), QSize(box.width, box.height));
}

} // namespace

class TestFaceAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void treeFollowsTabIndex();
    void labelsAsStaticText();
    void drawingAsGraphic();
    void eventsForScreenReaders();
    void childAtPoint();
    void focusShowsFromTheStart();

private:
    QWidget *window() const { return qtface::windowOf(*m_form); }
    QAccessibleInterface *tree() const { return QAccessible::queryAccessibleInterface(window()); }

    std::unique_ptr<testsupport::RecordingQtFace> m_face;
    std::unique_ptr<Runtime> m_runtime;
    std::unique_ptr<Form> m_form;
};

void TestFaceAccessibility::initTestCase()
{
    testsupport::prepareApplication();
    QVERIFY(testsupport::listenAsScreenReader(record));
}

void TestFaceAccessibility::init()
{
    m_face = std::make_unique<testsupport::RecordingQtFace>();
    m_runtime = std::make_unique<Runtime>(*m_face, ",");
    m_form = std::make_unique<Form>(*m_runtime, layout);
    m_runtime->dispatch([this] { m_form->Show(); });
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    seen.clear();
}

void TestFaceAccessibility::cleanup()
{
    QVERIFY(m_face->reported.empty());
    m_form.reset();
    m_runtime.reset();
    m_face.reset();
}

void TestFaceAccessibility::treeFollowsTabIndex()
{
    QAccessibleInterface *root = tree();
    QVERIFY(root);
    QCOMPARE(root->role(), QAccessible::Window); // a frame, as a main window is
    QCOMPARE(root->text(QAccessible::Name), u"Fenster"_s);
    // Title (tab 0), Later (tab 2), the button (tab 3), the list (tab 4), then the drawing;
    // no line.
    QCOMPARE(root->childCount(), 5);
    const QAccessible::Role roles[] = {QAccessible::StaticText, QAccessible::StaticText,
                                       QAccessible::Button, QAccessible::List,
                                       QAccessible::Graphic};
    const QString names[] = {u"Titel"_s, u"Später"_s, u"Los"_s, QString(), QString()};
    for (int index = 0; index < 5; ++index) {
        QAccessibleInterface *child = root->child(index);
        QVERIFY(child);
        QCOMPARE(child->role(), roles[index]);
        QCOMPARE(child->text(QAccessible::Name), names[index]);
        QCOMPARE(child->parent(), root);
        QCOMPARE(root->indexOfChild(child), index);
        // the same interface every time, so tools can keep hold of it
        QCOMPARE(root->child(index), child);
    }
    QVERIFY(!root->child(5));
    QVERIFY(!root->child(-1));

    // The list has no caption: the form names it for assistive technology.
    m_form->listBox("List1").setAccessibleName("Isotope");
    QCOMPARE(root->child(3)->text(QAccessible::Name), u"Isotope"_s);
}

void TestFaceAccessibility::labelsAsStaticText()
{
    QAccessibleInterface *title = tree()->child(0);
    QAccessibleInterface *later = tree()->child(1);
    QCOMPARE(title->rect(), onScreen(*window(), m_form->label("Title").box()));
    QCOMPARE(title->childCount(), 0);
    QVERIFY(!title->state().invisible);
    QVERIFY(!title->state().focusable);
    QVERIFY(later->state().invisible); // hidden by the layout

    m_runtime->dispatch([this] {
        m_form->label("Later").setVisible(true);
        m_form->label("Title").setCaption("Neuer Titel");
    });
    QVERIFY(!later->state().invisible);
    QCOMPARE(title->text(QAccessible::Name), u"Neuer Titel"_s);

    // a hidden window hides its labels too
    m_runtime->dispatch([this] { m_form->Hide(); });
    QVERIFY(title->state().invisible);
}

void TestFaceAccessibility::drawingAsGraphic()
{
    QAccessibleInterface *drawing = tree()->child(4);
    QCOMPARE(drawing->role(), QAccessible::Graphic);
    QCOMPARE(drawing->rect(), QRect(window()->mapToGlobal(QPoint()), window()->size()));
    // nothing described, nothing to offer
    QVERIFY(drawing->state().invisible);

    m_form->setDrawingDescription("Eine Gerade");
    QCOMPARE(drawing->text(QAccessible::Name), u"Eine Gerade"_s);
    QVERIFY(!drawing->state().invisible);
    QCOMPARE(tree()->child(4), drawing);
}

void TestFaceAccessibility::eventsForScreenReaders()
{
    m_runtime->dispatch([this] {
        m_form->label("Title").setCaption("Anders");
        m_form->label("Later").setVisible(true);
        m_form->line("Rule").setVisible(false); // lines are not in the tree: no event
    });
    m_form->setDrawingDescription("Kurve");
    m_runtime->dispatch([this] {
        // unchanged values tell nothing
        m_form->label("Title").setCaption("Anders");
        m_form->label("Later").setVisible(false);
    });
    m_form->setDrawingDescription("Kurve");

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

void TestFaceAccessibility::childAtPoint()
{
    m_form->setDrawingDescription("Kurve");
    QAccessibleInterface *root = tree();
    const QPoint onTitle = onScreen(*window(), m_form->label("Title").box()).center();
    QCOMPARE(root->childAt(onTitle.x(), onTitle.y()), root->child(0));
    const QPoint onButton = window()->mapToGlobal(QPoint(240, 20));
    QCOMPARE(root->childAt(onButton.x(), onButton.y()), root->child(2));
    // the hidden label's box shows the drawing underneath
    const QPoint onLater = onScreen(*window(), m_form->label("Later").box()).center();
    QCOMPARE(root->childAt(onLater.x(), onLater.y()), root->child(4));
    const QPoint outside = window()->mapToGlobal(QPoint(-5, -5));
    QVERIFY(!root->childAt(outside.x(), outside.y()));
}

void TestFaceAccessibility::focusShowsFromTheStart()
{
    // A window shown by the program puts the focus on its first control. A keyboard user who
    // arrives there has pressed no Tab in it yet, and must still see where the focus is.
    QWidget *button = testsupport::widget(m_form->commandButton("Command1"));
    QTRY_VERIFY(button->hasFocus());
    const QImage focused = testsupport::screenImage(*m_form);
    button->clearFocus();
    QVERIFY(!button->hasFocus());
    QVERIFY(testsupport::screenImage(*m_form) != focused);
}

QTEST_MAIN(TestFaceAccessibility)
#include "tst_faceaccessibility.moc"
