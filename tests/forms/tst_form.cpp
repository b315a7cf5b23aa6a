// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A window built from a small layout of its own, checked the way a pupil meets it: clicks and
// keys through Qt's test library, and the window grabbed to an image.

#include "forms/form.h"
#include "windowtest.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTest>

using namespace forms;
using namespace Qt::StringLiterals;
using testsupport::pixelAt;
using testsupport::rgb;

namespace {

constexpr Colour Peach = 0x00C0E0FF;
constexpr Colour Red = 0x000000FF;
constexpr Colour Green = 0x0000FF00;
constexpr Colour Blue = 0x00FF0000;

using K = ControlKind;

// How far an anti-aliased glyph's darkest pixel may lie from the text colour, per channel.
constexpr int TextTolerance = 80;

// 300 × 200 pixels. One user unit is 3 pixels wide and 2 high, y grows upwards from the
// bottom edge: the point (x, y) lies in pixel (3x, 200 − 2y).
const ControlSpec controls[] = {
    {.name = u"Opaque",
     .kind = K::Label,
     .caption = u"Text",
     .box = {150, 150, 1500, 300},
     .backColor = Peach,
     .foreColor = Red},
    {.name = u"Clear",
     .kind = K::Label,
     .caption = u"Xy",
     .box = {150, 600, 1500, 300},
     .backColor = Peach,
     .transparent = true},
    {.name = u"Thin", .kind = K::Line, .ends = {0, 1500, 2250, 1500}},
    {.name = u"Wide", .kind = K::Line, .ends = {0, 2250, 2250, 2250}, .borderWidth = 3},
    {.name = u"Even", .kind = K::Line, .ends = {0, 2400, 2250, 2400}, .borderWidth = 2},
    {.name = u"Dots",
     .kind = K::Line,
     .ends = {0, 2700, 2250, 2700},
     .lineStyle = LineStyle::Dotted},
    {.name = u"Hidden", .kind = K::Line, .ends = {0, 2850, 2250, 2850}, .visible = false},
    // ends 14 twips apart across: less than a pixel, so it stands straight in one column
    {.name = u"Steep", .kind = K::Line, .ends = {2114, 0, 2100, 1200}},
    {.name = u"Command1",
     .kind = K::CommandButton,
     .caption = u"Eins",
     .box = {3000, 150, 1200, 450},
     .tabIndex = 2},
    {.name = u"Command2",
     .kind = K::CommandButton,
     .caption = u"Zwei",
     .box = {3000, 750, 1200, 450},
     .enabled = false,
     .tabIndex = 0},
    {.name = u"List1", .kind = K::ListBox, .box = {3000, 1350, 1200, 1035}, .tabIndex = 1},
};

const FormSpec probeLayout{
    .name = u"Probe",
    .caption = u"Probe",
    .client = {0, 0, 4500, 3000},
    .foreColor = Blue,
    .scale = {.left = 0, .top = 100, .unitWidth = 45, .unitHeight = -30},
    .controls = controls,
};

// Straight lines of both styles, drawn both ways along a row and a column: 200 × 150 pixels.
const ControlSpec straightLines[] = {
    {.name = u"Right", .kind = K::Line, .ends = {300, 300, 1800, 300}},
    {.name = u"Left", .kind = K::Line, .ends = {1800, 600, 300, 600}},
    {.name = u"Down", .kind = K::Line, .ends = {2400, 150, 2400, 1650}},
    {.name = u"Up", .kind = K::Line, .ends = {2700, 1650, 2700, 150}},
    {.name = u"DotsRight",
     .kind = K::Line,
     .ends = {300, 900, 1800, 900},
     .lineStyle = LineStyle::Dotted},
    {.name = u"DotsLeft",
     .kind = K::Line,
     .ends = {1815, 1200, 300, 1200},
     .lineStyle = LineStyle::Dotted},
    {.name = u"DotsDown",
     .kind = K::Line,
     .ends = {1950, 150, 1950, 1665},
     .lineStyle = LineStyle::Dotted},
    {.name = u"DotsUp",
     .kind = K::Line,
     .ends = {2100, 1650, 2100, 150},
     .lineStyle = LineStyle::Dotted},
};

const FormSpec straightLinesSpec{
    .name = u"Lines",
    .caption = u"Lines",
    .client = {0, 0, 3000, 2250},
    .controls = straightLines,
};

// Records how often each handler ran and what the list's ListIndex was at its Click.
struct Clicks
{
    int command1 = 0;
    int command2 = 0;
    std::vector<int> list;
};

class Probe : public Form
{
public:
    explicit Probe(Runtime &runtime)
        : Form(runtime, probeLayout)
        , list(listBox(u"List1"))
    {
        commandButton(u"Command1").onClick([this] { ++clicks.command1; });
        commandButton(u"Command2").onClick([this] { ++clicks.command2; });
        list.onClick([this] { clicks.list.push_back(list.ListIndex()); });
    }

