// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A window of the Qt face, built from a small layout of its own and met the way a pupil meets
// it: clicks and keys through Qt's test library, and the pixels the platform got.

#include "forms/deviceimage.h"
#include "forms/form.h"
#include "windowtest.h"

#include <QListWidget>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QTest>
#include <map>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;
using testsupport::screenImage;

namespace {

constexpr Colour Peach = 0x00C0E0FF;
constexpr Colour Red = 0x000000FF;
constexpr Colour Green = 0x0000FF00;
constexpr Colour Blue = 0x00FF0000;

// How far an anti-aliased glyph's darkest pixel may lie from the text colour, per channel.
constexpr int TextTolerance = 80;

using K = ControlKind;

// 300 × 200 pixels. One user unit is 3 pixels wide and 2 high, y grows upwards from the
// bottom edge: the point (x, y) lies in pixel (3x, 200 − 2y).
const ControlLayout controls[] = {
    // Lines first in the table, yet the label over them: Thin runs through Opaque's box.
    {.name = "Thin", .kind = K::Line, .ends = {0, 300, 2250, 300}}, // row 20
    {.name = "Wide", .kind = K::Line, .ends = {0, 2250, 2250, 2250}, .borderWidth = 3},
    {.name = "Even", .kind = K::Line, .ends = {0, 2400, 2250, 2400}, .borderWidth = 2},
    {.name = "Dots",
     .kind = K::Line,
     .ends = {0, 2700, 2250, 2700},
     .lineStyle = LineStyle::Dotted},
    {.name = "Hidden", .kind = K::Line, .ends = {0, 2850, 2250, 2850}, .visible = false},
    {.name = "Opaque",
     .kind = K::Label,
     .caption = "Text",
     .box = {150, 150, 1500, 300},
     .backColor = Peach,
     .foreColor = Red},
    {.name = "Clear",
     .kind = K::Label,
     .caption = "Xy",
     .box = {150, 600, 1500, 300},
     .backColor = Peach,
     .transparent = true},
    {.name = "Command1",
     .kind = K::CommandButton,
     .caption = "Eins",
     .box = {3000, 150, 1200, 450},
     .tabIndex = 2},
    {.name = "Command2",
     .kind = K::CommandButton,
     .caption = "Zwei",
     .box = {3000, 750, 1200, 450},
     .enabled = false,
     .tabIndex = 0},
    {.name = "List1", .kind = K::ListBox, .box = {3000, 1350, 1200, 1035}, .tabIndex = 1},
};

const FormLayout probeLayout{
    .name = "Probe",
    .caption = "Probe",
    .client = {0, 0, 4500, 3000},
    .foreColor = Blue,
    .scale = {.left = 0, .top = 100, .unitWidth = 45, .unitHeight = -30},
    .controls = controls,
};

// Records the Clicks and what the list's ListIndex was at each.
class Probe final : public Form
{
public:
    explicit Probe(Runtime &runtime)
        : Form(runtime, probeLayout)
        , list(listBox("List1"))
    {
        commandButton("Command1").onClick([this] { ++command1; });
        commandButton("Command2").onClick([this] { ++command2; });
        list.onClick([this] { listClicks.push_back(list.ListIndex()); });
    }

    ListBox &list;
    int command1 = 0;
    int command2 = 0;
    std::vector<int> listClicks;

protected:
    void Form_Load() override
    {
        for (const char *entry : {"eins", "zwei", "drei"})
            list.AddItem(entry);
    }
};

// Counts the paint events a widget gets.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QListWidget *listWidget(const Probe &form)
{
    return qobject_cast<QListWidget *>(testsupport::widget(form.list));
}

// The device pixels outside every label and widget where a window's image differs from the
// core's own picture of its present state, painted whole at the image's density.
int differingFromPicture(const Form &form, const QImage &image)
{
    const auto scale = DeviceScale::atDensity(form.clientBox().width, form.clientBox().height,
                                              image.devicePixelRatio());
    DeviceImage picture(PixelOrder::Bgra);
    picture.resize(scale);
    picture.paint(form, {0, 0, scale.deviceWidth(), scale.deviceHeight()});
    std::vector<PixelRect> covered; // texts and widgets, a device pixel more all round
    const auto cover = [&](const PixelRect &logical) {
        const PixelRect device = scale.toDevice(logical);
        covered.push_back({device.x - 1, device.y - 1, device.width + 2, device.height + 2});
    };
    for (const Label *label : form.labels())
        cover(label->box());
    for (const WidgetControl *widget : form.tabOrder())
        cover(widget->box());
    int differing = 0;
    for (int y = 0; y < scale.deviceHeight(); ++y)
        for (int x = 0; x < scale.deviceWidth(); ++x)
            if (std::none_of(covered.begin(), covered.end(), [&](const PixelRect &box) {
                    return box.contains({x, y});
                }))
                differing += (image.pixel(x, y) | 0xFF000000u) !=
                    (picture.pixels()[y * scale.deviceWidth() + x] | 0xFF000000u);
    return differing;
}

} // namespace

