// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets from a window built from a small layout of its own: the tree of
// accessible interfaces, the events that tell it what changed, and the announcements.

#include "accessibilitytest.h"
#include "forms/form.h"
#include "windowtest.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QTest>
#include <algorithm>
#include <tuple>

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

using K = ControlKind;

// Listed out of their tab order, with a line between them: the tree must follow TabIndex and
// leave the line out. "Later" is hidden and "Value" has no caption yet: neither is in the tree.
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
    {.name = "Value", .kind = K::Label, .box = {150, 1050, 1500, 300}, .tabIndex = 5},
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
    bool inTree; // the part is among its window's children as the event is sent
    bool active; // its window is the active one
};
std::vector<Seen> seen;

// Records the events of the parts the face adds to a window; Qt's own widgets tell their own.
void record(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    QAccessibleInterface *parent = iface ? iface->parent() : nullptr;
    if (!iface || iface->object() || !parent || parent->role() != QAccessible::Window)
        return;
    seen.push_back({event->type(), iface->role(), iface->text(QAccessible::Name),
                    parent->indexOfChild(iface) >= 0,
                    iface->window() == QGuiApplication::focusWindow()});
}

// The window of the layout.
struct Window final : Form
{
    explicit Window(Runtime &runtime)
        : Form(runtime, layout)
    { }
};

QRect onScreen(const QWidget &window, const PixelRect &box)
{
    return QRect(window.mapToGlobal(QPoint(box.x, box.y)), QSize(box.width, box.height));
}

} // namespace

class TestFaceAccessibility : public testsupport::WindowTest<Window>
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void treeFollowsTabIndex();
    void labelsAsText();
    void eventsAgreeWithTheTree();
    void announcementsComeLast();
    void childAtPoint();
    void focusShowsFromTheStart();

private:
    QAccessibleInterface *tree() const { return QAccessible::queryAccessibleInterface(window()); }
    QStringList names() const;
};

void TestFaceAccessibility::initTestCase()
{
    testsupport::prepareApplication();
    QVERIFY(testsupport::listenAsScreenReader(record));
}

void TestFaceAccessibility::init()
{
    WindowTest::init();
    seen.clear(); // what showing the window told
}

QStringList TestFaceAccessibility::names() const
{
    QStringList all;
    for (int index = 0; index < tree()->childCount(); ++index)
        all << tree()->child(index)->text(QAccessible::Name);
    return all;
}

void TestFaceAccessibility::treeFollowsTabIndex()
{
    QAccessibleInterface *root = tree();
    QVERIFY(root);
    QCOMPARE(root->role(), QAccessible::Window); // a frame, as a main window is
    QCOMPARE(root->text(QAccessible::Name), u"Fenster"_s);
    // Title (tab 0), the button (tab 3), the list (tab 4); no line, nothing hidden or empty,
    // and no drawing while nothing describes it.
    QCOMPARE(names(), (QStringList{u"Titel"_s, u"Los"_s, QString()}));
    const QAccessible::Role roles[] = {QAccessible::StaticText, QAccessible::Button,
                                       QAccessible::List};
    for (int index = 0; index < 3; ++index) {
        QAccessibleInterface *child = root->child(index);
        QCOMPARE(child->role(), roles[index]);
        QCOMPARE(child->parent(), root);
        QCOMPARE(root->indexOfChild(child), index);
        // the same interface every time, so tools can keep hold of it
        QCOMPARE(root->child(index), child);
    }
    QVERIFY(!root->child(3));
    QVERIFY(!root->child(-1));

    // Shown, given a caption, described: each takes its place, the drawing after the controls.
    runtime().dispatch([this] {
        form().label("Later").setVisible(true);
        form().label("Value").setCaption("42");
    });
    form().setDrawingDescription("Eine Gerade");
    QCOMPARE(
        names(),
        (QStringList{u"Titel"_s, u"Später"_s, u"Los"_s, QString(), u"42"_s, u"Eine Gerade"_s}));
    QCOMPARE(root->child(5)->role(), QAccessible::Graphic);
    QCOMPARE(root->child(5)->rect(), QRect(window()->mapToGlobal(QPoint()), window()->size()));

    // The list has no caption: the form names it for assistive technology.
    form().listBox("List1").setAccessibleName("Isotope");
    QCOMPARE(root->child(3)->text(QAccessible::Name), u"Isotope"_s);
}

void TestFaceAccessibility::labelsAsText()
{
    QAccessibleInterface *title = tree()->child(0);
    QCOMPARE(title->rect(), onScreen(*window(), form().label("Title").box()));
    QCOMPARE(title->childCount(), 0);
    QVERIFY(!title->state().focusable);
    QAccessibleTextInterface *text = title->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 5);
    QCOMPARE(text->text(0, -1), u"Titel"_s);
    QCOMPARE(text->text(1, 3), u"it"_s);
    QCOMPARE(text->text(3, 99), u"el"_s);
    QCOMPARE(text->characterRect(2), title->rect());
    QCOMPARE(text->offsetAtPoint(title->rect().center()), 0);

    // A label in the tree is visible, even while its window is hidden: screen readers keep the
    // states they once read, and would never find it again.
    runtime().dispatch([this] {
        form().label("Title").setCaption("Neuer Titel");
        form().Hide();
    });
    QVERIFY(!title->state().invisible);
    QCOMPARE(text->text(0, -1), u"Neuer Titel"_s);
}