    ListBox &list;
    Clicks clicks;
    int loads = 0;
    int paints = 0;

protected:
    void Form_Load() override
    {
        ++loads;
        for (const auto *entry : {u"eins", u"zwei", u"drei"})
            list.AddItem(QString::fromUtf16(entry));
    }
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        Form::paintEvent(event);
    }
};

QPoint itemCentre(QListWidget *list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::preparePlatform(); }
    void init();
    void cleanup();

    void windowFromLayout();
    void pointsPersistAndTakeTheirColour();
    void pointsOutsideAreDropped();
    void pointsChangeColourWithinAHandler();
    void oneRepaintPerHandler_data();
    void oneRepaintPerHandler();
    void repaintSparesWidgetsBesideThePoints();
    void labelsOpaqueAndTransparent();
    void labelChangesRepaint();
    void lineWidths_data();
    void lineWidths();
    void dottedAndHiddenLines();
    void straightLinesAsStroked_data();
    void straightLinesAsStroked();
    void nearlyStraightLineStandsStraight();
    void listClick_data();
    void listClick();
    void listIndexSetByProgram();
    void buttonsByMouseAndKeyboard();
    void tabOrderFollowsTabIndex();
    void failedPlatformCallChangesNothing();
    void closingEndsTheProgram();
    void repaintKeepsPaintOrder();
    void unknownNameFailsLoudly();

private:
    std::unique_ptr<testsupport::RecordingRuntime> m_runtime;
    std::unique_ptr<Probe> m_form;
};