class TestWindow : public testsupport::WindowTest<Probe>
{
    Q_OBJECT

private Q_SLOTS:
    void windowFromLayout();
    void pointsShowAndStay();
    void oneRepaintPerHandler_data();
    void oneRepaintPerHandler();
    void labelsOverLines();
    void screenShowsThePicture();
    void listFollowsThePupil_data();
    void listFollowsThePupil();
    void buttonsByMouseAndKeyboard();
    void tabOrderFollowsTabIndex();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
};

void TestWindow::windowFromLayout()
{
    QCOMPARE(window()->size(), QSize(300, 200));
    QCOMPARE(window()->windowTitle(), u"Probe"_s);
    QCOMPARE(testsupport::widget(form().commandButton("Command1"))->geometry(),
             QRect(200, 10, 80, 30));
    QCOMPARE(listWidget(form())->count(), 3);
    QCOMPARE(listWidget(form())->item(2)->text(), u"drei"_s);
    QCOMPARE(window()->font().pixelSize(), 11); // 8.25 pt at 96 dpi
}

void TestWindow::pointsShowAndStay()
{
    runtime().dispatch([&] {
        form().PSet(10, 90); // pixel (30, 20), on Thin inside the opaque label: points lie on top
        form().PSet(20, 50, Green); // pixel (60, 100)
        form().PSet(50, 1e30f); // nowhere
    });
    QImage image = screenImage(form());
    QCOMPARE(pixelAt(image, QPoint(30, 20)), rgb(Blue));
    QCOMPARE(pixelAt(image, QPoint(60, 100)), rgb(Green));
    QCOMPARE(pixelAt(image, QPoint(31, 20)), rgb(Peach));

    // Hidden and shown again, and the label beneath changed: the points stay on top.
    runtime().dispatch([&] {
        form().Hide();
        form().Show();
        form().label("Opaque").setBackColor(Red);
    });
    image = screenImage(form());
    QCOMPARE(pixelAt(image, QPoint(30, 20)), rgb(Blue));
    QCOMPARE(pixelAt(image, QPoint(31, 20)), rgb(Red));
    QCOMPARE(pixelAt(image, QPoint(60, 100)), rgb(Green));
}

void TestWindow::oneRepaintPerHandler_data()
{
    QTest::addColumn<bool>("points");
    QTest::addColumn<bool>("controls");
    QTest::newRow("3600 points") << true << false;
    QTest::newRow("captions, colours, a line") << false << true;
    QTest::newRow("points and controls") << true << true;
}

void TestWindow::oneRepaintPerHandler()
{
    QFETCH(bool, points);
    QFETCH(bool, controls);
    PaintCounter counter;
    window()->installEventFilter(&counter);
    screenImage(form()); // whatever showing the window left to paint
    counter.paints = 0;
    runtime().dispatch([&] {
        if (controls) {
            form().label("Opaque").setCaption("Neu");
            form().line("Wide").setBorderColor(Green);
        }
        if (points)
            for (int x = 0; x < 60; ++x) // pixels (0, 141) to (87, 199)
                for (int y = 0; y < 60; ++y)
                    form().PSet(x * 0.5f, y * 0.5f, Red);
        if (controls)
            form().label("Opaque").setForeColor(Blue); // after the points, still joined
    });
    QCOMPARE(counter.paints, 0); // nothing is painted while the handler runs
    const QImage image = screenImage(form());
    QCOMPARE(counter.paints, 1);
    // The platform got every change, the points' pixels as well as the controls'.
    if (points) {
        QCOMPARE(pixelAt(image, QPoint(0, 199)), rgb(Red));
        QCOMPARE(pixelAt(image, QPoint(87, 141)), rgb(Red));
    }
    if (controls) {
        QVERIFY(testsupport::contains(image, QRect(10, 10, 100, 20), rgb(Blue), TextTolerance));
        QCOMPARE(pixelAt(image, QPoint(140, 150)), rgb(Green));
    }
}

