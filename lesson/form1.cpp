// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "decay/decay.h"

#include <array>
#include <initializer_list>
#include <iterator>
#include <string_view>

using forms::Colour;

namespace {

struct Isotope
{
    std::string_view name;
    double halfLife; // [million years]
};

// The list's entries; an entry's row is its list index.
constexpr Isotope isotopes[] = {
    {"Kalium 40", 1280}, {"Thorium 232", 14050},      {"Uran 235", 703.8},
    {"Uran 238", 4468},  {"Kohlenstoff 14", 0.00573},
};

constexpr Colour Highlight = 0x000000FF; // red
constexpr Colour Settled = 0x00000000; // black: marks after their highlight
constexpr Colour SettledCurve = 0x00F00000; // blue 240: a segment after its highlight
constexpr int HighlightWidth = 2; // [pixels]
constexpr int SettledWidth = 1; // [pixels]

// Up to four controls of each kind by name, in the order a press sets them; places left over
// stay empty.
struct MarkNames
{
    std::array<std::string_view, 4> lines, labels;
};

// The walk along the curve: presses 4 to 7 highlight the first to the fourth half-life in red,
// one row each. A row holds the half-life's segment of the curve and the labels at its start
// and end, then what its press sets back of the earlier highlights and what it turns red,
// each in the order the press sets them.
struct HalfLifeRow
{
    std::string_view ordinal; // "die erste Zerfallsfrist"
    int segment;
    std::string_view fromTime, toTime; // time-axis labels at its start and end
    std::string_view fromShare, toShare; // per-cent labels at its start and end
    MarkNames setBack, highlight;
};
constexpr int FirstWalkPress = 4; // highlights the first half-life
// One half-life per row reads better than one field per line.
// clang-format off
constexpr HalfLifeRow halfLifeRows[] = {
    // ordinal, segment, time-axis and per-cent labels
    //     set back: lines, labels
    //     red: lines, labels
    {"erste",  1, "Label5", "Label6", "Label1", "Label2",
        {},
        {{"Line4",  "Line7"},  {"Label1", "Label2", "Label5", "Label6"}}},
    {"zweite", 2, "Label6", "Label7", "Label2", "Label3",
        {{},                   {"Label1", "Label5"}},
        {{"Line5",  "Line9"},  {"Label2", "Label3", "Label6", "Label7"}}},
    {"dritte", 3, "Label7", "Label8", "Label3", "Label4",
        {{"Line4",  "Line7"},  {"Label2", "Label6"}},
        {{"Line6",  "Line8"},  {"Label4", "Label8"}}},
    {"vierte", 4, "Label8", "Label9", "Label4", "Label12",
        {{"Line5",  "Line9"},  {"Label3", "Label7"}},
        {{"Line10", "Line11"}, {"Label9", "Label12"}}},
};
// clang-format on
// The eighth press sets back what the seventh left red, and redraws the fourth segment.
constexpr MarkNames lastSetBack = {{"Line10", "Line11", "Line6", "Line8"},
                                   {"Label9", "Label12", "Label4", "Label8"}};

} // namespace