void TestForm::init()
{
    m_runtime = std::make_unique<testsupport::RecordingRuntime>();
    m_form = std::make_unique<Probe>(*m_runtime);
    m_form->load();
    m_form->Show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestForm::cleanup()
{
    m_form.reset();
    m_runtime.reset();
}

void TestForm::windowFromLayout()
{
    QCOMPARE(m_form->loads, 1);
    QCOMPARE(m_form->size(), QSize(300, 200));
    QCOMPARE(m_form->windowTitle(), u"Probe"_s);
    QCOMPARE(m_form->list.listCount(), 3);
    QCOMPARE(m_form->list.list(2), u"drei"_s);
    QCOMPARE(m_form->list.ListIndex(), -1);
    QCOMPARE(m_form->commandButton(u"Command1").button()->geometry(), QRect(200, 10, 80, 30));
    QCOMPARE(m_form->userToPixel(10, 90), QPoint(30, 20));
    QVERIFY(m_runtime->reported.empty());
}

void TestForm::pointsPersistAndTakeTheirColour()
{
    Probe &form = *m_form;
    m_runtime->dispatch([&] {
        form.PSet(10, 90); // inside the opaque label: points lie on top of it
        form.PSet(20, 50, Green);
    });
    const QPoint inLabel = form.userToPixel(10, 90), free = form.userToPixel(20, 50);
    QCOMPARE(pixelAt(testsupport::grab(form), inLabel), rgb(Blue));
    QCOMPARE(pixelAt(testsupport::grab(form), free), rgb(Green));

    // Covering, hiding and showing again, and a change of the control beneath keep them.
    form.Hide();
    QTest::qWait(10);
    form.Show();
    form.label(u"Opaque").setBackColor(Red);
    form.repaint();
    const QImage image = testsupport::grab(form);
    QCOMPARE(pixelAt(image, inLabel), rgb(Blue));
    QCOMPARE(pixelAt(image, inLabel + QPoint(1, 0)), rgb(Red));
    QCOMPARE(pixelAt(image, free), rgb(Green));
}

void TestForm::pointsChangeColourWithinAHandler()
{
    // The window resolves a colour once for a run of points in it; every change of colour,
    // back and forth and to a colour of the desktop's scheme, must still take effect.
    const Colour colours[] = {Red, Green, Red, SystemColour::WindowText, Red, Green};
    m_runtime->dispatch([&] {
        for (int n = 0; n < 6; ++n) {
            m_form->PSet(10.0f + 5 * n, 50, colours[n]);
            m_form->PSet(10.0f + 5 * n, 60); // the ForeColor in between, without a colour
        }
    });
    const QImage image = testsupport::grab(*m_form);
    for (int n = 0; n < 6; ++n) {
        const QRgb expected = m_form->resolve(colours[n]).rgb() | 0xFF000000u;
        QCOMPARE(pixelAt(image, m_form->userToPixel(10.0 + 5 * n, 50)), expected);
        QCOMPARE(pixelAt(image, m_form->userToPixel(10.0 + 5 * n, 60)), rgb(Blue));
    }
}

void TestForm::pointsOutsideAreDropped()
{
    const QImage before = testsupport::grab(*m_form);
    m_runtime->dispatch([&] {
        m_form->PSet(-1000, 50);
        m_form->PSet(50, 1e30f);
        m_form->PSet(200, -5);
    });
    QVERIFY(m_runtime->reported.empty());
    QCOMPARE(testsupport::grab(*m_form), before);
}

void TestForm::oneRepaintPerHandler_data()
{
    QTest::addColumn<bool>("points");
    QTest::addColumn<bool>("controls");
    QTest::newRow("3600 points") << true << false;
    QTest::newRow("captions, colours, a line") << false << true;
    QTest::newRow("points and controls") << true << true;
}

void TestForm::oneRepaintPerHandler()
{
    QFETCH(bool, points);
    QFETCH(bool, controls);
    QTest::qWait(20);
    m_form->paints = 0;
    m_runtime->dispatch([&] {
        if (controls) {
            m_form->label(u"Opaque").setCaption(u"Neu"_s);
            m_form->label(u"Clear").setForeColor(Green);
            m_form->line(u"Wide").setBorderWidth(1);
        }
        if (points)
            for (int x = 0; x < 60; ++x)
                for (int y = 0; y < 60; ++y)
                    m_form->PSet(x * 0.5f, y * 0.5f, Red);
        if (controls)
            m_form->label(u"Opaque").setForeColor(Blue); // after the points, still joined
    });
    QCOMPARE(m_form->paints, 0); // nothing is painted while the handler runs
    QTRY_COMPARE(m_form->paints, 1);
    QTest::qWait(20);
    QCOMPARE(m_form->paints, 1);
    const QImage image = testsupport::grab(*m_form);
    if (points)
        QCOMPARE(pixelAt(image, m_form->userToPixel(10, 10)), rgb(Red));
    if (controls)
        QVERIFY(
            testsupport::contains(image, m_form->label(u"Opaque").box(), rgb(Blue), TextTolerance));
}

void TestForm::repaintSparesWidgetsBesideThePoints()
{
    // Two points, top left and bottom right: their bounding box would take in every widget,
    // but the repaint covers only the rows near each point, which pass beside the widgets.
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } widgetPaints;
    for (QWidget *widget : m_form->findChildren<QWidget *>())
        widget->installEventFilter(&widgetPaints);
    QTest::qWait(20);
    m_form->paints = 0;
    m_runtime->dispatch([&] {
        m_form->PSet(10, 94, Red); // pixel (30, 12), level with Command1, left of it
        m_form->PSet(96.67f, 5, Red); // pixel (290, 190), below the list
    });
    QTRY_COMPARE(m_form->paints, 1);
    QTest::qWait(20);
    QCOMPARE(widgetPaints.paints, 0);
    const QImage image = testsupport::grab(*m_form);
    QCOMPARE(pixelAt(image, QPoint(30, 12)), rgb(Red));
    QCOMPARE(pixelAt(image, QPoint(290, 190)), rgb(Red));
}