void TestWindow::screenShowsThePicture()
{
    // Repainted piece by piece, each handler's changes only: at a fractional density the pixels
    // Qt puts on the screen must still be the core's picture, none left over from before.
    screenImage(form());
    runtime().dispatch([&] {
        for (int i = 0; i < 40; ++i)
            form().PSet(i * 1.7f, 100 - i * 2.3f, i % 2 ? Red : Green);
    });
    screenImage(form());
    runtime().dispatch([&] {
        form().line("Wide").setBorderColor(Green);
        form().line("Dots").setVisible(false);
        form().line("Hidden").setVisible(true);
        form().label("Opaque").setBackColor(Blue);
    });
    screenImage(form());
    // Alone, so that its column's edge is the repaint's edge: pixel 33 begins half-way
    // through a device pixel at 1.5.
    runtime().dispatch([&] { form().PSet(11, 40, Red); });
    screenImage(form());
    runtime().dispatch([&] { form().line("Even").setBorderWidth(5); });
    QCOMPARE(differingFromPicture(form(), screenImage(form())), 0);

    // Painted anywhere but into an image, as into a recording, the same picture comes out.
    QPicture recording;
    window()->render(&recording);
    QImage replayed(window()->size(), QImage::Format_RGB32);
    QPainter(&replayed).drawPicture(0, 0, recording);
    QCOMPARE(differingFromPicture(form(), replayed), 0);
}

void TestWindow::labelsOverLines()
{
    const QImage image = screenImage(form());
    // Thin runs along row 20 through the opaque label: the label's background covers it.
    QCOMPARE(pixelAt(image, QPoint(5, 20)), rgb(SystemColour::WindowText));
    QCOMPARE(pixelAt(image, QPoint(105, 20)), rgb(Peach));
    QVERIFY(testsupport::contains(image, QRect(10, 10, 100, 20), rgb(Red), TextTolerance));
    // A transparent label paints only its text: its corner shows the window's background.
    QCOMPARE(pixelAt(image, QPoint(109, 59)), rgb(Default::FormBackColor));
    QVERIFY(testsupport::contains(image, QRect(10, 40, 100, 20), rgb(Default::LabelForeColor),
                                  TextTolerance));

    // Changed, the label shows its new caption and colours at once; hidden, nothing of it.
    Label &label = form().label("Opaque");
    runtime().dispatch([&] {
        label.setCaption("");
        label.setBackColor(Green);
    });
    QVERIFY(!testsupport::contains(screenImage(form()), QRect(10, 10, 100, 20), rgb(Red),
                                   TextTolerance));
    QCOMPARE(pixelAt(screenImage(form()), QPoint(105, 20)), rgb(Green));
    runtime().dispatch([&] { label.setVisible(false); });
    QCOMPARE(pixelAt(screenImage(form()), QPoint(105, 20)), rgb(SystemColour::WindowText));
}

void TestWindow::listFollowsThePupil_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<std::vector<int>>("clicks"); // ListIndex seen by each Click
    QTest::addColumn<int>("selected"); // at the end, in the control and on screen

    QTest::newRow("mouse on an entry") << u"click 1"_s << std::vector<int>{1} << 1;
    QTest::newRow("mouse on the selected entry again")
        << u"click 1, click 1"_s << std::vector<int>{1, 1} << 1;
    QTest::newRow("mouse on another entry") << u"click 0, click 2"_s << std::vector<int>{0, 2} << 2;
    QTest::newRow("first arrow selects the first entry") << u"down"_s << std::vector<int>{0} << 0;
    QTest::newRow("arrows move the selection")
        << u"down, down, down, up"_s << std::vector<int>{0, 1, 2, 1} << 1;
    QTest::newRow("arrow at the end changes nothing")
        << u"click 2, down"_s << std::vector<int>{2} << 2;
    QTest::newRow("control-click cannot clear the selection")
        << u"click 1, ctrl-click 1"_s << std::vector<int>{1, 1} << 1;
    QTest::newRow("a click below the entries cannot clear it")
        << u"click 1, click below"_s << std::vector<int>{1} << 1;
    QTest::newRow("a click below the entries selects nothing")
        << u"click below"_s << std::vector<int>{} << -1;
    // Keys that once took the choice back on the lesson's list: another entry, never none.
    QTest::newRow("Ctrl+Space on the selected entry cannot clear it")
        << u"click 1, ctrl-space"_s << std::vector<int>{1} << 1;
    QTest::newRow("End") << u"click 0, end"_s << std::vector<int>{0, 2} << 2;
    QTest::newRow("Home") << u"click 2, home"_s << std::vector<int>{2, 0} << 0;
    QTest::newRow("Page Down") << u"click 0, pagedown"_s << std::vector<int>{0, 2} << 2;
    QTest::newRow("Page Up") << u"click 2, pageup"_s << std::vector<int>{2, 0} << 0;
    QTest::newRow("Ctrl+End") << u"click 0, ctrl-end"_s << std::vector<int>{0, 2} << 2;
    QTest::newRow("End, then Down") << u"click 0, end, down"_s << std::vector<int>{0, 2} << 2;
}

