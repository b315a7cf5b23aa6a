// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/checked.h"
#include "forms/form.h"

#include <array>
#include <string>

// The comparison window: the decay curves of five isotopes over 10000 years in one diagram,
// each with a legend entry in its own colour, drawn by "Start".
class Form2 final : public forms::Form
{
public:
    explicit Form2(forms::Runtime &runtime);

    // The window's layout, as data.
    static const forms::FormLayout &layout();

    // Controls the handler and the window switch reach by name.
    forms::CommandButton &Command1; // "Start"
    forms::CommandButton &Command2; // "Zurück" to the lesson window
    // The legend, entries 0 to 4; empty and visible until the first "Start".
    forms::Label &Label1, &Label2, &Label3, &Label4, &Label5;

    // The window's state; it lives as long as the window.
    forms::Int16 intIso; // the isotope being drawn, 0 to 4; 5 once all are drawn
    forms::Int16 intZeit; // the year being drawn, 0 to 10000; 10001 once a curve is done

private:
    void Command1_Click();
    // Tells screen readers what the diagram shows: no curves, or the five of the legend.
    void describeDiagram(bool drawn);
    // The legend's labels, entries 0 to 4.
    std::array<forms::Label *, 5> legendLabels() const;
    // The legend's entries with their colours, in the legend's order.
    std::string legendInWords() const;
};