void TestForm::labelsOpaqueAndTransparent()
{
    const QImage image = testsupport::grab(*m_form);
    const QRect opaque = m_form->label(u"Opaque").box();
    const QRect clear = m_form->label(u"Clear").box();
    QCOMPARE(pixelAt(image, opaque.bottomRight()), rgb(Peach));
    QVERIFY(testsupport::contains(image, opaque, rgb(Red), TextTolerance)); // its text
    // A transparent label paints only its text: its corner shows the window's background.
    QCOMPARE(pixelAt(image, clear.bottomRight()),
             m_form->resolve(Default::FormBackColor).rgb() | 0xFF000000u);
    QVERIFY(!testsupport::contains(image, clear, rgb(Peach)));
}

void TestForm::labelChangesRepaint()
{
    Label &label = m_form->label(u"Opaque");
    label.setCaption(QString());
    QVERIFY(
        !testsupport::contains(testsupport::grab(*m_form), label.box(), rgb(Red), TextTolerance));
    label.setCaption(u"Neu"_s);
    label.setForeColor(Green);
    QVERIFY(
        testsupport::contains(testsupport::grab(*m_form), label.box(), rgb(Green), TextTolerance));
    label.setVisible(false);
    QVERIFY(!testsupport::contains(testsupport::grab(*m_form), label.box(), rgb(Peach)));
    QVERIFY(!label.isVisible());
    QCOMPARE(label.caption(), u"Neu"_s); // a hidden label keeps its caption
}

void TestForm::lineWidths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("firstRow");
    QTest::addColumn<int>("lastRow");
    // Thin at 1500 twips = row 100; Wide at row 150, 3 pixels centred on it; Even at row
    // 160, 2 pixels from it downwards.
    QTest::newRow("1 pixel") << u"Thin"_s << 1 << 100 << 100;
    QTest::newRow("3 pixels, centred") << u"Wide"_s << 3 << 149 << 151;
    QTest::newRow("2 pixels") << u"Even"_s << 2 << 160 << 161;
    QTest::newRow("widened to 3") << u"Thin"_s << 3 << 99 << 101;
}

void TestForm::lineWidths()
{
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    Line &line = m_form->line(name);
    line.setBorderWidth(width);
    line.setBorderColor(Red);
    const QImage image = testsupport::grab(*m_form);
    for (int row = firstRow - 1; row <= lastRow + 1; ++row) {
        const bool inside = row >= firstRow && row <= lastRow;
        QCOMPARE(pixelAt(image, QPoint(75, row)) == rgb(Red), inside);
    }
}

void TestForm::dottedAndHiddenLines()
{
    const QImage image = testsupport::grab(*m_form);
    const QRgb black = m_form->resolve(Default::LineColor).rgb() | 0xFF000000u;
    // Along the dotted line (row 180) about every other device pixel is inked.
    const qreal ratio = image.devicePixelRatio();
    const int row = static_cast<int>((180 + 0.5) * ratio);
    const int from = static_cast<int>(10 * ratio), to = static_cast<int>(140 * ratio);
    int inked = 0;
    for (int x = from; x < to; ++x)
        inked += (image.pixel(x, row) | 0xFF000000u) == black;
    const double share = double(inked) / (to - from);
    QVERIFY2(share > 0.25 && share < 0.75, qPrintable(QString::number(share)));
    QVERIFY(!testsupport::contains(image, QRect(0, 189, 150, 3), black));

    m_form->line(u"Hidden").setVisible(true);
    QVERIFY(testsupport::contains(testsupport::grab(*m_form), QRect(0, 189, 150, 3), black));
}

