// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/checked.h"
#include "forms/form.h"

#include <string>
#include <string_view>
#include <vector>

// The lesson window: a decay diagram, the isotope list, and the guided lesson that "Weiter"
// steps through.
class Form1 final : public forms::Form
{
public:
    explicit Form1(forms::Runtime &runtime);

    // The window's layout, as data.
    static const forms::FormLayout &layout();

    // Controls the handlers and the window switch reach by name.
    forms::ListBox &List1;
    forms::CommandButton &Command1; // "Weiter"
    forms::CommandButton &Command2; // the excursion to the comparison window
    forms::Label &Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9;
    forms::Label &Label10, &Label11, &Label12, &Label13, &Label17, &Label18, &Label19;
    forms::Line &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10, &Line11, &Line12, &Line18;

    // The lesson's state; it lives as long as the window.
    double Thalb = 0; // half-life of the selected isotope [million years]
    std::string Isotop; // name of the selected isotope
    forms::OptionalInt16 i; // loop counter shared by the drawing loops
    forms::Int16 intClicks; // presses of "Weiter" so far

    // Where the pupil stands in the lesson, in words ("nach Schritt 5 von 9").
    std::string lessonPlace() const;

protected:
    void Form_Load() override;

private:
    // The marks one press sets, in the order it sets them.
    struct Marks
    {
        std::vector<forms::Line *> lines;
        std::vector<forms::Label *> labels;
    };
    // One half-life as the press that highlights it walks it.
    struct HalfLife
    {
        std::string_view ordinal; // "erste" to "vierte"
        int segment; // its piece of the curve
        Marks setBack; // the earlier highlights that no longer apply
        Marks highlight;
        const forms::Label *fromTime, *toTime, *fromShare, *toShare; // its span and its shares
    };

    void List1_Click();
    void Command1_Click();
    void revealGuides();
    // One of the presses that walk along the curve: sets back the marks that no longer
    // apply, draws the previous segment in its settled colour, then highlights the new
    // segment and its marks. Segment 0 means none.
    void stepAlongCurve(const Marks &setBack, int settledSegment, const Marks &highlight,
                        int litSegment);
    void drawSegment(int segment, forms::Colour colour);
    // Tells screen readers what the diagram shows now.
    void describeDiagram();
    // The half-life that the last press highlighted; none before the fourth and after the
    // seventh press.
    const HalfLife *highlighted() const;
    static std::string inWords(const HalfLife &halfLife);

    std::vector<HalfLife> m_halfLives; // presses 4 to 7, one each
    Marks m_lastSetBack; // the eighth press
    std::string m_curveDescription; // the chosen isotope's curve, in words; empty before a choice
};