void TestFaceAccessibility::eventsAgreeWithTheTree()
{
    runtime().dispatch([this] {
        form().label("Title").setCaption("Anders");
        form().label("Later").setVisible(true);
        form().label("Value").setCaption("42"); // shown, so it enters with its caption
        form().line("Rule").setVisible(false); // lines are not in the tree: no event
    });
    form().setDrawingDescription("Kurve");
    form().setDrawingDescription("Kurve zwei");
    runtime().dispatch([this] {
        // unchanged values tell nothing; a hidden label leaves, an empty one too
        form().label("Title").setCaption("Anders");
        form().label("Later").setVisible(false);
        form().label("Later").setCaption("Noch später"); // unheard while it is hidden
        form().label("Value").setCaption("");
    });
    runtime().dispatch([this] { form().label("Later").setVisible(true); });

    using A = QAccessible;
    const std::vector<std::tuple<A::Event, A::Role, QString, bool>> expected{
        {A::TextUpdated, A::StaticText, u"Anders"_s, true},
        {A::NameChanged, A::StaticText, u"Anders"_s, true},
        {A::NameChanged, A::StaticText, u"Später"_s, true},
        {A::ObjectCreated, A::StaticText, u"Später"_s, true},
        {A::NameChanged, A::StaticText, u"42"_s, true},
        {A::ObjectCreated, A::StaticText, u"42"_s, true},
        {A::ObjectCreated, A::Graphic, u"Kurve"_s, true},
        {A::NameChanged, A::Graphic, u"Kurve zwei"_s, true},
        {A::ObjectDestroyed, A::StaticText, u"Später"_s, false},
        {A::ObjectDestroyed, A::StaticText, QString(), false},
        {A::NameChanged, A::StaticText, u"Noch später"_s, true},
        {A::ObjectCreated, A::StaticText, u"Noch später"_s, true},
    };
    QCOMPARE(seen.size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        const auto &[type, role, name, inTree] = expected[n];
        QCOMPARE(seen[n].type, type);
        QCOMPARE(seen[n].role, role);
        QCOMPARE(seen[n].name, name);
        QCOMPARE(seen[n].inTree, inTree);
    }
}

void TestFaceAccessibility::announcementsComeLast()
{
    // Said in a handler, an announcement waits for the event loop: a screen reader speaks the
    // focus the input moved first, and would cut off whatever it said before.
    runtime().dispatch([this] { form().announce("Eins"); });
    QVERIFY(seen.empty());
    QTRY_COMPARE(seen.size(), 3u);
    const QAccessible::Event order[] = {QAccessible::ObjectCreated, QAccessible::NameChanged,
                                        QAccessible::ObjectShow};
    for (std::size_t n = 0; n < 3; ++n) {
        QCOMPARE(seen[n].type, order[n]);
        QCOMPARE(seen[n].role, QAccessible::Notification);
        QCOMPARE(seen[n].name, u"Eins"_s);
        QVERIFY(seen[n].inTree);
    }
    // It stays, last in the tree, along the window's bottom edge.
    QAccessibleInterface *announcer = tree()->child(tree()->childCount() - 1);
    QCOMPARE(announcer->role(), QAccessible::Notification);
    QVERIFY(!announcer->state().invisible);
    QCOMPARE(announcer->rect().bottomRight(),
             window()->mapToGlobal(window()->rect().bottomRight()));

    // Two in one handler: the later one is said, once. A window shown anew speaks once it is
    // active, after a screen reader has spoken the window and its focus.
    seen.clear();
    runtime().dispatch([this] {
        form().Hide();
        form().Show();
        form().announce("Zwei");
        form().announce("Drei");
    });
    QTRY_COMPARE(seen.size(), 2u);
    QCOMPARE(seen[0].type, QAccessible::NameChanged);
    QCOMPARE(seen[1].type, QAccessible::ObjectShow);
    QCOMPARE(seen[1].name, u"Drei"_s);
    QVERIFY(seen[1].active);
    QTest::qWait(1100); // past the longest wait: nothing more
    QCOMPARE(seen.size(), 2u);
}

void TestFaceAccessibility::childAtPoint()
{
    form().setDrawingDescription("Kurve");
    QAccessibleInterface *root = tree();
    const QPoint onTitle = onScreen(*window(), form().label("Title").box()).center();
    QCOMPARE(root->childAt(onTitle.x(), onTitle.y()), root->child(0));
    const QPoint onButton = window()->mapToGlobal(QPoint(240, 20));
    QCOMPARE(root->childAt(onButton.x(), onButton.y()), root->child(1));
    // the hidden label's box shows the drawing underneath
    const QPoint onLater = onScreen(*window(), form().label("Later").box()).center();
    QCOMPARE(root->childAt(onLater.x(), onLater.y()), root->child(3));
    QCOMPARE(root->child(3)->role(), QAccessible::Graphic);
    const QPoint outside = window()->mapToGlobal(QPoint(-5, -5));
    QVERIFY(!root->childAt(outside.x(), outside.y()));
}

void TestFaceAccessibility::focusShowsFromTheStart()
{
    // A window shown by the program puts the focus on its first control. A keyboard user who
    // arrives there has pressed no Tab in it yet, and must still see where the focus is.
    QWidget *button = testsupport::widget(form().commandButton("Command1"));
    QTRY_VERIFY(button->hasFocus());
    const QImage focused = testsupport::screenImage(form());
    button->clearFocus();
    QVERIFY(!button->hasFocus());
    QVERIFY(testsupport::screenImage(form()) != focused);
}

QTEST_MAIN(TestFaceAccessibility)
#include "tst_faceaccessibility.moc"