Form1::Form1(forms::Runtime &runtime)
    : forms::Form(runtime, layout())
    , List1(listBox("List1"))
    , Command1(commandButton("Command1"))
    , Command2(commandButton("Command2"))
    , Label1(label("Label1"))
    , Label2(label("Label2"))
    , Label3(label("Label3"))
    , Label4(label("Label4"))
    , Label5(label("Label5"))
    , Label6(label("Label6"))
    , Label7(label("Label7"))
    , Label8(label("Label8"))
    , Label9(label("Label9"))
    , Label10(label("Label10"))
    , Label11(label("Label11"))
    , Label12(label("Label12"))
    , Label13(label("Label13"))
    , Label17(label("Label17"))
    , Label18(label("Label18"))
    , Label19(label("Label19"))
    , Line4(line("Line4"))
    , Line5(line("Line5"))
    , Line6(line("Line6"))
    , Line7(line("Line7"))
    , Line8(line("Line8"))
    , Line9(line("Line9"))
    , Line10(line("Line10"))
    , Line11(line("Line11"))
    , Line12(line("Line12"))
    , Line18(line("Line18"))
{
    const auto marks = [this](const MarkNames &names) {
        Marks controls;
        for (std::string_view name : names.lines)
            if (!name.empty())
                controls.lines.push_back(&line(name));
        for (std::string_view name : names.labels)
            if (!name.empty())
                controls.labels.push_back(&label(name));
        return controls;
    };
    for (const HalfLifeRow &row : halfLifeRows)
        m_halfLives.push_back({row.ordinal, row.segment, marks(row.setBack), marks(row.highlight),
                               &label(row.fromTime), &label(row.toTime), &label(row.fromShare),
                               &label(row.toShare)});
    m_lastSetBack = marks(lastSetBack);

    List1.onClick([this] { List1_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    // For screen readers: the list has no caption of its own, and the diagram is only drawn.
    List1.setAccessibleName("Isotope");
    describeDiagram();
}

void Form1::Form_Load()
{
    for (const Isotope &isotope : isotopes)
        List1.AddItem(std::string(isotope.name));
}

void Form1::List1_Click()
{
    // With no entry selected the last choice stays, and everything below runs all the same.
    const int index = List1.ListIndex();
    if (index >= 0 && index < static_cast<int>(std::size(isotopes))) {
        Isotop = isotopes[index].name;
        Thalb = isotopes[index].halfLife;
    }
    const std::string halfLife = runtime().toText(Thalb);
    Label11.setCaption("Zerfallsfrist =  " + halfLife + " Millionen Jahre");
    Label10.setCaption(Isotop);

    // The time axis in whole half-lives, from 0 under x = 0 to 5 under x = 125.
    forms::FixedArray<float, 0, 5> axisValues;
    forms::forEach(i.counter(), 0, 5, [&](std::int16_t n) {
        axisValues[n] = forms::toSingle(forms::checkedResult(n * Thalb));
    });
    forms::Label *const axisLabels[] = {&Label5, &Label6, &Label7, &Label8, &Label9, &Label13};
    for (int n = 0; n <= 5; ++n)
        axisLabels[n]->setCaption(runtime().toText(axisValues[n]));

    forms::forEach(i.counter(), 0, decay::LessonLastIndex, [this](std::int16_t n) {
        const auto point = decay::lessonPoint(n);
        PSet(point.x, point.y);
    });
    m_curveDescription = Isotop.empty()
        ? "Zerfallskurve: nach jeder Zerfallsfrist ist nur noch die Hälfte vorhanden."
        : "Zerfallskurve von " + Isotop + ": nach jeder Zerfallsfrist von " + halfLife +
            " Millionen Jahren ist nur noch die Hälfte vorhanden.";
    describeDiagram();
    Command1.setEnabled(true);
    announce(Isotop + ": Zerfallsfrist " + halfLife +
             " Millionen Jahre. Die Zerfallskurve ist gezeichnet; die Zeitachse zählt in "
             "Zerfallsfristen bis " +
             Label13.caption() + " Millionen Jahre.");
}

void Form1::Command1_Click()
{
    intClicks.increment();
    std::string news; // what this press brought, for screen readers
    switch (intClicks.value()) {
    case 1:
        Label17.setVisible(true);
        news = Label17.caption();
        break;
    case 2:
        Label18.setVisible(true);
        news = Label18.caption();
        break;
    case 3:
        revealGuides();
        news = Label19.caption() +
            " Gepunktete Hilfslinien markieren jetzt die ersten fünf Zerfallsfristen, und die "
            "Anteile " +
            Label3.caption() + ", " + Label4.caption() + " und " + Label12.caption() +
            " sind beschriftet.";
        break;
    case 4:
    case 5:
    case 6:
    case 7: {
        const HalfLife &lit = *highlighted();
        stepAlongCurve(lit.setBack, lit.segment - 1, lit.highlight, lit.segment);
        news = "Rot hervorgehoben ist " + inWords(lit) + ".";
        break;
    }
    case 8:
        stepAlongCurve(m_lastSetBack, m_halfLives.back().segment, {}, 0);
        Command1.setCaption("Ende");
        news = "Die Hervorhebung ist aufgehoben; die vier Zerfallsfristen sind blau "
               "nachgezeichnet. Die Schaltfläche heißt jetzt „" +
            Command1.caption() + "“: Der nächste Druck beendet das Programm.";
        break;
    case 9:
        runtime().End(); // the ninth press ends the lesson and the program
    }
    describeDiagram();
    announce(news);
}

void Form1::revealGuides()
{
    for (forms::GraphicalControl *control : std::initializer_list<forms::GraphicalControl *>{
             &Label19, &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10, &Line11, &Line12,
             &Line18, &Label2, &Label3, &Label4, &Label12})
        control->setVisible(true);
}

void Form1::stepAlongCurve(const Marks &setBack, int settledSegment, const Marks &highlight,
                           int litSegment)
{
    for (forms::Line *line : setBack.lines) {
        line->setBorderColor(Settled);
        line->setBorderWidth(SettledWidth);
    }
    for (forms::Label *label : setBack.labels)
        label->setForeColor(Settled);
    drawSegment(settledSegment, SettledCurve);
    for (forms::Line *line : highlight.lines) {
        line->setBorderColor(Highlight);
        line->setBorderWidth(HighlightWidth);
    }
    for (forms::Label *label : highlight.labels)
        label->setForeColor(Highlight);
    drawSegment(litSegment, Highlight);
}

void Form1::drawSegment(int segment, Colour colour)
{
    if (segment == 0)
        return;
    // Segment k is the k-th half-life; neighbours share their end point.
    const auto first = static_cast<std::int16_t>((segment - 1) * decay::StepsPerHalfLife);
    const auto last = static_cast<std::int16_t>(segment * decay::StepsPerHalfLife);
    forms::forEach(i.counter(), first, last, [this, colour](std::int16_t n) {
        const auto point = decay::lessonPoint(n);
        PSet(point.x, point.y, colour);
    });
}

void Form1::describeDiagram()
{
    if (m_curveDescription.empty()) {
        setDrawingDescription("Diagramm ohne Kurve: Anteil des radioaktiven Isotops in Prozent "
                              "über der Zeit in Millionen Jahren.");
        return;
    }
    std::string text = m_curveDescription;
    const int presses = intClicks.value();
    if (presses >= 3)
        text += " Gepunktete Hilfslinien markieren die ersten fünf Zerfallsfristen.";
    if (const HalfLife *lit = highlighted())
        text += " Rot hervorgehoben ist " + inWords(*lit) + ".";
    setDrawingDescription(text);
}

const Form1::HalfLife *Form1::highlighted() const
{
    const int row = intClicks.value() - FirstWalkPress;
    return row >= 0 && row < static_cast<int>(m_halfLives.size()) ? &m_halfLives[row] : nullptr;
}

std::string Form1::inWords(const HalfLife &halfLife)
{
    return "die " + std::string(halfLife.ordinal) + " Zerfallsfrist: zwischen " +
        halfLife.fromTime->caption() + " und " + halfLife.toTime->caption() +
        " Millionen Jahren sinkt der Anteil von " + halfLife.fromShare->caption() + " auf " +
        halfLife.toShare->caption();
}

std::string Form1::lessonPlace() const
{
    const int presses = intClicks.value();
    if (presses == 0)
        return "vor dem ersten Schritt";
    return "nach Schritt " + std::to_string(presses) + " von 9";
}