void TestWindow::listFollowsThePupil()
{
    QFETCH(QString, gesture);
    QFETCH(std::vector<int>, clicks);
    QFETCH(int, selected);
    static const std::map<QString, QKeyCombination> keys = {
        {u"down"_s, Qt::Key_Down},
        {u"up"_s, Qt::Key_Up},
        {u"home"_s, Qt::Key_Home},
        {u"end"_s, Qt::Key_End},
        {u"pagedown"_s, Qt::Key_PageDown},
        {u"pageup"_s, Qt::Key_PageUp},
        {u"ctrl-end"_s, Qt::ControlModifier | Qt::Key_End},
        {u"ctrl-space"_s, Qt::ControlModifier | Qt::Key_Space}};
    QListWidget *list = listWidget(form());
    list->setFocus();
    for (const QString &step : gesture.split(u", "_s)) {
        const QStringList words = step.split(u' ');
        if (step == u"click below"_s)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              QPoint(10, list->viewport()->height() - 3));
        else if (words[0] == u"click"_s)
            testsupport::choose(form().list, words[1].toInt());
        else if (words[0] == u"ctrl-click"_s)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(words[1].toInt())).center());
        else
            testsupport::pressKey(form(), keys.at(step).key(), keys.at(step).keyboardModifiers());
    }
    QCOMPARE(form().listClicks, clicks);
    QCOMPARE(form().list.selectedIndex(), selected);
    const QList<QListWidgetItem *> shown = list->selectedItems();
    QCOMPARE(shown.isEmpty() ? -1 : list->row(shown.first()), selected);
}

void TestWindow::buttonsByMouseAndKeyboard()
{
    CommandButton &one = form().commandButton("Command1");
    CommandButton &two = form().commandButton("Command2");
    auto *twoWidget = qobject_cast<QPushButton *>(testsupport::widget(two));
    testsupport::press(one);
    testsupport::press(two); // disabled: no Click
    testsupport::widget(one)->setFocus();
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        testsupport::pressKey(form(), key);
    testsupport::pressKey(form(), Qt::Key_Enter, Qt::KeypadModifier); // Enter on the keypad
    QCOMPARE(form().command1, 5);
    QCOMPARE(form().command2, 0);
    QVERIFY(!twoWidget->isEnabled());

    runtime().dispatch([&] {
        two.setEnabled(true);
        two.setCaption("Ende");
    });
    QCOMPARE(twoWidget->text(), u"Ende"_s);
    testsupport::press(two);
    QCOMPARE(form().command2, 1);
}

void TestWindow::tabOrderFollowsTabIndex()
{
    QWidget *list = testsupport::widget(form().list);
    QWidget *one = testsupport::widget(form().commandButton("Command1"));
    QWidget *two = testsupport::widget(form().commandButton("Command2"));
    // Command2 has the lowest TabIndex but is disabled, so the list starts with the focus.
    QTRY_COMPARE(testsupport::focusWidget(), list);
    testsupport::pressKey(form(), Qt::Key_Tab);
    QCOMPARE(testsupport::focusWidget(), one);
    testsupport::pressKey(form(), Qt::Key_Tab);
    QCOMPARE(testsupport::focusWidget(), list); // round again, past the disabled button

    runtime().dispatch([&] { form().commandButton("Command2").setEnabled(true); });
    testsupport::pressKey(form(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(testsupport::focusWidget(), two);
    testsupport::pressKey(form(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(testsupport::focusWidget(), one);
}

void TestWindow::closingEndsTheProgram_data()
{
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("closed by the desktop") << false;
    QTest::newRow("destroyed from outside") << true;
}

void TestWindow::closingEndsTheProgram()
{
    QFETCH(bool, destroyed);
    if (destroyed)
        delete window();
    else
        window()->close();
    QVERIFY(runtime().hasEnded());
    QCOMPARE(face().ended, std::vector<int>{0});
    if (!destroyed) {
        QVERIFY(!window()->isVisible());
        testsupport::press(form().commandButton("Command1"));
        QCOMPARE(form().command1, 0); // no handler runs after the end
    }
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