void TestForm::straightLinesAsStroked_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    for (const ControlSpec &line : straightLines)
        for (int width : {1, 2, 3})
            QTest::addRow("%s, %d px", qPrintable(line.name.toString()), width)
                << line.name.toString() << width;
}

void TestForm::straightLinesAsStroked()
{
    // Lines along a row or a column are filled as rectangles of device pixels; they must
    // cover exactly the pixels that stroking them with their pen covers, at every density.
    QFETCH(QString, name);
    QFETCH(int, width);
    testsupport::RecordingRuntime runtime;
    Form form(runtime, straightLinesSpec);
    Line &line = form.line(name);
    line.setBorderWidth(width);
    line.setBorderColor(Red);
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        QImage painted(form.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        painted.setDevicePixelRatio(ratio);
        painted.fill(Qt::transparent);
        QImage stroked = painted;
        {
            QPainter painter(&painted);
            line.paint(painter);
        }
        {
            // The pen of the layouts' lines: an odd width centred on the pixels the ends name,
            // an even one right of and below them; dots as long as the line is wide.
            QPen pen(QColor::fromRgb(rgb(Red)), width);
            if (line.style() == LineStyle::Dotted) {
                pen.setCapStyle(Qt::FlatCap);
                pen.setDashPattern({1.0, 1.0});
            } else {
                pen.setCapStyle(Qt::SquareCap);
            }
            const qreal centre = width % 2 == 1 ? 0.5 : 1.0;
            QPainter painter(&stroked);
            painter.setPen(pen);
            painter.drawLine(QPointF(line.start()) + QPointF(centre, centre),
                             QPointF(line.end()) + QPointF(centre, centre));
        }
        QVERIFY2(painted == stroked, qPrintable(u"at ratio "_s + QString::number(ratio)));
    }
}

void TestForm::nearlyStraightLineStandsStraight()
{
    const Line &line = m_form->line(u"Steep");
    QCOMPARE(line.start().x(), line.end().x());
    QCOMPARE(line.start().x(), 140); // the mean of 2114 and 2100 twips
}

void TestForm::listClick_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<std::vector<int>>("clicks"); // ListIndex seen by each Click

    QTest::newRow("mouse on an entry") << u"click 1"_s << std::vector<int>{1};
    QTest::newRow("mouse on the selected entry again")
        << u"click 1, click 1"_s << std::vector<int>{1, 1};
    QTest::newRow("mouse on another entry") << u"click 0, click 2"_s << std::vector<int>{0, 2};
    QTest::newRow("first arrow selects the first entry") << u"down"_s << std::vector<int>{0};
    QTest::newRow("arrows move the selection")
        << u"down, down, down, up"_s << std::vector<int>{0, 1, 2, 1};
    QTest::newRow("arrow at the end changes nothing") << u"click 2, down"_s << std::vector<int>{2};
    QTest::newRow("control-click cannot clear the selection")
        << u"click 1, ctrl-click 1"_s << std::vector<int>{1, 1};
}

void TestForm::listClick()
{
    QFETCH(QString, gesture);
    QFETCH(std::vector<int>, clicks);
    auto *list = qobject_cast<QListWidget *>(m_form->list.widget());
    list->setFocus();
    for (const QString &step : gesture.split(u", "_s)) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"click"_s)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              itemCentre(list, words[1].toInt()));
        else if (words[0] == u"ctrl-click"_s)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              itemCentre(list, words[1].toInt()));
        else
            QTest::keyClick(list, words[0] == u"down"_s ? Qt::Key_Down : Qt::Key_Up);
    }
    QCOMPARE(m_form->clicks.list, clicks);
    QCOMPARE(m_form->list.ListIndex(), clicks.back());
}

void TestForm::listIndexSetByProgram()
{
    m_form->list.setListIndex(2);
    m_form->list.setListIndex(-1);
    QCOMPARE(m_form->clicks.list, (std::vector<int>{2, -1}));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, m_form->list.setListIndex(3));
}

