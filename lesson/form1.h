// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/checked.h"
#include "forms/form.h"

#include <initializer_list>
#include <string>

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
    // The guide lines and labels that mark one half-life on the curve.
    struct Marks
    {
        std::initializer_list<forms::Line *> lines;
        std::initializer_list<forms::Label *> labels;
    };

    void List1_Click();
    void Command1_Click();
    void revealGuides();
    // One of the presses that walk along the curve: sets back the marks that no longer
    // apply, draws the previous segment in its settled colour, then highlights the new
    // segment and its marks. Segment 0 means none.
    void stepAlongCurve(Marks settle, int previousSegment, Marks highlight, int newSegment);
    void drawSegment(int segment, forms::Colour colour);
    // Tells screen readers what the diagram shows now, and what the last press brought.
    void describeDiagram();
    void announceStep();
    std::string highlightedHalfLife() const;

    std::string m_curveDescription; // the chosen isotope's curve, in words; empty before a choice
};
