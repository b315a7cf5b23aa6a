// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "decay/decay.h"

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
    switch (intClicks.value()) {
    case 1:
        Label17.setVisible(true);
        break;
    case 2:
        Label18.setVisible(true);
        break;
    case 3:
        revealGuides();
        break;
    // Presses 4 to 7 walk the first four half-lives in red; 8 settles the last one.
    case 4:
        stepAlongCurve({}, 0, {{&Line4, &Line7}, {&Label1, &Label2, &Label5, &Label6}}, 1);
        break;
    case 5:
        stepAlongCurve({{}, {&Label1, &Label5}}, 1,
                       {{&Line5, &Line9}, {&Label2, &Label3, &Label6, &Label7}}, 2);
        break;
    case 6:
        stepAlongCurve({{&Line4, &Line7}, {&Label2, &Label6}}, 2,
                       {{&Line6, &Line8}, {&Label4, &Label8}}, 3);
        break;
    case 7:
        stepAlongCurve({{&Line5, &Line9}, {&Label3, &Label7}}, 3,
                       {{&Line10, &Line11}, {&Label9, &Label12}}, 4);
        break;
    case 8:
        stepAlongCurve({{&Line10, &Line11, &Line6, &Line8}, {&Label9, &Label12, &Label4, &Label8}},
                       4, {}, 0);
        Command1.setCaption("Ende");
        break;
    case 9:
        runtime().End(); // the ninth press ends the lesson and the program
    }
    describeDiagram();
    announceStep();
}

void Form1::revealGuides()
{
    for (forms::GraphicalControl *control : std::initializer_list<forms::GraphicalControl *>{
             &Label19, &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10, &Line11, &Line12,
             &Line18, &Label2, &Label3, &Label4, &Label12})
        control->setVisible(true);
}

void Form1::stepAlongCurve(Marks settle, int previousSegment, Marks highlight, int newSegment)
{
    for (forms::Line *line : settle.lines) {
        line->setBorderColor(Settled);
        line->setBorderWidth(SettledWidth);
    }
    for (forms::Label *label : settle.labels)
        label->setForeColor(Settled);
    drawSegment(previousSegment, SettledCurve);
    for (forms::Line *line : highlight.lines) {
        line->setBorderColor(Highlight);
        line->setBorderWidth(HighlightWidth);
    }
    for (forms::Label *label : highlight.labels)
        label->setForeColor(Highlight);
    drawSegment(newSegment, Highlight);
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
    if (presses >= 4 && presses <= 7)
        text += " Rot hervorgehoben ist " + highlightedHalfLife() + ".";
    setDrawingDescription(text);
}

std::string Form1::highlightedHalfLife() const
{
    // Presses 4 to 7 highlight half-life 1 to 4; its labels give its span and its shares.
    struct HalfLife
    {
        std::string_view ordinal;
        const forms::Label *from, *to; // time-axis labels
        const forms::Label *before, *after; // per-cent labels
    };
    const HalfLife halfLives[] = {{"erste", &Label5, &Label6, &Label1, &Label2},
                                  {"zweite", &Label6, &Label7, &Label2, &Label3},
                                  {"dritte", &Label7, &Label8, &Label3, &Label4},
                                  {"vierte", &Label8, &Label9, &Label4, &Label12}};
    const HalfLife &lit = halfLives[intClicks.value() - 4];
    return "die " + std::string(lit.ordinal) + " Zerfallsfrist: zwischen " + lit.from->caption() +
        " und " + lit.to->caption() + " Millionen Jahren sinkt der Anteil von " +
        lit.before->caption() + " auf " + lit.after->caption();
}

void Form1::announceStep()
{
    const int presses = intClicks.value();
    switch (presses) {
    case 1:
        announce(Label17.caption());
        break;
    case 2:
        announce(Label18.caption());
        break;
    case 3:
        announce(Label19.caption() +
                 " Gepunktete Hilfslinien markieren jetzt die ersten fünf Zerfallsfristen, und "
                 "die Anteile " +
                 Label3.caption() + ", " + Label4.caption() + " und " + Label12.caption() +
                 " sind beschriftet.");
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        announce("Rot hervorgehoben ist " + highlightedHalfLife() + ".");
        break;
    case 8:
        announce("Die Hervorhebung ist aufgehoben; die vier Zerfallsfristen sind blau "
                 "nachgezeichnet. Die Schaltfläche heißt jetzt „" +
                 Command1.caption() + "“: Der nächste Druck beendet das Programm.");
        break;
    }
}

std::string Form1::lessonPlace() const
{
    const int presses = intClicks.value();
    if (presses == 0)
        return "vor dem ersten Schritt";
    return "nach Schritt " + std::to_string(presses) + " von 9";
}
