// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/checked.h"
#include "forms/form.h"

#include <QString>

// The lesson window: a decay diagram, the isotope list, and the guided lesson that "Weiter"
// steps through.
class Form1 final : public forms::Form
{
public:
    explicit Form1(forms::Runtime &runtime);

    // The window's layout, as data.
    static const forms::FormSpec &layout();

    // Controls the handlers and the window switch reach by name.
    forms::ListBox &List1;
    forms::CommandButton &Command1; // "Weiter"
    forms::CommandButton &Command2; // the excursion to the comparison window
    forms::Label &Label1, &Label2, &Label3, &Label4, &Label5, &Label6, &Label7, &Label8, &Label9;
    forms::Label &Label10, &Label11, &Label12, &Label13, &Label17, &Label18, &Label19;
    forms::Line &Line4, &Line5, &Line6, &Line7, &Line8, &Line9, &Line10, &Line11, &Line12, &Line18;

    // The lesson's state; it lives as long as the window.
    double Thalb = 0; // half-life of the selected isotope [million years]
    QString Isotop; // name of the selected isotope
    forms::Variant i; // loop counter shared by the drawing loops
    forms::Int16 intClicks; // presses of "Weiter" so far

protected:
    void Form_Load() override;
};
