// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "program.h"

#include "comparison/form2.h"
#include "lesson/form1.h"

Program::Program(forms::Runtime &runtime)
    : m_runtime(runtime)
{ }

Program::~Program() = default;

void Program::start()
{
    Form1 &lesson = form1();
    m_runtime.dispatch([&lesson] { lesson.Show(); });
}

Form1 &Program::form1()
{
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(m_runtime);
        m_form1->Command2.onClick([this] { Form1_Command2_Click(); });
        m_form1->load();
    }
    return *m_form1;
}

Form2 &Program::form2()
{
    // The comparison window has no load event; creating it is all its first use does.
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(m_runtime);
        m_form2->Command2.onClick([this] { Form2_Command2_Click(); });
    }
    return *m_form2;
}

void Program::Form1_Command2_Click()
{
    form1().Hide();
    form2().Show();
}

void Program::Form2_Command2_Click()
{
    // The legend is hidden on the way out, so it reappears only after the next "Start".
    Form2 &comparison = form2();
    comparison.Label1.setVisible(false);
    comparison.Label2.setVisible(false);
    comparison.Label3.setVisible(false);
    comparison.Label4.setVisible(false);
    comparison.Label5.setVisible(false);
    Form1 &lesson = form1();
    lesson.Show();
    comparison.Hide();
    lesson.announce("Zurück im Fenster „" + lesson.caption() + "“, " + lesson.lessonPlace() + ".");
}