void TestForm::buttonsByMouseAndKeyboard()
{
    QPushButton *one = m_form->commandButton(u"Command1").button();
    QPushButton *two = m_form->commandButton(u"Command2").button();
    QTest::mouseClick(one, Qt::LeftButton);
    QTest::mouseClick(two, Qt::LeftButton); // disabled: no Click
    one->setFocus();
    QTest::keyClick(one, Qt::Key_Space);
    QTest::keyClick(one, Qt::Key_Return);
    QTest::keyClick(one, Qt::Key_Enter);
    QCOMPARE(m_form->clicks.command1, 4);
    QCOMPARE(m_form->clicks.command2, 0);

    m_form->commandButton(u"Command2").setEnabled(true);
    m_form->commandButton(u"Command2").setCaption(u"Ende"_s);
    QTest::mouseClick(two, Qt::LeftButton);
    QCOMPARE(m_form->clicks.command2, 1);
    QCOMPARE(two->text(), u"Ende"_s);
}

void TestForm::tabOrderFollowsTabIndex()
{
    QWidget *list = m_form->list.widget();
    QWidget *one = m_form->commandButton(u"Command1").widget();
    QWidget *two = m_form->commandButton(u"Command2").widget();
    // Command2 has the lowest TabIndex but is disabled, so the list starts with the focus.
    QTRY_COMPARE(QApplication::focusWidget(), list);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), one);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list); // round again, past the disabled button

    m_form->commandButton(u"Command2").setEnabled(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), two);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), one);
}

void TestForm::failedPlatformCallChangesNothing()
{
    Label &label = m_form->label(u"Opaque");
    m_runtime->failCall(2);
    m_runtime->dispatch([&] {
        label.setCaption(u"eins"_s);
        label.setCaption(u"zwei"_s);
        label.setCaption(u"drei"_s);
    });
    QCOMPARE(label.caption(), u"eins"_s);
    QCOMPARE(m_runtime->reported, std::vector<int>{ErrorNumber::InvalidCall});
    QVERIFY(m_runtime->hasEnded());
    QVERIFY(!m_form->isVisible());
}

void TestForm::closingEndsTheProgram()
{
    m_form->close();
    QVERIFY(m_runtime->hasEnded());
    QCOMPARE(m_runtime->exitStatus(), 0);
    QTest::mouseClick(m_form->commandButton(u"Command1").button(), Qt::LeftButton);
    QCOMPARE(m_form->clicks.command1, 0);
}

void TestForm::unknownNameFailsLoudly()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_form->label(u"Label99"));
    // A name of another kind of control is no label either.
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_form->label(u"Thin"));
}

void TestForm::repaintKeepsPaintOrder()
{
    // A long vertical line under a horizontal one and under a label lower down. Changing both
    // lines makes an area to repaint of several rectangles, one of them the horizontal line's
    // band; repainting the vertical line for the others must not cover the crossing or the
    // label. 200 × 200 pixels; the vertical line stands in column 50, the other in row 50.
    const ControlSpec rows[] = {
        {.name = u"Down", .kind = K::Line, .ends = {750, 150, 750, 2850}},
        {.name = u"Across", .kind = K::Line, .ends = {150, 750, 2850, 750}},
        {.name = u"Box", .kind = K::Label, .box = {450, 1500, 600, 300}, .backColor = Peach},
    };
    const FormSpec crossing{.name = u"Crossing",
                            .caption = u"Crossing",
                            .client = {0, 0, 3000, 3000},
                            .controls = rows};
    testsupport::RecordingRuntime runtime;
    Form form(runtime, crossing);
    form.Show();
    runtime.dispatch([&] {
        form.PSet(1, 1, Blue); // points keep what the window shows in an image
    });
    testsupport::grab(form);
    runtime.dispatch([&] {
        form.line(u"Down").setBorderColor(Green);
        form.line(u"Across").setBorderColor(Red);
    });
    const QImage image = testsupport::grab(form);
    QCOMPARE(pixelAt(image, QPoint(50, 50)), rgb(Red));
    QCOMPARE(pixelAt(image, QPoint(50, 110)), rgb(Peach));
    QCOMPARE(pixelAt(image, QPoint(50, 150)), rgb(Green));
    QVERIFY(runtime.reported.empty());
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
